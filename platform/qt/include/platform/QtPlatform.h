#pragma once

// The platform services of the running program: the native registry, file
// test and process start, with the message box, the regional settings and the
// end of the program through Qt.

#include "platform/NativePlatform.h"

namespace zenalto::qt {

class QtPlatform : public NativePlatform {
public:
    using NativePlatform::NativePlatform;

    void messageBox(std::u16string_view prompt, MessageStyle style,
                    std::u16string_view title) override;
    [[nodiscard]] std::u16string decimalSeparator() override;
    void endProgram() override;
};

}  // namespace zenalto::qt
