#include "main_window/win32/Form1.h"

#include <string>
#include <utility>

#include "about/win32/frmAbout.h"
#include "layout/Win32Text.h"
#include "main_window/Form1Layout.h"

namespace zenalto::win32 {

Form1::Form1(Platform& platform, HINSTANCE instance, AboutFactory makeAbout)
    : Form1Events(Form1Layout, instance, L"ZenaltoForm1"),
      m_commands(*this, platform,
                 AboutFactoryOr<frmAbout>(std::move(makeAbout), platform, instance)) {
    load(nullptr);
}

Form1::~Form1() {
    unload();
}

HWND Form1::field(Field which) const noexcept {
    return control(FieldName(which));
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

void Form1::announce(std::u16string_view text) {
    LayoutWindow::announce(text);
}

}  // namespace zenalto::win32
