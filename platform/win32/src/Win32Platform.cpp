#include "platform/Win32Platform.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/WideText.h"

namespace zenalto::win32 {

namespace {

// The visible, enabled top-level windows of this thread but `keep`: a message
// box disables them while it is open, so that it is modal to the whole
// program and not only to the window it belongs to.
std::vector<HWND> otherWindows(HWND keep) {
    struct Search {
        HWND keep;
        std::vector<HWND> found;
    } search{keep, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (window != s.keep && ::IsWindowVisible(window) != FALSE &&
                ::IsWindowEnabled(window) != FALSE) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// The styles are MessageBoxW's own flags.
static_assert(static_cast<UINT>(MessageStyle::OkOnly) == MB_OK &&
              static_cast<UINT>(MessageStyle::Critical) == (MB_OK | MB_ICONERROR));

void Win32Platform::messageBox(std::u16string_view prompt, MessageStyle style,
                               std::u16string_view title) {
    const std::wstring text = wide(prompt);
    const std::wstring caption = wide(MessageTitle(title));
    // The box belongs to the program's active window and disables the
    // program's other windows; with no window active, MB_TASKMODAL disables
    // every window of the thread.
    const HWND owner = ::GetActiveWindow();
    auto flags = static_cast<UINT>(style);
    std::vector<HWND> disabled;
    if (owner == nullptr) {
        flags |= MB_TASKMODAL;
    } else {
        disabled = otherWindows(owner);
        for (const HWND window : disabled) {
            ::EnableWindow(window, FALSE);
        }
    }
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    for (const HWND window : disabled) {
        ::EnableWindow(window, TRUE);
    }
}

std::u16string Win32Platform::decimalSeparator() {
    // LOCALE_SDECIMAL holds at most four characters with the terminating NUL.
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                         static_cast<int>(std::size(separator)));
    if (length <= 1) {
        return u".";
    }
    return utf16(std::wstring_view(separator, static_cast<std::size_t>(length - 1)));
}

void Win32Platform::endProgram() {
    // Every window of the process goes with it; nothing is kept to be saved.
    ::ExitProcess(0);
}

}  // namespace zenalto::win32
