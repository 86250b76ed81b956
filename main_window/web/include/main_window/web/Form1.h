#pragma once

// The main window in the browser: the page's main window, written from the
// layout table when the program was built; its eleven events come from the
// page to the shared commands, which reach the fields through this window.

#include "layout/PageWindow.h"
#include "main_window/Form1Commands.h"
#include "main_window/Form1Events.h"

namespace zenalto {

class Platform;

namespace web {

class Form1 final : public Form1Events<PageWindow>, private Form1View {
public:
    using AboutFactory = Form1Commands::AboutFactory;

    // The About dialog is made by `makeAbout`, by default the page's own over
    // the same platform.
    explicit Form1(Platform& platform, AboutFactory makeAbout = {});

    [[nodiscard]] Form1Commands& commands() noexcept override { return m_commands; }

private:
    // Form1View
    [[nodiscard]] std::u16string text(Field field) override;
    void setText(Field field, std::u16string_view text) override;
    void clearListText() override;
    void announce(std::u16string_view text) override;

    Form1Commands m_commands;
};

}  // namespace web
}  // namespace zenalto
