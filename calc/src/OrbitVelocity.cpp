#include "calc/OrbitVelocity.h"

#include <cmath>

namespace zenalto {

CalculationResult CalculateOrbitVelocity(std::u16string_view altitudeText,
                                         std::u16string_view radiusText,
                                         std::u16string_view decimalSeparator) {
    const Real h = ValueOfText(altitudeText);
    if (h == 0.0) {
        return CalculationFault::NoAltitude;
    }
    const Real R = ValueOfText(radiusText);
    if (R == 0.0) {
        return CalculationFault::NoRadius;
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
        return CalculationFault::AltitudeTooLarge;
    }
    if (!altitudeOverflows && radiusOverflows) {
        return CalculationFault::RadiusTooLarge;
    }
    // An altitude at or below minus the radius (or a sum beyond any Real)
    // leaves no orbit: refuse it rather than divide by zero or take the root
    // of a negative number.
    if (!(std::isfinite(r) && r > 0.0)) {
        return CalculationFault::NoOrbit;
    }
    const Real q = GM / r;
    const Real v = std::sqrt(q);
    const Real w = v * 3.6;
    if (!std::isfinite(v) || !std::isfinite(w)) {
        return CalculationFault::NoOrbit;  // an orbit radius too close to 0
    }

    return OrbitVelocityTexts{TextOfNumber(RoundToFiveDecimals(v), decimalSeparator),
                              TextOfNumber(RoundToFiveDecimals(w), decimalSeparator)};
}

}  // namespace zenalto
