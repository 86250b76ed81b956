#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

#include "PosixTestSupport.h"
#include "about/SysInfoLauncher.h"

namespace zenalto {
namespace {

using testing::readLine;
using testing::RecordingNativePlatform;
using testing::ScopedSearchPath;
using testing::TempFolder;
using testing::waitForFile;
using testing::writeFile;
using testing::writeScript;
using namespace std::string_literals;
namespace fs = std::filesystem;

// True when this process has no child left, not even a zombie.
bool noChildLeft() {
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// --- fileExists ---

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir / "file", "x");
        fs::create_directory(dir / "folder");
        writeFile(dir / ".hidden", "x");
        writeFile(dir / "folder/.config/visible", "x");
        fs::create_symlink(dir / "file", dir / "link-to-file");
        fs::create_symlink(dir / "folder", dir / "link-to-folder");
        fs::create_symlink(dir / "gone", dir / "dangling");
        fs::create_symlink(dir / "loop-b", dir / "loop-a");
        fs::create_symlink(dir / "loop-a", dir / "loop-b");
    }

    TempFolder dir;
    RecordingNativePlatform platform;
};

TEST_F(FileTest, CountsOnlyOrdinaryVisibleFiles) {
    const struct {
        std::string path;
        bool exists;
    } rows[] = {
        {dir / "file", true},
        {dir / "link-to-file", true},
        {dir / "folder/.config/visible", true},  // only the file's own name can hide it
        {dir / "folder", false},
        {dir / "link-to-folder", false},
        {dir / ".hidden", false},
        {dir / "missing", false},
        {dir / "dangling", false},
        {dir / "file/child", false},
        {"", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform.fileExists(row.path), row.exists) << row.path;
    }
}

TEST_F(FileTest, PathsTheFileSystemRejectsAreErrors) {
    const std::string rows[] = {
        dir / std::string(300, 'n'),  // a name too long
        dir / "loop-a",               // too many links
        dir / "file\0x"s,             // a NUL would cut the path short
    };
    for (const std::string& path : rows) {
        EXPECT_THROW((void)platform.fileExists(path), PlatformError) << path;
    }
}

// --- startProcess ---

// Our standard input for the length of a test: a pipe holding one line.
class ScopedInput {
public:
    explicit ScopedInput(const std::string& line) : m_saved(::dup(STDIN_FILENO)) {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        EXPECT_EQ(::write(ends[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
        ::close(ends[1]);
        ::dup2(ends[0], STDIN_FILENO);
        ::close(ends[0]);
    }
    ScopedInput(const ScopedInput&) = delete;
    ScopedInput& operator=(const ScopedInput&) = delete;
    ScopedInput(ScopedInput&&) = delete;
    ScopedInput& operator=(ScopedInput&&) = delete;
    ~ScopedInput() {
        ::dup2(m_saved, STDIN_FILENO);
        ::close(m_saved);
    }

private:
    int m_saved;
};

TEST(StartProcess, StartsDetachedAndReturnsAtOnce) {
    TempFolder dir;
    const std::string tool = dir / "tool";
    // Tells its parent, its session and what it reads from its standard
    // input, then runs until the test releases it (or gives up).
    writeScript(tool,
                "d='" + dir.path().string() +
                    "'\n"
                    "{ echo \"$PPID\"; cut -d' ' -f6 /proc/$$/stat; cat; } > \"$d/info.tmp\"\n"
                    "mv \"$d/info.tmp\" \"$d/info\"\n"
                    "i=0\n"
                    "while [ ! -e \"$d/release\" ] && [ $i -lt 600 ]; do\n"
                    "  sleep 0.05; i=$((i + 1))\n"
                    "done\n"
                    "touch \"$d/finished\"");
    RecordingNativePlatform platform;
    {
        const ScopedInput input("our input\n");
        platform.startProcess(tool);
    }
    EXPECT_FALSE(fs::exists(dir / "finished"));  // not waited for
    EXPECT_TRUE(noChildLeft());

    ASSERT_TRUE(waitForFile(dir / "info"));
    std::ifstream info(dir / "info");
    std::string parent;
    std::string session;
    std::string input;
    std::getline(info, parent);
    std::getline(info, session);
    std::getline(info, input);
    EXPECT_NE(parent, std::to_string(::getpid()));
    EXPECT_NE(session, std::to_string(::getsid(0)));
    EXPECT_EQ(input, "");  // its standard input is not ours

    writeFile(dir / "release", "");
    EXPECT_TRUE(waitForFile(dir / "finished"));
}

TEST(StartProcess, StartsTheWholePathWithBlanks) {
    TempFolder dir;
    writeScript(dir / "Program Files/tool", "echo right > '" + (dir / "right") + "'");
    writeScript(dir / "Program", "echo decoy > '" + (dir / "decoy") + "'");
    RecordingNativePlatform platform;

    platform.startProcess(dir / "Program Files/tool");

    ASSERT_TRUE(waitForFile(dir / "right"));
    EXPECT_EQ(readLine(dir / "right"), "right");
    EXPECT_FALSE(fs::exists(dir / "decoy"));
}

TEST(StartProcess, WhatCannotRunIsAnError) {
    TempFolder dir;
    writeFile(dir / "not-executable", "#!/bin/sh\n", 0644);
    fs::create_directory(dir / "folder");
    writeFile(dir / "no-interpreter-line", "true\n", 0755);  // only a shell would run it
    writeScript(dir / "tool", "");
    writeScript(dir / "Program", "");
    const std::string rows[] = {
        dir / "missing",
        dir / "not-executable",
        dir / "folder",
        dir / "no-interpreter-line",
        dir / "Program Files/tool",  // only "Program" is there
        dir / "tool\0x"s,
        "",
    };
    RecordingNativePlatform platform;
    for (const std::string& path : rows) {
        EXPECT_THROW(platform.startProcess(path), PlatformError) << path;
        EXPECT_TRUE(noChildLeft()) << path;
    }
}

// --- the emulated registry ---

const std::string MsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

class Registry : public ::testing::Test {
protected:
    struct Answer {
        std::int32_t status;
        std::uint32_t type;
        std::int32_t dataSize;
        std::string data;
    };

    RegistryKey openMsinfo() {
        RegistryKey key = 0;
        EXPECT_EQ(
            platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine), MsinfoKey, 0, KeyRead, key),
            ErrorSuccess);
        return key;
    }

    Answer query(RegistryKey key, std::string_view value, std::int32_t room = 1024) {
        std::array<std::byte, 1024> buffer{};
        Answer answer{0, 0, room, {}};
        answer.status = platform.regQueryValueEx(key, value, answer.type, buffer, answer.dataSize);
        if (answer.status == ErrorSuccess) {
            answer.data.assign(reinterpret_cast<const char*>(buffer.data()),
                               static_cast<std::size_t>(answer.dataSize));
        }
        return answer;
    }

    TempFolder dir;
    // The value the program emulates, as its start hands it in.
    RecordingNativePlatform platform{SysInfoEmulatedValue};
};

TEST_F(Registry, PathNamesTheFirstProgramOfTheListOnPath) {
    writeScript(dir / "bin/hardinfo", "");
    const ScopedSearchPath path(dir / "bin" + ":/usr/bin:/bin");

    const RegistryKey key = openMsinfo();
    const Answer answer = query(key, "PATH");

    EXPECT_EQ(answer.status, ErrorSuccess);
    EXPECT_EQ(answer.type, RegSz);
    EXPECT_EQ(answer.data, dir / "bin/hardinfo" + '\0');
    EXPECT_EQ(platform.regCloseKey(key), ErrorSuccess);
}

TEST_F(Registry, PrefersTheListsOrderToPaths) {
    writeScript(dir / "a/cpu-x", "");
    writeScript(dir / "b/hardinfo", "");
    const ScopedSearchPath path(dir / "a" + ":" + dir / "b");

    EXPECT_EQ(query(openMsinfo(), "PATH").data, dir / "b/hardinfo" + '\0');
}

TEST_F(Registry, PassesOverWhatCannotRunAndRelativeFolders) {
    writeFile(dir / "a/hardinfo", "#!/bin/sh\n", 0644);
    fs::create_directories(dir / "b/hardinfo");
    writeScript(dir / "hardinfo", "");
    writeScript(dir / "rel/hardinfo", "");
    writeScript(dir / "c/kinfocenter", "");
    const fs::path workingFolder = fs::current_path();
    fs::current_path(dir.path());
    const ScopedSearchPath path(":rel:" + dir / "a" + ":" + dir / "b" + ":" + dir / "c");

    const Answer answer = query(openMsinfo(), "PATH");

    fs::current_path(workingFolder);
    EXPECT_EQ(answer.data, dir / "c/kinfocenter" + '\0');
}

TEST_F(Registry, WithoutAProgramPathIsNotFoundAndLooksAfreshEachTime) {
    writeScript(dir / "bin/xfce4-about", "");
    const RegistryKey key = openMsinfo();
    {
        const ScopedSearchPath path(dir / "empty" + ":" + dir.path().string());
        EXPECT_EQ(query(key, "PATH").status, ErrorFileNotFound);
    }
    {
        const ScopedSearchPath path(dir / "bin");
        EXPECT_EQ(query(key, "PATH").data, dir / "bin/xfce4-about" + '\0');
    }
    ::unsetenv("PATH");
    EXPECT_EQ(query(key, "PATH").status, ErrorFileNotFound);
}

TEST_F(Registry, DataLongerThanTheRoomIsMoreData) {
    writeScript(dir / "bin/hardinfo", "");
    const ScopedSearchPath path(dir / "bin");
    const auto needed = static_cast<std::int32_t>((dir / "bin/hardinfo").size() + 1);

    const Answer tooSmall = query(openMsinfo(), "PATH", needed - 1);
    EXPECT_EQ(tooSmall.status, ErrorMoreData);
    EXPECT_EQ(tooSmall.dataSize, needed);
    EXPECT_EQ(query(openMsinfo(), "PATH", needed).status, ErrorSuccess);
}

TEST_F(Registry, NamesCompareWithoutCase) {
    writeScript(dir / "bin/hardinfo", "");
    const ScopedSearchPath path(dir / "bin");
    RegistryKey key = 0;
    ASSERT_EQ(platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine),
                                    "software\\microsoft\\SHARED TOOLS\\msinfo", 0, KeyRead, key),
              ErrorSuccess);
    EXPECT_EQ(query(key, "path").data, dir / "bin/hardinfo" + '\0');
}

TEST_F(Registry, HoldsNothingElse) {
    const struct {
        std::int32_t root;
        std::string key;
    } rows[] = {
        {HkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location"},
        {HkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools"},
        {static_cast<std::int32_t>(0x80000001U), MsinfoKey},  // HKEY_CURRENT_USER
    };
    for (const auto& row : rows) {
        RegistryKey key = 0;
        EXPECT_EQ(platform.regOpenKeyEx(registryKeyOf(row.root), row.key, 0, KeyRead, key),
                  ErrorFileNotFound)
            << row.key;
        EXPECT_EQ(key, 0U);
    }
    EXPECT_EQ(query(openMsinfo(), "MSINFO").status, ErrorFileNotFound);
    EXPECT_NE(platform.regCloseKey(0), ErrorSuccess);
}

TEST_F(Registry, EmulatesOnlyTheValueItIsGiven) {
    writeScript(dir / "bin/hardinfo", "");
    writeScript(dir / "bin/other-tool", "");
    const ScopedSearchPath path(dir / "bin");
    constexpr std::array<std::string_view, 1> programs = {"other-tool"};
    RecordingNativePlatform other({"SOFTWARE\\Other", "Where", programs});
    RecordingNativePlatform none;
    const RegistryKey hklm = registryKeyOf(HkeyLocalMachine);

    RegistryKey key = 0;
    ASSERT_EQ(other.regOpenKeyEx(hklm, "software\\other", 0, KeyRead, key), ErrorSuccess);
    std::array<std::byte, 1024> buffer{};
    std::uint32_t type = 0;
    auto dataSize = static_cast<std::int32_t>(buffer.size());
    EXPECT_EQ(other.regQueryValueEx(key, "PATH", type, buffer, dataSize), ErrorFileNotFound);
    ASSERT_EQ(other.regQueryValueEx(key, "where", type, buffer, dataSize), ErrorSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data())), dir / "bin/other-tool");

    const struct {
        NativePlatform* platform;
        std::string key;
    } absent[] = {{&other, MsinfoKey}, {&none, MsinfoKey}, {&none, ""}};
    for (const auto& row : absent) {
        key = 0;
        EXPECT_EQ(row.platform->regOpenKeyEx(hklm, row.key, 0, KeyRead, key), ErrorFileNotFound)
            << row.key;
        EXPECT_EQ(key, 0U);
    }
}

TEST_F(Registry, RefusesWriteAccess) {
    RegistryKey key = 0;
    EXPECT_EQ(platform.regOpenKeyEx(registryKeyOf(HkeyLocalMachine), MsinfoKey, 0, 0x2003F, key),
              ErrorAccessDenied);
    EXPECT_EQ(key, 0U);
}

}  // namespace
}  // namespace zenalto
