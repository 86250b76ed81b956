#include "main_window/web/Form1.h"

#include <memory>
#include <string_view>
#include <utility>

#include "about/web/frmAbout.h"
#include "main_window/Form1Layout.h"

namespace zenalto::web {

namespace {

Form1Commands::AboutFactory aboutFactory(Form1Commands::AboutFactory makeAbout,
                                         Platform& platform) {
    if (makeAbout) {
        return makeAbout;
    }
    return [&platform] { return std::make_unique<frmAbout>(platform); };
}

std::string_view nameOf(Field field) {
    switch (field) {
        case Field::Text1:
            return "Text1";
        case Field::Text2:
            return "Text2";
        case Field::Text3:
            return "Text3";
        case Field::Text4:
            return "Text4";
    }
    return {};
}

}  // namespace

Form1::Form1(Platform& platform, AboutFactory makeAbout)
    : PageWindow(Form1Layout),
      m_commands(*this, platform, aboutFactory(std::move(makeAbout), platform)) {}

std::u16string Form1::text(Field field) {
    return PageWindow::text(nameOf(field));
}

void Form1::setText(Field field, std::u16string_view text) {
    PageWindow::setText(nameOf(field), text);
}

void Form1::clearListText() {
    setListIndex("Combo1", -1);
    PageWindow::setText("Combo1", u"");
}

void Form1::onClick(const layout::Control& control) {
    if (control.name == "Command1") {
        m_commands.Command1_Click();
    } else if (control.name == "Command2") {
        m_commands.Command2_Click();
    } else if (control.name == "Command3") {
        m_commands.Command3_Click();
    } else if (control.name == "Command4") {
        m_commands.Command4_Click();
    }
}

void Form1::onListClick(const layout::Control& control, int index) {
    if (control.name == "Combo1") {
        m_commands.Combo1_Click(index);
    }
}

void Form1::onScrollChange(const layout::Control& control, int position) {
    if (control.name == "HScroll1") {
        m_commands.HScroll1_Change(position);
    }
}

void Form1::onMenu(const layout::MenuItem& item) {
    if (item.name == "Calcular") {
        m_commands.Calcular_Click();
    } else if (item.name == "Borrar") {
        m_commands.Borrar_Click();
    } else if (item.name == "Salir") {
        m_commands.Salir_Click();
    } else if (item.name == "Ayuda") {
        m_commands.Ayuda_Click();
    } else if (item.name == "Acerca") {
        m_commands.Acerca_Click();
    }
}

}  // namespace zenalto::web
