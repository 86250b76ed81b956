#include "about/qt/frmAbout.h"

#include <functional>
#include <utility>

#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>

#include "TaskBar.h"
#include "about/frmAboutLayout.h"
#include "layout/WidgetBuilder.h"
#include "resources/ApplicationIcon.h"

namespace zenalto::qt {

namespace {

// The dialog's window as Qt's dialogs are not by themselves: Esc, the cancel
// key of a dialog, presses the cancel button, "OK"; the close box runs no
// handler (QDialog would route it through reject(), that is through "OK"),
// the window just goes. Closed, by any way, it says so and deletes itself.
class DialogWindow final : public QDialog {
public:
    explicit DialogWindow(std::function<void()> closed)
        : QDialog(nullptr, WindowFlagsOf(frmAboutLayout.border)), m_closed(std::move(closed)) {
        // As a top-level window of its own it keeps the program running after
        // the main window has been closed.
        setAttribute(Qt::WA_DeleteOnClose);
    }

    void setCancelButton(QPushButton* cancel) { m_cancel = cancel; }

    void reject() override {
        if (m_cancel != nullptr) {
            m_cancel->click();
        }
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        m_closed();
    }

private:
    std::function<void()> m_closed;
    QPushButton* m_cancel = nullptr;
};

}  // namespace

frmAbout::frmAbout(Platform& platform)
    : frmAboutEvents(frmAboutLayout), m_commands(*this, platform) {}

frmAbout::~frmAbout() {
    delete m_window;
}

void frmAbout::Show() {
    if (m_window == nullptr) {
        auto* window = new DialogWindow([this] { m_window = nullptr; });
        m_window = window;
        window->setCancelButton(load(*window).cancelButton());
        window->setWindowIcon(ApplicationIcon());
        // For a window, setGeometry places the client area, not the frame.
        window->setGeometry(ClientArea(frmAboutLayout));
        KeepOutOfTaskBar(*window);
        window->show();
    } else {
        m_window->raise();
    }
    m_window->activateWindow();
}

void frmAbout::Unload() {
    if (m_window != nullptr) {
        m_window->close();
    }
}

QWidget* frmAbout::window() const {
    return m_window;
}

}  // namespace zenalto::qt
