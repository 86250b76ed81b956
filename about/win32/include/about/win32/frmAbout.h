#pragma once

// The About dialog on Windows: one object for the whole run, kept by the main
// window's commands. Show() loads the dialog's window from its layout when it
// is not loaded and brings it to the front; "OK", Esc and the close box
// unload the window, and the object stays for the next Show().
//
// The dialog is owned by a window of its own that is never shown: an owned
// window gets no task-bar button, and since its owner is not the main window,
// either of the two may lie in front of the other.

#include "about/AboutDialog.h"
#include "about/frmAboutCommands.h"
#include "about/frmAboutEvents.h"
#include "layout/LayoutWindow.h"

namespace zenalto {

class Platform;

namespace win32 {

class frmAbout final : public AboutDialog, public frmAboutEvents<LayoutWindow> {
public:
    frmAbout(Platform& platform, HINSTANCE instance);
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;
    frmAbout(frmAbout&&) = delete;
    frmAbout& operator=(frmAbout&&) = delete;
    ~frmAbout() override;

    void Show() override;
    void Unload() override;

    [[nodiscard]] frmAboutCommands& commands() noexcept override { return m_commands; }

private:
    frmAboutCommands m_commands;
    HWND m_owner = nullptr;
};

}  // namespace win32
}  // namespace zenalto
