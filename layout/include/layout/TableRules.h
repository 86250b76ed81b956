#pragma once

// What every face derives alike from a window's table: which controls take
// the focus and in what order, which event each kind reports, which buttons
// Enter and Esc press, which controls the wheel moves only with the focus,
// how many entries a dropped list shows, and which names a click can come
// from. The builders read these; none works them out again.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "layout/Layout.h"

namespace zenalto::layout {

// Text boxes, combo boxes, scroll bars and push buttons take the focus; frames,
// labels, pictures and lines do not.
[[nodiscard]] constexpr bool takesFocus(Kind kind) noexcept {
    return kind == Kind::TextBox || kind == Kind::ComboBox || kind == Kind::HScrollBar ||
           kind == Kind::PushButton;
}

// What a control reports to its window's handlers, and a menu item too.
enum class Event : std::uint8_t {
    None,          // frames, labels, text boxes, pictures and lines report nothing
    Click,         // a push button was pressed
    ListClick,     // an entry of a combo box's list was chosen
    ScrollChange,  // a scroll bar moved
    Menu,          // a menu item was chosen
};

// The event a control of that kind reports; a text box's typing is read from
// it when a command runs, never reported.
[[nodiscard]] constexpr Event eventOf(Kind kind) noexcept {
    switch (kind) {
        case Kind::PushButton:
            return Event::Click;
        case Kind::ComboBox:
            return Event::ListClick;
        case Kind::HScrollBar:
            return Event::ScrollChange;
        case Kind::Frame:
        case Kind::Label:
        case Kind::TextBox:
        case Kind::Picture:
        case Kind::Line:
            break;
    }
    return Event::None;
}

// A combo box and a scroll bar move under the mouse wheel only while they
// have the focus, so that a stray turn over one never changes a value typed
// or chosen.
[[nodiscard]] constexpr bool wheelNeedsFocus(Kind kind) noexcept {
    return kind == Kind::ComboBox || kind == Kind::HScrollBar;
}

// The push button that Enter presses when no other button has the focus, or
// nullptr when the window has none.
[[nodiscard]] inline const Control* defaultButton(const Window& window) noexcept {
    for (const Control& control : window.controls) {
        if (control.kind == Kind::PushButton && control.isDefault) {
            return &control;
        }
    }
    return nullptr;
}

// The push button that Esc presses, or nullptr when the window has none.
[[nodiscard]] inline const Control* cancelButton(const Window& window) noexcept {
    for (const Control& control : window.controls) {
        if (control.kind == Kind::PushButton && control.isCancel) {
            return &control;
        }
    }
    return nullptr;
}

// The controls that take the focus, in the order Tab reaches them: by tab
// index, in table order where two share one.
[[nodiscard]] inline std::vector<const Control*> focusOrder(const Window& window) {
    std::vector<const Control*> order;
    for (const Control& control : window.controls) {
        if (takesFocus(control.kind)) {
            order.push_back(&control);
        }
    }
    // Emscripten's libc++ has no std::ranges algorithms.
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

// How many entries a combo box's dropped list shows before it scrolls: ten,
// so that the ten reference ellipsoids are all in sight at once.
inline constexpr int DroppedListRows = 10;

// Whether a click on `name` can come from the window: a push button or a menu
// item of that name (the menus' own titles only open them).
[[nodiscard]] constexpr bool isClickable(const Window& window, std::string_view name) noexcept {
    // By name, not through find(): g++ under UndefinedBehaviorSanitizer
    // will not compare a pointer to a table's entry at compile time.
    for (const Control& control : window.controls) {
        if (control.name == name) {
            return control.kind == Kind::PushButton;
        }
    }
    for (const Menu& menu : window.menus) {
        for (const MenuItem& item : menu.items) {
            if (item.name == name) {
                return true;
            }
        }
    }
    return false;
}

// A command's handler of the clicks on one push button or menu item, by the
// name the table gives it.
template <class Commands>
struct ClickHandler {
    std::string_view name;
    void (Commands::*handler)();
};

// Runs the handler of `name` among `handlers` on `commands`; a name without
// one runs nothing.
template <class Commands, class Handlers>
void RunClick(const Handlers& handlers, Commands& commands, std::string_view name) {
    for (const ClickHandler<Commands>& click : handlers) {
        if (click.name == name) {
            (commands.*click.handler)();
            return;
        }
    }
}

// Whether `handlers` (each with a `name`) hold exactly one handler for every
// push button and menu item of the window, and none for anything else. The
// faces forward a click by name: a button without a handler would do nothing,
// and a handler under a misspelt name would never run. Meant for a
// static_assert beside the handlers.
template <typename Handlers>
[[nodiscard]] constexpr bool handlesEveryClick(const Window& window,
                                               const Handlers& handlers) noexcept {
    const auto count = [&handlers](std::string_view name) {
        int found = 0;
        for (const auto& handler : handlers) {
            found += handler.name == name ? 1 : 0;
        }
        return found;
    };
    for (const Control& control : window.controls) {
        if (control.kind == Kind::PushButton && count(control.name) != 1) {
            return false;
        }
    }
    for (const Menu& menu : window.menus) {
        for (const MenuItem& item : menu.items) {
            if (count(item.name) != 1) {
                return false;
            }
        }
    }
    for (const auto& handler : handlers) {
        if (!isClickable(window, handler.name)) {
            return false;
        }
    }
    return true;
}

}  // namespace zenalto::layout
