#pragma once

// The program's texts between char16_t and the Windows API's wchar_t (wide()
// and utf16(), which the Windows platform shares), and the text of a window.

#include <windows.h>

#include <string>

#include "platform/WideText.h"

namespace zenalto::win32 {

// The text of a window or control: a text box's contents, a caption, a title.
[[nodiscard]] inline std::u16string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

}  // namespace zenalto::win32
