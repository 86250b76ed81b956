// The texts of the page's markup: UTF-8 from the tables' UTF-16, escaped,
// captions with their access keys, attributes and the elements' ids.

#include "HtmlText.h"

#include <cstdint>

#include "layout/PageWriter.h"

namespace zenalto::web {

using layout::Control;
using layout::Window;

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + EscapeHtml(value) + "\"";
}

std::string ElementId(const Window& window, const Control& control, const Window* beside) {
    if (beside != nullptr && window.border != layout::Border::Sizable &&
        layout::find(*beside, control.name) != nullptr) {
        return std::string(window.name) + "-" + std::string(control.name);
    }
    return std::string(control.name);
}

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

}  // namespace zenalto::web
