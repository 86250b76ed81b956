// What a user can type or paste into the altitude and radius fields, however
// odd: each text gives the message its value calls for, or the very results
// of a plain text with the same value. Nothing else: no crash, no "inf".

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

enum class Refused { Altitude, Radius, Orbit, WideRadius, HighAltitude };

// The same results as the plain altitude and radius texts.
struct SameAs {
    std::u16string_view altitude;
    std::u16string_view radius;
};

struct BadRow {
    const char* name;
    Text altitude;
    Text radius;
    std::variant<Refused, SameAs> expected;
    friend void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }
};

Message Expected(Refused refused) {
    const char16_t* prompt =
        refused == Refused::Altitude     ? u" Introduzca un valor de altitud satelital"
        : refused == Refused::Radius     ? u" Introduzca un valor de radio terrestre"
        : refused == Refused::WideRadius ? u" Introduzca un valor de radio terrestre menor"
        : refused == Refused::HighAltitude
            ? u" Introduzca una altitud satelital menor"
            : u" Introduzca una altitud satelital mayor que menos el "
              u"radio terrestre";
    return Message{prompt, MessageStyle::Critical, u"Error en la introducción de datos"};
}

class BadInput : public testing::TestWithParam<BadRow> {};

TEST_P(BadInput, GivesTheDueMessageOrTheResultsOfItsValue) {
    const BadRow& row = GetParam();
    const CalculationResult result = CalculateOrbitVelocity(
        row.altitude.build(), row.radius.build(), CalculationPrompts::Button, u".");
    if (const auto* refused = std::get_if<Refused>(&row.expected)) {
        EXPECT_EQ(result, CalculationResult(Expected(*refused)));
    } else {
        const auto& same = std::get<SameAs>(row.expected);
        const CalculationResult plain =
            CalculateOrbitVelocity(same.altitude, same.radius, CalculationPrompts::Button, u".");
        ASSERT_TRUE(std::holds_alternative<OrbitVelocityTexts>(plain));
        EXPECT_EQ(result, plain);
    }
}

const Text Radius = Plain(u"6378.137");
const Text Altitude = Plain(u"159");

INSTANTIATE_TEST_SUITE_P(
    Altitude, BadInput,
    testing::Values(
        BadRow{"empty", Plain(u""), Radius, Refused::Altitude},
        BadRow{"only blanks", Plain(u"  \t \n "), Radius, Refused::Altitude},
        BadRow{"1 MB of zeros before 159", Long(u"", u'0', OneMegabyte, u"159"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"1 MB of nines", Long(u"", u'9', OneMegabyte), Radius, Refused::HighAltitude},
        BadRow{"minus 1 MB of nines", Long(u"-", u'9', OneMegabyte), Radius, Refused::Orbit},
        BadRow{"10 MB of zeros before 159", Long(u"", u'0', TenMegabytes, u"159"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"10 MB of ones", Long(u"", u'1', TenMegabytes), Radius, Refused::HighAltitude},
        // Ten million nines after the period round to the next whole number.
        BadRow{"159 and 10 MB of decimals", Long(u"159.", u'9', TenMegabytes), Radius,
               SameAs{u"160", u"6378.137"}},
        BadRow{"10 MB of blanks around 159", Long(u"1", u' ', TenMegabytes, u"59"), Radius,
               SameAs{u"159", u"6378.137"}},
        BadRow{"control character first",
               Plain(u"\x01"
                     u"159"),
               Radius, Refused::Altitude},
        BadRow{"control character inside",
               Plain(u"15\x01"
                     u"9"),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"carriage return first", Plain(u"\r159"), Radius, Refused::Altitude},
        BadRow{"escape inside",
               Plain(u"15\x1b"
                     u"9"),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"NUL first",
               Plain(std::u16string_view(u"\0"
                                         u"159",
                                         4)),
               Radius, Refused::Altitude},
        BadRow{"NUL inside",
               Plain(std::u16string_view(u"15\0"
                                         u"9",
                                         4)),
               Radius, SameAs{u"15", u"6378.137"}},
        BadRow{"Arabic-Indic digits", Plain(u"\u0661\u0665\u0669"), Radius, Refused::Altitude},
        BadRow{"full-width digits", Plain(u"\uFF11\uFF15\uFF19"), Radius, Refused::Altitude},
        BadRow{"Arabic-Indic digit after ASCII", Plain(u"15\u0669"), Radius,
               SameAs{u"15", u"6378.137"}},
        BadRow{"lone &H", Plain(u"&H"), Radius, Refused::Altitude},
        BadRow{"&Hzz", Plain(u"&Hzz"), Radius, Refused::Altitude},
        BadRow{"&H and 40 digits, 159", Long(u"&H", u'0', 38, u"9F"), Radius,
               SameAs{u"159", u"6378.137"}},
        // 2^160: an orbit so wide that both velocities round to 0.
        BadRow{"&H and 40 digits, huge", Long(u"&H", u'F', 40), Radius,
               SameAs{u"1461501637330902918203684832716283019655932542976", u"6378.137"}},
        BadRow{"1e99999", Plain(u"1e99999"), Radius, Refused::HighAltitude},
        BadRow{"-1e99999", Plain(u"-1e99999"), Radius, Refused::Orbit},
        BadRow{"1e-99999", Plain(u"1e-99999"), Radius, Refused::Altitude},
        BadRow{"period", Plain(u"."), Radius, Refused::Altitude},
        BadRow{"+.e", Plain(u"+.e"), Radius, Refused::Altitude},
        BadRow{"1e", Plain(u"1e"), Radius, SameAs{u"1", u"6378.137"}},
        BadRow{"--5", Plain(u"--5"), Radius, Refused::Altitude},
        BadRow{"all exponent", Plain(u"E+308"), Radius, Refused::Altitude},
        BadRow{"all exponent, 1 MB", Long(u"e", u'9', OneMegabyte), Radius, Refused::Altitude},
        BadRow{"1 MB exponent", Long(u"1E", u'9', OneMegabyte), Radius, Refused::HighAltitude},
        BadRow{"1 MB negative exponent", Long(u"1E-", u'9', OneMegabyte), Radius,
               Refused::Altitude}));

INSTANTIATE_TEST_SUITE_P(
    Radius, BadInput,
    testing::Values(
        BadRow{"empty", Altitude, Plain(u""), Refused::Radius},
        BadRow{"only blanks", Altitude, Plain(u" \n\t "), Refused::Radius},
        BadRow{"10 MB of zeros before the radius", Altitude,
               Long(u"", u'0', TenMegabytes, u"6378.206"), SameAs{u"159", u"6378.206"}},
        BadRow{"the radius and 10 MB of zeros", Altitude, Long(u"6378.206", u'0', TenMegabytes),
               SameAs{u"159", u"6378.206"}},
        BadRow{"1 MB of nines", Altitude, Long(u"", u'9', OneMegabyte), Refused::WideRadius},
        BadRow{"NUL inside", Altitude, Plain(std::u16string_view(u"6378\0.206", 9)),
               SameAs{u"159", u"6378"}},
        BadRow{"full-width digits", Altitude, Plain(u"\uFF16\uFF13\uFF17\uFF18"), Refused::Radius},
        BadRow{"lone &H", Altitude, Plain(u"&h"), Refused::Radius},
        BadRow{"1e99999", Altitude, Plain(u"1e99999"), Refused::WideRadius},
        BadRow{"-1e99999", Altitude, Plain(u"-1e99999"), Refused::WideRadius},
        BadRow{"--5", Altitude, Plain(u"--5"), Refused::Radius},
        // Both huge and of opposite signs: no orbit radius can be formed.
        BadRow{"both infinite", Plain(u"1e99999"), Plain(u"-1e99999"), Refused::HighAltitude}));

}  // namespace
}  // namespace zenalto
