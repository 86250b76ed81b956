#pragma once

// The velocity of a satellite on a circular orbit, from the altitude and the
// Earth radius as the user typed them. The window hands in its field texts and
// either writes the two result texts or shows the message, exactly as given.

#include <string>
#include <string_view>
#include <variant>

#include "calc/NumericText.h"
#include "platform/MessageStyle.h"

namespace zenalto {

// Gravitational parameter of the Earth in m^3/s^2, as the program has always
// used it (not the more precise 3.986004418E14).
inline constexpr Real GM = 399000000000000.0;

// The button and the menu command share the calculation; their prompts differ
// only in the capital letter at the start.
enum class CalculationPrompts { Button, Menu };

// A message box to show: prompt, style and title.
struct Message {
    std::u16string prompt;
    MessageStyle style = MessageStyle::OkOnly;
    std::u16string title;

    friend bool operator==(const Message&, const Message&) = default;
};

// The two result texts: velocity in m/s and in km/h, rounded to five decimals.
struct OrbitVelocityTexts {
    std::u16string metresPerSecond;
    std::u16string kilometresPerHour;

    friend bool operator==(const OrbitVelocityTexts&, const OrbitVelocityTexts&) = default;
};

using CalculationResult = std::variant<OrbitVelocityTexts, Message>;

// A zero altitude is refused first, then a zero radius, then a positive
// altitude too large to make an orbit radius of (its metres overflow, or
// outweigh the radius's in an overflowing sum), then such a radius, then an
// orbit radius that is not a finite number above zero (or a velocity that
// overflows); any of these gives a Message and the caller leaves the result
// fields as they were.
[[nodiscard]] CalculationResult CalculateOrbitVelocity(std::u16string_view altitudeText,
                                                       std::u16string_view radiusText,
                                                       CalculationPrompts prompts,
                                                       std::u16string_view decimalSeparator);

}  // namespace zenalto
