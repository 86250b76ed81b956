#pragma once

// The platform of the Windows program: message boxes through MessageBoxW,
// the decimal separator of the user's regional settings, and the end of the
// process; the registry, the file test and the process start are the native
// backend's.

#include "platform/NativePlatform.h"

namespace zenalto::win32 {

class Win32Platform : public NativePlatform {
public:
    void messageBox(std::u16string_view prompt, MessageStyle style,
                    std::u16string_view title) override;
    [[nodiscard]] std::u16string decimalSeparator() override;
    void endProgram() override;
};

}  // namespace zenalto::win32
