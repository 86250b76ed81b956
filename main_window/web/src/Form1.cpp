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
    m_commands.Click(control.name);
}

void Form1::onListClick(const layout::Control& control, int index) {
    m_commands.ListClick(control.name, index);
}

void Form1::onScrollChange(const layout::Control& control, int position) {
    m_commands.ScrollChange(control.name, position);
}

void Form1::onMenu(const layout::MenuItem& item) {
    m_commands.Click(item.name);
}

}  // namespace zenalto::web
