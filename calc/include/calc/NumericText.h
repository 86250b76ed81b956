#pragma once

// Conversions between the texts of the window's fields and numbers. The fields
// are the only store of the altitude, the radius and the results, so every
// value a user sees goes through these four functions.
//
// None of them depends on the C or C++ locale: the decimal separator used for
// output is handed in by the caller, and input accepts only the period.

#include <cstdint>
#include <string>
#include <string_view>

namespace zenalto {

using Real = double;

// Reads the longest leading number of a field text. Blanks, tabs and line feeds
// are dropped wherever they stand (carriage returns are not); then an optional
// sign, ASCII digits with at most one period, and an optional exponent (E or e,
// optional sign, digits). Any other character, NUL and the digits of other
// scripts included, ends the number. A text that starts with &H or &O (either
// case) is a hexadecimal or octal integer, read as a non-negative value of any
// number of digits (exact up to 2^53, rounded once to the nearest Real beyond,
// ties to even). A text with no leading number reads as 0; a number too large
// for a Real reads as an infinity of its sign, one too small as a zero of its
// sign. Linear in the text's length.
[[nodiscard]] Real ValueOfText(std::u16string_view text) noexcept;

// Writes a Real in the general number form: at most 15 significant digits, the
// last one rounded, no trailing zeros, no grouping, a leading zero before the
// separator, a minus sign for negatives (but "0" for negative zero), and
// `decimalSeparator` in place of the period. Magnitudes of 1E+15 and above or
// below 1E-5 switch to exponent form with an upper-case E, a sign and at least
// two digits ("1.5E+20", "1E-07"); the program's own values never reach it.
// An infinity or a NaN, which the calculation refuses, gives an empty text.
[[nodiscard]] std::u16string TextOfNumber(Real value, std::u16string_view decimalSeparator);

// floor(x * 100000 + 0.5) / 100000, in that order: halfway values go up.
[[nodiscard]] Real RoundToFiveDecimals(Real value) noexcept;

// Decimal digits of a 16-bit integer with a leading minus sign when negative.
[[nodiscard]] std::u16string TextOfInteger(std::int16_t value);

}  // namespace zenalto
