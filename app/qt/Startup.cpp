#include "Startup.h"

#include <QByteArray>
#include <QGuiApplication>

#include "layout/ContrastTheme.h"
#include "layout/FontFallbacks.h"
#include "resources/ApplicationIcon.h"

namespace zenalto {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
constexpr bool kFollowDesktop = false;
#else
constexpr bool kFollowDesktop = true;
#endif

// A platform theme named in the environment is loaded whatever the desktop
// settings say; hide it from Qt while the application is made, and give it
// back for the programs that the About dialog starts.
class PlatformThemeHidden {
public:
    PlatformThemeHidden() : m_value(qgetenv(kName)), m_wasSet(qEnvironmentVariableIsSet(kName)) {
        qunsetenv(kName);
    }
    ~PlatformThemeHidden() {
        if (m_wasSet) {
            qputenv(kName, m_value);
        }
    }
    PlatformThemeHidden(const PlatformThemeHidden&) = delete;
    PlatformThemeHidden& operator=(const PlatformThemeHidden&) = delete;
    PlatformThemeHidden(PlatformThemeHidden&&) = delete;
    PlatformThemeHidden& operator=(PlatformThemeHidden&&) = delete;

private:
    static constexpr const char* kName = "QT_QPA_PLATFORMTHEME";
    QByteArray m_value;
    bool m_wasSet;
};

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    std::unique_ptr<QApplication> app;
    if constexpr (kFollowDesktop) {
        // On Windows and macOS the desktop's colours (high contrast among
        // them) and fonts come from the platform plugin itself, at no cost.
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        // Under GNOME and its relatives Qt would load the GTK 3 platform
        // theme, which takes two to three times the start-up and tens of MiB,
        // and changes nothing of this program's look: its style, fonts and
        // colours are its own. Scaling, double-click time and cursor blink
        // still come from the platform plugin (Xft.dpi and XSETTINGS on X11).
        QGuiApplication::setDesktopSettingsAware(false);
        const PlatformThemeHidden hidden;
        app = std::make_unique<QApplication>(argc, argv);
    }
    // Qt's "Windows" style draws frames with their caption in the top border,
    // sunken text boxes and plain push buttons, as the windows were laid out
    // for; the desktop's own style would change sizes and spacing.
    QApplication::setStyle(QStringLiteral("Windows"));
    // A contrast theme's colours are the one thing of the desktop's the
    // program takes, read from what the desktop publishes anyway (its GTK
    // theme's name) rather than from a platform theme plugin.
    if (const auto contrast = qt::DesktopContrastPalette()) {
        qt::UseContrastPalette(*contrast);
    }
    qt::InstallFontFallbacks();
    QApplication::setWindowIcon(ApplicationIcon());
    // Lets Wayland desktops match the window to its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zenalto"));
    return app;
}

}  // namespace zenalto
