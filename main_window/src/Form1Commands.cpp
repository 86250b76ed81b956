#include "main_window/Form1Commands.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>

#include "calc/NumericText.h"
#include "calc/OrbitVelocity.h"
#include "calc/ReferenceEllipsoids.h"
#include "layout/TableRules.h"
#include "main_window/Form1Layout.h"
#include "platform/Platform.h"

namespace zenalto {

namespace {

// The buttons and menu items of the main window's table, each with its handler.
constexpr std::array<layout::ClickHandler<Form1Commands>, 9> ClickHandlers{{
    {"Command1", &Form1Commands::Command1_Click},
    {"Command2", &Form1Commands::Command2_Click},
    {"Command3", &Form1Commands::Command3_Click},
    {"Command4", &Form1Commands::Command4_Click},
    {"Calcular", &Form1Commands::Calcular_Click},
    {"Borrar", &Form1Commands::Borrar_Click},
    {"Salir", &Form1Commands::Salir_Click},
    {"Ayuda", &Form1Commands::Ayuda_Click},
    {"Acerca", &Form1Commands::Acerca_Click},
}};
static_assert(
    layout::handlesEveryClick(Form1Layout, ClickHandlers),
    "every push button and menu item of Form1Layout needs one handler here, and no other name");

// A field as a screen reader hears it when it takes the focus: its accessible
// name from the table, then its text.
std::u16string Spoken(Field field, std::u16string_view text) {
    const layout::Control* box = layout::find(Form1Layout, FieldName(field));
    std::u16string said(box != nullptr ? box->accessibleName : std::u16string_view());
    said += u' ';
    said += text;
    return said;
}

// The title of every input message.
constexpr std::u16string_view InputErrorTitle = u"Error en la introducción de datos";

// The input messages of a fault, as the button and as the menu command say it:
// each begins with a blank, the button's with a capital letter, the menu
// command's with a lower-case one.
struct FaultPrompts {
    std::u16string_view button;
    std::u16string_view menu;
};

constexpr FaultPrompts PromptsOf(CalculationFault fault) noexcept {
    switch (fault) {
        case CalculationFault::NoAltitude:
            return {u" Introduzca un valor de altitud satelital",
                    u" introduzca un valor de altitud satelital"};
        case CalculationFault::NoRadius:
            return {u" Introduzca un valor de radio terrestre",
                    u" introduzca un valor de radio terrestre"};
        case CalculationFault::AltitudeTooLarge:
            return {u" Introduzca una altitud satelital menor",
                    u" introduzca una altitud satelital menor"};
        case CalculationFault::RadiusTooLarge:
            return {u" Introduzca un valor de radio terrestre menor",
                    u" introduzca un valor de radio terrestre menor"};
        case CalculationFault::NoOrbit:
            return {u" Introduzca una altitud satelital mayor que menos el radio terrestre",
                    u" introduzca una altitud satelital mayor que menos el radio terrestre"};
    }
    return {};
}

}  // namespace

std::string_view FieldName(Field field) noexcept {
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

void Form1Commands::Click(std::string_view name) {
    layout::RunClick(ClickHandlers, *this, name);
}

void Form1Commands::ListClick(std::string_view name, int listIndex) {
    if (name == "Combo1") {
        Combo1_Click(listIndex);
    }
}

void Form1Commands::ScrollChange(std::string_view name, int position) {
    if (name == "HScroll1") {
        HScroll1_Change(position);
    }
}

Form1Commands::Form1Commands(Form1View& view, Platform& platform, AboutFactory makeAbout)
    : m_view(view), m_platform(platform), m_makeAbout(std::move(makeAbout)) {}

void Form1Commands::Command1_Click() {
    calculate(false);
}

void Form1Commands::Calcular_Click() {
    calculate(true);
}

void Form1Commands::Command2_Click() {
    clearFields();
}

void Form1Commands::Borrar_Click() {
    clearFields();
}

void Form1Commands::Command3_Click() {
    m_platform.endProgram();
}

void Form1Commands::Salir_Click() {
    m_platform.endProgram();
}

void Form1Commands::Command4_Click() {
    showAbout();
}

void Form1Commands::Acerca_Click() {
    showAbout();
}

void Form1Commands::Ayuda_Click() {
    m_platform.messageBox(u"Introduzca la altura del satelite,luego seleccione el radio terrestre",
                          MessageStyle::OkOnly, u"Ayuda");
}

void Form1Commands::Combo1_Click(int listIndex) {
    if (const auto radius = RadiusTextOfEllipsoid(listIndex)) {
        m_view.setText(Field::Text2, *radius);
        m_view.announce(Spoken(Field::Text2, *radius));
    }
}

void Form1Commands::HScroll1_Change(int position) {
    // The range 159..900 keeps the position within a 16-bit integer.
    m_view.setText(Field::Text1, TextOfInteger(static_cast<std::int16_t>(position)));
}

void Form1Commands::calculate(bool fromMenu) {
    const CalculationResult result = CalculateOrbitVelocity(
        m_view.text(Field::Text1), m_view.text(Field::Text2), m_platform.decimalSeparator());
    if (const auto* texts = std::get_if<OrbitVelocityTexts>(&result)) {
        m_view.setText(Field::Text3, texts->metresPerSecond);
        m_view.setText(Field::Text4, texts->kilometresPerHour);
        // One announcement for both: a second would cut the first short.
        m_view.announce(Spoken(Field::Text3, texts->metresPerSecond) + u". " +
                        Spoken(Field::Text4, texts->kilometresPerHour));
    } else {
        const FaultPrompts prompts = PromptsOf(std::get<CalculationFault>(result));
        m_platform.messageBox(fromMenu ? prompts.menu : prompts.button, MessageStyle::Critical,
                              InputErrorTitle);
    }
}

void Form1Commands::clearFields() {
    m_view.setText(Field::Text1, u"");
    m_view.clearListText();
    m_view.setText(Field::Text2, u"");
    m_view.setText(Field::Text3, u"");
    m_view.setText(Field::Text4, u"");
}

void Form1Commands::showAbout() {
    if (!m_frmAbout) {
        m_frmAbout = m_makeAbout();
    }
    m_frmAbout->Show();
}

}  // namespace zenalto
