#include "calc/NumericText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include <fast_float/fast_float.h>

#include "calc/ScientificText.h"

namespace zenalto {

namespace {

// Walks a field text as if its blanks, tabs and line feeds had been removed
// beforehand, without copying it. A carriage return is not skipped.
class FieldReader {
public:
    explicit FieldReader(std::u16string_view text) noexcept : m_text(text) { skipDropped(); }

    [[nodiscard]] char16_t peek() const noexcept {
        return m_pos < m_text.size() ? m_text[m_pos] : u'\0';
    }

    void advance() noexcept {
        ++m_pos;
        skipDropped();
    }

    // Takes the next character when it is `upper` or, for a letter, its lower case.
    bool accept(char16_t upper) noexcept {
        const char16_t c = peek();
        if (c == upper || c == static_cast<char16_t>(upper | 0x20U)) {
            advance();
            return true;
        }
        return false;
    }

private:
    void skipDropped() noexcept {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\n')) {
            ++m_pos;
        }
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

// Only the ASCII digits count: other scripts' digits end a number.
int DigitValue(char16_t c, int radix) noexcept {
    int digit = radix;
    if (c >= u'0' && c <= u'9') {
        digit = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
        digit = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
        digit = c - u'a' + 10;
    }
    return digit < radix ? digit : -1;
}

// Far beyond any exponent a Real can take, yet far from overflowing a 64-bit sum.
constexpr std::int64_t ExponentLimit = 1'000'000'000'000'000;

// The largest exponent, of two or of ten, handed on to the library that
// scales or reads the number: a Real over- or underflows long before it
// (its range ends near 2^1024 and 10^308), and a text or an int stays short.
constexpr std::int64_t ScaleLimit = 100'000;

std::int64_t SaturatedAdd(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t sum = a + b;  // both operands lie within +-2 * ExponentLimit
    return sum > ExponentLimit ? ExponentLimit : (sum < -ExponentLimit ? -ExponentLimit : sum);
}

// A &H or &O integer of any length, rounded once to the nearest Real: the bits
// are gathered exactly while they fit, later digits only say whether anything
// non-zero was dropped and by how many bits the value grows.
Real ReadRadixInteger(FieldReader& reader, int radix) noexcept {
    const unsigned bitsPerDigit = radix == 16 ? 4U : 3U;
    std::uint64_t bits = 0;
    std::int64_t droppedBits = 0;
    bool droppedNonZero = false;
    for (int digit = DigitValue(reader.peek(), radix); digit >= 0;
         digit = DigitValue(reader.peek(), radix)) {
        if ((bits >> 60U) == 0) {
            bits = (bits << bitsPerDigit) | static_cast<std::uint64_t>(digit);
        } else {
            droppedBits = SaturatedAdd(droppedBits, bitsPerDigit);
            droppedNonZero = droppedNonZero || digit != 0;
        }
        reader.advance();
    }
    // With at least 61 bits kept, the lowest one lies well below the rounding
    // position and stands in for everything dropped.
    if (droppedNonZero) {
        bits |= 1U;
    }
    return std::ldexp(static_cast<Real>(bits),
                      static_cast<int>(droppedBits > ScaleLimit ? ScaleLimit : droppedBits));
}

// More significant digits than any decimal-to-binary rounding needs (at most
// 768); past them one sticky digit records whether anything non-zero follows.
constexpr std::size_t KeptDigits = 800;

Real ReadDecimal(FieldReader& reader) noexcept {
    const bool negative = reader.peek() == u'-';
    if (negative || reader.peek() == u'+') {
        reader.advance();
    }

    // The number is rebuilt as "d.ddd...E<exponent>" for fast_float, which
    // rounds it correctly, like std::from_chars, without the C locale.
    std::array<char, KeptDigits + 32> buffer{};
    std::size_t length = 0;
    bool truncatedNonZero = false;
    std::int64_t scale = 0;  // the value is 0.ddd... * 10^scale
    bool seenPeriod = false;
    for (char16_t c = reader.peek();; c = reader.peek()) {
        if (c == u'.' && !seenPeriod) {
            seenPeriod = true;
        } else if (c >= u'0' && c <= u'9') {
            if (length == 0 && c == u'0') {
                if (seenPeriod) {
                    scale = SaturatedAdd(scale, -1);
                }
            } else {
                if (!seenPeriod) {
                    scale = SaturatedAdd(scale, 1);
                }
                if (length < KeptDigits) {
                    buffer[length == 0 ? 0 : length + 1] = static_cast<char>(c);
                    ++length;
                } else {
                    truncatedNonZero = truncatedNonZero || c != u'0';
                }
            }
        } else {
            break;
        }
        reader.advance();
    }

    std::int64_t exponent = 0;
    if (reader.accept(u'E')) {
        const bool negativeExponent = reader.peek() == u'-';
        if (negativeExponent || reader.peek() == u'+') {
            reader.advance();
        }
        for (char16_t c = reader.peek(); c >= u'0' && c <= u'9'; c = reader.peek()) {
            exponent = exponent >= ExponentLimit ? ExponentLimit : exponent * 10 + (c - u'0');
            reader.advance();
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }

    if (length == 0) {
        return negative ? -0.0 : 0.0;
    }
    if (truncatedNonZero) {
        buffer[length + 1] = '1';
        ++length;
    }
    buffer[1] = '.';
    char* end = buffer.data() + (length == 1 ? 1 : length + 1);
    *end++ = 'E';
    // Clamped so that it stays short and still over- or underflows every Real.
    const std::int64_t leadingExponent = SaturatedAdd(scale, exponent) - 1;
    const std::int64_t written = std::clamp(leadingExponent, -ScaleLimit, ScaleLimit);
    end = std::to_chars(end, buffer.data() + buffer.size(), written).ptr;

    Real magnitude = 0.0;
    // Older fast_float versions give the infinity or zero themselves, newer
    // ones report the range error.
    const std::errc error = fast_float::from_chars(buffer.data(), end, magnitude).ec;
    if (error == std::errc::result_out_of_range) {
        magnitude = leadingExponent > 0 ? std::numeric_limits<Real>::infinity() : 0.0;
    } else if (error != std::errc{}) {
        magnitude = 0.0;  // cannot happen: the buffer holds a well-formed number
    }
    return negative ? -magnitude : magnitude;
}

void AppendAscii(std::u16string& text, std::string_view ascii) {
    for (const char c : ascii) {
        text += static_cast<char16_t>(c);
    }
}

// Decimal digits, with a minus sign when negative; never touches the locale.
template <typename Integer>
void AppendInteger(std::u16string& text, Integer value) {
    std::array<char, 24> digits{};
    const auto converted = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    AppendAscii(text, std::string_view(digits.data(),
                                       static_cast<std::size_t>(converted.ptr - digits.data())));
}

}  // namespace

Real ValueOfText(std::u16string_view text) noexcept {
    FieldReader reader(text);
    if (reader.accept(u'&')) {
        if (reader.accept(u'H')) {
            return ReadRadixInteger(reader, 16);
        }
        if (reader.accept(u'O')) {
            return ReadRadixInteger(reader, 8);
        }
        return 0.0;
    }
    return ReadDecimal(reader);
}

std::u16string TextOfNumber(Real value, std::u16string_view decimalSeparator) {
    // The calculation never hands over an infinity or a NaN; should one come,
    // it gets an empty text, which reads back as 0, rather than a word.
    if (!std::isfinite(value)) {
        return {};
    }
    if (value == 0.0) {
        return u"0";  // negative zero included
    }

    // 15 significant digits, the last one rounded: "d.dddddddddddddde-XX".
    const ScientificText scientific(std::abs(value), 14);
    const std::string_view form = scientific.view();
    const std::size_t exponentAt = form.find('e');
    int exponent = 0;
    std::from_chars(form.data() + exponentAt + (form[exponentAt + 1] == '+' ? 2 : 1),
                    form.data() + form.size(), exponent);
    std::string digits;
    digits += form[0];
    digits.append(form.substr(2, exponentAt - 2));
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::u16string text;
    if (value < 0) {
        text += u'-';
    }
    const std::string_view all(digits);
    const auto count = static_cast<int>(digits.size());
    if (exponent >= 15 || exponent < -5) {
        // Exponent form, never met with the program's own values: "1.5E+20", "1E-07".
        AppendAscii(text, all.substr(0, 1));
        if (count > 1) {
            text += decimalSeparator;
            AppendAscii(text, all.substr(1));
        }
        text += exponent < 0 ? u"E-" : u"E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            text += u'0';
        }
        AppendInteger(text, magnitude);
    } else if (exponent < 0) {
        text += u'0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent) - 1, u'0');
        AppendAscii(text, all);
    } else if (count <= exponent + 1) {
        AppendAscii(text, all);
        text.append(static_cast<std::size_t>(exponent + 1 - count), u'0');
    } else {
        const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
        AppendAscii(text, all.substr(0, wholeDigits));
        text += decimalSeparator;
        AppendAscii(text, all.substr(wholeDigits));
    }
    return text;
}

Real RoundToFiveDecimals(Real value) noexcept {
    const Real scaled = value * 100000.0;
    return std::floor(scaled + 0.5) / 100000.0;
}

std::u16string TextOfInteger(std::int16_t value) {
    std::u16string text;
    AppendInteger(text, value);
    return text;
}

}  // namespace zenalto
