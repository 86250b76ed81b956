#pragma once

class QScrollBar;

namespace zenalto::qt {

// Has a horizontal scroll bar take the arrow keys as Windows' own scroll bar
// does: Right and Down one step towards the upper end (at the right), Left
// and Up one step back. QScrollBar inverts its controls, so that Up, Down,
// Page Up, Page Down and the wheel already go Windows' way but Left and Right
// run backwards; only those two are taken here.
void TakeArrowKeysAsWindows(QScrollBar& bar);

}  // namespace zenalto::qt
