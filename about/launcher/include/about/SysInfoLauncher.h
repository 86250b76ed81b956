#pragma once

// The About dialog's "&System Info..." button: finds the operating system's
// System Information tool through two registry values and starts it, or tells
// the user in one message that it cannot. Texts are narrow bytes in the
// system's ANSI code page; the tool path stays in that form from the registry
// to the file test and the process start.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/NativePlatform.h"
#include "platform/Platform.h"

namespace zenalto {

// Where the tool is looked for first: the value "PATH" of this key below
// HKEY_LOCAL_MACHINE holds its full path.
inline constexpr std::string_view SysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view SysInfoPathValue = "PATH";

// The Linux desktops' System Information tools, by preference, all in Debian
// and all showing their window when started with no argument: hardinfo (GTK,
// any desktop; the fullest report), kinfocenter (KDE Plasma), xfce4-about
// (Xfce, in libxfce4ui-utils), cpu-x (GTK).
inline constexpr std::array<std::string_view, 4> SysInfoLinuxPrograms = {"hardinfo", "kinfocenter",
                                                                         "xfce4-about", "cpu-x"};

// The key's value as a system without a registry emulates it, which the
// program hands its native platform at the start: the first of the Linux tools
// found on PATH.
inline constexpr EmulatedProgramValue SysInfoEmulatedValue{SysInfoKey, SysInfoPathValue,
                                                           SysInfoLinuxPrograms};

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
