#include "about/win32/frmAbout.h"

#include "about/SysInfoLauncher.h"
#include "about/frmAboutLayout.h"

namespace zenalto::win32 {

frmAbout::frmAbout(Platform& platform, HINSTANCE instance)
    : LayoutWindow(frmAboutLayout, instance, L"ZenaltofrmAbout"), m_platform(platform) {}

frmAbout::~frmAbout() {
    unload();
    if (m_owner != nullptr) {
        ::DestroyWindow(m_owner);
    }
}

void frmAbout::Show() {
    if (m_owner == nullptr) {
        m_owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    nullptr, nullptr);
    }
    load(m_owner);
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

}  // namespace zenalto::win32
