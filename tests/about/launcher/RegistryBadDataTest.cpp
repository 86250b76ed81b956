// Registry data of every type and of awkward sizes behind both lookups: each
// press ends in one started tool or in the one message, and a path is started
// only whole, never cut at a NUL inside it.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "NativeLikePlatform.h"
#include "about/SysInfoLauncher.h"
#include "fakes/ProgramTexts.h"

namespace zenalto {
namespace {

using testing::FakePlatform;
using testing::NativeLikePlatform;
using namespace std::string_literals;

const std::string MsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const FakePlatform::ShownMessage Unavailable{
    std::u16string(program_texts::SysInfoUnavailablePrompt), MessageStyle::OkOnly, u""};
const std::string Tool = "C:\\Tools\\MSINFO32.EXE";

enum class Lookup { Path, Folder };

struct BadData {
    const char* name;
    Lookup lookup;
    std::uint32_t type;
    std::string data;
    std::optional<std::string> started;  // nothing: the message instead
};

void PrintTo(const BadData& row, std::ostream* out) {
    *out << row.name << ", type " << row.type << ", "
         << (row.lookup == Lookup::Path ? "PATH" : "MSINFO") << ", " << row.data.size() << " bytes";
}

class RegistryBadData : public ::testing::TestWithParam<BadData> {};

TEST_P(RegistryBadData, StartsOneToolOrShowsTheMessage) {
    const BadData& row = GetParam();
    NativeLikePlatform platform;
    if (row.lookup == Lookup::Path) {
        platform.registry[MsinfoKey]["PATH"] = {row.type, row.data};
    } else {
        platform.registry[LocationKey]["MSINFO"] = {row.type, row.data};
    }

    StartSysInfo(platform);

    if (row.started) {
        EXPECT_EQ(platform.started, std::vector<std::string>{*row.started});
        EXPECT_TRUE(platform.messages.empty());
    } else {
        EXPECT_TRUE(platform.started.empty());
        EXPECT_EQ(platform.messages, std::vector<FakePlatform::ShownMessage>{Unavailable});
    }
    EXPECT_EQ(platform.closedKeys.size(), platform.openedKeys.size());
}

std::string Bytes(std::size_t size, char fill) {
    return std::string(size, fill);
}

std::string Repeated(const std::string& text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// A text of `size` bytes whose last byte is its terminating NUL.
std::string TextWithNul(std::size_t size) {
    return Bytes(size - 1, 'x') + '\0';
}

std::vector<BadData> TypeRows() {
    // Types other than text and number are read but leave the path empty:
    // for "PATH" the start of an empty path fails; for "MSINFO" the file test
    // looks for the bare file name, which this platform finds.
    std::vector<BadData> rows;
    for (const std::uint32_t type : {0U, 2U, 3U, 5U, 6U, 7U, 8U, 9U, 10U, 11U, 12U, 0xFFFFFFFFU}) {
        const std::string data = Tool + '\0';
        rows.push_back({"type", Lookup::Path, type, data, std::nullopt});
        rows.push_back({"type", Lookup::Folder, type, data, "\\MSINFO32.EXE"});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(EveryType, RegistryBadData, ::testing::ValuesIn(TypeRows()));

INSTANTIATE_TEST_SUITE_P(
    Sizes, RegistryBadData,
    ::testing::Values(
        BadData{"no data", Lookup::Path, RegSz, "", std::nullopt},
        BadData{"no data", Lookup::Folder, RegSz, "", std::nullopt},
        BadData{"number without data", Lookup::Path, RegDword, "", std::nullopt},
        BadData{"one NUL", Lookup::Path, RegSz, "\0"s, std::nullopt},
        BadData{"one byte", Lookup::Path, RegSz, "x", "x"},
        BadData{"one byte number", Lookup::Path, RegDword, "\x05", "5"},
        BadData{"1023 with NUL", Lookup::Path, RegSz, TextWithNul(1023), Bytes(1022, 'x')},
        BadData{"1023 without NUL", Lookup::Path, RegSz, Bytes(1023, 'x'), Bytes(1023, 'x')},
        BadData{"1024 with NUL", Lookup::Path, RegSz, TextWithNul(1024), Bytes(1023, 'x')},
        BadData{"1024 without NUL", Lookup::Path, RegSz, Bytes(1024, 'x'), Bytes(1024, 'x')},
        BadData{"1024 folder", Lookup::Folder, RegSz, Bytes(1024, 'x'),
                Bytes(1024, 'x') + "\\MSINFO32.EXE"},
        // Longer than the value buffer: cannot be read, so "PATH" counts as
        // absent and, with no "MSINFO", nothing is left to start.
        BadData{"1025", Lookup::Path, RegSz, TextWithNul(1025), std::nullopt},
        BadData{"1025 folder", Lookup::Folder, RegSz, TextWithNul(1025), std::nullopt},
        BadData{"65536", Lookup::Path, RegSz, TextWithNul(65536), std::nullopt},
        BadData{"65536 number", Lookup::Path, RegDword, Bytes(65536, '\x01'), std::nullopt},
        // A number of more than four bytes is no 32-bit number: its text is
        // kept as "&h" and the digits, and tried as a path.
        BadData{"1023 number", Lookup::Path, RegDword, Bytes(1023, '\x01'),
                "&h" + Repeated("01", 1023)},
        BadData{"number of NULs", Lookup::Path, RegDword, "\0\0\0\0"s, "0"}));

// A NUL inside a text: the path goes to the file test or the start whole, and
// the platform refuses it rather than act on the part before the NUL.
INSTANTIATE_TEST_SUITE_P(
    InnerNul, RegistryBadData,
    ::testing::Values(BadData{"path", Lookup::Path, RegSz, "C:\\a\0garbage\0"s, std::nullopt},
                      BadData{"path without end NUL", Lookup::Path, RegSz, "C:\\a\0garbage"s,
                              std::nullopt},
                      BadData{"path of NULs", Lookup::Path, RegSz, "\0\0\0"s, std::nullopt},
                      BadData{"folder", Lookup::Folder, RegSz, "C:\\Tools\0x\0"s, std::nullopt},
                      BadData{"folder ending in two NULs", Lookup::Folder, RegSz, "C:\\Tools\0\0"s,
                              std::nullopt}));

TEST(RegistryBadData, PathWithInnerNulIsHandedOverWholeAndNeverStartedCut) {
    NativeLikePlatform platform;
    platform.registry[MsinfoKey]["PATH"] = {RegSz, Tool + "\0garbage\0"s};

    StartSysInfo(platform);

    EXPECT_EQ(platform.calls.back(), "start " + Tool + "\0garbage"s);
    EXPECT_TRUE(platform.started.empty());
    EXPECT_EQ(platform.messages, std::vector<FakePlatform::ShownMessage>{Unavailable});
}

}  // namespace
}  // namespace zenalto
