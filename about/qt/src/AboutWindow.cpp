#include "AboutWindow.h"

#include <QCloseEvent>

#include "TaskBar.h"
#include "about/SysInfoLauncher.h"
#include "resources/ApplicationIcon.h"
#include "ui_frmAbout.h"

namespace zenalto {

namespace {

// The top-left corner of the client area on the screen when the dialog opens.
constexpr QPoint ClientAreaStart{172, 176};

// A fixed dialog border with the close box only, on an ordinary top-level
// window. A dialog or tool window would be transient for the whole program on
// X11, and window managers such as metacity then keep it above the main window.
constexpr Qt::WindowFlags WindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                        Qt::MSWindowsFixedSizeDialogHint;

}  // namespace

AboutWindow::AboutWindow(Platform& platform)
    : QDialog(nullptr, WindowFlags), m_ui(std::make_unique<Ui::frmAbout>()), m_platform(platform) {
    // 8.25 points cannot be written in a .ui file; every control that names
    // only a face, or none, takes its size from here.
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);

    m_ui->setupUi(this);
    setWindowIcon(ApplicationIcon());

    // As a top-level window of its own it keeps the program running after the
    // main window has been closed.
    setAttribute(Qt::WA_DeleteOnClose);

    // For a window, setGeometry places the client area, not the frame.
    setGeometry(QRect(ClientAreaStart, size()));
    KeepOutOfTaskBar(*this);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::reject() {
    m_ui->cmdOK->click();
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
