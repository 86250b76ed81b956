#pragma once

// The main window on Windows: its controls and menus from the layout table,
// its eleven events forwarded to the shared commands, which reach the fields
// through this window and speak to screen readers through its live region.

#include <functional>
#include <memory>

#include "layout/LayoutWindow.h"
#include "main_window/Form1Commands.h"
#include "main_window/Form1Events.h"

namespace zenalto {

class Platform;

namespace win32 {

class Form1 final : public Form1Events<LayoutWindow>, private Form1View {
public:
    using AboutFactory = Form1Commands::AboutFactory;

    // Loads the window, hidden; show() shows it. The About dialog is made by
    // `makeAbout`, by default the Win32 one over the same platform.
    Form1(Platform& platform, HINSTANCE instance, AboutFactory makeAbout = {});
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override;

    [[nodiscard]] Form1Commands& commands() noexcept override { return m_commands; }

private:
    // Form1View
    [[nodiscard]] std::u16string text(Field field) override;
    void setText(Field field, std::u16string_view text) override;
    void clearListText() override;
    void announce(std::u16string_view text) override;

    [[nodiscard]] HWND field(Field field) const noexcept;

    Form1Commands m_commands;
};

}  // namespace win32
}  // namespace zenalto
