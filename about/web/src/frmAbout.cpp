#include "about/web/frmAbout.h"

#include "about/frmAboutLayout.h"

namespace zenalto::web {

frmAbout::frmAbout(Platform& platform) : PageWindow(frmAboutLayout), m_commands(*this, platform) {}

void frmAbout::Show() {
    show();
}

void frmAbout::Unload() {
    unload();
}

void frmAbout::onClick(const layout::Control& control) {
    m_commands.Click(control.name);
}

}  // namespace zenalto::web
