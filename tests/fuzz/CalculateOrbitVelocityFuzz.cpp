// The calculation from two field texts: texts or a fault, as the inputs call
// for, and texts that read back as the velocities they stand for.
//
// Input: the altitude text, a byte 0xFF, the radius text (UTF-8, see
// FuzzText.h). Without a 0xFF the whole input is the altitude and the radius
// is empty.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <string>
#include <variant>

#include "FuzzText.h"
#include "calc/NumericText.h"
#include "calc/OrbitVelocity.h"

namespace {

using namespace zenalto;

void Check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// How far the text of a velocity may lie from the velocity: half a unit of
// its fifth decimal, or of its fifteenth significant digit where that is
// coarser. The text is rounded twice, to five decimals and then to fifteen
// digits, and the first rounding multiplies by 100000 in binary; both can
// add a little, never more than a few units in the last place of the
// velocity, so four of those are allowed on top.
Real Tolerance(Real velocity) {
    Real tolerance = 0.000005;
    if (velocity != 0.0) {
        const Real fifteenthDigit = std::pow(10.0, std::floor(std::log10(velocity)) - 14.0);
        tolerance = std::max(tolerance, fifteenthDigit / 2);
    }
    const Real ulp = std::nextafter(velocity, std::numeric_limits<Real>::infinity()) - velocity;
    return tolerance + 4 * ulp;
}

void CheckText(const std::u16string& text, Real velocity) {
    Check(!text.empty(), "a result text is empty");
    Check(std::all_of(text.begin(), text.end(),
                      [](char16_t c) {
                          return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' ||
                                 c == u'E';
                      }),
          "a result text holds a character of no number");
    const Real readBack = ValueOfText(text);
    Check(std::isfinite(readBack), "a result text reads back as no finite number");
    Check(std::abs(readBack - velocity) <= Tolerance(velocity),
          "a result text is too far from the velocity");
}

std::u16string WithSeparator(std::u16string text, char16_t separator) {
    std::replace(text.begin(), text.end(), u'.', separator);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto split = std::find(bytes.begin(), bytes.end(), std::uint8_t{0xFF});
    const std::u16string altitude =
        fuzz::TextOfBytes(bytes.subspan(0, static_cast<std::size_t>(split - bytes.begin())));
    const std::u16string radius = fuzz::TextOfBytes(
        split == bytes.end() ? std::span<const std::uint8_t>{}
                             : bytes.subspan(static_cast<std::size_t>(split - bytes.begin()) + 1));

    // What the calculation must do, worked out here step by step.
    const Real h = ValueOfText(altitude);
    const Real R = ValueOfText(radius);
    const Real a = R * 1000.0;
    const Real b = h * 1000.0;
    const Real r = a + b;
    const bool radiusAtFault =
        std::isfinite(b) && (!std::isfinite(a) || (!std::isfinite(r) && std::abs(a) > std::abs(b)));
    const bool altitudeTooLarge =
        b > 0.0 && (!std::isfinite(b) || (!std::isfinite(r) && !radiusAtFault && std::isfinite(a)));
    const Real v = std::sqrt(GM / r);
    const Real w = v * 3.6;
    const bool orbit = std::isfinite(r) && r > 0.0 && std::isfinite(v) && std::isfinite(w);

    const CalculationResult period = CalculateOrbitVelocity(altitude, radius, u".");
    const CalculationResult comma = CalculateOrbitVelocity(altitude, radius, u",");

    if (const auto* texts = std::get_if<OrbitVelocityTexts>(&period)) {
        Check(h != 0.0 && R != 0.0 && orbit, "texts where a fault is due");
        CheckText(texts->metresPerSecond, v);
        CheckText(texts->kilometresPerHour, w);
        const auto* commaTexts = std::get_if<OrbitVelocityTexts>(&comma);
        Check(commaTexts != nullptr &&
                  commaTexts->metresPerSecond == WithSeparator(texts->metresPerSecond, u',') &&
                  commaTexts->kilometresPerHour == WithSeparator(texts->kilometresPerHour, u','),
              "the comma texts differ from the period texts in more than the separator");
    } else {
        const CalculationFault expected = h == 0.0           ? CalculationFault::NoAltitude
                                          : R == 0.0         ? CalculationFault::NoRadius
                                          : altitudeTooLarge ? CalculationFault::AltitudeTooLarge
                                          : radiusAtFault    ? CalculationFault::RadiusTooLarge
                                                             : CalculationFault::NoOrbit;
        Check(h == 0.0 || R == 0.0 || !orbit, "a fault where texts are due");
        Check(std::get<CalculationFault>(period) == expected, "not the fault the inputs call for");
        const auto* commaFault = std::get_if<CalculationFault>(&comma);
        Check(commaFault != nullptr && *commaFault == expected, "the separator changes the fault");
    }
    return 0;
}
