#pragma once

// The main window's events as a face's window class receives them, each
// forwarded to the commands by the name the layout table gives the control or
// menu item. A face derives its window from Form1Events<its window class>
// (which derives from layout::WindowEvents) and says where its commands are;
// the window class itself knows nothing of the main window. The close box is
// left to the window class: the main window has no command for it.

#include "layout/Layout.h"
#include "main_window/Form1Commands.h"

namespace zenalto {

template <class Window>
class Form1Events : public Window {
public:
    using Window::Window;

    [[nodiscard]] virtual Form1Commands& commands() noexcept = 0;

protected:
    void onClick(const layout::Control& control) override { commands().Click(control.name); }
    void onListClick(const layout::Control& control, int index) override {
        commands().ListClick(control.name, index);
    }
    void onScrollChange(const layout::Control& control, int position) override {
        commands().ScrollChange(control.name, position);
    }
    void onMenu(const layout::MenuItem& item) override { commands().Click(item.name); }
};

}  // namespace zenalto
