#pragma once

// A window procedure of ours in front of a window's own: it answers some
// messages of the window, passes the others on, and gives the window its own
// procedure back at WM_NCDESTROY. What it keeps of each window is a State,
// which has `original`, the window's own procedure, and
// `std::optional<LRESULT> answer(HWND, UINT, WPARAM, LPARAM)`: an answer, or
// nothing to pass the message on.
//
// The windows are kept in a table of their thread, looked up on every message
// they get: a window property would be a round trip to the window server
// under Wine on each of them. A window's messages all come on the thread that
// made it.

#include <windows.h>

#include <utility>
#include <vector>

namespace zenalto::win32 {

template <class State>
class SubclassedWindows {
public:
    // What `window` keeps, or nullptr when it is not in this thread's table.
    [[nodiscard]] static State* find(HWND window) noexcept {
        for (const auto& [subclassed, state] : s_windows) {
            if (subclassed == window) {
                return state;
            }
        }
        return nullptr;
    }

    // Puts the procedure in front of the window's own, which `state` keeps.
    static void add(HWND window, State state) {
        auto* kept = new State(std::move(state));
        s_windows.emplace_back(window, kept);
        kept->original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        State* state = find(window);
        if (state == nullptr) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        const WNDPROC original = state->original;
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            std::erase_if(s_windows, [window](const auto& each) { return each.first == window; });
            delete state;
        } else if (const auto answer = state->answer(window, message, wParam, lParam)) {
            return *answer;
        }
        return ::CallWindowProcW(original, window, message, wParam, lParam);
    }

    static thread_local inline std::vector<std::pair<HWND, State*>> s_windows;
};

}  // namespace zenalto::win32
