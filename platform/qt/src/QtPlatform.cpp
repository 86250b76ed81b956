#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QString>

namespace zenalto::qt {

void QtPlatform::messageBox(std::u16string_view prompt, MessageStyle style,
                            std::u16string_view title) {
    QMessageBox box(style == MessageStyle::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QStringView(MessageTitle(title)).toString(), QStringView(prompt).toString(),
                    QMessageBox::Ok, QApplication::activeWindow());
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

}  // namespace zenalto::qt
