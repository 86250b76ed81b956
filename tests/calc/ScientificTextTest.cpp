#include "calc/ScientificText.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calc/NumericText.h"

// The numbers are read with fast_float and written with ScientificText so
// that every build gives the same bits and texts. Where the standard library
// has the floating-point std::from_chars and std::to_chars, which are exact
// by definition, both are checked against them; everywhere, every Real must
// come back unchanged from its 17 digits.

namespace zenalto {
namespace {

constexpr Real Max = std::numeric_limits<Real>::max();
constexpr Real Tiny = std::numeric_limits<Real>::denorm_min();

// std::bit_cast is missing from some standard libraries (Emscripten 3.1's).
std::uint64_t Bits(Real value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Real RealOfBits(std::uint64_t bits) {
    Real value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string Wide(std::string_view text) {
    std::u16string wide;
    for (const char c : text) {
        wide += static_cast<char16_t>(c);
    }
    return wide;
}

// Reals that conversions get wrong most easily, then random bit patterns of
// every exponent, subnormal ones, and short binary fractions, whose exact
// decimal expansions end in a 5 and so meet exact ties at many precisions.
std::vector<Real> SampleReals() {
    std::vector<Real> values{0.0,
                             -0.0,
                             Tiny,
                             2 * Tiny,
                             3 * Tiny,
                             std::numeric_limits<Real>::min(),
                             std::nextafter(std::numeric_limits<Real>::min(), 0.0),
                             Max,
                             std::nextafter(Max, 0.0),
                             0.1,
                             0.3,
                             1e23,
                             8.98846567431158e307,
                             9007199254740992.0,
                             9007199254740994.0,
                             100000000000000.5,
                             999999999999999.5,
                             0.5,
                             2.5,
                             -3.5,
                             0.125,
                             1e-5,
                             1e15,
                             7812.50598,
                             -28125.0215};
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 2500; ++i) {
        const std::uint64_t bits = random();
        values.push_back(RealOfBits(bits));
        values.push_back(RealOfBits(bits >> 12U));
        values.push_back(std::ldexp(static_cast<Real>(bits >> (11 + i % 53)), -(i % 64)));
    }
    std::erase_if(values, [](Real value) { return !std::isfinite(value); });
    return values;
}

TEST(ScientificTextTest, SeventeenDigitsReadBackAsTheSameReal) {
    for (const Real value : SampleReals()) {
        const ScientificText text(value, MaxScientificPrecision);
        ASSERT_EQ(Bits(ValueOfText(Wide(text.view()))), Bits(value)) << text.view();
    }
}

#if defined(__cpp_lib_to_chars)

TEST(ScientificTextTest, WritesWhatToCharsWrites) {
    for (const Real value : SampleReals()) {
        for (int precision = 0; precision <= MaxScientificPrecision; ++precision) {
            std::array<char, 32> expected{};
            const auto end = std::to_chars(expected.data(), expected.data() + expected.size(),
                                           value, std::chars_format::scientific, precision)
                                 .ptr;
            ASSERT_EQ(ScientificText(value, precision).view(),
                      std::string_view(expected.data(), end))
                << precision;
        }
    }
}

// The Real std::from_chars reads, or, out of its range, the infinity or zero
// that ValueOfText gives there.
Real StandardValue(const std::string& text) {
    Real value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(end, text.data() + text.size()) << text;
    if (error == std::errc::result_out_of_range) {
        value = text.find("e-") == std::string::npos ? std::numeric_limits<Real>::infinity() : 0.0;
    }
    return text.front() == '-' ? -std::abs(value) : value;
}

template <typename Number>
std::string Chars(Number value, int precision) {
    std::string text(1000, '\0');
    const auto end = precision < 0
                         ? std::to_chars(text.data(), text.data() + text.size(), value).ptr
                         : std::to_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::scientific, precision)
                               .ptr;
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

TEST(ScientificTextTest, ReadsWhatFromCharsReads) {
    std::vector<std::string> texts{"9007199254740993",
                                   "9007199254740993.000000000000000000000000000001",
                                   "2.4703282292062327e-324",
                                   "2.4703282292062328e-324",
                                   "1.7976931348623158e308",
                                   "1.7976931348623159e308",
                                   "-1e-400",
                                   "1e23",
                                   "0.1"};
    for (const Real value : SampleReals()) {
        // Shortest, and exact: 767 significant digits are enough for any Real.
        texts.push_back(Chars(value, -1));
        texts.push_back(Chars(value, 780));
        // Halfway to the next Real up, exactly, and just above and below it:
        // the long double of x86 holds it.
        if constexpr (std::numeric_limits<long double>::digits >= 64) {
            const Real next = std::nextafter(value, std::numeric_limits<Real>::infinity());
            if (!std::isfinite(next)) {
                continue;
            }
            const long double half =
                (static_cast<long double>(value) + static_cast<long double>(next)) / 2;
            std::string midpoint = Chars(half, 790);
            const std::size_t e = midpoint.find('e');
            const std::size_t last = midpoint.find_last_not_of('0', e - 1);
            texts.push_back(midpoint);
            texts.push_back(std::string(midpoint).insert(last + 1, "0001"));
            if (midpoint[last] == '5') {
                texts.push_back(midpoint.replace(last, 1, "49999"));
            }
        }
    }
    for (const std::string& text : texts) {
        ASSERT_EQ(Bits(ValueOfText(Wide(text))), Bits(StandardValue(text))) << text;
    }
}

#endif

}  // namespace
}  // namespace zenalto
