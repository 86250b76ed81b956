#pragma once

class QWidget;

namespace zenalto::qt {

// Lets a mouse wheel move `control` only while it has the keyboard focus. A
// wheel turned over it while the focus is elsewhere neither moves it nor
// gives it the focus; it goes on to the control's parent, as if the control
// were not there.
void AcceptWheelOnlyWithFocus(QWidget& control);

}  // namespace zenalto::qt
