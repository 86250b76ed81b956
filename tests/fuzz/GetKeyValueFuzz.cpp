// GetKeyValue and StartSysInfo over any registry value: any type, any data of
// 0 to 2048 bytes, and a registry that may report a data size of its own.
// Each read gives the text the conversion rules call for, and each press of
// the button ends in one started tool, with a path that is neither cut short
// nor garbled, or in the one message.
//
// Input: a flag byte, the value type (4 bytes, least significant first), a
// reported data size (4 bytes, used when flag bit 1 is set), then the data.
// Flag bit 0: the value is "MSINFO" (a folder) rather than "PATH"; bit 2:
// KeyVal holds a text on entry.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "about/SysInfoLauncher.h"
#include "about/launcher/NativeLikePlatform.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramTexts.h"

namespace {

using namespace zenalto;
using zenalto::testing::FakePlatform;
using zenalto::testing::NativeLikePlatform;

void Check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

const std::string MsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string ToolFileName = "\\MSINFO32.EXE";
constexpr std::size_t ValueBufferSize = 1024;
constexpr std::size_t MaxDataSize = 2048;

std::uint32_t Read32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8U) |
           (static_cast<std::uint32_t>(bytes[2]) << 16U) |
           (static_cast<std::uint32_t>(bytes[3]) << 24U);
}

std::string HexLastToFirst(std::string_view bytes) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string hex;
    for (auto at = bytes.rbegin(); at != bytes.rend(); ++at) {
        const auto code = static_cast<unsigned char>(*at);
        hex += digits[code >> 4U];
        hex += digits[code & 0x0FU];
    }
    return hex;
}

// What GetKeyValue must give: nothing for an error, else its result and KeyVal.
struct Expected {
    bool error = false;
    bool result = false;
    std::string keyVal;
};

Expected Expect(std::uint32_t type, const std::string& data, std::optional<std::int32_t> reported,
                const std::string& held) {
    if (data.size() > ValueBufferSize) {
        return {false, false, ""};  // does not fit: cannot be read
    }
    const std::int64_t size = reported ? *reported : static_cast<std::int64_t>(data.size());
    if (size <= 0 || size > static_cast<std::int64_t>(ValueBufferSize)) {
        return {true, false, ""};
    }
    std::string buffer = data;
    buffer.resize(ValueBufferSize, '\0');  // the rest of the buffer stays zero
    std::string text = buffer.substr(0, static_cast<std::size_t>(size));
    if (text.back() == '\0') {
        text.pop_back();
    }
    if (type == RegSz) {
        return {false, true, text};
    }
    if (type == RegDword) {
        const std::string hex = held + HexLastToFirst(text);
        const bool number = held.empty() && !text.empty() && text.size() <= 4;
        if (!number) {
            return {false, true, "&h" + hex};
        }
        std::uint32_t bits = 0;
        for (std::size_t at = text.size(); at-- > 0;) {
            bits = (bits << 8U) | static_cast<unsigned char>(text[at]);
        }
        return {false, true, std::to_string(static_cast<std::int32_t>(bits))};
    }
    return {false, true, held};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t HeaderSize = 9;
    if (size < HeaderSize || size - HeaderSize > MaxDataSize) {
        return -1;  // not an input of this target: kept out of the corpus
    }
    const std::uint8_t flags = data[0];
    const bool folder = (flags & 1U) != 0;
    const std::uint32_t type = Read32(data + 1);
    const std::optional<std::int32_t> reported =
        (flags & 2U) != 0 ? std::optional(static_cast<std::int32_t>(Read32(data + 5)))
                          : std::nullopt;
    const std::string held = (flags & 4U) != 0 ? "held" : "";
    const std::string value(reinterpret_cast<const char*>(data + HeaderSize), size - HeaderSize);
    const Expected expected = Expect(type, value, reported, held);

    // --- GetKeyValue alone ---
    {
        FakePlatform platform;
        platform.registry["Key"]["Value"] = {type, value};
        if (reported) {
            platform.reportedSizes["Value"] = *reported;
        }
        std::string KeyVal = held;
        bool result = false;
        bool error = false;
        try {
            result = GetKeyValue(platform, HkeyLocalMachine, "Key", "Value", KeyVal);
        } catch (const RegistryDataError&) {
            error = true;
        }
        Check(error == expected.error, "an error where none is due, or none where one is");
        if (!error) {
            Check(result == expected.result, "GetKeyValue's result");
            Check(KeyVal == expected.keyVal, "GetKeyValue's KeyVal");
        }
        Check(platform.closedKeys == std::vector<RegistryKey>{1}, "the key is not closed once");
    }

    // --- the button, with the value as "PATH" or as "MSINFO" ---
    NativeLikePlatform platform;
    const std::string& key = folder ? LocationKey : MsinfoKey;
    const std::string name = folder ? "MSINFO" : "PATH";
    platform.registry[key][name] = {type, value};
    if (reported) {
        platform.reportedSizes[name] = *reported;
    }
    StartSysInfo(platform);

    const Expected path = Expect(type, value, reported, "");
    std::optional<std::string> tool;
    if (!path.error && path.result) {
        tool = folder ? path.keyVal + ToolFileName : path.keyVal;
    }
    if (tool && (tool->empty() || tool->find('\0') != std::string::npos)) {
        tool.reset();
    }
    const bool message =
        platform.messages.size() == 1 &&
        platform.messages[0].prompt == zenalto::program_texts::SysInfoUnavailablePrompt &&
        platform.messages[0].style == MessageStyle::OkOnly && platform.messages[0].title.empty();
    if (tool) {
        Check(platform.started == std::vector<std::string>{*tool},
              "the tool did not start, or from another path");
        Check(platform.messages.empty(), "a message beside a started tool");
    } else {
        Check(platform.started.empty(), "a tool started from a bad path");
        Check(message, "not exactly the one message");
    }
    Check(platform.closedKeys.size() == platform.openedKeys.size(), "an open key left open");
    return 0;
}
