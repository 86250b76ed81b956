#include "layout/WidgetWindow.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

#include "layout/TableRules.h"

namespace zenalto::qt {

void WidgetWindow::connectEvents(QObject& owner, const layout::Window& window,
                                 const Controls& controls, const Commands* menus) {
    // The table's entries live for the whole run: the connections keep
    // references to them.
    for (const layout::Control& control : window.controls) {
        switch (layout::eventOf(control.kind)) {
            case layout::Event::Click:
                QObject::connect(&controls.get<QPushButton>(control.name), &QPushButton::clicked,
                                 &owner, [this, &control] { onClick(control); });
                break;
            case layout::Event::ListClick:
                QObject::connect(&controls.get<QComboBox>(control.name), &QComboBox::activated,
                                 &owner,
                                 [this, &control](int index) { onListClick(control, index); });
                break;
            case layout::Event::ScrollChange:
                QObject::connect(
                    &controls.get<QScrollBar>(control.name), &QScrollBar::valueChanged, &owner,
                    [this, &control](int position) { onScrollChange(control, position); });
                break;
            default:
                break;
        }
    }
    if (menus == nullptr) {
        return;
    }
    for (const layout::Menu& menu : window.menus) {
        for (const layout::MenuItem& item : menu.items) {
            QObject::connect(&menus->get(item.name), &QAction::triggered, &owner,
                             [this, &item] { onMenu(item); });
        }
    }
}

}  // namespace zenalto::qt
