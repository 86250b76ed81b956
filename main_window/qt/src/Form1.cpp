#include "main_window/qt/Form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>

#include <utility>

#include "about/qt/frmAbout.h"
#include "layout/WidgetBuilder.h"
#include "main_window/Form1Layout.h"

namespace zenalto::qt {

namespace {

std::size_t IndexOf(Field field) {
    return static_cast<std::size_t>(field);
}

}  // namespace

Form1::Form1(Platform& platform, AboutFactory makeAbout, QWidget* parent)
    : QMainWindow(parent, WindowFlagsOf(Form1Layout.border)),
      Form1Events(Form1Layout),
      m_commands(*this, platform, AboutFactoryOr<frmAbout>(std::move(makeAbout), platform)) {
    // Every button and menu item of the table, the list and the scroll bar
    // report to the hooks, which Form1Events forwards to the commands.
    const Controls& controls = load(*this);
    m_fields = {&controls.get<QLineEdit>("Text1"), &controls.get<QLineEdit>("Text2"),
                &controls.get<QLineEdit>("Text3"), &controls.get<QLineEdit>("Text4")};
    m_combo = &controls.get<QComboBox>("Combo1");

    placeAtStartPosition();
    m_fields[IndexOf(Field::Text1)]->setFocus();
}

Form1::~Form1() = default;

frmAbout* Form1::aboutDialog() const {
    // An injected factory may make another kind of dialog.
    return dynamic_cast<frmAbout*>(m_commands.aboutDialog());
}

std::u16string Form1::text(Field field) {
    return m_fields[IndexOf(field)]->text().toStdU16String();
}

void Form1::setText(Field field, std::u16string_view text) {
    m_fields[IndexOf(field)]->setText(QStringView(text).toString());
}

void Form1::clearListText() {
    m_combo->setCurrentIndex(-1);
    m_combo->clearEditText();
}

void Form1::announce(std::u16string_view text) {
    m_announcer.announce(QStringView(text).toString());
}

void Form1::placeAtStartPosition() {
    const QRect client = ClientArea(Form1Layout);
    // The bar's height at the window's width: its size hint can be a pixel short.
    const int menuHeight = menuBar()->heightForWidth(client.width());
    setGeometry(client.x(), client.y() - menuHeight, client.width(), client.height() + menuHeight);
}

}  // namespace zenalto::qt
