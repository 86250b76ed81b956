#pragma once

class QWidget;

namespace zenalto::qt {

// Asks the window manager to give `window` no task-bar button. Call it before
// the window is first shown. Qt has no flag for it on an ordinary top-level
// window, so on X11 the window carries _NET_WM_STATE_SKIP_TASKBAR; on other
// platforms, Wayland included, this does nothing.
void KeepOutOfTaskBar(QWidget& window);

}  // namespace zenalto::qt
