#pragma once

// The program's texts are UTF-16 in char16_t; the Windows API takes them as
// wchar_t, which is UTF-16 on Windows too. The windows and the platform of the
// Windows program convert through these two alone.

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

}  // namespace zenalto::win32
