#include "Form1.h"
#include "Startup.h"
#include "platform/QtPlatform.h"

int main(int argc, char* argv[]) {
    const auto app = zenalto::StartApplication(argc, argv);
    zenalto::QtPlatform platform;
    zenalto::Form1 window(platform);
    window.show();
    return QApplication::exec();
}
