#pragma once

// Helpers for the tests of the Windows backend, meant to run in a throw-away
// Wine prefix: a temporary folder on its C: drive, registry values written
// with their exact bytes and put back afterwards, and copies of the marker
// tool (MarkerTool.cpp) that report their start.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "RecordingNativePlatform.h"

namespace zenalto::testing {

class TempFolder {
public:
    // Always a folder of our own, never one left behind: a folder whose tool
    // was still ending when its test finished cannot be removed, and Wine
    // gives the next run in the same prefix the same process id.
    TempFolder() {
        static int count = 0;
        do {
            m_path = std::filesystem::temp_directory_path() /
                     ("zenalto-" + std::to_string(::GetCurrentProcessId()) + "-" +
                      std::to_string(++count));
        } while (!std::filesystem::create_directories(m_path));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    TempFolder(TempFolder&&) = delete;
    TempFolder& operator=(TempFolder&&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // The folder as Windows names it, in the ANSI code page.
    [[nodiscard]] std::string path() const { return m_path.string(); }
    [[nodiscard]] std::string operator/(const std::string& name) const {
        return path() + "\\" + name;
    }

private:
    std::filesystem::path m_path;
};

inline void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Waits, within a generous bound, for a file that another process writes.
inline bool waitForFile(const std::string& path) {
    using namespace std::chrono_literals;
    const auto giveUp = std::chrono::steady_clock::now() + 30s;
    while (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The whole of a file that another process may still hold open. The marker
// tool's rename keeps its report open for deletion for a moment after the
// report appears under its name, and an open that does not share deletion
// fails until then.
inline std::string readShared(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path + " (Windows error " +
                                 std::to_string(::GetLastError()) + ")");
    }
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE && got > 0) {
        text.append(buffer, got);
    }
    ::CloseHandle(file);
    return text;
}

inline bool exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A copy of the marker tool, built next to the test executable.
class MarkerTool {
public:
    explicit MarkerTool(std::string path) : m_path(std::move(path)) {
        std::string self(MAX_PATH, '\0');
        self.resize(::GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
        const auto original = std::filesystem::path(self).parent_path() / "zenalto_marker_tool.exe";
        std::filesystem::create_directories(std::filesystem::path(m_path).parent_path());
        std::filesystem::copy_file(original, m_path);
    }

    [[nodiscard]] const std::string& path() const { return m_path; }
    [[nodiscard]] bool started() const { return exists(m_path + ".started"); }
    [[nodiscard]] bool waitForStart() const { return waitForFile(m_path + ".started"); }
    [[nodiscard]] bool finished() const { return exists(m_path + ".finished"); }

    // What the tool wrote when it started: its command line and window style.
    struct Report {
        std::string commandLine;
        std::string show;
    };
    [[nodiscard]] Report report() const {
        std::istringstream file(readShared(m_path + ".started"));
        Report report;
        std::getline(file, report.commandLine);
        std::getline(file, report.show);
        return report;
    }

    // Lets the tool end, and waits until it has.
    bool release() const {
        writeFile(m_path + ".release", "");
        return waitForFile(m_path + ".finished");
    }

private:
    std::string m_path;
};

// A key handle as a Win64 program holds it: the platform's 32-bit value
// widened by sign extension.
inline HKEY hkeyOf(RegistryKey key) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(key));
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(low));
}

struct RegistryValue {
    DWORD type = REG_SZ;
    std::string bytes;  // exactly as stored: a text's NUL only where written
};

inline RegistryValue text(const std::string& value) {
    return {REG_SZ, value + '\0'};
}

// One value below HKEY_LOCAL_MACHINE, removed for the length of a test and put
// back as it was afterwards; set() stores exact bytes, including none at all.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(const std::string& keyPath, std::string name) : m_name(std::move(name)) {
        check(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr),
              "create the key " + keyPath);
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(m_key, m_name.c_str(), nullptr, &type, nullptr, &size) ==
            ERROR_SUCCESS) {
            std::string bytes(size, '\0');
            check(::RegQueryValueExA(m_key, m_name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(bytes.data()), &size),
                  "save " + m_name);
            bytes.resize(size);
            m_saved = RegistryValue{type, bytes};
        }
        clear();
    }
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue(ScopedRegistryValue&&) = delete;
    ScopedRegistryValue& operator=(ScopedRegistryValue&&) = delete;
    ~ScopedRegistryValue() {
        if (m_saved) {
            ::RegSetValueExA(m_key, m_name.c_str(), 0, m_saved->type,
                             reinterpret_cast<const BYTE*>(m_saved->bytes.data()),
                             static_cast<DWORD>(m_saved->bytes.size()));
        } else {
            clear();
        }
        ::RegCloseKey(m_key);
    }

    void set(const RegistryValue& value) const {
        check(::RegSetValueExA(m_key, m_name.c_str(), 0, value.type,
                               reinterpret_cast<const BYTE*>(value.bytes.data()),
                               static_cast<DWORD>(value.bytes.size())),
              "set " + m_name);
    }

    void clear() const { ::RegDeleteValueA(m_key, m_name.c_str()); }

private:
    static void check(LSTATUS status, const std::string& what) {
        if (status != ERROR_SUCCESS) {
            throw std::runtime_error("cannot " + what + " (Windows error " +
                                     std::to_string(status) + ")");
        }
    }
    HKEY m_key = nullptr;
    std::string m_name;
    std::optional<RegistryValue> m_saved;
};

}  // namespace zenalto::testing
