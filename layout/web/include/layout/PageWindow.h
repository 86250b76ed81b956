#pragma once

// A window of the page as the program's C++ sees it: the elements that
// PageWriter wrote from the window's layout table, which controls.js drives.
// A face derives from it, reads and writes its fields by control name and
// takes the window's events through the hooks of layout::WindowEvents, as the
// Win32 face does with LayoutWindow. The page's DOM holds the state: a window
// is loaded while its element is in the page.

#include <string>
#include <string_view>

#include "layout/Layout.h"
#include "layout/WindowEvents.h"

namespace zenalto::web {

class PageWindow : public layout::WindowEvents {
public:
    explicit PageWindow(const layout::Window& layout);
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;
    PageWindow(PageWindow&&) = delete;
    PageWindow& operator=(PageWindow&&) = delete;
    ~PageWindow() override;

    // Loads the window from its layout when it is not in the page, with the
    // focus on its first control in the tab order; brings it to the front
    // otherwise.
    void show();
    // Takes the window out of the page; nothing happens when it is not there.
    void unload();

    // The text of a text box or of a list's edit area, by control name.
    [[nodiscard]] std::u16string text(std::string_view name) const;
    void setText(std::string_view name, std::u16string_view text);
    // Selects a list's entry (-1: none) without reporting it as chosen.
    void setListIndex(std::string_view name, int index);
    // Has a screen reader say `text` politely, whatever has the focus, without
    // moving it: the page's live region (role="status") takes the text.
    void announce(std::u16string_view text);

    [[nodiscard]] const layout::Window& layout() const noexcept { return m_layout; }

    // An event from the page: what happened (one of EventKind), to which
    // control or menu item (its index in the table, menu items counted
    // through all menus; none for the close box), and the list index or
    // scroll position. Which hook a control's event goes to is the table's
    // rule for its kind (layout::eventOf), as on every face.
    void dispatch(int kind, int index, int value);

    // Tells the page that the program has started: it answers from now on.
    static void programStarted();

protected:
    // The close box takes the window out of the page unless overridden (the
    // main window's stays: the page keeps it).
    void onClose() override { unload(); }

private:
    const layout::Window& m_layout;
    int m_slot = -1;
};

// What the page's script reports: a control pressed, chosen from or moved
// (the control's kind says which), a menu item, or the close box.
enum class EventKind { Control = 0, Menu = 1, Close = 2 };

}  // namespace zenalto::web
