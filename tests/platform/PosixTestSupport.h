#pragma once

// Helpers for the tests of the POSIX backend: a temporary folder, scripts in
// it, a bounded wait for a file that a started program writes, PATH set for
// the length of a test. RecordingNativePlatform.h has the native platform with
// its message box recorded.

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "RecordingNativePlatform.h"

namespace zenalto::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zenalto-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        m_path = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    TempFolder(TempFolder&&) = delete;
    TempFolder& operator=(TempFolder&&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::string operator/(const std::string& name) const {
        return (m_path / name).string();
    }

private:
    std::filesystem::path m_path;
};

inline void writeFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
    ::chmod(path.c_str(), mode);
}

// An executable shell script; its commands come from the usual folders
// whatever PATH the test has set.
inline void writeScript(const std::string& path, const std::string& body) {
    writeFile(path, "#!/bin/sh\nPATH=/usr/bin:/bin\n" + body + "\n", 0755);
}

// Waits, within a generous bound, for a file that another process writes.
inline bool waitForFile(const std::string& path) {
    using namespace std::chrono_literals;
    const auto giveUp = std::chrono::steady_clock::now() + 30s;
    while (!std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The first line of a file written by another process, once it is complete
// (the writer ends it with a newline).
inline std::string readLine(const std::string& path) {
    std::string line;
    std::getline(std::ifstream(path), line);
    return line;
}

// PATH for the length of one test.
class ScopedSearchPath {
public:
    explicit ScopedSearchPath(const std::string& value) {
        if (const char* old = std::getenv("PATH")) {
            m_old = old;
        }
        ::setenv("PATH", value.c_str(), 1);
    }
    ScopedSearchPath(const ScopedSearchPath&) = delete;
    ScopedSearchPath& operator=(const ScopedSearchPath&) = delete;
    ScopedSearchPath(ScopedSearchPath&&) = delete;
    ScopedSearchPath& operator=(ScopedSearchPath&&) = delete;
    ~ScopedSearchPath() {
        if (m_old) {
            ::setenv("PATH", m_old->c_str(), 1);
        } else {
            ::unsetenv("PATH");
        }
    }

private:
    std::optional<std::string> m_old;
};

}  // namespace zenalto::testing
