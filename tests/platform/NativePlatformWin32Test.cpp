#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "Win32TestSupport.h"

namespace zenalto {
namespace {

using testing::exists;
using testing::hkeyOf;
using testing::MarkerTool;
using testing::RecordingNativePlatform;
using testing::RegistryValue;
using testing::ScopedRegistryValue;
using testing::TempFolder;
using testing::text;
using testing::writeFile;
using namespace std::string_literals;

constexpr const char* TestKey = "SOFTWARE\\Zenalto\\Tests";

// --- the registry ---

class RegistryTest : public ::testing::Test {
protected:
    // The key holds one value for the length of a test.
    void store(const RegistryValue& stored) { value.set(stored); }

    RegistryKey open() {
        RegistryKey key = 0;
        EXPECT_EQ(platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine), TestKey, 0, KeyRead, key),
                  ErrorSuccess);
        return key;
    }

    ScopedRegistryValue value{TestKey, "value"};
    RecordingNativePlatform platform;
};

TEST_F(RegistryTest, ReadsTheBytesAsStored) {
    const std::string longest(1023, 'x');
    const struct {
        const char* what;
        RegistryValue stored;
        std::string read = {};  // when it differs from the bytes stored
    } rows[] = {
        {"text", text("C:\\T")},
        // The registry keeps texts in UTF-16; Wine hands back the ANSI form of
        // one stored without its NUL with a NUL added.
        {"text without its NUL", {REG_SZ, "C:\\T"}, "C:\\T"s + '\0'},
        {"a single NUL", text("")},
        {"zero-length", {REG_SZ, ""}},
        {"number", {REG_DWORD, "\x78\x56\x34\x12"s}},
        {"number with a top byte of 0", {REG_DWORD, "\x00\x01\x00\x00"s}},
        {"expandable text", {REG_EXPAND_SZ, "%SystemRoot%\\x"s + '\0'}},
        {"text filling the room", text(longest)},
    };
    for (const auto& row : rows) {
        store(row.stored);
        const RegistryKey key = open();
        std::array<std::byte, 1024> buffer{};
        std::uint32_t type = 0;
        auto size = static_cast<std::int32_t>(buffer.size());

        ASSERT_EQ(platform.regQueryValueEx(key, "value", type, buffer, size), ErrorSuccess)
            << row.what;
        EXPECT_EQ(type, row.stored.type) << row.what;
        const std::string& expected = row.read.empty() ? row.stored.bytes : row.read;
        ASSERT_EQ(size, static_cast<std::int32_t>(expected.size())) << row.what;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()),
                              static_cast<std::size_t>(size)),
                  expected)
            << row.what;
        EXPECT_EQ(platform.regCloseKey(key), ErrorSuccess) << row.what;
    }
}

TEST_F(RegistryTest, DataLongerThanTheRoomIsMoreData) {
    const struct {
        const char* what;
        std::string stored;
        std::int32_t room;      // the size passed in
        std::size_t spanBytes;  // the buffer handed over
    } rows[] = {
        {"over 1024 bytes", std::string(1024, 'x') + '\0', 1024, 1024},
        {"room below the buffer", "C:\\T"s + '\0', 3, 1024},
        {"buffer below the room", "C:\\T"s + '\0', 1024, 4},
        {"no room at all", "C:\\T"s + '\0', 0, 1024},
        {"negative room", "C:\\T"s + '\0', -1, 1024},
    };
    for (const auto& row : rows) {
        store({REG_SZ, row.stored});
        const RegistryKey key = open();
        std::array<std::byte, 1024> buffer{};
        std::uint32_t type = 0;
        std::int32_t size = row.room;

        EXPECT_EQ(platform.regQueryValueEx(key, "value", type,
                                           std::span(buffer).first(row.spanBytes), size),
                  ErrorMoreData)
            << row.what;
        // The size needed comes back, so a caller could make the room.
        EXPECT_EQ(size, static_cast<std::int32_t>(row.stored.size())) << row.what;
        EXPECT_EQ(type, RegSz) << row.what;
        platform.regCloseKey(key);
    }
}

TEST_F(RegistryTest, AZeroLengthValueFitsNoRoom) {
    store({REG_SZ, ""});
    const RegistryKey key = open();
    std::array<std::byte, 1> buffer{};
    std::uint32_t type = 0;
    std::int32_t size = 0;

    EXPECT_EQ(platform.regQueryValueEx(key, "value", type, buffer, size), ErrorSuccess);
    EXPECT_EQ(size, 0);
    platform.regCloseKey(key);
}

TEST_F(RegistryTest, WhatIsNotThereIsNotFound) {
    store(text("x"));
    {
        RegistryKey key = 77;
        EXPECT_EQ(platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine), "SOFTWARE\\Zenalto\\None",
                                        0, KeyRead, key),
                  ErrorFileNotFound);
        EXPECT_EQ(key, 77U);  // left as it was
    }
    const RegistryKey key = open();
    std::array<std::byte, 16> buffer{};
    std::uint32_t type = 99;
    std::int32_t size = 16;
    EXPECT_EQ(platform.regQueryValueEx(key, "missing", type, buffer, size), ErrorFileNotFound);
    EXPECT_EQ(type, 99U);
    EXPECT_EQ(size, 16);
    // A NUL inside a name would make Windows read another name.
    EXPECT_NE(platform.regQueryValueEx(key, "value\0x"s, type, buffer, size), ErrorSuccess);
    RegistryKey other = 0;
    EXPECT_NE(
        platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine), TestKey + "\0x"s, 0, KeyRead, other),
        ErrorSuccess);
    platform.regCloseKey(key);
}

TEST_F(RegistryTest, KeysOpenWithTheRightsAskedForAndClose) {
    store(text("x"));
    const RegistryKey key = open();
    ASSERT_NE(key, 0U);
    // Read-only: the handle refuses a write.
    const char data[] = "y";
    EXPECT_EQ(::RegSetValueExA(hkeyOf(key), "value", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                               sizeof data),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(platform.regCloseKey(key), ErrorSuccess);
    // Closed: the handle is no longer valid. So is no handle at all.
    EXPECT_NE(platform.regCloseKey(key), ErrorSuccess);
    EXPECT_NE(platform.regCloseKey(0), ErrorSuccess);
}

// --- fileExists ---

TEST(FileExists, CountsOnlyOrdinaryFiles) {
    TempFolder dir;
    const struct {
        std::string name;
        DWORD attributes;  // 0: a folder
        bool exists;
    } rows[] = {
        {"plain", FILE_ATTRIBUTE_NORMAL, true},
        {"read-only", FILE_ATTRIBUTE_READONLY, true},
        {"archive", FILE_ATTRIBUTE_ARCHIVE, true},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
        {"system", FILE_ATTRIBUTE_SYSTEM, false},
        {"hidden system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false},
        {"folder", 0, false},
    };
    for (const auto& row : rows) {
        const std::string path = dir / row.name;
        if (row.attributes == 0) {
            std::filesystem::create_directory(path);
        } else {
            writeFile(path, "x");
            ASSERT_NE(::SetFileAttributesA(path.c_str(), row.attributes), FALSE) << row.name;
        }
    }
    RecordingNativePlatform platform;
    for (const auto& row : rows) {
        EXPECT_EQ(platform.fileExists(dir / row.name), row.exists) << row.name;
    }
    for (const std::string& missing : {dir / "missing", dir / "no folder\\file", "Q:\\x"s}) {
        EXPECT_FALSE(platform.fileExists(missing)) << missing;
    }
    for (const auto& row : rows) {
        ::SetFileAttributesA((dir / row.name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(FileExists, PathsTheFileSystemRejectsAreErrors) {
    TempFolder dir;
    writeFile(dir / "file", "x");
    RecordingNativePlatform platform;
    const std::string rows[] = {
        dir / std::string(300, 'n'),  // longer than a path may be
        dir / "a<b",                  // a character no name may hold
        dir / "file\0x"s,             // a NUL would cut the path short
    };
    for (const std::string& path : rows) {
        EXPECT_THROW((void)platform.fileExists(path), PlatformError) << path;
    }
}

// --- startProcess ---

TEST(StartProcess, StartsShownNormallyAndReturnsAtOnce) {
    TempFolder dir;
    const MarkerTool tool(dir / "tool.exe");
    RecordingNativePlatform platform;

    platform.startProcess(tool.path());

    EXPECT_FALSE(tool.finished());  // not waited for: it runs until released
    ASSERT_TRUE(tool.waitForStart());
    const MarkerTool::Report report = tool.report();
    // The path is the program; the command line only repeats it, quoted.
    EXPECT_EQ(report.commandLine, "\"" + tool.path() + "\"");
    EXPECT_EQ(report.show, std::to_string(SW_SHOWNORMAL));
    EXPECT_TRUE(tool.release());
}

TEST(StartProcess, StartsTheWholePathWithBlanks) {
    TempFolder dir;
    const MarkerTool decoy(dir / "Program.exe");
    const MarkerTool tool(dir / "Program Files\\tool.exe");
    // The decoy is real: a path split at its first blank starts it.
    {
        std::string unquoted = tool.path();
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_NE(::CreateProcessA(nullptr, unquoted.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process),
                  FALSE);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        ASSERT_TRUE(decoy.waitForStart());
        ASSERT_TRUE(decoy.release());
        std::filesystem::remove(decoy.path() + ".started");
        std::filesystem::remove(decoy.path() + ".finished");
    }
    RecordingNativePlatform platform;

    platform.startProcess(tool.path());

    ASSERT_TRUE(tool.waitForStart());
    EXPECT_TRUE(tool.release());
    EXPECT_FALSE(decoy.started());
}

TEST(StartProcess, WhatIsNoProgramIsAnError) {
    TempFolder dir;
    writeFile(dir / "notes.exe", "not a program");
    std::filesystem::create_directory(dir / "folder.exe");
    const MarkerTool tool(dir / "tool.exe");
    RecordingNativePlatform platform;
    const std::string rows[] = {
        "",
        dir / "missing.exe",
        dir / "notes.exe",
        dir / "folder.exe",
        tool.path() + "\0x"s,  // a NUL would cut the path short
    };
    for (const std::string& path : rows) {
        EXPECT_THROW(platform.startProcess(path), PlatformError) << path;
    }
    EXPECT_FALSE(tool.started());
}

}  // namespace
}  // namespace zenalto
