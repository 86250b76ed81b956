#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QString>

namespace zenalto {

void QtPlatform::messageBox(std::u16string_view prompt, int style, std::u16string_view title) {
    // Style 16 is the critical icon; every other style the program uses has none.
    QMessageBox box(style == 16 ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.empty() ? QStringLiteral("Zenalto") : QStringView(title).toString(),
                    QStringView(prompt).toString(), QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::u16string QtPlatform::decimalSeparator() {
    // QLocale::system() follows LC_ALL, LC_NUMERIC and LANG, in that order.
    return QLocale::system().decimalPoint().toStdU16String();
}

void QtPlatform::endProgram() {
    // exit() rather than quit(): quit() first asks every window to close.
    QCoreApplication::exit(0);
}

}  // namespace zenalto
