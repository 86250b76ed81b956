#pragma once

// The velocity of a satellite on a circular orbit, from the altitude and the
// Earth radius as the user typed them. The window hands in its field texts and
// gets back either the two result texts or what was wrong with the input; how
// that is told to the user is the caller's business.

#include <string>
#include <string_view>
#include <variant>

#include "calc/NumericText.h"

namespace zenalto {

// Gravitational parameter of the Earth in m^3/s^2, as the program has always
// used it (not the more precise 3.986004418E14).
inline constexpr Real GM = 399000000000000.0;

// What keeps the calculation from giving a velocity, one case per check.
enum class CalculationFault {
    NoAltitude,        // the altitude reads as zero
    NoRadius,          // the radius reads as zero
    AltitudeTooLarge,  // a positive altitude too large to make an orbit radius of
    RadiusTooLarge,    // a radius too large to make an orbit radius of
    NoOrbit,           // no finite orbit radius above zero, or no finite velocity
};

// The two result texts: velocity in m/s and in km/h, rounded to five decimals.
struct OrbitVelocityTexts {
    std::u16string metresPerSecond;
    std::u16string kilometresPerHour;

    friend bool operator==(const OrbitVelocityTexts&, const OrbitVelocityTexts&) = default;
};

using CalculationResult = std::variant<OrbitVelocityTexts, CalculationFault>;

// A zero altitude is refused first, then a zero radius, then a positive
// altitude too large to make an orbit radius of (its metres overflow, or
// outweigh the radius's in an overflowing sum), then such a radius, then an
// orbit radius that is not a finite number above zero (or a velocity that
// overflows); any of these gives its CalculationFault and the caller leaves
// the result fields as they were.
[[nodiscard]] CalculationResult CalculateOrbitVelocity(std::u16string_view altitudeText,
                                                       std::u16string_view radiusText,
                                                       std::u16string_view decimalSeparator);

}  // namespace zenalto
