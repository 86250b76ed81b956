#include "about/qt/frmAbout.h"

#include "AboutWindow.h"

namespace zenalto::qt {

frmAbout::frmAbout(Platform& platform) : m_platform(platform) {}

frmAbout::~frmAbout() {
    delete m_window;
}

void frmAbout::Show() {
    if (m_window == nullptr) {
        m_window = new AboutWindow(*this, m_platform);
        QObject::connect(m_window, &AboutWindow::unloaded, m_window,
                         [this] { m_window = nullptr; });
        m_window->show();
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
