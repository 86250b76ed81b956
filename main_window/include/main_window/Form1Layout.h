#pragma once

// The main window's layout: the one table that every face's window (Qt,
// Win32, the web page) is built from.

#include <array>
#include <string_view>

#include "calc/ReferenceEllipsoids.h"
#include "layout/Layout.h"

// Each entry names only the fields its control uses; the rest keep their
// defaults, which g++ 12 would warn of for every designated initializer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zenalto {

namespace form1_layout {

using layout::Align;
using layout::Control;
using layout::Font;
using layout::Kind;
using layout::Menu;
using layout::MenuItem;

inline constexpr Font MsSansSerif{u"MS Sans Serif"};
inline constexpr Font Tahoma{u"Tahoma"};
inline constexpr Font TahomaBold{u"Tahoma", true};
inline constexpr Font Arial{u"Arial"};

// The list shows the ellipsoids' names in the table's order, unsorted.
inline constexpr auto EllipsoidNames = [] {
    std::array<std::u16string_view, ReferenceEllipsoids.size()> names{};
    std::size_t next = 0;
    for (const ReferenceEllipsoid& ellipsoid : ReferenceEllipsoids) {
        names[next++] = ellipsoid.name;
    }
    return names;
}();

// The scroll bar can never write an altitude that the calculation refuses.
inline constexpr layout::ScrollRange AltitudeRange{
    .minimum = 159, .maximum = 900, .value = 159, .smallChange = 1, .largeChange = 1};

// The most characters a field takes from the keyboard or a paste: the
// default of the Windows edit control and of Qt's line edit. Far more than any
// altitude or radius needs, and short enough that an edit control under Wine,
// whose text measuring grows with the square of a run of digits, still
// answers within a second of a long paste.
inline constexpr int FieldMaxLength = 32'767;

inline constexpr std::array Controls{
    Control{.name = "Frame3",
            .kind = Kind::Frame,
            .left = 1680,
            .top = 3960,
            .width = 5175,
            .height = 1095,
            .font = Tahoma,
            .tabIndex = 18},
    Control{.name = "Frame1",
            .kind = Kind::Frame,
            .left = 120,
            .top = 360,
            .width = 3615,
            .height = 3135,
            .caption = u"Entrada de Datos",
            .font = Tahoma,
            .colour = layout::Blue,
            .tabIndex = 0},
    Control{.name = "Label1",
            .kind = Kind::Label,
            .container = "Frame1",
            .left = 240,
            .top = 480,
            .width = 975,
            .height = 495,
            .caption = u"Altura del Satelite",
            .font = TahomaBold,
            .align = Align::Centre,
            .tabIndex = 2},
    Control{.name = "Label2",
            .kind = Kind::Label,
            .container = "Frame1",
            .left = 2760,
            .top = 600,
            .width = 375,
            .height = 255,
            .caption = u"Km",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 4},
    Control{.name = "Label3",
            .kind = Kind::Label,
            .container = "Frame1",
            .left = 120,
            .top = 1560,
            .width = 1095,
            .height = 375,
            .caption = u"Radio Terrestre",
            .font = TahomaBold,
            .align = Align::Centre,
            .tabIndex = 5,
            .buddy = "Combo1"},
    Control{.name = "Label4",
            .kind = Kind::Label,
            .container = "Frame1",
            .left = 2760,
            .top = 2280,
            .width = 375,
            .height = 255,
            .caption = u"Km",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 6},
    Control{.name = "Text1",
            .kind = Kind::TextBox,
            .container = "Frame1",
            .left = 1800,
            .top = 480,
            .width = 975,
            .height = 375,
            .caption = u"159",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 3,
            .accessibleName = u"Altura del Satelite (Km)",
            .maxLength = FieldMaxLength},
    Control{.name = "Text2",
            .kind = Kind::TextBox,
            .container = "Frame1",
            .left = 1440,
            .top = 2160,
            .width = 1335,
            .height = 375,
            .caption = u"6378.206",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 9,
            .accessibleName = u"Radio Terrestre (Km)",
            .maxLength = FieldMaxLength},
    Control{.name = "Combo1",
            .kind = Kind::ComboBox,
            .container = "Frame1",
            .left = 1440,
            .top = 1680,
            .width = 1575,
            .height = 330,
            .caption = u"Clarke 1866",
            .font = Arial,
            .tabIndex = 13,
            .accessibleName = u"Radio Terrestre",
            .accessibleDescription =
                u"Elipsoides de referencia: el elegido escribe su radio en Radio Terrestre (Km)",
            .items = EllipsoidNames,
            .maxLength = FieldMaxLength},
    Control{.name = "Frame2",
            .kind = Kind::Frame,
            .left = 3960,
            .top = 360,
            .width = 3735,
            .height = 3135,
            .caption = u"Salida de Datos",
            .font = Tahoma,
            .colour = layout::Blue,
            .tabIndex = 1},
    Control{.name = "Label5",
            .kind = Kind::Label,
            .container = "Frame2",
            .left = 240,
            .top = 1080,
            .width = 1215,
            .height = 375,
            .caption = u"Velocidad Orbital",
            .font = TahomaBold,
            .align = Align::Centre,
            .tabIndex = 7},
    Control{.name = "Label6",
            .kind = Kind::Label,
            .container = "Frame2",
            .left = 2760,
            .top = 1200,
            .width = 375,
            .height = 255,
            .caption = u"m/s",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 10},
    Control{.name = "Label7",
            .kind = Kind::Label,
            .container = "Frame2",
            .left = 2760,
            .top = 1920,
            .width = 495,
            .height = 255,
            .caption = u"Km/h",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 12},
    Control{.name = "Text3",
            .kind = Kind::TextBox,
            .container = "Frame2",
            .left = 1560,
            .top = 1080,
            .width = 1215,
            .height = 375,
            .caption = u"0",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 8,
            .accessibleName = u"Velocidad Orbital (m/s)",
            .maxLength = FieldMaxLength},
    Control{.name = "Text4",
            .kind = Kind::TextBox,
            .container = "Frame2",
            .left = 1560,
            .top = 1800,
            .width = 1215,
            .height = 375,
            .caption = u"0",
            .font = MsSansSerif,
            .align = Align::Centre,
            .tabIndex = 11,
            .accessibleName = u"Velocidad Orbital (Km/h)",
            .maxLength = FieldMaxLength},
    // The buttons and the scroll bar lie above the frames; each button
    // overlaps its left neighbour by one pixel and lies above it.
    Control{.name = "Command1",
            .kind = Kind::PushButton,
            .left = 2280,
            .top = 4320,
            .width = 975,
            .height = 375,
            .caption = u"Calcular",
            .font = Tahoma,
            .tabIndex = 14},
    Control{.name = "Command2",
            .kind = Kind::PushButton,
            .left = 3240,
            .top = 4320,
            .width = 855,
            .height = 375,
            .caption = u"Borrar",
            .font = Tahoma,
            .tabIndex = 15},
    Control{.name = "Command3",
            .kind = Kind::PushButton,
            .left = 4080,
            .top = 4320,
            .width = 975,
            .height = 375,
            .caption = u"Salir",
            .font = Tahoma,
            .tabIndex = 16},
    Control{.name = "Command4",
            .kind = Kind::PushButton,
            .left = 5040,
            .top = 4320,
            .width = 1095,
            .height = 375,
            .caption = u"Acerca de...",
            .font = Tahoma,
            .tabIndex = 17},
    Control{.name = "HScroll1",
            .kind = Kind::HScrollBar,
            .left = 1560,
            .top = 1440,
            .width = 1575,
            .height = 255,
            .tabIndex = 19,
            .accessibleName = u"Altura del Satelite",
            .accessibleDescription = u"Escribe su posición en Altura del Satelite (Km)",
            .scroll = AltitudeRange,
            .controls = "Text1"},
};

inline constexpr std::array ArchivoItems{
    MenuItem{"Calcular", u"&Calcular"},
    MenuItem{"Borrar", u"&Borrar"},
    MenuItem{"Salir", u"&Salir"},
};
inline constexpr std::array HelpItems{
    MenuItem{"Ayuda", u"A&yuda"},
    MenuItem{"Acerca", u"A&cerca de..."},
};
inline constexpr std::array Menus{
    Menu{.name = "Archivo", .caption = u"&Archivo", .items = ArchivoItems},
    Menu{.name = "Help", .caption = u"&Help", .items = HelpItems, .language = "en"},
};

}  // namespace form1_layout

inline constexpr layout::Window Form1Layout{
    .name = "Form1",
    .title = u"Zenalto: Programa para el cálculo de orbitas satelitales",
    .clientLeft = 2205,
    .clientTop = 2025,
    .clientWidth = 7830,
    .clientHeight = 5535,
    .border = layout::Border::Sizable,
    .font = form1_layout::MsSansSerif,
    .controls = form1_layout::Controls,
    .menus = form1_layout::Menus,
};

}  // namespace zenalto

#pragma GCC diagnostic pop
