#pragma once

// What a window made from a layout table reports, on every face alike: a push
// button's click, a choice from a list, the scroll bar's change, a menu item
// and the close box, each with its entry in the table. A face's window class
// (WidgetWindow on Qt, LayoutWindow on Win32, PageWindow on the page) derives
// from this and calls the hooks; a window of the program overrides the ones
// it handles, and Form1Events and frmAboutEvents hand them to the commands.

#include "layout/Layout.h"

namespace zenalto::layout {

class WindowEvents {
public:
    WindowEvents() = default;
    WindowEvents(const WindowEvents&) = delete;
    WindowEvents& operator=(const WindowEvents&) = delete;
    WindowEvents(WindowEvents&&) = delete;
    WindowEvents& operator=(WindowEvents&&) = delete;
    virtual ~WindowEvents() = default;

protected:
    // A push button was pressed: clicked, Space, Enter as the default button,
    // Esc as the cancel button, or its access key.
    virtual void onClick(const Control& /*control*/) {}
    // The entry at `index` was chosen from a list (-1: none).
    virtual void onListClick(const Control& /*control*/, int /*index*/) {}
    // The scroll bar stands at `position`: at once after an arrow or track
    // click or a key, on the release of a dragged thumb.
    virtual void onScrollChange(const Control& /*control*/, int /*position*/) {}
    // A menu item was chosen.
    virtual void onMenu(const MenuItem& /*item*/) {}
    // The window is being closed by its close box (or Alt+F4). What else
    // happens is the face's own: each window class says what its default is.
    virtual void onClose() {}
};

}  // namespace zenalto::layout
