// The System Information launcher as a command: StartSysInfo over the Windows
// backend, with the message box written to the standard output. It links what
// the program links below its windows, so its imports are the program's own
// there, and a test script drives it over a registry set with `reg add`.

#include <cstdio>
#include <string>

#include "RecordingNativePlatform.h"
#include "about/SysInfoLauncher.h"

int main() {
    zenalto::testing::RecordingNativePlatform platform;
    zenalto::StartSysInfo(platform);
    for (const std::u16string& prompt : platform.prompts) {
        // The launcher's one message is plain ASCII.
        std::string narrow;
        for (const char16_t code : prompt) {
            narrow += static_cast<char>(code);
        }
        std::puts(narrow.c_str());
    }
    return 0;
}
