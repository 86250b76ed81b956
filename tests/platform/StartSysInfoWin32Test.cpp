#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "about/SysInfoLauncher.h"
#include "fakes/ProgramTexts.h"

namespace zenalto {
namespace {

using testing::hkeyOf;
using testing::MarkerTool;
using testing::RecordingNativePlatform;
using testing::RegistryValue;
using testing::ScopedRegistryValue;
using testing::TempFolder;
using testing::text;
using namespace std::string_literals;

constexpr std::u16string_view Unavailable = program_texts::SysInfoUnavailablePrompt;

// Every text "{dir}" in a value stands for the test's temporary folder.
std::string inFolder(std::string value, const std::string& folder) {
    for (std::size_t at = value.find("{dir}"); at != std::string::npos;
         at = value.find("{dir}", at + folder.size())) {
        value.replace(at, 5, folder);
    }
    return value;
}

class StartSysInfoOnWindows : public ::testing::Test {
protected:
    ScopedRegistryValue path{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
    ScopedRegistryValue msinfo{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};
    TempFolder dir;
};

struct Road {
    const char* what;
    std::optional<RegistryValue> path;    // "PATH"
    std::optional<RegistryValue> msinfo;  // "MSINFO"
    std::vector<std::string> tools;       // copies of the marker tool, in the folder
    std::vector<std::string> folders;     // folders made in the folder
    const char* started;                  // the tool that starts; nullptr: the message
};

TEST_F(StartSysInfoOnWindows, TakesEachRoad) {
    const std::vector<std::string> both = {"bin\\tool.exe", "msinfo\\MSINFO32.EXE"};
    const Road roads[] = {
        {"PATH present",
         text("{dir}\\bin\\tool.exe"),
         text("{dir}\\msinfo"),
         both,
         {},
         "bin\\tool.exe"},
        {"PATH without its NUL",
         RegistryValue{REG_SZ, "{dir}\\bin\\tool.exe"},
         std::nullopt,
         both,
         {},
         "bin\\tool.exe"},
        {"PATH absent, MSINFO with MSINFO32.EXE",
         std::nullopt,
         text("{dir}\\msinfo"),
         both,
         {},
         "msinfo\\MSINFO32.EXE"},
        {"MSINFO with blanks",
         std::nullopt,
         text("{dir}\\Program Files"),
         {"Program.exe", "Program Files\\MSINFO32.EXE"},
         {},
         "Program Files\\MSINFO32.EXE"},
        {"PATH absent, MSINFO without MSINFO32.EXE",
         std::nullopt,
         text("{dir}\\msinfo"),
         {"bin\\tool.exe"},
         {"msinfo"},
         nullptr},
        {"MSINFO32.EXE a folder",
         std::nullopt,
         text("{dir}\\msinfo"),
         {},
         {"msinfo\\MSINFO32.EXE"},
         nullptr},
        {"neither present", std::nullopt, std::nullopt, both, {}, nullptr},
        {"PATH naming no file",
         text("{dir}\\bin\\none.exe"),
         text("{dir}\\msinfo"),
         both,
         {},
         nullptr},
        {"PATH a REG_DWORD",
         RegistryValue{REG_DWORD, "\x78\x56\x34\x12"s},
         text("{dir}\\msinfo"),
         both,
         {},
         nullptr},
        {"PATH a REG_EXPAND_SZ",
         RegistryValue{REG_EXPAND_SZ, "{dir}\\bin\\tool.exe"s + '\0'},
         text("{dir}\\msinfo"),
         both,
         {},
         nullptr},
        {"PATH over 1024 bytes",
         text("{dir}\\bin\\tool.exe" + std::string(1024, ' ')),
         text("{dir}\\msinfo"),
         both,
         {},
         "msinfo\\MSINFO32.EXE"},
        {"PATH zero-length", RegistryValue{REG_SZ, ""}, text("{dir}\\msinfo"), both, {}, nullptr},
        {"PATH an empty text", text(""), text("{dir}\\msinfo"), both, {}, nullptr},
        {"MSINFO zero-length", std::nullopt, RegistryValue{REG_SZ, ""}, both, {}, nullptr},
        {"MSINFO a REG_EXPAND_SZ",
         std::nullopt,
         RegistryValue{REG_EXPAND_SZ, "{dir}\\msinfo"s + '\0'},
         both,
         {},
         nullptr},
        {"the decoy",
         text("{dir}\\Program Files\\tool.exe"),
         std::nullopt,
         {"Program.exe", "Program Files\\tool.exe"},
         {},
         "Program Files\\tool.exe"},
    };
    int count = 0;
    for (const Road& road : roads) {
        SCOPED_TRACE(road.what);
        // A folder of its own for each road.
        const std::string folder = dir / std::to_string(++count);
        const auto below = [&folder](const std::string& name) {
            std::string inside = folder + "\\";
            inside += name;
            return inside;
        };
        std::vector<MarkerTool> tools;
        for (const std::string& tool : road.tools) {
            tools.emplace_back(below(tool));
        }
        for (const std::string& made : road.folders) {
            std::filesystem::create_directories(below(made));
        }
        for (auto [value, scoped] :
             {std::pair{road.path, &path}, std::pair{road.msinfo, &msinfo}}) {
            if (value) {
                value->bytes = inFolder(value->bytes, folder);
                scoped->set(*value);
            } else {
                scoped->clear();
            }
        }
        RecordingNativePlatform platform;

        StartSysInfo(platform);

        if (road.started == nullptr) {
            EXPECT_EQ(platform.prompts, std::vector<std::u16string>{std::u16string(Unavailable)});
            EXPECT_EQ(platform.styles, std::vector<MessageStyle>{MessageStyle::OkOnly});
            EXPECT_EQ(platform.titles, std::vector<std::u16string>{u""});
            continue;
        }
        EXPECT_TRUE(platform.prompts.empty());
        const std::string started = folder + "\\" + road.started;
        for (const MarkerTool& tool : tools) {
            if (tool.path() == started) {
                ASSERT_TRUE(tool.waitForStart());
                EXPECT_EQ(tool.report().commandLine, "\"" + started + "\"");
                EXPECT_TRUE(tool.release());
            }
        }
        // Only then: had another tool started, it would have done so by now.
        for (const MarkerTool& tool : tools) {
            EXPECT_EQ(tool.started(), tool.path() == started) << tool.path();
        }
    }
}

// The launcher opens its keys read-only on the real registry.
class WriteProbingPlatform : public RecordingNativePlatform {
public:
    std::vector<LSTATUS> writes;

    std::int32_t regOpenKeyEx(RegistryKey root, std::string_view subKey, std::uint32_t options,
                              std::uint32_t samDesired, RegistryKey& result) override {
        const std::int32_t status =
            NativePlatform::regOpenKeyEx(root, subKey, options, samDesired, result);
        if (status == ErrorSuccess) {
            const char data[] = "probe";
            writes.push_back(::RegSetValueExA(hkeyOf(result), "probe", 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(data), sizeof data));
        }
        return status;
    }
};

TEST_F(StartSysInfoOnWindows, OpensItsKeysReadOnly) {
    path.clear();
    msinfo.set(text(dir / "empty"));
    WriteProbingPlatform platform;

    StartSysInfo(platform);

    EXPECT_EQ(platform.writes, (std::vector<LSTATUS>{ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED}));
    EXPECT_EQ(platform.prompts.size(), 1U);
}

}  // namespace
}  // namespace zenalto
