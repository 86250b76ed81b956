#include "about/SysInfoLauncher.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <exception>
#include <utility>

namespace zenalto {

namespace {

constexpr std::string_view ToolLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::string_view ToolLocationValue = "MSINFO";
constexpr std::string_view ToolFileName = "\\MSINFO32.EXE";
constexpr std::u16string_view UnavailableMessage =
    u"System Information Is Unavailable At This Time";

// The room for a value's data, in bytes.
constexpr std::size_t ValueBufferSize = 1024;

// The value's data as text: the first dataSize bytes, less the last one when
// that is a NUL, so that a text stored with its terminating NUL and one stored
// without it read alike. The rule holds for every value type.
std::string_view CutValueText(const std::array<std::byte, ValueBufferSize>& buffer,
                              std::int32_t dataSize) {
    if (dataSize == 0) {
        throw RegistryDataError("the registry value has no data");
    }
    // A misbehaving registry must not make us read outside the buffer.
    if (dataSize < 0 || static_cast<std::size_t>(dataSize) > buffer.size()) {
        throw RegistryDataError("the registry gave a data size outside the value buffer");
    }
    auto length = static_cast<std::size_t>(dataSize);
    if (buffer[length - 1] == std::byte{0}) {
        --length;
    }
    return {reinterpret_cast<const char*>(buffer.data()), length};
}

// The bytes of `text` from the last to the first, each as two upper-case
// hexadecimal digits: a REG_DWORD, stored least significant byte first, comes
// out most significant digit first.
std::string HexDigitsLastToFirst(std::string_view text) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * text.size());
    for (auto position = text.rbegin(); position != text.rend(); ++position) {
        const auto code = static_cast<unsigned char>(*position);
        hex += digits[code >> 4U];
        hex += digits[code & 0x0FU];
    }
    return hex;
}

// The general formatting of a text with no format pattern, for the texts
// GetKeyValue makes of a REG_DWORD: "&h" and hexadecimal digits. We give the
// number in decimal, up to eight digits being the 32 bits of a signed 32-bit
// number, as the registry stores a REG_DWORD: "&h12345678" gives "305419896",
// "&hFFFFFFFF" gives "-1", and "&h000100" (a number whose top byte is 0, which
// the NUL cut has dropped) gives "256". Any other text, such as more digits
// than 32 bits hold, or what the caller left in the text ahead of the digits,
// is not such a number and is kept as it is.
std::string FormatGeneral(std::string text) {
    constexpr std::string_view prefix = "&h";
    constexpr std::size_t maxDigits = 8;
    if (!text.starts_with(prefix)) {
        return text;
    }
    const std::string_view hex = std::string_view(text).substr(prefix.size());
    if (hex.empty() || hex.size() > maxDigits) {
        return text;
    }
    std::uint32_t bits = 0;
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), bits, 16);
    if (error != std::errc{} || end != hex.data() + hex.size()) {
        return text;
    }
    std::array<char, 16> decimal{};
    const auto written = std::to_chars(decimal.data(), decimal.data() + decimal.size(),
                                       static_cast<std::int32_t>(bits));
    return {decimal.data(), written.ptr};
}

// Reads the value `SubKeyRef` of a key that is open into `KeyVal`.
bool QueryValue(Platform& platform, RegistryKey key, std::string_view SubKeyRef,
                std::string& KeyVal) {
    std::array<std::byte, ValueBufferSize> buffer{};
    auto dataSize = static_cast<std::int32_t>(buffer.size());
    std::uint32_t valueType = 0;
    if (platform.regQueryValueEx(key, SubKeyRef, valueType, buffer, dataSize) != ErrorSuccess) {
        // A missing value, and data longer than the buffer, among others.
        KeyVal.clear();
        return false;
    }
    const std::string_view text = CutValueText(buffer, dataSize);
    switch (valueType) {
        case RegSz:
            KeyVal = text;
            break;
        case RegDword:
            KeyVal = FormatGeneral("&h" + KeyVal + HexDigitsLastToFirst(text));
            break;
        default:
            // Read, but not converted: KeyVal keeps what it held.
            break;
    }
    return true;
}

// The lookups, the file test and the start. False on the roads where the tool
// is not found; run-time errors are thrown.
bool LaunchTool(Platform& platform) {
    std::string toolPath;
    if (!GetKeyValue(platform, HkeyLocalMachine, SysInfoKey, SysInfoPathValue, toolPath)) {
        if (!GetKeyValue(platform, HkeyLocalMachine, ToolLocationKey, ToolLocationValue,
                         toolPath)) {
            return false;
        }
        // The folder and the file name are joined as they are, with no
        // separator added or removed.
        std::string toolFile = toolPath + std::string(ToolFileName);
        if (!platform.fileExists(toolFile)) {
            return false;
        }
        toolPath = std::move(toolFile);
    }
    // A full path from "PATH" is started as it is, without a file test. The
    // backend starts the whole path as the program, never split at blanks.
    platform.startProcess(toolPath);
    return true;
}

}  // namespace

void StartSysInfo(Platform& platform) {
    bool started = false;
    try {
        started = LaunchTool(platform);
    } catch (const std::exception&) {
        // Every run-time error of the lookup and the start ends here: the
        // platform's PlatformError, our RegistryDataError, std::bad_alloc. Not
        // catch (...): what is not a std::exception is not an error of ours to
        // turn into a message, and some such things must go on unwinding, such
        // as the forced unwinding that ends a cancelled thread.
    }
    if (!started) {
        // Shown outside the handler, so that no exception is alive while the
        // modal message box runs.
        platform.messageBoxInLanguage(UnavailableMessage, MessageStyle::OkOnly, u"", "en");
    }
}

bool GetKeyValue(Platform& platform, std::int32_t KeyRoot, std::string_view KeyName,
                 std::string_view SubKeyRef, std::string& KeyVal) {
    RegistryKey key = 0;
    bool result = false;
    try {
        // Read-only access: asking for write rights as well makes the open fail
        // for an ordinary user under HKEY_LOCAL_MACHINE, and nothing is written.
        if (platform.regOpenKeyEx(registryKeyOf(KeyRoot), KeyName, 0, KeyRead, key) ==
            ErrorSuccess) {
            result = QueryValue(platform, key, SubKeyRef, KeyVal);
        } else {
            KeyVal.clear();
        }
    } catch (...) {
        // The key is closed also when an error ends the read early.
        platform.regCloseKey(key);
        throw;
    }
    // After a failed open too, with the handle as the open left it (0). The
    // close's result tells nothing that would change ours.
    platform.regCloseKey(key);
    return result;
}

}  // namespace zenalto
