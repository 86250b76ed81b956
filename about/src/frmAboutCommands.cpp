#include "about/frmAboutCommands.h"

#include "about/AboutDialog.h"
#include "about/SysInfoLauncher.h"

namespace zenalto {

frmAboutCommands::frmAboutCommands(AboutDialog& dialog, Platform& platform)
    : m_dialog(dialog), m_platform(platform) {}

void frmAboutCommands::cmdOK_Click() {
    m_dialog.Unload();
}

void frmAboutCommands::cmdSysInfo_Click() {
    StartSysInfo(m_platform);
}

void frmAboutCommands::Click(std::string_view name) {
    if (name == "cmdOK") {
        cmdOK_Click();
    } else if (name == "cmdSysInfo") {
        cmdSysInfo_Click();
    }
}

}  // namespace zenalto
