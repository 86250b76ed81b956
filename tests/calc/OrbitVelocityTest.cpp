#include "calc/OrbitVelocity.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "calc/ReferenceEllipsoids.h"

namespace zenalto {
namespace {

constexpr auto NoAltitude = CalculationFault::NoAltitude;
constexpr auto NoRadius = CalculationFault::NoRadius;
constexpr auto AltitudeTooLarge = CalculationFault::AltitudeTooLarge;
constexpr auto RadiusTooLarge = CalculationFault::RadiusTooLarge;
constexpr auto NoOrbit = CalculationFault::NoOrbit;

struct OrbitRow {
    std::u16string_view altitude;
    std::u16string_view radius;
    std::u16string_view separator;
    CalculationResult expected;
    friend void PrintTo(const OrbitRow& row, std::ostream* os) {
        *os << testing::PrintToString(std::u16string(row.altitude)) << " + "
            << testing::PrintToString(std::u16string(row.radius)) << " ("
            << testing::PrintToString(std::u16string(row.separator)) << ")";
    }
};

class CalculateOrbitVelocityTest : public testing::TestWithParam<OrbitRow> {};

TEST_P(CalculateOrbitVelocityTest, GivesTextsOrFault) {
    const OrbitRow& row = GetParam();
    EXPECT_EQ(CalculateOrbitVelocity(row.altitude, row.radius, row.separator), row.expected);
}

OrbitVelocityTexts Texts(std::u16string_view metresPerSecond,
                         std::u16string_view kilometresPerHour) {
    return {std::u16string(metresPerSecond), std::u16string(kilometresPerHour)};
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, CalculateOrbitVelocityTest,
    testing::Values(OrbitRow{u"159", u"6378.206", u".", Texts(u"7812.50598", u"28125.02151")},
                    OrbitRow{u"35786", u"6378.137", u".", Texts(u"3076.20193", u"11074.32694")},
                    OrbitRow{u"159", u"6378.206", u",", Texts(u"7812,50598", u"28125,02151")},
                    // The fifth decimal of the km/h value is 0 and is dropped.
                    OrbitRow{u"400", u"6377.397", u".", Texts(u"7672.81955", u"27622.1504")},
                    // Negative altitudes pass as long as an orbit is left.
                    OrbitRow{u"-100", u"6378.137", u".", Texts(u"7972.06908", u"28699.44871")},
                    // A comma ends the radius: it is read as 6378, with no message.
                    OrbitRow{u"159", u"6378,137", u".", Texts(u"7812.62907", u"28125.46466")},
                    OrbitRow{u"1", u"1", u".", Texts(u"446654.22868", u"1607955.22326")}));

INSTANTIATE_TEST_SUITE_P(Refused, CalculateOrbitVelocityTest,
                         testing::Values(OrbitRow{u"0", u"6378.137", u".", NoAltitude},
                                         OrbitRow{u"", u"6378.137", u".", NoAltitude},
                                         OrbitRow{u"abc", u"6378.137", u".", NoAltitude},
                                         // The separator is for the results only.
                                         OrbitRow{u"abc", u"6378.137", u",", NoAltitude},
                                         OrbitRow{u"0", u"", u".", NoAltitude},
                                         OrbitRow{u"0", u"0", u".", NoAltitude},
                                         OrbitRow{u"159", u"abc", u".", NoRadius},
                                         OrbitRow{u"159", u"-0", u".", NoRadius},
                                         // The zero checks come before the orbit check.
                                         OrbitRow{u"-7000", u"0", u".", NoRadius},
                                         OrbitRow{u"-6378.206", u"6378.206", u".", NoOrbit},
                                         OrbitRow{u"-7000", u"6378.137", u".", NoOrbit},
                                         // An altitude too large to use is at fault itself; a
                                         // hugely negative one leaves no orbit.
                                         OrbitRow{u"1E400", u"6378.137", u".", AltitudeTooLarge},
                                         OrbitRow{u"1E308", u"6378.137", u".", AltitudeTooLarge},
                                         OrbitRow{u"-1E400", u"6378.137", u".", NoOrbit},
                                         // The radius is blamed for an orbit radius it alone makes
                                         // too large, the altitude when both are at fault.
                                         OrbitRow{u"1", u"-1E400", u".", RadiusTooLarge},
                                         OrbitRow{u"159", u"1E400", u".", RadiusTooLarge},
                                         OrbitRow{u"159", u"1E306", u".", RadiusTooLarge},
                                         OrbitRow{u"1E305", u"1.7E305", u".", RadiusTooLarge},
                                         OrbitRow{u"1.7E305", u"1E305", u".", AltitudeTooLarge},
                                         OrbitRow{u"1E400", u"-1E400", u".", AltitudeTooLarge},
                                         // A tiny positive orbit radius overflows the velocity.
                                         OrbitRow{u"1E-320", u"1E-320", u".", NoOrbit}));

struct EllipsoidRow {
    int index;
    std::optional<std::u16string_view> radius;
};

class RadiusTextOfEllipsoidTest : public testing::TestWithParam<EllipsoidRow> {};

TEST_P(RadiusTextOfEllipsoidTest, GivesTheRowsTextOrNothing) {
    EXPECT_EQ(RadiusTextOfEllipsoid(GetParam().index), GetParam().radius);
}

INSTANTIATE_TEST_SUITE_P(Table, RadiusTextOfEllipsoidTest,
                         testing::Values(EllipsoidRow{0, u"6378.137"}, EllipsoidRow{1, u"6378.137"},
                                         EllipsoidRow{3, u"6378.160"}, EllipsoidRow{6, u"6378.206"},
                                         EllipsoidRow{9, u"6377.276"},
                                         EllipsoidRow{-1, std::nullopt},
                                         EllipsoidRow{10, std::nullopt},
                                         EllipsoidRow{INT_MIN, std::nullopt},
                                         EllipsoidRow{INT_MAX, std::nullopt}));

}  // namespace
}  // namespace zenalto
