// ValueOfText on any text: never a NaN, and blanks, tabs and line feeds
// change nothing wherever they are put.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "FuzzText.h"
#include "calc/NumericText.h"

namespace {

using zenalto::Real;
using zenalto::ValueOfText;

// The same value, zero's sign included.
bool SameValue(Real a, Real b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

constexpr std::u16string_view Blanks = u" \t\n";

// A blank between every two characters and at both ends.
std::u16string SpreadOut(std::u16string_view text) {
    std::u16string spread;
    spread.reserve(2 * text.size() + 1);
    std::size_t kind = 0;
    for (const char16_t c : text) {
        spread += Blanks[kind++ % Blanks.size()];
        spread += c;
    }
    spread += u' ';
    return spread;
}

// Runs of one to three blanks at places picked by a hash of the text, so
// that every text gets its own places.
std::u16string Sprinkle(std::u16string_view text) {
    std::uint64_t state = 1469598103934665603ULL;
    for (const char16_t c : text) {
        state = (state ^ c) * 1099511628211ULL;
    }
    std::u16string sprinkled;
    sprinkled.reserve(text.size() + text.size() / 2 + 4);
    for (std::size_t at = 0; at <= text.size(); ++at) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto roll = static_cast<unsigned>(state >> 59U);  // 0..31
        if (roll < 6) {
            for (unsigned run = 0; run <= roll % 3; ++run) {
                sprinkled += Blanks[(roll + run) % Blanks.size()];
            }
        }
        if (at < text.size()) {
            sprinkled += text[at];
        }
    }
    return sprinkled;
}

void Check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = zenalto::fuzz::TextOfBytes(std::span(data, size));
    const Real value = ValueOfText(text);
    Check(!std::isnan(value), "a text reads as NaN");
    Check(SameValue(ValueOfText(SpreadOut(text)), value),
          "a blank between every two characters changes the value");
    Check(SameValue(ValueOfText(Sprinkle(text)), value),
          "blanks put here and there change the value");
    return 0;
}
