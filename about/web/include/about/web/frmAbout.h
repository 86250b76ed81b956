#pragma once

// The About dialog in the browser: one object for the whole run, kept by the
// main window's commands. Show() loads the dialog's window into the page from
// its layout when it is not there and brings it to the front; "OK" and Esc
// unload it, and its close box takes it out of the page without running a
// command. The object stays for the next Show().

#include "about/AboutDialog.h"
#include "about/frmAboutCommands.h"
#include "about/frmAboutEvents.h"
#include "layout/PageWindow.h"

namespace zenalto {

class Platform;

namespace web {

class frmAbout final : public AboutDialog, public frmAboutEvents<PageWindow> {
public:
    explicit frmAbout(Platform& platform);

    void Show() override;
    void Unload() override;

    [[nodiscard]] frmAboutCommands& commands() noexcept override { return m_commands; }

private:
    frmAboutCommands m_commands;
};

}  // namespace web
}  // namespace zenalto
