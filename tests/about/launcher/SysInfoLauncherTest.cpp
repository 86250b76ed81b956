#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "about/SysInfoLauncher.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramTexts.h"

namespace zenalto {
namespace {

using testing::FakePlatform;
using namespace std::string_literals;

const std::string MsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::uint32_t RegExpandSz = 2;

const FakePlatform::ShownMessage Unavailable{
    std::u16string(program_texts::SysInfoUnavailablePrompt), MessageStyle::OkOnly, u""};

// --- GetKeyValue: what a value read gives ---

struct ValueCase {
    const char* name;
    FakePlatform::RegistryValue value;
    std::string keyValOnEntry;
    bool result;
    std::string keyVal;
};

void PrintTo(const ValueCase& row, std::ostream* out) {
    *out << row.name;
}

class GetKeyValueConversion : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GetKeyValueConversion, GivesTheValueAsText) {
    const ValueCase& row = GetParam();
    FakePlatform platform;
    platform.registry["Key"]["Value"] = row.value;
    std::string KeyVal = row.keyValOnEntry;

    EXPECT_EQ(GetKeyValue(platform, HkeyLocalMachine, "Key", "Value", KeyVal), row.result);
    EXPECT_EQ(KeyVal, row.keyVal);
    EXPECT_EQ(platform.closedKeys, std::vector<RegistryKey>{1});
}

const std::string Full1024(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueConversion,
    ::testing::Values(
        ValueCase{"TextWithNul", {RegSz, "C:\\T\0"s}, "", true, "C:\\T"},
        ValueCase{"TextWithoutNul", {RegSz, "C:\\T"}, "", true, "C:\\T"},
        ValueCase{"SingleNul", {RegSz, "\0"s}, "old", true, ""},
        ValueCase{"InnerNulKept", {RegSz, "a\0b\0"s}, "", true, "a\0b"s},
        ValueCase{"TextFillingTheBuffer", {RegSz, Full1024}, "", true, Full1024},
        ValueCase{"TextAndNulFillingTheBuffer",
                  {RegSz, Full1024.substr(1) + '\0'},
                  "",
                  true,
                  Full1024.substr(1)},
        ValueCase{"TextLongerThanTheBuffer", {RegSz, Full1024 + '\0'}, "old", false, ""},
        ValueCase{"Dword", {RegDword, "\x78\x56\x34\x12"}, "", true, "305419896"},
        ValueCase{"DwordWithZeroTopByte", {RegDword, "\x00\x01\x00\x00"s}, "", true, "256"},
        ValueCase{"DwordAllOnes", {RegDword, "\xFF\xFF\xFF\xFF"}, "", true, "-1"},
        ValueCase{"DwordZero", {RegDword, "\0\0\0\0"s}, "", true, "0"},
        ValueCase{"DwordHighByteOnly", {RegDword, "\0\0\0\x80"s}, "", true, "-2147483648"},
        // The digits go after what KeyVal held: "&hAB" + "000001".
        ValueCase{"DwordAfterHeldText", {RegDword, "\x01\x00\x00\x00"s}, "AB", true, "-1426063359"},
        ValueCase{
            "DwordTooLongKeptAsText", {RegDword, "\x01\x02\x03\x04\x05"}, "", true, "&h0504030201"},
        ValueCase{"OtherTypeKeepsKeyVal", {RegExpandSz, "%SystemRoot%\0"s}, "held", true, "held"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(GetKeyValue, MissingKeyOrValueEmptiesKeyVal) {
    FakePlatform platform;
    platform.registry["Key"]["Other"] = {RegSz, "x\0"s};
    for (const auto& [key, value] : {std::pair{"Key", "Value"}, std::pair{"Missing", "Value"}}) {
        std::string KeyVal = "old";
        EXPECT_FALSE(GetKeyValue(platform, HkeyLocalMachine, key, value, KeyVal)) << key;
        EXPECT_EQ(KeyVal, "") << key;
    }
}

TEST(GetKeyValue, OpensReadOnlyBelowTheRootGiven) {
    FakePlatform platform;
    platform.registry["Key"]["Value"] = {RegSz, "x\0"s};
    std::string KeyVal;
    EXPECT_TRUE(GetKeyValue(platform, HkeyLocalMachine, "Key", "Value", KeyVal));
    // Another root is another registry: the fake holds nothing below it.
    EXPECT_FALSE(
        GetKeyValue(platform, static_cast<std::int32_t>(0x80000001U), "Key", "Value", KeyVal));
    EXPECT_EQ(platform.openAccess, (std::vector<std::uint32_t>{KeyRead, KeyRead}));
}

TEST(GetKeyValue, ClosesOnceWithTheHandleAsTheOpenLeftIt) {
    FakePlatform platform;
    platform.registry["Key"]["Value"] = {RegSz, "x\0"s};
    std::string KeyVal;

    GetKeyValue(platform, HkeyLocalMachine, "Missing", "Value", KeyVal);
    EXPECT_EQ(platform.closedKeys, std::vector<RegistryKey>{0});

    platform.closedKeys.clear();
    GetKeyValue(platform, HkeyLocalMachine, "Key", "Missing", KeyVal);
    EXPECT_EQ(platform.closedKeys, std::vector<RegistryKey>{1});
}

// A data size of 0 leaves no last byte to test; a size outside the buffer
// would read past it. Both are errors, and the key is still closed.
class GetKeyValueBadSize : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(GetKeyValueBadSize, IsAnErrorAndClosesTheKey) {
    FakePlatform platform;
    platform.registry["Key"]["Value"] = {RegSz, "C:\\T\0"s};
    platform.reportedSizes["Value"] = GetParam();
    std::string KeyVal = "held";
    EXPECT_THROW(GetKeyValue(platform, HkeyLocalMachine, "Key", "Value", KeyVal),
                 RegistryDataError);
    EXPECT_EQ(platform.closedKeys, std::vector<RegistryKey>{1});
}

INSTANTIATE_TEST_SUITE_P(Sizes, GetKeyValueBadSize,
                         ::testing::Values(0, -1, 1025, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max()));

// --- StartSysInfo: the roads ---

struct Road {
    const char* name;
    std::vector<std::pair<std::string, std::pair<std::string, FakePlatform::RegistryValue>>>
        values;  // key -> (value name, value)
    std::vector<std::string> files;
    std::vector<std::string> failingFileTests;
    std::vector<std::string> startable;
    std::vector<std::string> keysOpened;
    std::vector<std::string> fileTests;
    std::vector<std::string> started;  // empty: the message is shown instead
};

void PrintTo(const Road& row, std::ostream* out) {
    *out << row.name;
}

class StartSysInfoRoads : public ::testing::TestWithParam<Road> {};

TEST_P(StartSysInfoRoads, StartOrOneMessage) {
    const Road& row = GetParam();
    FakePlatform platform;
    for (const auto& [key, value] : row.values) {
        platform.registry[key][value.first] = value.second;
    }
    platform.files.insert(row.files.begin(), row.files.end());
    platform.failingFileTests.insert(row.failingFileTests.begin(), row.failingFileTests.end());
    platform.startablePrograms.insert(row.startable.begin(), row.startable.end());

    StartSysInfo(platform);

    EXPECT_EQ(platform.openedKeys, row.keysOpened);
    EXPECT_EQ(platform.fileTests, row.fileTests);
    EXPECT_EQ(platform.started, row.started);
    EXPECT_EQ(platform.messages, row.started.empty()
                                     ? std::vector<FakePlatform::ShownMessage>{Unavailable}
                                     : std::vector<FakePlatform::ShownMessage>{});
    EXPECT_EQ(platform.closedKeys.size(), platform.openedKeys.size());
    for (const std::uint32_t access : platform.openAccess) {
        EXPECT_EQ(access, KeyRead);
    }
}

const std::string Tool = "C:\\Program Files\\Common Files\\MSINFO\\MSINFO32.EXE";
const std::string Folder = "C:\\Program Files\\Tools";
const std::string ToolInFolder = Folder + "\\MSINFO32.EXE";
const std::string TooLong = std::string(1100, 'x') + '\0';

const std::vector<std::string> FirstOnly{MsinfoKey};
const std::vector<std::string> Both{MsinfoKey, LocationKey};

INSTANTIATE_TEST_SUITE_P(
    Roads, StartSysInfoRoads,
    ::testing::Values(Road{"PathStartedWithoutFileTest",
                           {{MsinfoKey, {"PATH", {RegSz, Tool + '\0'}}},
                            {LocationKey, {"MSINFO", {RegSz, "C:\\Elsewhere\0"s}}}},
                           {},
                           {},
                           {Tool},
                           FirstOnly,
                           {},
                           {Tool}},
                      Road{"FolderTestedThenStarted",
                           {{LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           Both,
                           {ToolInFolder},
                           {ToolInFolder}},
                      Road{"FolderJoinedAsItIs",
                           {{LocationKey, {"MSINFO", {RegSz, "C:\\Tool\\"}}}},
                           {"C:\\Tool\\\\MSINFO32.EXE"},
                           {},
                           {"C:\\Tool\\\\MSINFO32.EXE"},
                           Both,
                           {"C:\\Tool\\\\MSINFO32.EXE"},
                           {"C:\\Tool\\\\MSINFO32.EXE"}},
                      Road{"PathKeyWithoutPathValue",
                           {{MsinfoKey, {"Other", {RegSz, Tool + '\0'}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           Both,
                           {ToolInFolder},
                           {ToolInFolder}},
                      Road{"NeitherValue", {}, {}, {}, {}, Both, {}, {}},
                      Road{"FolderWithoutTheFile",
                           {{LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {},
                           {},
                           {ToolInFolder},
                           Both,
                           {ToolInFolder},
                           {}},
                      Road{"FileTestFails",
                           {{LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {},
                           {ToolInFolder},
                           {ToolInFolder},
                           Both,
                           {ToolInFolder},
                           {}},
                      Road{"PathNamingNoProgram",
                           {{MsinfoKey, {"PATH", {RegSz, Tool + '\0'}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           FirstOnly,
                           {},
                           {}},
                      Road{"EmptyPath",
                           {{MsinfoKey, {"PATH", {RegSz, "\0"s}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           FirstOnly,
                           {},
                           {}},
                      Road{"PathWithoutData",
                           {{MsinfoKey, {"PATH", {RegSz, ""}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           FirstOnly,
                           {},
                           {}},
                      Road{"FolderWithoutData",
                           {{LocationKey, {"MSINFO", {RegSz, ""}}}},
                           {"\\MSINFO32.EXE"},
                           {},
                           {"\\MSINFO32.EXE"},
                           Both,
                           {},
                           {}},
                      Road{"PathTooLongCountsAsAbsent",
                           {{MsinfoKey, {"PATH", {RegSz, TooLong}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {ToolInFolder},
                           Both,
                           {ToolInFolder},
                           {ToolInFolder}},
                      Road{"PathOfAnotherTypeLeavesItEmpty",
                           {{MsinfoKey, {"PATH", {RegExpandSz, Tool + '\0'}}},
                            {LocationKey, {"MSINFO", {RegSz, Folder + '\0'}}}},
                           {ToolInFolder},
                           {},
                           {Tool, ToolInFolder},
                           FirstOnly,
                           {},
                           {}},
                      Road{"FolderOfAnotherTypeTestsTheBareName",
                           {{LocationKey, {"MSINFO", {RegExpandSz, Folder + '\0'}}}},
                           {"\\MSINFO32.EXE"},
                           {},
                           {"\\MSINFO32.EXE"},
                           Both,
                           {"\\MSINFO32.EXE"},
                           {"\\MSINFO32.EXE"}},
                      Road{"PathAsNumberTriedAsAPath",
                           {{MsinfoKey, {"PATH", {RegDword, "\x78\x56\x34\x12"}}}},
                           {},
                           {},
                           {"305419896"},
                           FirstOnly,
                           {},
                           {"305419896"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StartSysInfo, LooksUpTestsAndStartsInThisOrder) {
    FakePlatform platform;
    platform.registry[LocationKey]["MSINFO"] = {RegSz, Folder + '\0'};
    platform.files.insert(ToolInFolder);
    platform.startablePrograms.insert(ToolInFolder);

    StartSysInfo(platform);

    EXPECT_EQ(platform.calls, (std::vector<std::string>{
                                  "open " + MsinfoKey,
                                  "close 0",
                                  "open " + LocationKey,
                                  "query MSINFO",
                                  "close 1",
                                  "file " + ToolInFolder,
                                  "start " + ToolInFolder,
                              }));
}

TEST(StartSysInfo, EachPressLooksAfreshAndStartsAgain) {
    FakePlatform platform;
    platform.registry[MsinfoKey]["PATH"] = {RegSz, Tool + '\0'};
    platform.startablePrograms.insert(Tool);

    StartSysInfo(platform);
    StartSysInfo(platform);
    platform.registry.clear();
    StartSysInfo(platform);

    EXPECT_EQ(platform.started, (std::vector<std::string>{Tool, Tool}));
    EXPECT_EQ(platform.messages, std::vector<FakePlatform::ShownMessage>{Unavailable});
}

}  // namespace
}  // namespace zenalto
