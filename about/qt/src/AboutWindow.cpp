#include "AboutWindow.h"

#include <QCloseEvent>
#include <QPushButton>

#include "TaskBar.h"
#include "about/SysInfoLauncher.h"
#include "about/frmAboutLayout.h"
#include "layout/WidgetBuilder.h"
#include "resources/ApplicationIcon.h"

namespace zenalto {

AboutWindow::AboutWindow(Platform& platform)
    : QDialog(nullptr, layout::WindowFlagsOf(frmAboutLayout.border)), m_platform(platform) {
    layout::SetUpWindow(frmAboutLayout, *this);
    const layout::Controls controls = layout::BuildControls(frmAboutLayout, *this);
    m_cancel = controls.cancelButton();
    setWindowIcon(ApplicationIcon());

    // As a top-level window of its own it keeps the program running after the
    // main window has been closed.
    setAttribute(Qt::WA_DeleteOnClose);

    // For a window, setGeometry places the client area, not the frame.
    setGeometry(layout::ClientArea(frmAboutLayout));
    KeepOutOfTaskBar(*this);

    connect(&controls.get<QPushButton>("cmdOK"), &QPushButton::clicked, this,
            &AboutWindow::cmdOK_Click);
    connect(&controls.get<QPushButton>("cmdSysInfo"), &QPushButton::clicked, this,
            &AboutWindow::cmdSysInfo_Click);
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

void AboutWindow::cmdOK_Click() {
    close();
}

void AboutWindow::cmdSysInfo_Click() {
    StartSysInfo(m_platform);
}

}  // namespace zenalto
