#include "calc/NumericText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

#include "calc/OrbitVelocity.h"

namespace zenalto {
namespace {

using namespace std::string_view_literals;

constexpr Real Inf = std::numeric_limits<Real>::infinity();

struct ValueRow {
    std::u16string_view text;
    Real expected;
    friend void PrintTo(const ValueRow& row, std::ostream* os) {
        *os << testing::PrintToString(std::u16string(row.text));
    }
};

class ValueOfTextTest : public testing::TestWithParam<ValueRow> {};

TEST_P(ValueOfTextTest, ReadsTheLeadingNumber) {
    const Real value = ValueOfText(GetParam().text);
    EXPECT_EQ(value, GetParam().expected);
    EXPECT_EQ(std::signbit(value), std::signbit(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, ValueOfTextTest,
    testing::Values(
        ValueRow{u""sv, 0.0}, ValueRow{u"abc"sv, 0.0}, ValueRow{u" 159 "sv, 159.0},
        ValueRow{u"159abc"sv, 159.0}, ValueRow{u"159 km"sv, 159.0}, ValueRow{u"1.5.3"sv, 1.5},
        ValueRow{u"-0"sv, -0.0}, ValueRow{u"-"sv, -0.0}, ValueRow{u"."sv, 0.0},
        ValueRow{u"6378.137"sv, 6378.137}, ValueRow{u"6378,137"sv, 6378.0},
        ValueRow{u"6 378.206"sv, 6378.206}, ValueRow{u"1 5 9"sv, 159.0},
        ValueRow{u"\t1\n5 9\n"sv, 159.0}, ValueRow{u"1\r59"sv, 1.0}, ValueRow{u"+.5"sv, 0.5},
        ValueRow{u"-.5e1"sv, -5.0}, ValueRow{u"0.05"sv, 0.05}, ValueRow{u"007.50"sv, 7.5},
        ValueRow{u"+-5"sv, 0.0}, ValueRow{u"--5"sv, -0.0}, ValueRow{u"100"sv, 100.0},
        ValueRow{u"2.5E3"sv, 2500.0}, ValueRow{u"2.5e3"sv, 2500.0}, ValueRow{u"4E2"sv, 400.0},
        ValueRow{u"4 E - 2"sv, 0.04}, ValueRow{u"4E+2x"sv, 400.0}, ValueRow{u"1E"sv, 1.0},
        ValueRow{u"1E-"sv, 1.0}, ValueRow{u"1D2"sv, 1.0}, ValueRow{u"E5"sv, 0.0},
        ValueRow{u"1E2.5"sv, 100.0}, ValueRow{u"1\0 2"sv, 1.0}, ValueRow{u"\uFF11"sv, 0.0},
        ValueRow{u"5\u0661"sv, 5.0}, ValueRow{u"\u00A05"sv, 0.0}, ValueRow{u"0.1"sv, 0.1},
        ValueRow{u"9007199254740993"sv, 9007199254740992.0},
        ValueRow{u"1.7976931348623157E308"sv, std::numeric_limits<Real>::max()},
        ValueRow{u"4.9406564584124654E-324"sv, std::numeric_limits<Real>::denorm_min()},
        ValueRow{u"1E400"sv, Inf}, ValueRow{u"-1E400"sv, -Inf}, ValueRow{u"1E-400"sv, 0.0},
        ValueRow{u"-1E-400"sv, -0.0}, ValueRow{u"1e99999999999999999999999"sv, Inf},
        ValueRow{u"-1e-99999999999999999999999"sv, -0.0},
        ValueRow{u"0e99999999999999999999999"sv, 0.0}));

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, ValueOfTextTest,
    testing::Values(ValueRow{u"&H10"sv, 16.0}, ValueRow{u"&h10"sv, 16.0},
                    ValueRow{u"&HfF"sv, 255.0}, ValueRow{u"&HFFz"sv, 255.0},
                    ValueRow{u"& H 1 0"sv, 16.0}, ValueRow{u"&O17"sv, 15.0},
                    ValueRow{u"&o17"sv, 15.0}, ValueRow{u"&O78"sv, 7.0}, ValueRow{u"&O8"sv, 0.0},
                    ValueRow{u"&H"sv, 0.0}, ValueRow{u"&Hzz"sv, 0.0}, ValueRow{u"&H-1"sv, 0.0},
                    ValueRow{u"-&H10"sv, -0.0}, ValueRow{u"&X10"sv, 0.0}, ValueRow{u"&"sv, 0.0},
                    ValueRow{u"&H1.5"sv, 1.0}, ValueRow{u"&HFFFFFFFF"sv, 4294967295.0},
                    // Exact up to 2^53, then rounded once to nearest, ties to even.
                    ValueRow{u"&H1FFFFFFFFFFFFF"sv, 9007199254740991.0},
                    ValueRow{u"&H20000000000001"sv, 9007199254740992.0},
                    ValueRow{u"&H20000000000003"sv, 9007199254740996.0},
                    ValueRow{u"&O400000000000000001"sv, 9007199254740992.0},
                    // A non-zero digit far behind a tie still rounds up.
                    ValueRow{u"&H200000000000010000000000000001"sv,
                             std::ldexp(9007199254740994.0, 64)}));

// Long texts, built at run time as prefix + part repeated + suffix.
struct LongRow {
    std::u16string_view prefix;
    std::u16string_view part;
    std::size_t count;
    std::u16string_view suffix;
    Real expected;
    friend void PrintTo(const LongRow& row, std::ostream* os) {
        *os << testing::PrintToString(std::u16string(row.part)) << " x " << row.count;
    }
};

class ValueOfLongTextTest : public testing::TestWithParam<LongRow> {};

TEST_P(ValueOfLongTextTest, ScalesExactly) {
    const LongRow& row = GetParam();
    std::u16string text(row.prefix);
    for (std::size_t i = 0; i < row.count; ++i) {
        text += row.part;
    }
    text += row.suffix;
    EXPECT_EQ(ValueOfText(text), row.expected);
}

constexpr std::size_t Mega = 1'000'000;

INSTANTIATE_TEST_SUITE_P(
    Long, ValueOfLongTextTest,
    testing::Values(LongRow{u"", u"1", Mega, u"", Inf}, LongRow{u"-", u"9", Mega, u"", -Inf},
                    LongRow{u"0.", u"0", Mega, u"1", 0.0},
                    LongRow{u"1", u"0", Mega, u"E-1000000", 1.0},
                    LongRow{u"0.", u"0", Mega - 1, u"15E1000000", 1.5},
                    // Digits far past the 17th still decide a tie, and only when non-zero.
                    LongRow{u"9007199254740993.", u"0", 1000, u"1", 9007199254740994.0},
                    LongRow{u"9007199254740993", u"0", 1000, u"E-1000", 9007199254740992.0},
                    // A 10 MB field.
                    LongRow{u"1", u" 0", 5 * Mega, u"E-5000000", 1.0},
                    LongRow{u"&H", u"0", Mega, u"1", 1.0}, LongRow{u"&H1", u"0", 300, u"", Inf}));

struct TextRow {
    Real value;
    std::u16string_view separator;
    std::u16string_view expected;
};

class TextOfNumberTest : public testing::TestWithParam<TextRow> {};

TEST_P(TextOfNumberTest, WritesTheGeneralForm) {
    EXPECT_EQ(TextOfNumber(GetParam().value, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextOfNumberTest,
    testing::Values(
        TextRow{0.5, u".", u"0.5"}, TextRow{28125.0, u".", u"28125"},
        TextRow{7812.50598, u".", u"7812.50598"}, TextRow{7812.50598, u",", u"7812,50598"},
        TextRow{28125.0215, u"\u066B", u"28125\u066B0215"}, TextRow{-2.5, u" , ", u"-2 , 5"},
        TextRow{0.0, u".", u"0"}, TextRow{-0.0, u".", u"0"}, TextRow{-0.25, u",", u"-0,25"},
        TextRow{0.1 + 0.2, u".", u"0.3"}, TextRow{2.0 / 3.0, u".", u"0.666666666666667"},
        TextRow{100.0, u".", u"100"}, TextRow{999999999999999.0, u".", u"999999999999999"},
        TextRow{1E15, u".", u"1E+15"}, TextRow{999999999999999.7, u".", u"1E+15"},
        TextRow{1.5E20, u",", u"1,5E+20"}, TextRow{-1.5E20, u".", u"-1.5E+20"},
        TextRow{1E100, u".", u"1E+100"},
        TextRow{123456789012345678.0, u".", u"1.23456789012346E+17"},
        TextRow{0.00001, u".", u"0.00001"}, TextRow{0.0000123, u".", u"0.0000123"},
        TextRow{9.99E-6, u".", u"9.99E-06"}, TextRow{1E-7, u".", u"1E-07"},
        TextRow{std::numeric_limits<Real>::max(), u".", u"1.79769313486232E+308"},
        TextRow{std::numeric_limits<Real>::denorm_min(), u".", u"4.94065645841247E-324"},
        // Never handed in by the program: any text but a word will do.
        TextRow{Inf, u".", u""}, TextRow{-Inf, u".", u""},
        TextRow{std::numeric_limits<Real>::quiet_NaN(), u".", u""}));

struct RoundRow {
    Real value;
    Real expected;
};

class RoundToFiveDecimalsTest : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundToFiveDecimalsTest, RoundsHalfwayUp) {
    EXPECT_EQ(RoundToFiveDecimals(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundToFiveDecimalsTest,
                         testing::Values(RoundRow{7812.50597540984, 7812.50598},
                                         RoundRow{28125.0215114754, 28125.02151},
                                         RoundRow{2.000004, 2.0}, RoundRow{-2.000004, -2.0},
                                         RoundRow{0.000005, 0.00001}, RoundRow{-0.000005, 0.0},
                                         RoundRow{-0.000015, -0.00001}, RoundRow{0.0, 0.0}));

TEST(TextOfIntegerTest, WritesSignAndDigits) {
    EXPECT_EQ(TextOfInteger(159), u"159");
    EXPECT_EQ(TextOfInteger(-40), u"-40");
    EXPECT_EQ(TextOfInteger(0), u"0");
    EXPECT_EQ(TextOfInteger(32767), u"32767");
    EXPECT_EQ(TextOfInteger(-32768), u"-32768");
}

// Qt sets the process locale from the environment; a comma locale must change
// nothing, neither reading nor writing.
TEST(NumericTextLocaleTest, CommaLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* commaLocale = nullptr;
    for (const char* name : {"es_ES.UTF-8", "es_ES.utf8", "de_DE.UTF-8", "fr_FR.UTF-8", "es_ES"}) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::string_view(std::localeconv()->decimal_point) == ",") {
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }

    const Real radius = ValueOfText(u"6378.137");
    const std::u16string large = TextOfNumber(1.5E20, u".");
    const CalculationResult result = CalculateOrbitVelocity(u"159", u"6378.206", u".");
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(radius, 6378.137) << commaLocale;
    EXPECT_EQ(large, u"1.5E+20");
    EXPECT_EQ(result, CalculationResult(OrbitVelocityTexts{u"7812.50598", u"28125.02151"}));
}

}  // namespace
}  // namespace zenalto
