#pragma once

// The web face's windows as HTML and CSS, written from the layout tables when
// the program is built, so that the page is drawn before its WebAssembly has
// loaded. Every control becomes the element a browser draws and makes
// accessible by itself (an <input> for a text box, a <button> for a push
// button, a <fieldset> for a captioned frame), with the control's name as its
// id; places, sizes, fonts and colours go into the style sheet, as pixels at
// 96 dots per inch (CSS pixels on a desktop) times the page's scale.
// controls.js gives the elements the desktop behaviour that HTML lacks
// (menus, the drop-down list, the scroll bar, Tab order, Enter and Esc) and
// forwards their events to the program.

#include <string>
#include <string_view>

#include "layout/Layout.h"

namespace zenalto::web {

// The height of a window's menu bar in CSS pixels, as classic.css draws it.
inline constexpr int MenuBarHeight = 17;

// UTF-8 of a UTF-16 text; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string Utf8(std::u16string_view text);

// The text with &, <, > and " written as character references.
[[nodiscard]] std::string EscapeHtml(std::string_view utf8);

// A caption's markup: "&" marks the access key, shown underlined; "&&" is an
// ampersand.
[[nodiscard]] std::string CaptionMarkup(std::u16string_view caption);

// The letter after "&" in lower case, or 0.
[[nodiscard]] char16_t AccessKey(std::u16string_view caption);

// A window's markup. A sizable window is the page's main window, its menu bar
// above its client area; a fixed dialog is a movable window in the page with
// a title bar and a close box. Ids are the controls' names; a dialog's control
// whose name the page's other window, `beside`, uses too has the dialog's name
// and a hyphen before its own.
[[nodiscard]] std::string WindowMarkup(const layout::Window& window,
                                       const layout::Window* beside = nullptr);

// The rules that place, size and colour the window's controls and give them
// their fonts.
[[nodiscard]] std::string WindowStyle(const layout::Window& window,
                                      const layout::Window* beside = nullptr);

// The page's scale on a device whose pointer is a finger (a phone, a
// tablet): the main window, its menu bar included, as large as the screen
// shows it whole with the browser's bars shown, however the screen is
// turned. A scale rather than the viewport's zoom, so that text is as large
// in CSS pixels as it is on the screen; the page's viewport is the screen's
// width. A screen narrower than the window (a phone upright) gets the
// desktop's size, and the browser zooms the page out to show its width; a
// screen lower than the window (a phone on its side, its bars shown) a
// smaller scale, as the browser zooms nothing out for the height.
// Elsewhere the page keeps the desktop's pixels, and the browser's zoom its
// own.
[[nodiscard]] std::string ScreenFitStyle(const layout::Window& main);

// The characters a window draws in bold, and in regular weight: its
// captions, titles and list entries.
[[nodiscard]] std::u16string DrawnCharacters(const layout::Window& window, bool bold);

}  // namespace zenalto::web
