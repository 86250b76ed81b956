// The calculation core at the sizes it meets: the short texts of the fields,
// and texts of 1 Mi and 10 Mi characters, which a user can paste into a field.
// Throughput counts one byte per character.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/NumericText.h"
#include "calc/OrbitVelocity.h"

namespace {

using zenalto::CalculateOrbitVelocity;
using zenalto::Real;

constexpr std::u16string_view ShortTexts[] = {u"159",  u"6378.206",     u"-1.5E+3",
                                              u"&H1F", u"  7 8 9 . 5 ", u"abc"};

// A long text made of `unit` repeated to `length` characters after `head`.
std::u16string LongText(std::u16string_view head, std::u16string_view unit, std::size_t length) {
    std::u16string text(head);
    text.reserve(length);
    while (text.size() < length) {
        text.append(unit.substr(0, length - text.size()));
    }
    return text;
}

void SetCharactersProcessed(benchmark::State& state, std::size_t characters) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(characters));
}

void BM_ValueOfText_Short(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto text : ShortTexts) {
            benchmark::DoNotOptimize(zenalto::ValueOfText(text));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::size(ShortTexts)));
}
BENCHMARK(BM_ValueOfText_Short);

// Decimal digits after the period: the longest path, every digit read.
void BM_ValueOfText_LongFraction(benchmark::State& state) {
    const auto text = LongText(u"0.", u"1234567890", static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zenalto::ValueOfText(text));
    }
    SetCharactersProcessed(state, text.size());
}
BENCHMARK(BM_ValueOfText_LongFraction)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// An integer too long for a Real: reads as an infinity, after every digit.
void BM_ValueOfText_LongInteger(benchmark::State& state) {
    const auto text = LongText(u"", u"9876543210", static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zenalto::ValueOfText(text));
    }
    SetCharactersProcessed(state, text.size());
}
BENCHMARK(BM_ValueOfText_LongInteger)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// Blanks between the digits, which the reader drops wherever they stand.
void BM_ValueOfText_LongSpaced(benchmark::State& state) {
    const auto text = LongText(u"1.", u" 2\t3\n", static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zenalto::ValueOfText(text));
    }
    SetCharactersProcessed(state, text.size());
}
BENCHMARK(BM_ValueOfText_LongSpaced)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

void BM_ValueOfText_LongHex(benchmark::State& state) {
    const auto text =
        LongText(u"&H", u"0123456789ABCDEF", static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zenalto::ValueOfText(text));
    }
    SetCharactersProcessed(state, text.size());
}
BENCHMARK(BM_ValueOfText_LongHex)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

void BM_TextOfNumber(benchmark::State& state) {
    constexpr Real Values[] = {7814.13458, 28130884.48936, 0.0, -1.5, 1.5E+20, 1E-07};
    for (auto _ : state) {
        for (const Real value : Values) {
            benchmark::DoNotOptimize(zenalto::TextOfNumber(value, u","));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::size(Values)));
}
BENCHMARK(BM_TextOfNumber);

void BM_RoundToFiveDecimals(benchmark::State& state) {
    Real value = 7814.134582147;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(zenalto::RoundToFiveDecimals(value));
    }
}
BENCHMARK(BM_RoundToFiveDecimals);

void BM_CalculateOrbitVelocity_Short(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculateOrbitVelocity(u"159", u"6378.206", u"."));
    }
}
BENCHMARK(BM_CalculateOrbitVelocity_Short);

// A pasted altitude of many digits: the reading dominates.
void BM_CalculateOrbitVelocity_LongAltitude(benchmark::State& state) {
    const auto altitude =
        LongText(u"159.", u"1234567890", static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculateOrbitVelocity(altitude, u"6378.206", u"."));
    }
    SetCharactersProcessed(state, altitude.size());
}
BENCHMARK(BM_CalculateOrbitVelocity_LongAltitude)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
