#pragma once

// Accessible names for the native controls. A screen reader names a text box
// after the label before it; the layouts give each field a name of its own,
// with its unit ("Altura del Satelite (Km)"), which this makes the control's.
// And the role of a dialog for a window that is one.

#include <windows.h>

#include <string_view>

namespace zenalto::win32 {

// Makes `control` answer WM_GETOBJECT for its client area with Windows'
// standard accessible object of the control, but for its name and, when not
// empty, its description. Lasts as long as the control.
void SetAccessibleName(HWND control, std::u16string_view name, std::u16string_view description);

// Makes the top-level `window` a dialog to screen readers: its client area
// answers with the role of a dialog box, its title as its name and
// `description`, the texts it shows in reading order, which a screen reader
// says as the dialog opens. Windows gives that role only to windows of its
// own dialog class. Lasts as long as the window.
void SetAccessibleDialog(HWND window, std::u16string_view description);

}  // namespace zenalto::win32
