#include "about/win32/frmAbout.h"

#include "about/frmAboutLayout.h"

namespace zenalto::win32 {

frmAbout::frmAbout(Platform& platform, HINSTANCE instance)
    : frmAboutEvents(frmAboutLayout, instance, L"ZenaltofrmAbout"), m_commands(*this, platform) {}

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

}  // namespace zenalto::win32
