#include "Startup.h"
#include "about/SysInfoLauncher.h"
#include "main_window/qt/Form1.h"
#include "platform/QtPlatform.h"

int main(int argc, char* argv[]) {
    const auto app = zenalto::StartApplication(argc, argv);
    zenalto::qt::QtPlatform platform(zenalto::SysInfoEmulatedValue);
    zenalto::qt::Form1 window(platform);
    window.show();
    return QApplication::exec();
}
