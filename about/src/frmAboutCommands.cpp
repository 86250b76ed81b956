#include "about/frmAboutCommands.h"

#include <array>

#include "about/AboutDialog.h"
#include "about/SysInfoLauncher.h"
#include "about/frmAboutLayout.h"
#include "layout/TableRules.h"

namespace zenalto {

namespace {

// The About dialog's buttons, each with its handler.
constexpr std::array<layout::ClickHandler<frmAboutCommands>, 2> ClickHandlers{{
    {"cmdOK", &frmAboutCommands::cmdOK_Click},
    {"cmdSysInfo", &frmAboutCommands::cmdSysInfo_Click},
}};
static_assert(layout::handlesEveryClick(frmAboutLayout, ClickHandlers),
              "every push button of frmAboutLayout needs one handler here, and no other name");

}  // namespace

frmAboutCommands::frmAboutCommands(AboutDialog& dialog, Platform& platform)
    : m_dialog(dialog), m_platform(platform) {}

void frmAboutCommands::cmdOK_Click() {
    m_dialog.Unload();
}

void frmAboutCommands::cmdSysInfo_Click() {
    StartSysInfo(m_platform);
}

void frmAboutCommands::Click(std::string_view name) {
    layout::RunClick(ClickHandlers, *this, name);
}

}  // namespace zenalto
