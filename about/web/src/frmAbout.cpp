#include "about/web/frmAbout.h"

#include "about/frmAboutLayout.h"

namespace zenalto::web {

frmAbout::frmAbout(Platform& platform)
    : frmAboutEvents(frmAboutLayout), m_commands(*this, platform) {}

void frmAbout::Show() {
    show();
}

void frmAbout::Unload() {
    unload();
}

}  // namespace zenalto::web
