#include <QApplication>

#include "FontFallbacks.h"
#include "Form1.h"
#include "platform/QtPlatform.h"
#include "resources/ApplicationIcon.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt's "Windows" style draws frames with their caption in the top border,
    // sunken text boxes and plain push buttons, as the windows were laid out
    // for; the desktop's own style would change sizes and spacing.
    QApplication::setStyle(QStringLiteral("Windows"));
    zenalto::InstallFontFallbacks();
    QApplication::setWindowIcon(zenalto::ApplicationIcon());
    // Lets Wayland desktops match the window to its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zenalto"));

    zenalto::QtPlatform platform;
    zenalto::Form1 window(platform);
    window.show();
    return QApplication::exec();
}
