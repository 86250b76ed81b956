#pragma once

// The About dialog's events as a face's window class receives them: a push
// button's click goes to the dialog's commands by the name the layout table
// gives the button. A face derives its About window from
// frmAboutEvents<its window class> (which derives from layout::WindowEvents)
// and says where its commands are. The close box is left to the window
// class, whose default takes the dialog's window away without a command.

#include "about/frmAboutCommands.h"
#include "layout/Layout.h"

namespace zenalto {

template <class Window>
class frmAboutEvents : public Window {
public:
    using Window::Window;

    [[nodiscard]] virtual frmAboutCommands& commands() noexcept = 0;

protected:
    void onClick(const layout::Control& control) override { commands().Click(control.name); }
};

}  // namespace zenalto
