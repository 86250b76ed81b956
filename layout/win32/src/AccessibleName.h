#pragma once

// Accessible names for the native controls. A screen reader names a text box
// after the label before it; the layouts give each field a name of its own,
// with its unit ("Altura del Satelite (Km)"), which this makes the control's.

#include <windows.h>

#include <string_view>

namespace zenalto::win32 {

// Makes `control` answer WM_GETOBJECT for its client area with Windows'
// standard accessible object of the control, but for its name and, when not
// empty, its description. Lasts as long as the control.
void SetAccessibleName(HWND control, std::u16string_view name, std::u16string_view description);

}  // namespace zenalto::win32
