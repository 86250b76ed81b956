#pragma once

// The pictures of the layouts, embedded in the executable as RCDATA resources
// named after their files and decoded by Windows itself.

#include <windows.h>

#include <string_view>

namespace zenalto::win32 {

// The picture of the resource named `fileName` (resource names ignore case),
// decoded by OLE's picture loader, at its natural size; nullptr when the
// resource is missing or cannot be decoded. The caller owns the bitmap.
[[nodiscard]] HBITMAP LoadPictureResource(HINSTANCE instance, std::string_view fileName);

// A copy of `bitmap` drawn at `dpi`: its natural size is its size at 96 dots
// per inch. Scaled with smoothing. The caller owns the copy.
[[nodiscard]] HBITMAP BitmapAtDpi(HBITMAP bitmap, unsigned dpi);

}  // namespace zenalto::win32
