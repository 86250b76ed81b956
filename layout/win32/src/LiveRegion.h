#pragma once

// A polite live region: what a window says to a screen reader of its own
// accord, whatever has the focus and without moving it.
//
// It is a label of one pixel in the window's top-left corner, below every
// control and drawn in the window's background colour, whose text is the
// last thing said: a screen reader reads it as the label's name, where the
// event names it. Windows' live-region event (EVENT_OBJECT_LIVEREGIONCHANGED)
// is what NVDA speaks from Active Accessibility, and what Windows' proxy from
// Active Accessibility hands UI Automation clients such as Narrator as a
// LiveRegionChanged event; the label's UI Automation LiveSetting, Polite, is
// given by Windows' dynamic annotation, so that Narrator takes it up.

#include <windows.h>

#include <string_view>

namespace zenalto::win32 {

// Makes the region on `window`, a layout window's client area; nullptr when
// it cannot be made.
[[nodiscard]] HWND MakeLiveRegion(HWND window, HINSTANCE instance);

// Writes `text` into the region and has a screen reader say it.
void Announce(HWND region, std::u16string_view text);

}  // namespace zenalto::win32
