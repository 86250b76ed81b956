#include "main_window/web/Form1.h"

#include <memory>
#include <string_view>
#include <utility>

#include "about/web/frmAbout.h"
#include "main_window/Form1Layout.h"

namespace zenalto::web {

Form1::Form1(Platform& platform, AboutFactory makeAbout)
    : Form1Events(Form1Layout),
      m_commands(*this, platform, AboutFactoryOr<frmAbout>(std::move(makeAbout), platform)) {}

std::u16string Form1::text(Field field) {
    return PageWindow::text(FieldName(field));
}

void Form1::setText(Field field, std::u16string_view text) {
    PageWindow::setText(FieldName(field), text);
}

void Form1::clearListText() {
    setListIndex("Combo1", -1);
    PageWindow::setText("Combo1", u"");
}

void Form1::announce(std::u16string_view text) {
    PageWindow::announce(text);
}

}  // namespace zenalto::web
