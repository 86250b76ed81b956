#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PosixTestSupport.h"
#include "about/SysInfoLauncher.h"
#include "fakes/ProgramTexts.h"

namespace zenalto {
namespace {

using testing::RecordingNativePlatform;
using testing::ScopedSearchPath;
using testing::TempFolder;
using testing::waitForFile;
using testing::writeFile;
using testing::writeScript;

TEST(StartSysInfoOnPosix, StartsTheProgramFoundOnPath) {
    TempFolder dir;
    writeScript(dir / "bin/hardinfo", "touch '" + (dir / "started") + "'");
    const ScopedSearchPath path(dir / "bin");
    RecordingNativePlatform platform(SysInfoEmulatedValue);

    StartSysInfo(platform);

    EXPECT_TRUE(platform.prompts.empty());
    EXPECT_TRUE(waitForFile(dir / "started"));
}

TEST(StartSysInfoOnPosix, ShowsOneMessageWhenItCannot) {
    TempFolder dir;
    // Found, but only a shell would run it.
    writeFile(dir / "broken/hardinfo", "true\n", 0755);
    for (const std::string& searchPath : {std::string(), dir / "broken"}) {
        const ScopedSearchPath path(searchPath);
        RecordingNativePlatform platform(SysInfoEmulatedValue);

        StartSysInfo(platform);

        EXPECT_EQ(
            platform.prompts,
            std::vector<std::u16string>{std::u16string(program_texts::SysInfoUnavailablePrompt)})
            << searchPath;
        EXPECT_EQ(platform.styles, std::vector<MessageStyle>{MessageStyle::OkOnly});
        EXPECT_EQ(platform.titles, std::vector<std::u16string>{u""});
    }
}

}  // namespace
}  // namespace zenalto
