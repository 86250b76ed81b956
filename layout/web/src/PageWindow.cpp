#include "layout/PageWindow.h"

#include <emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layout/TableRules.h"

// The calls into controls.js. Names travel as NUL-terminated ASCII, texts as
// UTF-16 code units through the web platform's ZenaltoUtf16 (utf16.js), so
// that any text a field can hold (unpaired surrogates included) comes back
// unchanged.

// clang-format off
EM_JS(void, zenalto_bind, (int slot, const char* name), {
    Zenalto.bind(slot, UTF8ToString(name));
});
EM_JS(void, zenalto_show, (const char* name), {
    Zenalto.show(UTF8ToString(name));
});
EM_JS(void, zenalto_unload, (const char* name), {
    Zenalto.unload(UTF8ToString(name));
});
// A field's text is taken from the page once: its length first, for the
// program to make room, then its code units.
EM_JS(int, zenalto_take_text, (const char* window, const char* name), {
    Zenalto.taken = Zenalto.text(UTF8ToString(window), UTF8ToString(name));
    return Zenalto.taken.length;
});
EM_JS(void, zenalto_read_text, (char16_t* buffer, int length), {
    var text = Zenalto.taken;
    Zenalto.taken = "";
    ZenaltoUtf16.write(text, buffer, length);
});
EM_JS(void, zenalto_set_text, (const char* window, const char* name, const char16_t* text, int length), {
    Zenalto.setText(UTF8ToString(window), UTF8ToString(name), ZenaltoUtf16.read(text, length));
});
EM_JS(void, zenalto_set_list_index, (const char* window, const char* name, int index), {
    Zenalto.setListIndex(UTF8ToString(window), UTF8ToString(name), index);
});
EM_JS(void, zenalto_announce, (const char* window, const char16_t* text, int length), {
    Zenalto.announce(UTF8ToString(window), ZenaltoUtf16.read(text, length));
});
EM_JS(void, zenalto_started, (), {
    Zenalto.start();
});
// clang-format on

namespace zenalto::web {

namespace {

std::vector<PageWindow*>& windows() {
    static std::vector<PageWindow*> all;
    return all;
}

std::string nameOf(std::string_view name) {
    return std::string(name);
}

}  // namespace

PageWindow::PageWindow(const layout::Window& layout) : m_layout(layout) {
    auto& all = windows();
    const auto free = std::find(all.begin(), all.end(), nullptr);
    if (free != all.end()) {
        *free = this;
        m_slot = static_cast<int>(free - all.begin());
    } else {
        m_slot = static_cast<int>(all.size());
        all.push_back(this);
    }
    zenalto_bind(m_slot, nameOf(m_layout.name).c_str());
}

PageWindow::~PageWindow() {
    windows()[static_cast<std::size_t>(m_slot)] = nullptr;
}

void PageWindow::show() {
    zenalto_show(nameOf(m_layout.name).c_str());
}

void PageWindow::unload() {
    zenalto_unload(nameOf(m_layout.name).c_str());
}

std::u16string PageWindow::text(std::string_view name) const {
    const std::string window = nameOf(m_layout.name);
    const std::string control = nameOf(name);
    const int length = zenalto_take_text(window.c_str(), control.c_str());
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)), u'\0');
    zenalto_read_text(text.data(), static_cast<int>(text.size()));
    return text;
}

void PageWindow::setText(std::string_view name, std::u16string_view text) {
    zenalto_set_text(nameOf(m_layout.name).c_str(), nameOf(name).c_str(), text.data(),
                     static_cast<int>(text.size()));
}

void PageWindow::setListIndex(std::string_view name, int index) {
    zenalto_set_list_index(nameOf(m_layout.name).c_str(), nameOf(name).c_str(), index);
}

void PageWindow::announce(std::u16string_view text) {
    zenalto_announce(nameOf(m_layout.name).c_str(), text.data(), static_cast<int>(text.size()));
}

void PageWindow::dispatch(int kind, int index, int value) {
    if (static_cast<EventKind>(kind) == EventKind::Close) {
        onClose();
        return;
    }
    if (index < 0) {
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    switch (static_cast<EventKind>(kind)) {
        case EventKind::Control:
            if (at < m_layout.controls.size()) {
                const layout::Control& control = m_layout.controls[at];
                switch (layout::eventOf(control.kind)) {
                    case layout::Event::Click:
                        onClick(control);
                        break;
                    case layout::Event::ListClick:
                        onListClick(control, value);
                        break;
                    case layout::Event::ScrollChange:
                        onScrollChange(control, value);
                        break;
                    case layout::Event::None:
                    case layout::Event::Menu:
                        break;
                }
            }
            break;
        case EventKind::Menu: {
            std::size_t item = at;
            for (const layout::Menu& menu : m_layout.menus) {
                if (item < menu.items.size()) {
                    onMenu(menu.items[item]);
                    return;
                }
                item -= menu.items.size();
            }
            break;
        }
        case EventKind::Close:  // names no control: handled above
            break;
    }
}

void PageWindow::programStarted() {
    zenalto_started();
}

}  // namespace zenalto::web

// Every event of the page's windows comes in here, from controls.js.
extern "C" EMSCRIPTEN_KEEPALIVE void zenalto_event(int slot, int kind, int index, int value) {
    auto& all = zenalto::web::windows();
    if (slot >= 0 && static_cast<std::size_t>(slot) < all.size() &&
        all[static_cast<std::size_t>(slot)] != nullptr) {
        all[static_cast<std::size_t>(slot)]->dispatch(kind, index, value);
    }
}
