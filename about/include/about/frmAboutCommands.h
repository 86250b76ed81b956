#pragma once

// What the About dialog's buttons do, written once for every face. The
// dialog forwards a click by the name the layout table gives the button.

#include <string_view>

namespace zenalto {

class AboutDialog;
class Platform;

class frmAboutCommands {
public:
    frmAboutCommands(AboutDialog& dialog, Platform& platform);

    void cmdOK_Click();       // "OK": unloads the dialog
    void cmdSysInfo_Click();  // "&System Info...": starts the System Information tool

    // A click by the button's name; a name that has no handler runs nothing.
    void Click(std::string_view name);

private:
    AboutDialog& m_dialog;
    Platform& m_platform;
};

}  // namespace zenalto
