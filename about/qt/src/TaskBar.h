#pragma once

class QWidget;

namespace zenalto {

// Asks the window manager to give `window` no task-bar button. Call it before
// the window is first shown. Qt::Tool already does this on Windows and macOS;
// on X11 Qt marks such a window as a utility window, which some task bars
// still list, so the window also carries _NET_WM_STATE_SKIP_TASKBAR there.
void KeepOutOfTaskBar(QWidget& window);

}  // namespace zenalto
