#include "main_window/win32/Form1.h"

#include <string>
#include <utility>

#include "about/win32/frmAbout.h"
#include "layout/Win32Text.h"
#include "main_window/Form1Layout.h"

namespace zenalto::win32 {

namespace {

Form1Commands::AboutFactory aboutFactory(Form1Commands::AboutFactory makeAbout, Platform& platform,
                                         HINSTANCE instance) {
    if (makeAbout) {
        return makeAbout;
    }
    return [&platform, instance] { return std::make_unique<frmAbout>(platform, instance); };
}

}  // namespace

Form1::Form1(Platform& platform, HINSTANCE instance, AboutFactory makeAbout)
    : LayoutWindow(Form1Layout, instance, L"ZenaltoForm1"),
      m_commands(*this, platform, aboutFactory(std::move(makeAbout), platform, instance)) {
    load(nullptr);
}

Form1::~Form1() {
    unload();
}

HWND Form1::field(Field which) const noexcept {
    switch (which) {
        case Field::Text1:
            return control("Text1");
        case Field::Text2:
            return control("Text2");
        case Field::Text3:
            return control("Text3");
        case Field::Text4:
            return control("Text4");
    }
    return nullptr;
}

std::u16string Form1::text(Field which) {
    const HWND box = field(which);
    return box != nullptr ? windowText(box) : std::u16string();
}

void Form1::setText(Field which, std::u16string_view text) {
    if (const HWND box = field(which); box != nullptr) {
        ::SetWindowTextW(box, wide(text).c_str());
    }
}

void Form1::clearListText() {
    if (const HWND list = control("Combo1"); list != nullptr) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ::SetWindowTextW(list, L"");
    }
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

}  // namespace zenalto::win32
