#pragma once

// The About dialog's "&System Info..." button: finds the operating system's
// System Information tool through two registry values and starts it, or tells
// the user in one message that it cannot. Texts are narrow bytes in the
// system's ANSI code page; the tool path stays in that form from the registry
// to the file test and the process start.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace zenalto {

// A registry value that GetKeyValue cannot turn into text: one with no data at
// all, or a data size that does not fit the value buffer.
class RegistryDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Looks the tool up, starts it without waiting, and shows "System Information
// Is Unavailable At This Time" on every road where it cannot. Returns normally
// on every road.
void StartSysInfo(Platform& platform);

// Reads the value `SubKeyRef` of the key `KeyName` below the root `KeyRoot`
// into `KeyVal`. Returns false, with `KeyVal` emptied, when the key cannot be
// opened or the value cannot be read; true once the value has been read,
// whatever its type (a type it does not convert leaves `KeyVal` as it was).
// Throws RegistryDataError for a value without data, and lets the platform's
// errors through.
bool GetKeyValue(Platform& platform, std::int32_t KeyRoot, std::string_view KeyName,
                 std::string_view SubKeyRef, std::string& KeyVal);

}  // namespace zenalto
