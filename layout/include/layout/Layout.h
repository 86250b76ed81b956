#pragma once

// A window's layout as data: the window's own properties, its controls and
// its menus, each with its caption, place, size, font and colour. Every face
// builds its windows from these tables (Qt on Linux, the Windows API in
// Zenalto.exe, the web page), so a caption or a position is written once.
//
// Places and sizes are in twips, 1/1440 inch: 15 twips make a pixel at 96 dots
// per inch. A control's left and top are measured from the top-left corner of
// its container: the window's client area, or the frame that holds it.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zenalto::layout {

inline constexpr int TwipsPerPixel = 15;

// Pixels at 96 dots per inch; every laid-out value is a whole number of pixels.
[[nodiscard]] constexpr int pixels(int twips) noexcept {
    return twips / TwipsPerPixel;
}

// Every font of both windows has this size.
inline constexpr double FontPointSize = 8.25;

enum class Kind : std::uint8_t {
    Frame,       // a captioned group border; may hold other controls
    Label,       // opaque, word-wrapping text
    TextBox,     // single line, editable, centred; its length as the table says
    ComboBox,    // drop-down combo box: an editable text with an unsorted list
    HScrollBar,  // horizontal scroll bar, Change reported on release of the thumb
    PushButton,
    Picture,  // a picture shown at its natural size
    Line,     // a straight horizontal line: its height is its width
};

enum class Align : std::uint8_t { Left, Centre };

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour Blue{0, 0, 255};
inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour White{255, 255, 255};
inline constexpr Colour Grey{128, 128, 128};

// A face and a weight; the size is always FontPointSize. An empty face is the
// window's own font.
struct Font {
    std::u16string_view face;
    bool bold = false;
};

// A scroll bar's range, start position and steps.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    int smallChange = 1;  // an arrow click
    int largeChange = 1;  // a click in the track
};

struct Control {
    std::string_view name;  // the control's name, also its object name in tests
    Kind kind = Kind::Label;
    std::string_view container;  // empty: the window; else the name of a Frame
    int left = 0;                // twips from the container's top-left corner
    int top = 0;
    int width = 0;
    int height = 0;
    std::u16string_view caption;  // caption or start text; "&" marks an access key
    Font font;
    std::optional<Colour> colour;  // text or caption colour, a line's colour;
                                   // empty: the system colour
    Align align = Align::Left;
    int tabIndex = -1;       // the focus order among the controls that take the focus
    bool isDefault = false;  // push buttons: pressed by Enter
    bool isCancel = false;   // push buttons: pressed by Esc
    std::u16string_view accessibleName;
    std::u16string_view accessibleDescription;
    std::string_view buddy;                      // a label: the control it names for screen readers
    ScrollRange scroll;                          // scroll bars only
    std::span<const std::u16string_view> items;  // combo boxes: the list's entries
    std::string_view picture;                    // pictures: the file name in resources/images/
    // Text boxes and combo boxes' edit areas: the most characters a user can
    // type or paste into the text; 0: no limit.
    int maxLength = 0;
    // The caption's language where it is not the program's (a BCP 47 tag,
    // "en"), so that a screen reader speaks it as written.
    std::string_view language;
    // The control whose text this one writes, for screen readers.
    std::string_view controls;
};

struct MenuItem {
    std::string_view name;
    std::u16string_view caption;  // "&" marks the access key
};

struct Menu {
    std::string_view name;
    std::u16string_view caption;
    std::span<const MenuItem> items;
    std::string_view language;  // the caption's, where not the program's
};

enum class Border : std::uint8_t {
    Sizable,      // resizable, with the window menu, minimize, maximize and close boxes
    FixedDialog,  // fixed size, close box only, no task-bar button of its own
};

struct Window {
    std::string_view name;
    std::u16string_view title;
    int clientLeft = 0;  // twips: the client area's top-left corner on the screen
    int clientTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    Border border = Border::Sizable;
    Font font;  // for every control that names no face
    // In the order they are made: from the bottom of the stacking order up,
    // a frame before the controls it holds.
    std::span<const Control> controls;
    std::span<const Menu> menus;
};

// The control of that name, or nullptr.
[[nodiscard]] constexpr const Control* find(const Window& window, std::string_view name) noexcept {
    for (const Control& control : window.controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace zenalto::layout
