#include "Form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include "about/frmAbout.h"
#include "layout/WidgetBuilder.h"
#include "main_window/Form1Layout.h"

namespace zenalto {

namespace {

std::size_t IndexOf(Field field) {
    return static_cast<std::size_t>(field);
}

}  // namespace

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent, layout::WindowFlagsOf(Form1Layout.border)),
      m_commands(*this, platform, [&platform] { return std::make_unique<frmAbout>(platform); }) {
    layout::SetUpWindow(Form1Layout, *this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("centralwidget"));
    const layout::Controls controls = layout::BuildControls(Form1Layout, *client);
    setCentralWidget(client);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menubar"));
    const layout::Commands menu = layout::BuildMenus(Form1Layout, *bar, *this);
    setMenuBar(bar);

    m_fields = {&controls.get<QLineEdit>("Text1"), &controls.get<QLineEdit>("Text2"),
                &controls.get<QLineEdit>("Text3"), &controls.get<QLineEdit>("Text4")};
    m_combo = &controls.get<QComboBox>("Combo1");

    Form1Commands* commands = &m_commands;
    const auto onClick = [&](const char* button, void (Form1Commands::*command)()) {
        connect(&controls.get<QPushButton>(button), &QPushButton::clicked, this,
                [commands, command] { (commands->*command)(); });
    };
    const auto onMenu = [&](const char* item, void (Form1Commands::*command)()) {
        connect(&menu.get(item), &QAction::triggered, this,
                [commands, command] { (commands->*command)(); });
    };
    onClick("Command1", &Form1Commands::Command1_Click);
    onClick("Command2", &Form1Commands::Command2_Click);
    onClick("Command3", &Form1Commands::Command3_Click);
    onClick("Command4", &Form1Commands::Command4_Click);
    onMenu("Calcular", &Form1Commands::Calcular_Click);
    onMenu("Borrar", &Form1Commands::Borrar_Click);
    onMenu("Salir", &Form1Commands::Salir_Click);
    onMenu("Ayuda", &Form1Commands::Ayuda_Click);
    onMenu("Acerca", &Form1Commands::Acerca_Click);
    connect(m_combo, &QComboBox::activated, this,
            [commands](int index) { commands->Combo1_Click(index); });
    // The scroll bar reports arrow and track clicks at once, a dragged thumb
    // on its release.
    connect(&controls.get<QScrollBar>("HScroll1"), &QScrollBar::valueChanged, this,
            [commands](int position) { commands->HScroll1_Change(position); });

    placeAtStartPosition();
    m_fields[IndexOf(Field::Text1)]->setFocus();
}

Form1::~Form1() = default;

frmAbout* Form1::aboutDialog() const {
    // The only kind of About dialog this window's commands make.
    return static_cast<frmAbout*>(m_commands.aboutDialog());
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

void Form1::placeAtStartPosition() {
    const QRect client = layout::ClientArea(Form1Layout);
    // The bar's height at the window's width: its size hint can be a pixel short.
    const int menuHeight = menuBar()->heightForWidth(client.width());
    setGeometry(client.x(), client.y() - menuHeight, client.width(), client.height() + menuHeight);
}

}  // namespace zenalto
