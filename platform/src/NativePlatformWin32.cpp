// The native backend on Windows. The three registry functions are bound by
// name from advapi32 at their first call, so that the executable does not
// import them.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/NativePlatform.h"

namespace zenalto {

namespace {

using RegOpenKeyExAFunction = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExAFunction = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyFunction = LONG(WINAPI*)(HKEY);

PlatformError windowsError(std::string_view what, std::string_view path, DWORD error) {
    return PlatformError(std::string(what) + " \"" + std::string(path) + "\" (Windows error " +
                         std::to_string(error) + ")");
}

bool hasNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

// The path as a C string. Windows would stop at a NUL inside it and act on
// another path, so such a path is refused.
std::string cPath(std::string_view what, std::string_view path) {
    if (hasNul(path)) {
        throw windowsError(what, path, ERROR_INVALID_NAME);
    }
    return std::string(path);
}

// advapi32, loaded at the first registry call and kept for the rest of the run,
// from System32 alone: never a DLL of that name from the program's folder.
// A library that cannot be loaded is a run-time error, and is tried again at
// the next call rather than remembered as missing.
HMODULE advapi32() {
    static const HMODULE library = [] {
        const HMODULE loaded =
            ::LoadLibraryExW(L"advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (loaded == nullptr) {
            throw PlatformError("cannot load advapi32 (Windows error " +
                                std::to_string(::GetLastError()) + ")");
        }
        return loaded;
    }();
    return library;
}

// A function of advapi32 by name. A function that cannot be found is a
// run-time error.
template <typename Function>
Function bindAdvapi32(const char* name) {
    const FARPROC address = ::GetProcAddress(advapi32(), name);
    if (address == nullptr) {
        throw PlatformError(std::string("cannot find ") + name + " in advapi32");
    }
    // Through void (*)(), the function pointer type that stands for any.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Each function is bound at its own first call; a failed binding is tried
// again at the next.
RegOpenKeyExAFunction regOpenKeyExA() {
    static const auto function = bindAdvapi32<RegOpenKeyExAFunction>("RegOpenKeyExA");
    return function;
}

RegQueryValueExAFunction regQueryValueExA() {
    static const auto function = bindAdvapi32<RegQueryValueExAFunction>("RegQueryValueExA");
    return function;
}

RegCloseKeyFunction regCloseKeyA() {
    static const auto function = bindAdvapi32<RegCloseKeyFunction>("RegCloseKey");
    return function;
}

// A key travels as its 32-bit value; only those bits of a Windows handle are
// significant, and Win64 widens them by sign extension (HKEY_LOCAL_MACHINE is
// 0xFFFFFFFF80000002 there).
HKEY toHkey(RegistryKey key) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(key));
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(low));
}

RegistryKey fromHkey(HKEY key) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key));
}

}  // namespace

std::int32_t NativePlatform::regOpenKeyEx(RegistryKey root, std::string_view subKey,
                                          std::uint32_t options, std::uint32_t samDesired,
                                          RegistryKey& result) {
    const RegOpenKeyExAFunction open = regOpenKeyExA();
    if (hasNul(subKey)) {
        return ERROR_INVALID_PARAMETER;
    }
    const std::string name(subKey);
    HKEY opened = nullptr;
    const LONG status = open(toHkey(root), name.c_str(), options, samDesired, &opened);
    if (status == ERROR_SUCCESS) {
        result = fromHkey(opened);
    }
    return static_cast<std::int32_t>(status);
}

std::int32_t NativePlatform::regQueryValueEx(RegistryKey key, std::string_view valueName,
                                             std::uint32_t& type, std::span<std::byte> data,
                                             std::int32_t& dataSize) {
    const RegQueryValueExAFunction query = regQueryValueExA();
    if (hasNul(valueName)) {
        return ERROR_INVALID_PARAMETER;
    }
    const std::string name(valueName);
    // The room is what both the size passed in and the buffer allow. The data
    // pointer is never null: with a null one the query would answer success
    // and the size alone.
    std::byte noRoom{};
    const std::size_t room =
        std::min(data.size(), static_cast<std::size_t>(std::max(dataSize, std::int32_t{0})));
    auto* target = reinterpret_cast<LPBYTE>(room == 0 ? &noRoom : data.data());
    auto size = static_cast<DWORD>(room);
    DWORD valueType = 0;
    const LONG status = query(toHkey(key), name.c_str(), nullptr, &valueType, target, &size);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        type = valueType;
        dataSize = static_cast<std::int32_t>(std::min<DWORD>(size, INT32_MAX));
    }
    return static_cast<std::int32_t>(status);
}

std::int32_t NativePlatform::regCloseKey(RegistryKey key) {
    return static_cast<std::int32_t>(regCloseKeyA()(toHkey(key)));
}

bool NativePlatform::fileExists(std::string_view path) {
    constexpr std::string_view what = "cannot test the file";
    const std::string name = cPath(what, path);
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return false;
        }
        // A drive that is not ready, a name the file system rejects...
        throw windowsError(what, path, error);
    }
    // Only an ordinary file counts.
    constexpr DWORD notOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (attributes & notOrdinary) == 0;
}

void NativePlatform::startProcess(std::string_view path) {
    constexpr std::string_view what = "cannot start";
    if (path.empty()) {
        throw windowsError(what, path, ERROR_FILE_NOT_FOUND);
    }
    const std::string application = cPath(what, path);
    // The path itself names the program, so a path with blanks is never split
    // into a program and its arguments; the command line only repeats it,
    // quoted, as the program's name for itself.
    std::string commandLine = "\"" + application + "\"";

    STARTUPINFOA startup{};
    startup.cb = static_cast<DWORD>(sizeof startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                         nullptr, nullptr, &startup, &process) == FALSE) {
        throw windowsError(what, path, ::GetLastError());
    }
    // Nothing waits for the tool or keeps hold of it.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace zenalto
