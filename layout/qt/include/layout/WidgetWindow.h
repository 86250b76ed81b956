#pragma once

// What a Qt window made from a layout table reports, as every face's window
// class does: a push button's click, a choice from a list, the scroll bar's
// change and a menu item, each with its entry in the table. A window built
// with BuildControls and BuildMenus hands them to connectEvents() once; a
// window class overrides the hooks it handles (Form1Events forwards all four
// to the main window's commands).

#include <QObject>

#include "layout/Layout.h"
#include "layout/WidgetBuilder.h"

namespace zenalto::qt {

class WidgetWindow {
public:
    WidgetWindow() = default;
    WidgetWindow(const WidgetWindow&) = delete;
    WidgetWindow& operator=(const WidgetWindow&) = delete;
    WidgetWindow(WidgetWindow&&) = delete;
    WidgetWindow& operator=(WidgetWindow&&) = delete;
    virtual ~WidgetWindow() = default;

protected:
    // A push button was clicked.
    virtual void onClick(const layout::Control& /*control*/) {}
    // The entry at `index` was chosen from a list.
    virtual void onListClick(const layout::Control& /*control*/, int /*index*/) {}
    // The scroll bar stands at `position`: at once after an arrow or track
    // click, on the release of a dragged thumb.
    virtual void onScrollChange(const layout::Control& /*control*/, int /*position*/) {}
    // A menu item was chosen.
    virtual void onMenu(const layout::MenuItem& /*item*/) {}

    // Connects the push buttons, lists and scroll bars of `window`, made into
    // `controls`, and the items of its menus, made into `menus` (nullptr for a
    // window without), to the hooks; the connections end with `owner`.
    void connectEvents(QObject& owner, const layout::Window& window, const Controls& controls,
                       const Commands* menus);
};

}  // namespace zenalto::qt
