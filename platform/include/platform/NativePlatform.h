#pragma once

// The registry, file test and process start of the operating system the
// program runs on: Win32 on Windows, POSIX elsewhere. The message box, the
// regional settings and the end of the program are left to a subclass (the Qt
// backend in the program, a recording fake in the tests).

#include <span>
#include <string_view>

#include "platform/Platform.h"

namespace zenalto {

// The one registry value that a system without a registry emulates: the value
// `valueName` of the key `key` below HKEY_LOCAL_MACHINE, a REG_SZ naming the
// full path of the first of `programs` found on PATH, looked up at each read.
// Every other key does not exist. The Windows backend reads the system's own
// registry and has no use for it. The texts are the caller's and must outlive
// the platform.
struct EmulatedProgramValue {
    std::string_view key;
    std::string_view valueName;
    std::span<const std::string_view> programs;
};

class NativePlatform : public Platform {
public:
    // With no value to emulate, a system without a registry has no key at all.
    NativePlatform() = default;
    explicit NativePlatform(const EmulatedProgramValue& emulated) noexcept : m_emulated(emulated) {}

    std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey, std::uint32_t options,
                              std::uint32_t samDesired, RegistryKey& result) override;
    std::int32_t regQueryValueEx(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                                 std::span<std::byte> data, std::int32_t& dataSize) override;
    std::int32_t regCloseKey(RegistryKey key) override;
    [[nodiscard]] bool fileExists(std::string_view path) override;
    void startProcess(std::string_view path) override;

private:
    EmulatedProgramValue m_emulated;
};

}  // namespace zenalto
