#include "layout/PageWriter.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

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

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + EscapeHtml(value) + "\"";
}

// The id of a control's element: its name, or, in a dialog, the dialog's name
// and its own where the page's main window has a control of that name too.
std::string ElementId(const Window& window, const Control& control, const Window* beside) {
    if (beside != nullptr && window.border != layout::Border::Sizable &&
        layout::find(*beside, control.name) != nullptr) {
        return std::string(window.name) + "-" + std::string(control.name);
    }
    return std::string(control.name);
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

std::string FocusOrder(const Window& window, const Window* beside) {
    std::string ids;
    for (const Control* control : layout::focusOrder(window)) {
        ids += (ids.empty() ? "" : " ") + ElementId(window, *control, beside);
    }
    return ids;
}

// The accessible name and description that the desktop faces give too.
std::string Accessible(const std::string& id, const Control& control) {
    std::string markup;
    if (!control.accessibleName.empty()) {
        markup += Attribute("aria-label", Utf8(control.accessibleName));
    }
    if (!control.accessibleDescription.empty()) {
        markup += Attribute("aria-describedby", id + "-description");
    }
    return markup;
}

std::string Description(const std::string& id, const Control& control) {
    if (control.accessibleDescription.empty()) {
        return {};
    }
    return "<span id=\"" + id + "-description\" hidden>" +
           EscapeHtml(Utf8(control.accessibleDescription)) + "</span>";
}

// A dialog's labels, in the order of their tab indexes (the order the table
// gives for reading them), as the ids of its description.
std::string DescribedBy(const Window& window, const Window* beside) {
    std::vector<const Control*> labels;
    for (const Control& control : window.controls) {
        if (control.kind == Kind::Label && !control.caption.empty()) {
            labels.push_back(&control);
        }
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    std::string ids;
    for (const Control* label : labels) {
        ids += (ids.empty() ? "" : " ") + ElementId(window, *label, beside);
    }
    return ids.empty() ? "" : Attribute("aria-describedby", ids);
}

std::string Language(std::string_view language) {
    return language.empty() ? "" : Attribute("lang", language);
}

std::string ControlMarkup(const Window& window, std::size_t index, const Window* beside);

// A container's controls in table order, but those that take the focus in
// their tab order, each in the place of one of them: a reader that reads the
// window through meets them in the order Tab reaches them.
std::string Children(const Window& window, std::string_view container, const Window* beside) {
    std::vector<std::size_t> focus;
    for (const Control* control : layout::focusOrder(window)) {
        if (control->container == container) {
            focus.push_back(static_cast<std::size_t>(control - window.controls.data()));
        }
    }
    std::string markup;
    std::size_t next = 0;
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        if (window.controls[i].container == container) {
            markup += ControlMarkup(
                window, layout::takesFocus(window.controls[i].kind) ? focus[next++] : i, beside);
        }
    }
    return markup;
}

// The page's main window opens with the focus on its first control in the
// tab order, before any script has run.
bool Autofocus(const Window& window, const Control& control) {
    if (window.border != layout::Border::Sizable) {
        return false;
    }
    const std::vector<const Control*> order = layout::focusOrder(window);
    return !order.empty() && order.front() == &control;
}

// A field's length limit, counted in UTF-16 code units as on the other faces.
std::string MaxLength(const Control& control) {
    return control.maxLength > 0 ? Attribute("maxlength", std::to_string(control.maxLength)) : "";
}

// What every control's element carries, and what its maker needs to know.
struct Element {
    const Window& window;
    const Control& control;
    const Window* beside;
    std::string id;
    std::string common;  // the id, the index in the table, autofocus
};

std::string FrameMarkup(const Element& e) {
    if (e.control.caption.empty()) {
        // A plain border; it holds nothing that a reader needs named.
        return "<div" + e.common + " class=\"frame\">" +
               Children(e.window, e.control.name, e.beside) + "</div>";
    }
    // Drawn as a fieldset, its caption in the border, but no group to a
    // reader: the fields it holds are named with their quantity and unit,
    // and a group would have a reader say "leaving" it at every move between
    // the fields, which Tab takes from one frame to the other and back. The
    // caption is read as text where it stands.
    return "<fieldset" + e.common + " class=\"frame\" role=\"none\"><legend" +
           Language(e.control.language) + ">" + CaptionMarkup(e.control.caption) + "</legend>" +
           Children(e.window, e.control.name, e.beside) + "</fieldset>";
}

std::string LabelMarkup(const Element& e) {
    return "<div" + e.common + " class=\"label\"" + Language(e.control.language) + ">" +
           CaptionMarkup(e.control.caption) + "</div>";
}

std::string TextBoxMarkup(const Element& e) {
    // Every text box of the program holds a number: a phone shows its keys
    // for digits and the decimal separator (and a minus where that keyboard
    // has one), and Enter, which runs nothing here, only puts the keyboard
    // away.
    return "<input" + e.common +
           " class=\"textbox\" type=\"text\" spellcheck=\"false\" autocomplete=\"off\" "
           "autocapitalize=\"off\" inputmode=\"decimal\" enterkeyhint=\"done\"" +
           Attribute("value", Utf8(e.control.caption)) + MaxLength(e.control) +
           Accessible(e.id, e.control) + ">" + Description(e.id, e.control);
}

std::string ComboBoxMarkup(const Element& e) {
    const Control& control = e.control;
    const std::string& id = e.id;
    std::string options;
    for (std::size_t i = 0; i < control.items.size(); ++i) {
        options += "<li role=\"option\" aria-selected=\"false\"" +
                   Attribute("id", id + "-" + std::to_string(i)) + ">" +
                   EscapeHtml(Utf8(control.items[i])) + "</li>";
    }
    return "<div" + Attribute("id", id + "-box") + " class=\"combo\"><input" + e.common +
           " class=\"textbox\" type=\"text\" role=\"combobox\" aria-expanded=\"false\" "
           "aria-autocomplete=\"none\" spellcheck=\"false\" autocomplete=\"off\" "
           "autocapitalize=\"off\"" +
           Attribute("aria-controls", id + "-list") + Attribute("value", Utf8(control.caption)) +
           MaxLength(control) + Accessible(id, control) + ">" + "<div" +
           Attribute("id", id + "-button") + " class=\"drop\" aria-hidden=\"true\"></div><ul" +
           Attribute("id", id + "-list") + " class=\"list\" role=\"listbox\" tabindex=\"-1\"" +
           Attribute("aria-label", Utf8(control.accessibleName)) + " hidden>" + options + "</ul>" +
           Description(id, control) + "</div>";
}

// An element that HTML would not let take the focus takes it where the table
// says its kind does; the others are focusable by what they are, or not.
std::string TabIndex(const Control& control) {
    return layout::takesFocus(control.kind) ? " tabindex=\"0\"" : "";
}

std::string ScrollBarMarkup(const Element& e) {
    const Control& control = e.control;
    const layout::ScrollRange& range = control.scroll;
    return "<div" + e.common + " class=\"hscroll\" role=\"scrollbar\"" + TabIndex(control) +
           " aria-orientation=\"horizontal\"" +
           (control.controls.empty() ? "" : Attribute("aria-controls", control.controls)) +
           Attribute("aria-valuemin", std::to_string(range.minimum)) +
           Attribute("aria-valuemax", std::to_string(range.maximum)) +
           Attribute("aria-valuenow", std::to_string(range.value)) +
           Attribute("data-small", std::to_string(range.smallChange)) +
           Attribute("data-large", std::to_string(range.largeChange)) + Accessible(e.id, control) +
           "><div" + Attribute("id", e.id + "-left") +
           " class=\"arrow left\"></div><div class=\"track\"><div "
           "class=\"thumb\"></div></div><div" +
           Attribute("id", e.id + "-right") + " class=\"arrow right\"></div></div>" +
           Description(e.id, control);
}

std::string PushButtonMarkup(const Element& e) {
    const Control& control = e.control;
    // Enter and Esc press these (controls.js).
    std::string roles;
    if (&control == layout::defaultButton(e.window)) {
        roles += " data-default";
    }
    if (&control == layout::cancelButton(e.window)) {
        roles += " data-cancel";
    }
    if (const char16_t key = AccessKey(control.caption); key != 0) {
        const std::string letter = Utf8(std::u16string_view(&key, 1));
        std::string upper = letter;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
            return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        });
        roles +=
            Attribute("data-accesskey", letter) + Attribute("aria-keyshortcuts", "Alt+" + upper);
    }
    return "<button" + e.common + " class=\"button\" type=\"button\"" + roles +
           Language(control.language) + Accessible(e.id, control) + ">" +
           CaptionMarkup(control.caption) + "</button>";
}

std::string PictureMarkup(const Element& e) {
    const Control& control = e.control;
    return "<img" + e.common + Attribute("src", control.picture) +
           Attribute("alt", Utf8(control.accessibleName)) +
           Attribute("width", std::to_string(layout::pixels(control.width))) +
           Attribute("height", std::to_string(layout::pixels(control.height))) + ">";
}

std::string LineMarkup(const Element& e) {
    return "<div" + e.common + " class=\"line\" aria-hidden=\"true\"></div>";
}

std::string ControlMarkup(const Window& window, std::size_t index, const Window* beside) {
    const Control& control = window.controls[index];
    std::string id = ElementId(window, control, beside);
    std::string common = Attribute("id", id) + Attribute("data-index", std::to_string(index)) +
                         (Autofocus(window, control) ? " autofocus" : "");
    const Element element{window, control, beside, std::move(id), std::move(common)};
    switch (control.kind) {
        case Kind::Frame:
            return FrameMarkup(element);
        case Kind::Label:
            return LabelMarkup(element);
        case Kind::TextBox:
            return TextBoxMarkup(element);
        case Kind::ComboBox:
            return ComboBoxMarkup(element);
        case Kind::HScrollBar:
            return ScrollBarMarkup(element);
        case Kind::PushButton:
            return PushButtonMarkup(element);
        case Kind::Picture:
            return PictureMarkup(element);
        case Kind::Line:
            return LineMarkup(element);
    }
    return {};
}

std::string MenuBar(const Window& window) {
    std::string markup =
        "<div id=\"" + std::string(window.name) + "-menubar\" class=\"menubar\" role=\"menubar\">";
    int index = 0;
    for (const layout::Menu& menu : window.menus) {
        const std::string name(menu.name);
        markup += "<div class=\"menu\"><div" + Attribute("id", name) +
                  " class=\"title\" role=\"menuitem\" tabindex=\"-1\" aria-haspopup=\"menu\" "
                  "aria-expanded=\"false\"" +
                  Attribute("aria-controls", name + "-menu") +
                  Attribute("data-accesskey", Utf8(std::u16string(1, AccessKey(menu.caption)))) +
                  Language(menu.language) + ">" + CaptionMarkup(menu.caption) + "</div><div" +
                  Attribute("id", name + "-menu") + " class=\"popup\" role=\"menu\"" +
                  Attribute("aria-labelledby", name) + " hidden>";
        for (const layout::MenuItem& item : menu.items) {
            markup +=
                "<div" + Attribute("id", item.name) +
                " class=\"item\" role=\"menuitem\" tabindex=\"-1\"" +
                Attribute("data-index", std::to_string(index++)) +
                Attribute("data-accesskey", Utf8(std::u16string(1, AccessKey(item.caption)))) +
                ">" + CaptionMarkup(item.caption) + "</div>";
        }
        markup += "</div></div>";
    }
    return markup + "</div>";
}

void AddCharacters(std::u16string& characters, std::u16string_view text) {
    for (const char16_t c : text) {
        if (c != u'&' && characters.find(c) == std::u16string::npos) {
            characters += c;
        }
    }
}

}  // namespace

std::string Utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10U) + (text[++i] - 0xDC00U);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6U));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12U));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18U));
            out += static_cast<char>(0x80 | ((code >> 12U) & 0x3FU));
            out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (code & 0x3FU));
        }
    }
    return out;
}

std::string EscapeHtml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

std::string CaptionMarkup(std::u16string_view caption) {
    std::string markup;
    std::u16string run;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&') {
                markup +=
                    EscapeHtml(Utf8(run)) + "<u>" + EscapeHtml(Utf8(caption.substr(i, 1))) + "</u>";
                run.clear();
                continue;
            }
        }
        run += caption[i];
    }
    return markup + EscapeHtml(Utf8(run));
}

char16_t AccessKey(std::u16string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            const char16_t key = caption[i + 1];
            if (key != u'&') {
                return key >= u'A' && key <= u'Z' ? static_cast<char16_t>(key - u'A' + u'a') : key;
            }
            ++i;
        }
    }
    return 0;
}

std::string WindowMarkup(const Window& window, const Window* beside) {
    const std::string name(window.name);
    const std::string place =
        Attribute("data-left", std::to_string(layout::pixels(window.clientLeft))) +
        Attribute("data-top", std::to_string(layout::pixels(window.clientTop))) +
        Attribute("data-focus-order", FocusOrder(window, beside));
    const std::string client = "<div id=\"" + name + "-client\" class=\"client\">" +
                               Children(window, "", beside) + "</div>";
    if (window.border == layout::Border::Sizable) {
        // The browser's title bar shows the title; the page's structure has
        // it as its heading, drawn nowhere.
        // The status line is where the program's announcements go, drawn
        // nowhere: a live region that a reader must have seen empty before
        // its first text, so it is in the page from the start. The page's
        // main landmark is around all its windows (MakePage.cpp), not this
        // one: a reader coming back from a dialog would say it entered it.
        return "<div" + Attribute("id", name) + " class=\"window main\"" + place + "><h1" +
               Attribute("id", name + "-heading") + " class=\"heading\">" +
               EscapeHtml(Utf8(window.title)) + "</h1>" + MenuBar(window) + client + "<div" +
               Attribute("id", name + "-status") + " class=\"status\" role=\"status\"></div></div>";
    }
    // The close box runs no command: Esc and "OK" are its keyboard and its
    // name for readers, so it is hidden from them and from Tab. The dialog's
    // texts are its description, so that a reader says them as it opens
    // (the focus lands on a button, which says only its own caption).
    return "<div" + Attribute("id", name) + " class=\"window dialog\" role=\"dialog\"" +
           Attribute("aria-labelledby", name + "-title") + DescribedBy(window, beside) + place +
           "><div" + Attribute("id", name + "-title") +
           " class=\"titlebar\"><span class=\"caption\">" + EscapeHtml(Utf8(window.title)) +
           "</span><div" + Attribute("id", name + "-close") +
           " class=\"closebox\" aria-hidden=\"true\"><svg width=\"8\" height=\"7\" viewBox=\"0 "
           "0 8 7\"><path d=\"M0 0h2l2 2 2-2h2L5 3.5 8 7H6L4 5 2 7H0l3-3.5z\"/></svg></div></div>" +
           client + "</div>";
}

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
