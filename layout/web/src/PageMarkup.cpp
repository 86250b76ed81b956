// A window's markup: each control as the element a browser draws and makes
// accessible by itself, in the order Tab reaches them, the menu bar, and the
// window around them.

#include <algorithm>
#include <utility>
#include <vector>

#include "HtmlText.h"
#include "layout/PageWriter.h"
#include "layout/TableRules.h"

namespace zenalto::web {

namespace {

using layout::Control;
using layout::Kind;
using layout::Window;

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

// Which controls the wheel moves only while they have the focus: the
// scripts read it from here rather than knowing the kinds themselves.
std::string WheelRule(const Control& control) {
    return layout::wheelNeedsFocus(control.kind) ? " data-wheel=\"focus\"" : "";
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
           MaxLength(control) + WheelRule(control) + Accessible(id, control) + ">" + "<div" +
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
           WheelRule(control) + " aria-orientation=\"horizontal\"" +
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

}  // namespace

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

}  // namespace zenalto::web
