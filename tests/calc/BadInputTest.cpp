// What a user can type or paste into the altitude and radius fields, however
// odd: each text gives the fault its value calls for, or the very results of
// a plain text with the same value. Nothing else: no crash, no "inf".

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "calc/OrbitVelocity.h"

namespace zenalto {
namespace {

constexpr std::size_t OneMegabyte = 1 << 20;
constexpr std::size_t TenMegabytes = 10 * OneMegabyte;

// A text built when the test runs, so that the long ones take no room until
// then: head, then `count` times `fill`, then tail.
struct Text {
    std::u16string_view head;
    char16_t fill = u'0';
    std::size_t count = 0;
    std::u16string_view tail;

    [[nodiscard]] std::u16string build() const {
        std::u16string text(head);
        text.append(count, fill);
        text.append(tail);
        return text;
    }
};

Text Plain(std::u16string_view text) {
    return Text{text, u'0', 0, u""};
}

Text Long(std::u16string_view head, char16_t fill, std::size_t count,
          std::u16string_view tail = u"") {
    return Text{head, fill, count, tail};
}

using Fault = CalculationFault;

// The same results as the plain altitude and radius texts.
struct SameAs {
    std::u16string_view altitude;
    std::u16string_view radius;
};

struct BadRow {
    const char* name;
    Text altitude;
    Text radius;
    std::variant<Fault, SameAs> expected;
    friend void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }
};

class BadInput : public testing::TestWithParam<BadRow> {};

TEST_P(BadInput, GivesTheDueFaultOrTheResultsOfItsValue) {
    const BadRow& row = GetParam();
    const CalculationResult result =
        CalculateOrbitVelocity(row.altitude.build(), row.radius.build(), u".");
    if (const auto* fault = std::get_if<Fault>(&row.expected)) {
        EXPECT_EQ(result, CalculationResult(*fault));
    } else {
        const auto& same = std::get<SameAs>(row.expected);
        const CalculationResult plain = CalculateOrbitVelocity(same.altitude, same.radius, u".");
        ASSERT_TRUE(std::holds_alternative<OrbitVelocityTexts>(plain));
        EXPECT_EQ(result, plain);
    }
}

const Text Radius = Plain(u"6378.137");
const Text Altitude = Plain(u"159");

INSTANTIATE_TEST_SUITE_P(
    Altitude, BadInput,
    testing::Values(
        BadRow{"empty", Plain(u""), Radius, Fault::NoAltitude},
        BadRow{"only blanks", Plain(u"  \t \n "), Radius, Fault::NoAltitude},
        BadRow{"1 MB of zeros before 159", Long(u"", u'0', OneMegabyte, u"159"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"1 MB of nines", Long(u"", u'9', OneMegabyte), Radius, Fault::AltitudeTooLarge},
        BadRow{"minus 1 MB of nines", Long(u"-", u'9', OneMegabyte), Radius, Fault::NoOrbit},
        BadRow{"10 MB of zeros before 159", Long(u"", u'0', TenMegabytes, u"159"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"10 MB of ones", Long(u"", u'1', TenMegabytes), Radius, Fault::AltitudeTooLarge},
        // Ten million nines after the period round to the next whole number.
        BadRow{"159 and 10 MB of decimals", Long(u"159.", u'9', TenMegabytes), Radius,
               SameAs{u"160", u"6378.137"}},
        BadRow{"10 MB of blanks around 159", Long(u"1", u' ', TenMegabytes, u"59"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"control character first",
               Plain(u"\x01"
                     u"159"),
               Radius, Fault::NoAltitude},
        BadRow{"control character inside",
               Plain(u"15\x01"
                     u"9"),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"carriage return first", Plain(u"\r159"), Radius, Fault::NoAltitude},
        BadRow{"escape inside",
               Plain(u"15\x1b"
                     u"9"),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"NUL first",
               Plain(std::u16string_view(u"\0"
                                         u"159",
                                         4)),
               Radius, Fault::NoAltitude},
        BadRow{"NUL inside",
               Plain(std::u16string_view(u"15\0"
                                         u"9",
                                         4)),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"Arabic-Indic digits", Plain(u"\u0661\u0665\u0669"), Radius, Fault::NoAltitude},
        BadRow{"full-width digits", Plain(u"\uFF11\uFF15\uFF19"), Radius, Fault::NoAltitude},
        BadRow{"Arabic-Indic digit after ASCII", Plain(u"15\u0669"), Radius,
               SameAs{u"15", u"6378.137"}},
        BadRow{"lone &H", Plain(u"&H"), Radius, Fault::NoAltitude},
        BadRow{"&Hzz", Plain(u"&Hzz"), Radius, Fault::NoAltitude},
        BadRow{"&H and 40 digits, 159", Long(u"&H", u'0', 38, u"9F"), Radius,
               SameAs{u"159", u"6378.137"}},
        // 2^160: an orbit so wide that both velocities round to 0.
        BadRow{"&H and 40 digits, huge", Long(u"&H", u'F', 40), Radius,
               SameAs{u"1461501637330902918203684832716283019655932542976", u"6378.137"}},
        BadRow{"1e99999", Plain(u"1e99999"), Radius, Fault::AltitudeTooLarge},
        BadRow{"-1e99999", Plain(u"-1e99999"), Radius, Fault::NoOrbit},
        BadRow{"1e-99999", Plain(u"1e-99999"), Radius, Fault::NoAltitude},
        BadRow{"period", Plain(u"."), Radius, Fault::NoAltitude},
        BadRow{"+.e", Plain(u"+.e"), Radius, Fault::NoAltitude},
        BadRow{"1e", Plain(u"1e"), Radius, SameAs{u"1", u"6378.137"}},
        BadRow{"--5", Plain(u"--5"), Radius, Fault::NoAltitude},
        BadRow{"all exponent", Plain(u"E+308"), Radius, Fault::NoAltitude},
        BadRow{"all exponent, 1 MB", Long(u"e", u'9', OneMegabyte), Radius, Fault::NoAltitude},
        BadRow{"1 MB exponent", Long(u"1E", u'9', OneMegabyte), Radius, Fault::AltitudeTooLarge},
        BadRow{"1 MB negative exponent", Long(u"1E-", u'9', OneMegabyte), Radius,
               Fault::NoAltitude}));

INSTANTIATE_TEST_SUITE_P(
    Radius, BadInput,
    testing::Values(
        BadRow{"empty", Altitude, Plain(u""), Fault::NoRadius},
        BadRow{"only blanks", Altitude, Plain(u" \n\t "), Fault::NoRadius},
        BadRow{"10 MB of zeros before the radius", Altitude,
               Long(u"", u'0', TenMegabytes, u"6378.206"), SameAs{u"159", u"6378.206"}},
        BadRow{"the radius and 10 MB of zeros", Altitude, Long(u"6378.206", u'0', TenMegabytes),
               SameAs{u"159", u"6378.206"}},
        BadRow{"1 MB of nines", Altitude, Long(u"", u'9', OneMegabyte), Fault::RadiusTooLarge},
        BadRow{"NUL inside", Altitude, Plain(std::u16string_view(u"6378\0.206", 9)),
               SameAs{u"159", u"6378"}},
        BadRow{"full-width digits", Altitude, Plain(u"\uFF16\uFF13\uFF17\uFF18"), Fault::NoRadius},
        BadRow{"lone &H", Altitude, Plain(u"&h"), Fault::NoRadius},
        BadRow{"1e99999", Altitude, Plain(u"1e99999"), Fault::RadiusTooLarge},
        BadRow{"-1e99999", Altitude, Plain(u"-1e99999"), Fault::RadiusTooLarge},
        BadRow{"--5", Altitude, Plain(u"--5"), Fault::NoRadius},
        // Both huge and of opposite signs: no orbit radius can be formed.
        BadRow{"both infinite", Plain(u"1e99999"), Plain(u"-1e99999"), Fault::AltitudeTooLarge}));

}  // namespace
}  // namespace zenalto
