#include "AboutWindow.h"

#include <QCloseEvent>
#include <QPushButton>

#include "TaskBar.h"
#include "about/frmAboutLayout.h"
#include "layout/WidgetBuilder.h"
#include "resources/ApplicationIcon.h"

namespace zenalto::qt {

AboutWindow::AboutWindow(AboutDialog& dialog, Platform& platform)
    : QDialog(nullptr, WindowFlagsOf(frmAboutLayout.border)),
      frmAboutEvents(frmAboutLayout),
      m_commands(dialog, platform) {
    m_cancel = load(*this).cancelButton();
    setWindowIcon(ApplicationIcon());

    // As a top-level window of its own it keeps the program running after the
    // main window has been closed.
    setAttribute(Qt::WA_DeleteOnClose);

    // For a window, setGeometry places the client area, not the frame.
    setGeometry(ClientArea(frmAboutLayout));
    KeepOutOfTaskBar(*this);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::reject() {
    if (m_cancel != nullptr) {
        m_cancel->click();
    }
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    // QDialog would route the close box through reject(), that is through
    // "OK"; closing runs no handler, the window just goes.
    event->accept();
    emit unloaded();
}

}  // namespace zenalto::qt
