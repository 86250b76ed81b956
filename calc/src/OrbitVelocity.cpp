#include "calc/OrbitVelocity.h"

#include <cmath>

namespace zenalto {

namespace {

constexpr std::u16string_view InputErrorTitle = u"Error en la introducción de datos";

// The prompts begin with a blank; the button's start with a capital letter, the
// menu command's with a lower-case one.
struct PromptTexts {
    std::u16string_view altitude;
    std::u16string_view radius;
    std::u16string_view orbitRadius;
    std::u16string_view radiusTooLarge;
    std::u16string_view altitudeTooLarge;
};

constexpr PromptTexts ButtonPrompts{
    u" Introduzca un valor de altitud satelital",
    u" Introduzca un valor de radio terrestre",
    u" Introduzca una altitud satelital mayor que menos el radio terrestre",
    u" Introduzca un valor de radio terrestre menor",
    u" Introduzca una altitud satelital menor",
};

constexpr PromptTexts MenuPrompts{
    u" introduzca un valor de altitud satelital",
    u" introduzca un valor de radio terrestre",
    u" introduzca una altitud satelital mayor que menos el radio terrestre",
    u" introduzca un valor de radio terrestre menor",
    u" introduzca una altitud satelital menor",
};

Message InputError(std::u16string_view prompt) {
    return Message{std::u16string(prompt), MessageStyle::Critical, std::u16string(InputErrorTitle)};
}

}  // namespace

CalculationResult CalculateOrbitVelocity(std::u16string_view altitudeText,
                                         std::u16string_view radiusText, CalculationPrompts prompts,
                                         std::u16string_view decimalSeparator) {
    const PromptTexts& texts = prompts == CalculationPrompts::Button ? ButtonPrompts : MenuPrompts;

    const Real h = ValueOfText(altitudeText);
    if (h == 0.0) {
        return InputError(texts.altitude);
    }
    const Real R = ValueOfText(radiusText);
    if (R == 0.0) {
        return InputError(texts.radius);
    }

    // Each step on its own line, in this order: the results must come out the
    // same to the last bit, so no step is merged or reordered.
    const Real a = R * 1000.0;
    const Real b = h * 1000.0;
    const Real r = a + b;
    // A radius beyond any Real, or one whose metres or whose share of the
    // orbit radius overflow, is the radius's fault: say so rather than blame
    // the altitude. The altitude is judged first, as the zero checks are: one
    // whose metres, or whose larger share of the orbit radius, overflow
    // upwards asks for a smaller altitude (asking for one "mayor que menos el
    // radio terrestre" would send the user the wrong way).
    const bool altitudeOverflows = !std::isfinite(b);
    const bool radiusOverflows =
        !std::isfinite(a) || (!std::isfinite(r) && std::fabs(a) > std::fabs(b));
    if (b > 0.0 && (altitudeOverflows || (!std::isfinite(r) && !radiusOverflows))) {
        return InputError(texts.altitudeTooLarge);
    }
    if (!altitudeOverflows && radiusOverflows) {
        return InputError(texts.radiusTooLarge);
    }
    // An altitude at or below minus the radius (or a sum beyond any Real)
    // leaves no orbit: refuse it rather than divide by zero or take the root
    // of a negative number.
    if (!(std::isfinite(r) && r > 0.0)) {
        return InputError(texts.orbitRadius);
    }
    const Real q = GM / r;
    const Real v = std::sqrt(q);
    const Real w = v * 3.6;
    if (!std::isfinite(v) || !std::isfinite(w)) {
        return InputError(texts.orbitRadius);  // an orbit radius too close to 0
    }

    return OrbitVelocityTexts{TextOfNumber(RoundToFiveDecimals(v), decimalSeparator),
                              TextOfNumber(RoundToFiveDecimals(w), decimalSeparator)};
}

}  // namespace zenalto
