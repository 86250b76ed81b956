#pragma once

// The registry, file test and process start of the operating system the
// program runs on: Win32 on Windows, POSIX elsewhere. The message box, the
// regional settings and the end of the program are left to a subclass (the Qt
// backend in the program, a recording fake in the tests).

#include "platform/Platform.h"

namespace zenalto {

class NativePlatform : public Platform {
public:
    std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey, std::uint32_t options,
                              std::uint32_t samDesired, RegistryKey& result) override;
    std::int32_t regQueryValueEx(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                                 std::span<std::byte> data, std::int32_t& dataSize) override;
    std::int32_t regCloseKey(RegistryKey key) override;
    [[nodiscard]] bool fileExists(std::string_view path) override;
    void startProcess(std::string_view path) override;
};

}  // namespace zenalto
