#pragma once

// The main window on Qt. Its fields are the program's only store of data: the
// altitude (Text1) and the Earth radius (Text2) are typed by the user or
// written by the scroll bar and the ellipsoid list; "Calcular" reads both and
// writes the two result texts into Text3 and Text4, or shows a message. The
// widgets are made from Form1Layout by WidgetWindow; each of the eleven events reaches its
// command in Form1Commands through Form1Events, as on every face. The commands
// reach the fields through Form1View and every message box, and the end of the
// program, through the Platform.

#include <array>

#include <QMainWindow>

#include "layout/Announcer.h"
#include "layout/WidgetWindow.h"
#include "main_window/Form1Commands.h"
#include "main_window/Form1Events.h"

class QComboBox;
class QLineEdit;

namespace zenalto {
class Platform;
}  // namespace zenalto

namespace zenalto::qt {

class frmAbout;

class Form1 : public QMainWindow, public Form1Events<WidgetWindow>, private Form1View {
    Q_OBJECT

public:
    using AboutFactory = Form1Commands::AboutFactory;

    // The About dialog is made by `makeAbout`, by default the Qt one over the
    // same platform.
    explicit Form1(Platform& platform, AboutFactory makeAbout = {}, QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override;

    // The Qt About dialog once it has been shown; empty until then, and when
    // an injected factory made a dialog of another kind.
    [[nodiscard]] frmAbout* aboutDialog() const;

    [[nodiscard]] Form1Commands& commands() noexcept override { return m_commands; }

private:
    // Form1View
    [[nodiscard]] std::u16string text(Field field) override;
    void setText(Field field, std::u16string_view text) override;
    void clearListText() override;
    void announce(std::u16string_view text) override;

    void placeAtStartPosition();

    Form1Commands m_commands;
    std::array<QLineEdit*, 4> m_fields{};  // Text1 to Text4
    QComboBox* m_combo = nullptr;
    Announcer m_announcer{*this};
};

}  // namespace zenalto::qt
