// The thread's message loop for layout windows: each message goes first to
// the dialog manager of the layout window it is for (Tab, Enter, Esc, access
// keys), then to its window procedure.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "WindowRegistry.h"
#include "layout/LayoutWindow.h"

namespace zenalto::win32 {

std::vector<LayoutWindow*>& loadedWindows() {
    static std::vector<LayoutWindow*> windows;
    return windows;
}

std::function<void()>& lastWindowClosed() {
    static std::function<void()> handler;
    return handler;
}

void SetLastWindowClosedHandler(std::function<void()> handler) {
    lastWindowClosed() = std::move(handler);
}

namespace {

void handle(MSG& message) {
    if (!TranslateDialogMessage(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 1;
        }
        handle(message);
    }
}

void DispatchPendingMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        handle(message);
    }
}

bool TranslateDialogMessage(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    const auto& windows = loadedWindows();
    const auto found = std::ranges::find_if(
        windows, [root](const LayoutWindow* window) { return window->window() == root; });
    if (found == windows.end()) {
        return false;
    }
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !down(VK_CONTROL) &&
        !down(VK_MENU)) {
        (*found)->tab(down(VK_SHIFT));
        return true;
    }
    return ::IsDialogMessageW(root, &message) != FALSE;
}

}  // namespace zenalto::win32
