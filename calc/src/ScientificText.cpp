#include "calc/ScientificText.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace zenalto {

namespace {

constexpr std::array<std::uint64_t, 20> PowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// An unsigned integer in 32-bit limbs, least significant first, just large
// enough for the products below: at most 2^53 * 10^343 (1193 bits) for the
// smallest Reals scaled up, and 2^1024 for the largest.
class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value) noexcept {
        for (; value != 0; value >>= 32U) {
            m_limbs[m_size++] = static_cast<std::uint32_t>(value);
        }
    }

    void multiply(std::uint32_t factor) noexcept {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < m_size; ++i) {
            const std::uint64_t product = std::uint64_t{m_limbs[i]} * factor + carry;
            m_limbs[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32U;
        }
        if (carry != 0) {
            m_limbs[m_size++] = static_cast<std::uint32_t>(carry);
        }
    }

    // Divides, rounding down; returns the remainder.
    std::uint32_t divide(std::uint32_t divisor) noexcept {
        std::uint64_t remainder = 0;
        for (std::size_t i = m_size; i-- > 0;) {
            const std::uint64_t part = (remainder << 32U) | m_limbs[i];
            m_limbs[i] = static_cast<std::uint32_t>(part / divisor);
            remainder = part % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }

    void multiplyByPowerOfTen(int exponent) noexcept {
        for (; exponent >= 9; exponent -= 9) {
            multiply(1'000'000'000U);
        }
        multiply(static_cast<std::uint32_t>(PowersOfTen[static_cast<std::size_t>(exponent)]));
    }

    // Divides by 10^exponent, rounding down; tells whether anything was lost.
    bool divideByPowerOfTen(int exponent) noexcept {
        bool lost = false;
        for (; exponent >= 9; exponent -= 9) {
            lost = divide(1'000'000'000U) != 0 || lost;
        }
        return divide(static_cast<std::uint32_t>(
                   PowersOfTen[static_cast<std::size_t>(exponent)])) != 0 ||
               lost;
    }

    void shiftLeft(unsigned bits) noexcept {
        if (m_size == 0) {
            return;
        }
        const std::size_t words = bits / 32U;
        const unsigned rest = bits % 32U;
        const std::size_t size = m_size + words + 1;
        // From the top down: limb j is read from limbs j - words and below only.
        for (std::size_t j = size; j-- > words;) {
            const std::size_t i = j - words;
            const std::uint64_t pair =
                (std::uint64_t{limb(i)} << 32U) | (i == 0 ? 0U : limb(i - 1));
            m_limbs[j] = static_cast<std::uint32_t>(pair >> (32U - rest));
        }
        for (std::size_t j = 0; j < words; ++j) {
            m_limbs[j] = 0;
        }
        m_size = size;
        trim();
    }

    // Shifts right, rounding down; tells whether a non-zero bit was dropped.
    bool shiftRight(unsigned bits) noexcept {
        const std::size_t words = bits / 32U;
        const unsigned rest = bits % 32U;
        bool lost = false;
        for (std::size_t i = 0; i < words && i < m_size; ++i) {
            lost = lost || m_limbs[i] != 0;
        }
        if (words >= m_size) {
            m_size = 0;
            return lost;
        }
        lost = lost || (m_limbs[words] & ((std::uint32_t{1} << rest) - 1U)) != 0;
        // From the bottom up: limb j is read from limbs j + words and above only.
        for (std::size_t j = 0; j + words < m_size; ++j) {
            const std::size_t i = j + words;
            const std::uint64_t pair = (std::uint64_t{limb(i + 1)} << 32U) | m_limbs[i];
            m_limbs[j] = static_cast<std::uint32_t>(pair >> rest);
        }
        m_size -= words;
        trim();
        return lost;
    }

    [[nodiscard]] bool fitsIn64Bits() const noexcept { return m_size <= 2; }

    [[nodiscard]] std::uint64_t low64Bits() const noexcept {
        return (std::uint64_t{limb(1)} << 32U) | limb(0);
    }

private:
    [[nodiscard]] std::uint32_t limb(std::size_t i) const noexcept {
        return i < m_size ? m_limbs[i] : 0U;
    }

    void trim() noexcept {
        while (m_size > 0 && m_limbs[m_size - 1] == 0) {
            --m_size;
        }
    }

    std::array<std::uint32_t, 40> m_limbs{};
    std::size_t m_size = 0;
};

// floor(log10(2^exponent)), or one less or more: the digit count is checked
// afterwards anyway.
int EstimateDecimalExponent(int binaryExponent) noexcept {
    return (binaryExponent * 1233) >> 12;  // 1233 / 4096 ~ log10(2); C++20 shifts are floors
}

}  // namespace

ScientificText::ScientificText(Real value, int precision) noexcept {
    // std::bit_cast is missing from some standard libraries (Emscripten 3.1's).
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits >> 63U) != 0) {
        m_chars[m_size++] = '-';
    }
    // value = +-mantissa * 2^binaryExponent, exactly.
    const auto biased = static_cast<int>((bits >> 52U) & 0x7FFU);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52U) - 1U);
    int binaryExponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52U;
        binaryExponent = biased - 1075;
    }

    // The kept digits as one integer, and the decimal exponent of the first.
    const int kept = precision + 1;
    std::uint64_t digits = 0;
    int exponent = 0;
    if (mantissa != 0) {
        exponent = EstimateDecimalExponent(binaryExponent +
                                           static_cast<int>(std::bit_width(mantissa)) - 1);
        for (;;) {
            // floor(|value| * 10^scale), which has kept + 1 digits when the
            // exponent is right; `inexact` when the floor dropped something.
            const int scale = kept - exponent;
            BigUnsigned scaled(mantissa);
            bool inexact = false;
            if (binaryExponent > 0) {
                scaled.shiftLeft(static_cast<unsigned>(binaryExponent));
            }
            if (scale > 0) {
                scaled.multiplyByPowerOfTen(scale);
            } else if (scale < 0) {
                inexact = scaled.divideByPowerOfTen(-scale);
            }
            if (binaryExponent < 0) {
                inexact = scaled.shiftRight(static_cast<unsigned>(-binaryExponent)) || inexact;
            }
            if (!scaled.fitsIn64Bits()) {
                ++exponent;
                continue;
            }
            std::uint64_t withNext = scaled.low64Bits();
            const auto keptIndex = static_cast<std::size_t>(kept);
            if (withNext < PowersOfTen[keptIndex]) {
                --exponent;
                continue;
            }
            while (withNext >= PowersOfTen[keptIndex + 1]) {
                inexact = inexact || withNext % 10 != 0;
                withNext /= 10;
                ++exponent;
            }
            // Rounded once, to nearest; an exact half goes to the even neighbour.
            const std::uint64_t next = withNext % 10;
            digits = withNext / 10;
            if (next > 5 || (next == 5 && (inexact || digits % 2 != 0))) {
                ++digits;
                if (digits == PowersOfTen[keptIndex]) {
                    digits = PowersOfTen[keptIndex - 1];
                    ++exponent;
                }
            }
            break;
        }
    }

    const std::size_t first = m_size;
    m_size += static_cast<std::size_t>(kept) + (kept > 1 ? 1U : 0U);
    for (std::size_t at = m_size; at-- > first;) {
        if (kept > 1 && at == first + 1) {
            m_chars[at] = '.';
        } else {
            m_chars[at] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
    }
    m_chars[m_size++] = 'e';
    m_chars[m_size++] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) {
        m_chars[m_size++] = static_cast<char>('0' + magnitude / 100);
    }
    m_chars[m_size++] = static_cast<char>('0' + magnitude / 10 % 10);
    m_chars[m_size++] = static_cast<char>('0' + magnitude % 10);
}

}  // namespace zenalto
