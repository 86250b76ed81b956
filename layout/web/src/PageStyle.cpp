// The style sheet of a window's controls, from the table: their places,
// sizes, fonts and colours in the desktop's pixels times the page's scale;
// the scale on a phone; and the characters the page's fonts must hold.

#include "HtmlText.h"
#include "layout/PageWriter.h"
#include "layout/TableRules.h"

namespace zenalto::web {

namespace {

using layout::Control;
using layout::Kind;
using layout::Window;

// A length in the desktop's pixels, times the page's scale (classic.css).
std::string Px(int twips) {
    return "calc(" + std::to_string(layout::pixels(twips)) + "*var(--u))";
}

// A place in the desktop's pixels, times the page's scale: a field on a
// phone draws itself at a scale of its own (classic.css), but stands where
// the window's scale puts it.
std::string PlacePx(int twips) {
    return "calc(" + std::to_string(layout::pixels(twips)) + "*var(--page-u))";
}

// The faces were laid out at 8.25 points. Where the browser's system has the
// face it is drawn in it; elsewhere in the page's own subset of Liberation
// Sans (renamed, as its licence asks of a modified font), whose advance widths
// are Arial's and close to the other two faces', so that captions break where
// they were laid out to break.
std::string FontFamily(std::u16string_view face) {
    return "font-family:\"" + Utf8(face) + "\",\"Zenalto Sans\",sans-serif;";
}

std::string Colour(layout::Colour colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

void AddCharacters(std::u16string& characters, std::u16string_view text) {
    for (const char16_t c : text) {
        if (c != u'&' && characters.find(c) == std::u16string::npos) {
            characters += c;
        }
    }
}

}  // namespace

std::string WindowStyle(const Window& window, const Window* beside) {
    const std::string name(window.name);
    std::string css = "#" + name + "-client{width:" + Px(window.clientWidth) +
                      ";height:" + Px(window.clientHeight) + ";" + FontFamily(window.font.face) +
                      (window.font.bold ? "font-weight:bold;" : "") + "}\n";
    for (const Control& control : window.controls) {
        std::string id = ElementId(window, control, beside);
        if (control.kind == Kind::ComboBox) {
            id += "-box";
        }
        std::string rule = "left:" + PlacePx(control.left) + ";top:" + PlacePx(control.top) +
                           ";width:" + Px(control.width) + ";height:" + Px(control.height) + ";";
        if (!control.font.face.empty()) {
            rule += FontFamily(control.font.face);
        }
        if (control.font.bold) {
            rule += "font-weight:bold;";
        }
        if (control.align == layout::Align::Centre) {
            rule += "text-align:center;";
        }
        if (control.kind == Kind::ComboBox) {
            // The style sheet sizes the dropped list from its rows.
            rule += "--rows:" + std::to_string(layout::DroppedListRows) + ";";
        }
        css.append("#").append(id).append("{").append(rule).append("}\n");
        // A frame's colour is its caption's; a line's is what it draws.
        if (control.colour) {
            const std::string colour = Colour(*control.colour);
            if (control.kind == Kind::Frame) {
                css.append("#").append(id).append(">legend{color:").append(colour).append("}\n");
            } else {
                css.append("#")
                    .append(id)
                    .append("{")
                    .append(control.kind == Kind::Line ? "background:" : "color:")
                    .append(colour)
                    .append("}\n");
            }
        }
    }
    return css;
}

std::string ScreenFitStyle(const Window& main) {
    const std::string width = std::to_string(layout::pixels(main.clientWidth));
    const std::string height = std::to_string(layout::pixels(main.clientHeight) +
                                              (main.menus.empty() ? 0 : MenuBarHeight));
    // The height with the browser's bars shown (svh), where the engine knows
    // it; an older one (Safari before 15.4) takes the height without them.
    // Never below the desktop's size for the width, where the browser zooms
    // the page out instead; below it for the height, where it does not.
    const auto scale = [&](const char* unit) {
        return ":root{--u:min(max(1px,100vw / " + width + "),100" + unit + " / " + height + ")}";
    };
    return "@media (hover:none) and (pointer:coarse){" + scale("vh") +
           "@supports (height:100svh){" + scale("svh") + "}}\n";
}

std::u16string DrawnCharacters(const Window& window, bool bold) {
    std::u16string characters;
    if (window.font.bold == bold) {
        AddCharacters(characters, window.title);
        for (const layout::Menu& menu : window.menus) {
            AddCharacters(characters, menu.caption);
            for (const layout::MenuItem& item : menu.items) {
                AddCharacters(characters, item.caption);
            }
        }
    }
    for (const Control& control : window.controls) {
        const bool drawnBold = control.font.bold || (control.font.face.empty() && window.font.bold);
        if (drawnBold == bold) {
            AddCharacters(characters, control.caption);
            for (const std::u16string_view item : control.items) {
                AddCharacters(characters, item);
            }
        }
    }
    return characters;
}

}  // namespace zenalto::web
