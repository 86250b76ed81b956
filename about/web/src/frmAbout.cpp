#include "about/web/frmAbout.h"

#include "about/SysInfoLauncher.h"
#include "about/frmAboutLayout.h"

namespace zenalto::web {

frmAbout::frmAbout(Platform& platform) : PageWindow(frmAboutLayout), m_platform(platform) {}

void frmAbout::Show() {
    show();
}

void frmAbout::Unload() {
    unload();
}

void frmAbout::onClick(const layout::Control& control) {
    if (control.name == "cmdOK") {
        Unload();
    } else if (control.name == "cmdSysInfo") {
        StartSysInfo(m_platform);
    }
}

}  // namespace zenalto::web
