#pragma once

// A Qt window made from its layout table, as every face's window class is:
// load() gives the window its name, title and font and makes its controls
// (in a central widget for a QMainWindow, which also gets the table's menus
// in a menu bar), then connects each push button, list, scroll bar and menu
// item to its hook of layout::WindowEvents, and the close box to onClose().
// A window of the program derives from both its Qt widget class and this
// one, calls load() on itself and overrides the hooks it handles
// (Form1Events and frmAboutEvents forward them to the commands). Closing by
// the close box runs onClose() and then closes the window as Qt does.

#include <memory>

#include "layout/Layout.h"
#include "layout/WidgetBuilder.h"
#include "layout/WindowEvents.h"

class QObject;

namespace zenalto::qt {

class WidgetWindow : public layout::WindowEvents {
public:
    // The table lives for the whole run: the connections keep references to
    // its entries.
    explicit WidgetWindow(const layout::Window& layout);
    WidgetWindow(const WidgetWindow&) = delete;
    WidgetWindow& operator=(const WidgetWindow&) = delete;
    WidgetWindow(WidgetWindow&&) = delete;
    WidgetWindow& operator=(WidgetWindow&&) = delete;
    ~WidgetWindow() override;

    [[nodiscard]] const layout::Window& layout() const noexcept { return m_layout; }

protected:
    // Builds `window`, this object's own widget, from the table; the
    // connections end with it. Returns its controls.
    const Controls& load(QWidget& window);

private:
    void connectEvents(QWidget& window, const Commands* menus);

    const layout::Window& m_layout;
    Controls m_controls;
    std::unique_ptr<QObject> m_closeFilter;
};

}  // namespace zenalto::qt
