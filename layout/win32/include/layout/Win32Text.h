#pragma once

// The program's texts are UTF-16 in char16_t; the Windows API takes them as
// wchar_t, which is UTF-16 on Windows too.

#include <windows.h>

#include <string>
#include <string_view>

namespace zenalto::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

[[nodiscard]] inline std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

[[nodiscard]] inline std::u16string utf16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// The text of a window or control: a text box's contents, a caption, a title.
[[nodiscard]] inline std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

}  // namespace zenalto::win32
