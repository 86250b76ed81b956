#pragma once

// How a message box looks, and the title it shows when given none: what the
// program's messages are written with, from the calculation's checks to the
// System Information launcher, and what every platform's box reads.

#include <string_view>

namespace zenalto {

// The values are the program's own: 0 and 16, as Windows' MessageBoxW reads
// them (MB_OK, MB_ICONERROR).
enum class MessageStyle : unsigned {
    OkOnly = 0,     // an OK button, no icon
    Critical = 16,  // an OK button and the critical icon
};

// The title of a box whose message names none.
inline constexpr std::u16string_view DefaultMessageTitle = u"Zenalto";

[[nodiscard]] constexpr std::u16string_view MessageTitle(std::u16string_view title) noexcept {
    return title.empty() ? DefaultMessageTitle : title;
}

}  // namespace zenalto
