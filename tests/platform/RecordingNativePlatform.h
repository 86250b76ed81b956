#pragma once

// The native platform with its message box recorded, as the tests of the
// native backends drive it: the real registry, files and processes, and a
// message box that never waits for a user.

#include <string>
#include <vector>

#include "platform/NativePlatform.h"

namespace zenalto::testing {

class RecordingNativePlatform : public NativePlatform {
public:
    using NativePlatform::NativePlatform;

    std::vector<std::u16string> prompts;
    std::vector<MessageStyle> styles;
    std::vector<std::u16string> titles;

    void messageBox(std::u16string_view prompt, MessageStyle style,
                    std::u16string_view title) override {
        prompts.emplace_back(prompt);
        styles.push_back(style);
        titles.emplace_back(title);
    }
    std::u16string decimalSeparator() override { return u"."; }
    void endProgram() override {}
};

}  // namespace zenalto::testing
