#pragma once

// The layout windows loaded on the thread, which the message loop gives
// their keys to, and what runs when the last of them has gone.

#include <functional>
#include <vector>

namespace zenalto::win32 {

class LayoutWindow;

// In the order they were loaded.
[[nodiscard]] std::vector<LayoutWindow*>& loadedWindows();
[[nodiscard]] std::function<void()>& lastWindowClosed();

}  // namespace zenalto::win32
