#pragma once

// The About dialog's window, made from frmAboutLayout by WidgetWindow. Its
// buttons' clicks go through frmAboutEvents to frmAboutCommands: "OK" unloads
// the dialog, "&System Info..." runs the System Information launcher. A
// closed window deletes itself.

#include <QDialog>

#include "about/frmAboutCommands.h"
#include "about/frmAboutEvents.h"
#include "layout/WidgetWindow.h"

class QPushButton;

namespace zenalto {
class AboutDialog;
class Platform;
}  // namespace zenalto

namespace zenalto::qt {

class AboutWindow : public QDialog, public frmAboutEvents<WidgetWindow> {
    Q_OBJECT

public:
    // `dialog` is the frmAbout that keeps this window.
    AboutWindow(AboutDialog& dialog, Platform& platform);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;
    AboutWindow(AboutWindow&&) = delete;
    AboutWindow& operator=(AboutWindow&&) = delete;
    ~AboutWindow() override;

    // Esc, the cancel key of a dialog, presses the cancel button, "OK".
    void reject() override;

    [[nodiscard]] frmAboutCommands& commands() noexcept override { return m_commands; }

signals:
    // The window has closed, by "OK", Esc or the close box, and is going.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmAboutCommands m_commands;
    QPushButton* m_cancel = nullptr;
};

}  // namespace zenalto::qt
