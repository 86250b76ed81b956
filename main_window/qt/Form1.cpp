#include "Form1.h"

#include <QLineEdit>
#include <QMenuBar>

#include "WheelFocus.h"
#include "about/frmAbout.h"
#include "calc/NumericText.h"
#include "calc/ReferenceEllipsoids.h"
#include "platform/Platform.h"
#include "ui_Form1.h"

namespace zenalto {

namespace {

// The client area (below the menu bar) opens at this place of the screen.
constexpr QPoint ClientAreaStart{147, 135};
constexpr QSize ClientAreaSize{522, 369};

}  // namespace

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::Form1>()), m_platform(platform) {
    // 8.25 points cannot be written in a .ui file; every control that names
    // only a face takes its size from here.
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPointSizeF(8.25);
    setFont(base);

    m_ui->setupUi(this);

    for (const auto& ellipsoid : ReferenceEllipsoids) {
        m_ui->Combo1->addItem(QStringView(ellipsoid.name).toString());
    }
    // Nothing is selected at start; the edit area shows its own text.
    m_ui->Combo1->setCurrentIndex(-1);
    m_ui->Combo1->setEditText(QStringLiteral("Clarke 1866"));
    keepComboTextAsTyped();
    // Text2 and Text1 change only by a choice the user meant: a stray wheel
    // turn over the list or the scroll bar must not overwrite them.
    AcceptWheelOnlyWithFocus(*m_ui->Combo1);
    AcceptWheelOnlyWithFocus(*m_ui->HScroll1);

    connect(m_ui->Command1, &QPushButton::clicked, this,
            [this] { calculate(CalculationPrompts::Button); });
    connect(m_ui->Calcular, &QAction::triggered, this,
            [this] { calculate(CalculationPrompts::Menu); });
    connect(m_ui->Command2, &QPushButton::clicked, this, &Form1::clearFields);
    connect(m_ui->Borrar, &QAction::triggered, this, &Form1::clearFields);
    connect(m_ui->Command3, &QPushButton::clicked, this, &Form1::endProgram);
    connect(m_ui->Salir, &QAction::triggered, this, &Form1::endProgram);
    connect(m_ui->Command4, &QPushButton::clicked, this, &Form1::showAbout);
    connect(m_ui->Acerca, &QAction::triggered, this, &Form1::showAbout);
    connect(m_ui->Ayuda, &QAction::triggered, this, &Form1::showHelp);
    connect(m_ui->Combo1, &QComboBox::activated, this, &Form1::applyEllipsoidChoice);
    // With tracking off, a dragged thumb reports its position on release only;
    // arrow and track clicks report at once.
    connect(m_ui->HScroll1, &QScrollBar::valueChanged, this, &Form1::copyScrollPosition);

    placeAtStartPosition();
    m_ui->Text1->setFocus();
}

Form1::~Form1() = default;

void Form1::placeAtStartPosition() {
    // The bar's height at the window's width: its size hint can be a pixel short.
    const int menuHeight = menuBar()->heightForWidth(ClientAreaSize.width());
    setGeometry(ClientAreaStart.x(), ClientAreaStart.y() - menuHeight, ClientAreaSize.width(),
                ClientAreaSize.height() + menuHeight);
}

void Form1::keepComboTextAsTyped() {
    // An editable QComboBox completes typed text from its entries and, when
    // its edit area loses focus or takes Enter, selects the entry that matches
    // the text and reports it as chosen. That would overwrite the radius from
    // a typed name; here only choosing from the list does.
    QComboBox* combo = m_ui->Combo1;
    combo->setCompleter(nullptr);
    QLineEdit* edit = combo->lineEdit();
    QObject::disconnect(edit, SIGNAL(editingFinished()), combo, nullptr);
    QObject::disconnect(edit, SIGNAL(returnPressed()), combo, nullptr);
}

void Form1::calculate(CalculationPrompts prompts) {
    const CalculationResult result = CalculateOrbitVelocity(m_ui->Text1->text().toStdU16String(),
                                                            m_ui->Text2->text().toStdU16String(),
                                                            prompts, m_platform.decimalSeparator());
    if (const auto* texts = std::get_if<OrbitVelocityTexts>(&result)) {
        m_ui->Text3->setText(QStringView(texts->metresPerSecond).toString());
        m_ui->Text4->setText(QStringView(texts->kilometresPerHour).toString());
    } else {
        const auto& message = std::get<Message>(result);
        m_platform.messageBox(message.prompt, message.style, message.title);
    }
}

void Form1::clearFields() {
    m_ui->Text1->clear();
    m_ui->Combo1->setCurrentIndex(-1);
    m_ui->Combo1->clearEditText();
    m_ui->Text2->clear();
    m_ui->Text3->clear();
    m_ui->Text4->clear();
}

void Form1::endProgram() {
    m_platform.endProgram();
}

void Form1::showHelp() {
    m_platform.messageBox(u"Introduzca la altura del satelite,luego seleccione el radio terrestre",
                          MessageStyleOkOnly, u"Ayuda");
}

void Form1::showAbout() {
    if (!m_frmAbout) {
        m_frmAbout = std::make_unique<frmAbout>(m_platform);
    }
    m_frmAbout->Show();
}

void Form1::applyEllipsoidChoice(int index) {
    if (const auto radius = RadiusTextOfEllipsoid(index)) {
        m_ui->Text2->setText(QStringView(*radius).toString());
    }
}

void Form1::copyScrollPosition(int position) {
    // The range 159..900 keeps the position within a 16-bit integer.
    m_ui->Text1->setText(
        QString::fromStdU16String(TextOfInteger(static_cast<std::int16_t>(position))));
}

}  // namespace zenalto
