#pragma once

// The exponent form of a Real with a fixed number of digits, correctly rounded,
// written without the C library or the standard library's floating-point
// conversions: the same text on every build, whatever the locale.

#include <array>
#include <cstddef>
#include <string_view>

#include "calc/NumericText.h"

namespace zenalto {

// The largest precision ScientificText takes: 17 significant digits, enough
// to tell every two Reals apart.
inline constexpr int MaxScientificPrecision = 16;

class ScientificText {
public:
    // Writes `value` as std::to_chars(first, last, value, std::chars_format::scientific,
    // precision) does: an optional minus sign, one digit, then a period and
    // `precision` digits unless `precision` is 0, then "e", the exponent's sign
    // and at least two exponent digits ("-1.50e+20", "5e-324"). The digits are
    // those of the value's exact binary expansion rounded once to nearest, ties
    // to even. Takes a finite `value` and 0 <= `precision` <= MaxScientificPrecision.
    ScientificText(Real value, int precision) noexcept;

    [[nodiscard]] std::string_view view() const noexcept { return {m_chars.data(), m_size}; }

private:
    // "-d." + 16 digits + "e-324" fits.
    std::array<char, 32> m_chars{};
    std::size_t m_size = 0;
};

}  // namespace zenalto
