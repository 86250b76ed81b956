#pragma once

// What the files of LayoutWindow share: the window's styles by its border,
// whether a high-contrast theme is on, and a control's place in its table.
// LayoutWindow.cpp makes and shows the window, LayoutControls.cpp its
// controls, DpiPlacement.cpp places both at the monitor's density, and
// WindowProcedure.cpp answers the window's messages.

#include <windows.h>

#include <cstddef>

#include "layout/Layout.h"

namespace zenalto::win32 {

inline DWORD styleOf(layout::Border border) {
    switch (border) {
        case layout::Border::FixedDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case layout::Border::Sizable:
            break;
    }
    return WS_OVERLAPPEDWINDOW;
}

inline DWORD exStyleOf(layout::Border border) {
    // The dialog frame: fixed, with no icon in the caption.
    return border == layout::Border::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

inline bool highContrastOn() {
    HIGHCONTRASTW theme{};
    theme.cbSize = sizeof theme;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof theme, &theme, 0) != FALSE &&
           (theme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The index in its window's table of one of the table's controls.
inline std::size_t indexOf(const layout::Window& window, const layout::Control& control) noexcept {
    return static_cast<std::size_t>(&control - window.controls.data());
}

}  // namespace zenalto::win32
