// How the program starts on Linux: whatever desktop the environment names,
// and whatever platform theme, the application loads no platform theme plugin
// (the GTK 3 one under GNOME takes two to three times the start-up), and a
// theme named in the environment is still there for the programs it starts.
// CTest runs it once per environment; under weston (tools/check-wayland.sh)
// the GNOME case meets the Wayland plugin, which would pick the GTK 3 theme
// from the desktop name.

#include <link.h>

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <QTest>

#include "Startup.h"

namespace {

// The shared objects loaded into this process from a platformthemes folder.
QStringList LoadedThemePlugins() {
    QStringList found;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t /*size*/, void* data) {
            const QString name = QString::fromLocal8Bit(info->dlpi_name);
            if (name.contains(QLatin1String("/platformthemes/"))) {
                static_cast<QStringList*>(data)->append(name);
            }
            return 0;
        },
        &found);
    return found;
}

QByteArray g_themeBefore;
bool g_themeWasSet = false;

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void loadsNoPlatformTheme() {
        // Without a plugin to load, the check below could not fail.
        const QDir themes(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                          QLatin1String("/platformthemes"));
        QVERIFY2(!themes.entryList(QDir::Files).isEmpty(),
                 "no platform theme plugin installed (qt6-gtk-platformtheme)");
        QCOMPARE(LoadedThemePlugins(), QStringList());
    }

    void keepsTheNamedThemeForOtherPrograms() {
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME"), g_themeWasSet);
        QCOMPARE(qgetenv("QT_QPA_PLATFORMTHEME"), g_themeBefore);
    }
};

int main(int argc, char* argv[]) {
    g_themeWasSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME");
    g_themeBefore = qgetenv("QT_QPA_PLATFORMTHEME");
    const auto app = zenalto::StartApplication(argc, argv);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartupTest.moc"
