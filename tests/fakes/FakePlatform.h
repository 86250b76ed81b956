#pragma once

// A platform that records what the program asks of it: every message box,
// every registry call, file test and process start, and the end of the
// program. The registry, the files and the programs that start are set up by
// the test.

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace zenalto::testing {

class FakePlatform : public Platform {
public:
    struct ShownMessage {
        std::u16string prompt;
        MessageStyle style = MessageStyle::OkOnly;
        std::u16string title;
        friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    };

    struct RegistryValue {
        std::uint32_t type = RegSz;
        std::string data;  // the raw bytes, terminating NUL included where stored
    };

    // --- what the test sets up ---
    std::u16string separator = u".";
    // Key path (below HKEY_LOCAL_MACHINE) -> value name -> value.
    std::map<std::string, std::map<std::string, RegistryValue>> registry;
    std::set<std::string> files;              // ordinary files that exist
    std::set<std::string> startablePrograms;  // paths that start as a program
    std::set<std::string> failingFileTests;   // paths the file system rejects
    // Value name -> a data size to answer instead of the data's length, as a
    // misbehaving registry might.
    std::map<std::string, std::int32_t> reportedSizes;

    // --- what the program did ---
    std::vector<ShownMessage> messages;
    int endProgramCalls = 0;
    std::vector<std::string> openedKeys;    // key paths asked for, in order
    std::vector<std::uint32_t> openAccess;  // the access mask of each open
    std::vector<std::string> queriedValues;
    std::vector<RegistryKey> closedKeys;
    std::vector<std::string> fileTests;
    std::vector<std::string> started;
    // Every registry call, file test and start, in order: "open KEY",
    // "query VALUE", "close HANDLE", "file PATH", "start PATH".
    std::vector<std::string> calls;

    void messageBox(std::u16string_view prompt, MessageStyle style,
                    std::u16string_view title) override {
        messages.push_back({std::u16string(prompt), style, std::u16string(title)});
    }
    std::u16string decimalSeparator() override { return separator; }
    void endProgram() override { ++endProgramCalls; }

    std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey, std::uint32_t /*options*/,
                              std::uint32_t samDesired, RegistryKey& result) override {
        calls.push_back("open " + std::string(subKey));
        openedKeys.emplace_back(subKey);
        openAccess.push_back(samDesired);
        if (root != registryKeyOf(HkeyLocalMachine)) {
            return ErrorFileNotFound;
        }
        const auto found = registry.find(std::string(subKey));
        if (found == registry.end()) {
            return ErrorFileNotFound;
        }
        m_handles.push_back(&found->second);
        result = m_handles.size();  // handles count from 1
        return ErrorSuccess;
    }

    std::int32_t regQueryValueEx(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                                 std::span<std::byte> data, std::int32_t& dataSize) override {
        calls.push_back("query " + std::string(valueName));
        queriedValues.emplace_back(valueName);
        if (key == 0 || key > m_handles.size()) {
            return 6;  // ERROR_INVALID_HANDLE
        }
        const auto& values = *m_handles[key - 1];
        const auto found = values.find(std::string(valueName));
        if (found == values.end()) {
            return ErrorFileNotFound;
        }
        const std::string& bytes = found->second.data;
        type = found->second.type;
        if (bytes.size() > static_cast<std::size_t>(dataSize) || bytes.size() > data.size()) {
            dataSize = static_cast<std::int32_t>(bytes.size());
            return ErrorMoreData;
        }
        std::memcpy(data.data(), bytes.data(), bytes.size());
        const auto reported = reportedSizes.find(std::string(valueName));
        dataSize = reported != reportedSizes.end() ? reported->second
                                                   : static_cast<std::int32_t>(bytes.size());
        return ErrorSuccess;
    }

    std::int32_t regCloseKey(RegistryKey key) override {
        calls.push_back("close " + std::to_string(key));
        closedKeys.push_back(key);
        return key == 0 ? 6 : ErrorSuccess;
    }

    bool fileExists(std::string_view path) override {
        calls.push_back("file " + std::string(path));
        fileTests.emplace_back(path);
        if (failingFileTests.contains(std::string(path))) {
            throw PlatformError("the drive is not ready");
        }
        return files.contains(std::string(path));
    }

    void startProcess(std::string_view path) override {
        calls.push_back("start " + std::string(path));
        if (!startablePrograms.contains(std::string(path))) {
            throw PlatformError("no program at this path");
        }
        started.emplace_back(path);
    }

private:
    std::vector<const std::map<std::string, RegistryValue>*> m_handles;
};

}  // namespace zenalto::testing
