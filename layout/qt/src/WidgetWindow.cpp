#include "layout/WidgetWindow.h"

#include <functional>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include "layout/TableRules.h"

namespace zenalto::qt {

namespace {

// Hands the close box to the hook and lets the window close as it would
// anyway. Only the window system's close events are the user's: close()
// called by the program is not the close box.
class CloseFilter final : public QObject {
public:
    explicit CloseFilter(std::function<void()> onClose) : m_onClose(std::move(onClose)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && event->spontaneous()) {
            m_onClose();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClose;
};

}  // namespace

WidgetWindow::WidgetWindow(const layout::Window& layout) : m_layout(layout) {}

WidgetWindow::~WidgetWindow() = default;

const Controls& WidgetWindow::load(QWidget& window) {
    SetUpWindow(m_layout, window);
    auto* main = qobject_cast<QMainWindow*>(&window);
    if (main == nullptr) {
        m_controls = BuildControls(m_layout, window);
        connectEvents(window, nullptr);
    } else {
        auto* client = new QWidget(main);
        client->setObjectName(QStringLiteral("centralwidget"));
        m_controls = BuildControls(m_layout, *client);
        main->setCentralWidget(client);
        Commands menus;
        if (!m_layout.menus.empty()) {
            auto* bar = new QMenuBar(main);
            bar->setObjectName(QStringLiteral("menubar"));
            menus = BuildMenus(m_layout, *bar, *main);
            main->setMenuBar(bar);
        }
        connectEvents(window, &menus);
    }
    m_closeFilter = std::make_unique<CloseFilter>([this] { onClose(); });
    window.installEventFilter(m_closeFilter.get());
    return m_controls;
}

void WidgetWindow::connectEvents(QWidget& window, const Commands* menus) {
    // The table's entries live for the whole run: the connections keep
    // references to them.
    for (const layout::Control& control : m_layout.controls) {
        switch (layout::eventOf(control.kind)) {
            case layout::Event::Click:
                QObject::connect(&m_controls.get<QPushButton>(control.name), &QPushButton::clicked,
                                 &window, [this, &control] { onClick(control); });
                break;
            case layout::Event::ListClick:
                QObject::connect(&m_controls.get<QComboBox>(control.name), &QComboBox::activated,
                                 &window,
                                 [this, &control](int index) { onListClick(control, index); });
                break;
            case layout::Event::ScrollChange:
                QObject::connect(
                    &m_controls.get<QScrollBar>(control.name), &QScrollBar::valueChanged, &window,
                    [this, &control](int position) { onScrollChange(control, position); });
                break;
            default:
                break;
        }
    }
    if (menus == nullptr) {
        return;
    }
    for (const layout::Menu& menu : m_layout.menus) {
        for (const layout::MenuItem& item : menu.items) {
            QObject::connect(&menus->get(item.name), &QAction::triggered, &window,
                             [this, &item] { onMenu(item); });
        }
    }
}

}  // namespace zenalto::qt
