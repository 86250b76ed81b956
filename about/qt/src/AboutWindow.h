#pragma once

// The About dialog's window, made from frmAboutLayout. Its only handlers are
// the Clicks of its two buttons: "OK" closes it, "&System Info..." runs the
// System Information launcher. A closed window deletes itself.

#include <QDialog>

class QPushButton;

namespace zenalto {

class Platform;

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(Platform& platform);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;
    AboutWindow(AboutWindow&&) = delete;
    AboutWindow& operator=(AboutWindow&&) = delete;
    ~AboutWindow() override;

    // Esc, the cancel key of a dialog, presses the cancel button, "OK".
    void reject() override;

signals:
    // The window has closed, by "OK", Esc or the close box, and is going.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();

    Platform& m_platform;
    QPushButton* m_cancel = nullptr;
};

}  // namespace zenalto
