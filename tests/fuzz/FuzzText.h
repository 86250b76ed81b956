#pragma once

// Turns a fuzzer's bytes into field texts. The bytes are read as UTF-8, so a
// seed file is plain readable text; bytes that are not UTF-8 become the
// character of the same code, and three-byte forms of the surrogates are let
// through, so every UTF-16 code unit can be reached.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zenalto::fuzz {

inline std::u16string TextOfBytes(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    const auto continuation = [&](std::size_t offset) {
        return at + offset < bytes.size() && (bytes[at + offset] & 0xC0U) == 0x80U;
    };
    while (at < bytes.size()) {
        const unsigned lead = bytes[at];
        if (lead >= 0xC2U && lead < 0xE0U && continuation(1)) {
            text += static_cast<char16_t>(((lead & 0x1FU) << 6U) | (bytes[at + 1] & 0x3FU));
            at += 2;
        } else if (lead >= 0xE0U && lead < 0xF0U && continuation(1) && continuation(2)) {
            text +=
                static_cast<char16_t>(((lead & 0x0FU) << 12U) | ((bytes[at + 1] & 0x3FU) << 6U) |
                                      (bytes[at + 2] & 0x3FU));
            at += 3;
        } else if (lead >= 0xF0U && lead < 0xF5U && continuation(1) && continuation(2) &&
                   continuation(3)) {
            const std::uint32_t code = ((lead & 0x07U) << 18U) | ((bytes[at + 1] & 0x3FU) << 12U) |
                                       ((bytes[at + 2] & 0x3FU) << 6U) | (bytes[at + 3] & 0x3FU);
            if (code >= 0x10000U && code <= 0x10FFFFU) {
                text += static_cast<char16_t>(0xD800U + ((code - 0x10000U) >> 10U));
                text += static_cast<char16_t>(0xDC00U + ((code - 0x10000U) & 0x3FFU));
            } else {
                text += static_cast<char16_t>(lead);
                at -= 3;  // not a character: take the lead byte alone
            }
            at += 4;
        } else {
            text += static_cast<char16_t>(lead);
            ++at;
        }
    }
    return text;
}

}  // namespace zenalto::fuzz
