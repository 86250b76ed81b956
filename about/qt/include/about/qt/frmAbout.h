#pragma once

// The About dialog on Qt, as the program keeps it: one frmAbout object for the
// whole run, made on the first "Acerca de...". Show() loads the dialog's window
// from frmAboutLayout when it is not loaded (every text, the picture, the place
// on the screen) and brings the open one to the front otherwise. "OK", Esc and the
// close box unload the window; the frmAbout object stays for the next Show().
// The window holds no data of its own: its buttons' clicks go through
// frmAboutEvents to frmAboutCommands, as on every face, with the injected
// Platform.

#include "about/AboutDialog.h"
#include "about/frmAboutCommands.h"
#include "about/frmAboutEvents.h"
#include "layout/WidgetWindow.h"

class QDialog;
class QWidget;

namespace zenalto {
class Platform;
}  // namespace zenalto

namespace zenalto::qt {

class frmAbout final : public AboutDialog, public frmAboutEvents<WidgetWindow> {
public:
    explicit frmAbout(Platform& platform);
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;
    frmAbout(frmAbout&&) = delete;
    frmAbout& operator=(frmAbout&&) = delete;
    ~frmAbout() override;

    // Shows the dialog modeless and without an owner window, loading it anew
    // when it is not loaded; an open dialog comes to the front.
    void Show() override;

    // Closes the dialog's window; the window and its controls are deleted
    // once control is back in the event loop, as the click that unloads it
    // may still be running inside it. Nothing happens when it is not loaded.
    void Unload() override;

    // The loaded window, or nullptr while the dialog is not loaded.
    [[nodiscard]] QWidget* window() const;

    [[nodiscard]] frmAboutCommands& commands() noexcept override { return m_commands; }

private:
    frmAboutCommands m_commands;
    QDialog* m_window = nullptr;
};

}  // namespace zenalto::qt
