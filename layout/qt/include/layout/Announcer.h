#pragma once

// Has a screen reader say a text, whatever has the focus and without moving
// it. Qt 6.8 and later send their announcement event, of polite priority,
// which AT-SPI carries as an announcement and Orca (46 and later) speaks as
// it comes. Qt 6.4 has no announcement: the text becomes the name of a
// notification, an accessible object of the window that has no size and is
// shown anew for each text, and Orca speaks a notification as it appears,
// wherever the focus is ("notification" and its name; Orca 43 speaks it at
// once, as it does any notification).

#include <QString>

class QWidget;

namespace zenalto::qt {

class Announcer {
public:
    // The notification lives in `window` and goes with it.
    explicit Announcer(QWidget& window);

    void announce(const QString& text);

private:
    QWidget* m_window;
    QWidget* m_notice = nullptr;  // Qt before 6.8 only
};

}  // namespace zenalto::qt
