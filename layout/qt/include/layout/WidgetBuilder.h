#pragma once

// Qt widgets made from a window's layout table. Each kind of control becomes
// the widget that looks and behaves like it under the "Windows" style: a text
// box a centred QLineEdit of the laid-out length, the drop-down combo box an
// editable QComboBox that never completes or picks what is typed, the scroll
// bar a QScrollBar that reports a dragged thumb on release, a frame a
// zenalto::Frame with its caption colour, a label an opaque word-wrapping
// QLabel, a picture a QLabel showing the program's picture at its natural
// size, a line a filled QFrame. Places are the table's twips in pixels; a
// control that names a face gets that face at the window's size.

#include <string_view>
#include <utility>
#include <vector>

#include <QRect>
#include <QWidget>
#include <Qt>

#include "layout/Layout.h"

class QAction;
class QMenuBar;
class QPushButton;

namespace zenalto::qt {

using layout::Border;
using layout::Window;

// The window's place on the screen at start: its client area, in pixels.
[[nodiscard]] QRect ClientArea(const Window& window);

// Qt's window flags for the border.
[[nodiscard]] Qt::WindowFlags WindowFlagsOf(Border border);

// Gives the top-level `widget` the window's name, title and font (the face at
// 8.25 points, which every control that names only a face inherits the size
// of); a window with a fixed border also gets its client size, fixed.
void SetUpWindow(const Window& window, QWidget& widget);

// The widgets made for a window's controls, by name.
class Controls {
public:
    // The control of that name and kind; throws std::logic_error when the
    // table has no such control, as the window could not work without it.
    template <typename T>
    [[nodiscard]] T& get(std::string_view name) const {
        T* found = qobject_cast<T*>(widget(name));
        if (found == nullptr) {
            throwMissing(name);
        }
        return *found;
    }

    // The push button that Esc presses, or nullptr.
    [[nodiscard]] QPushButton* cancelButton() const { return m_cancel; }

private:
    friend Controls BuildControls(const Window& window, QWidget& client);

    [[nodiscard]] QWidget* widget(std::string_view name) const;
    [[noreturn]] static void throwMissing(std::string_view name);

    std::vector<std::pair<std::string_view, QWidget*>> m_widgets;
    QPushButton* m_cancel = nullptr;
};

// Makes every control of the table as a child of `client` (the window itself,
// or its central widget), or of the frame that holds it, in the table's order
// (so from the bottom of the stacking order up), then sets the labels'
// buddies, the tab order by tab index and the default button.
Controls BuildControls(const Window& window, QWidget& client);

// The menu commands made for a window's menus, by item name.
class Commands {
public:
    // The item of that name; throws std::logic_error when there is none.
    [[nodiscard]] QAction& get(std::string_view name) const;

private:
    friend Commands BuildMenus(const Window& window, QMenuBar& bar, QWidget& owner);

    std::vector<std::pair<std::string_view, QAction*>> m_actions;
};

// Fills the menu bar with the window's menus and their items; the items'
// actions belong to `owner`.
Commands BuildMenus(const Window& window, QMenuBar& bar, QWidget& owner);

}  // namespace zenalto::qt
