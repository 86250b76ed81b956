#pragma once

// The About dialog's layout: the one table that every face's dialog (Qt,
// Win32, the web page) is built from.

#include <array>

#include "layout/Layout.h"

// Each entry names only the fields its control uses; the rest keep their
// defaults, which g++ 12 would warn of for every designated initializer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zenalto {

namespace about_layout {

using layout::Align;
using layout::Control;
using layout::Font;
using layout::Kind;

inline constexpr Font MsSansSerif{u"MS Sans Serif"};
inline constexpr Font MsSansSerifBold{u"MS Sans Serif", true};
inline constexpr Font Tahoma{u"Tahoma"};

inline constexpr std::array Controls{
    // Line1, the etched rule: a grey line of one pixel with a white one of two
    // pixels just below it.
    Control{.name = "Line1_1",
            .kind = Kind::Line,
            .left = 120,
            .top = 2445,
            .width = 6600,
            .height = 15,
            .colour = layout::Grey},
    Control{.name = "Line1_0",
            .kind = Kind::Line,
            .left = 120,
            .top = 2460,
            .width = 6600,
            .height = 30,
            .colour = layout::White},
    Control{
        .name = "lblDisclaimer",
        .kind = Kind::Label,
        .left = 255,
        .top = 2865,
        .width = 3870,
        .height = 465,
        .caption = u" Los Cálculos son válidos para órbitas satelitales alrededor de la Tierra. ",
        .font = Tahoma,
        .colour = layout::Black,
        .tabIndex = 3},
    Control{.name = "lblVersion",
            .kind = Kind::Label,
            .left = 480,
            .top = 2160,
            .width = 1125,
            .height = 225,
            .caption = u"Version 1.0",
            .tabIndex = 4,
            .language = "en"},
    Control{.name = "lblDescription",
            .kind = Kind::Label,
            .left = 2520,
            .top = 240,
            .width = 3885,
            .height = 1170,
            .caption = u"Este programa fue desarrollado con fines educativos solamente. Sirve "
                       u"de apoyo didáctico para el cálculo de órbitas satelitales en el curso "
                       u"de Mecánica Orbital del Instituto Tecnológico de Puerto Ficticio, para "
                       u"el que fue escrito.",
            .colour = layout::Black,
            .tabIndex = 2},
    Control{.name = "Label1",
            .kind = Kind::Label,
            .left = 360,
            .top = 2520,
            .width = 495,
            .height = 255,
            .caption = u"Nota:",
            .font = MsSansSerifBold,
            .tabIndex = 5},
    Control{.name = "Label2",
            .kind = Kind::Label,
            .left = 4920,
            .top = 2160,
            .width = 1455,
            .height = 255,
            .caption = u"Otoño, 2004",
            .align = Align::Centre,
            .tabIndex = 6},
    Control{.name = "Label3",
            .kind = Kind::Label,
            .left = 3840,
            .top = 1560,
            .width = 2415,
            .height = 255,
            .caption = u"Equipo Zenalto",
            .font = MsSansSerifBold,
            .align = Align::Centre,
            .tabIndex = 7},
    Control{.name = "Label4",
            .kind = Kind::Label,
            .left = 3840,
            .top = 1800,
            .width = 2415,
            .height = 255,
            .caption = u"zenalto@example.org",
            .colour = layout::Blue,
            .align = Align::Centre,
            .tabIndex = 8},
    Control{.name = "Image1",
            .kind = Kind::Picture,
            .left = 120,
            .top = 120,
            .width = 2250,
            .height = 1815,
            .accessibleName = u"La Tierra con un satélite en órbita circular",
            .picture = "about.jpg"},
    Control{.name = "cmdSysInfo",
            .kind = Kind::PushButton,
            .left = 4680,
            .top = 3360,
            .width = 1245,
            .height = 345,
            .caption = u"&System Info...",
            .tabIndex = 1,
            .language = "en"},
    Control{.name = "cmdOK",
            .kind = Kind::PushButton,
            .left = 4680,
            .top = 2865,
            .width = 1260,
            .height = 345,
            .caption = u"OK",
            .tabIndex = 0,
            .isDefault = true,
            .isCancel = true,
            .language = "en"},
};

}  // namespace about_layout

inline constexpr layout::Window frmAboutLayout{
    .name = "frmAbout",
    .title = u"Sobre Zenalto Ver. 1.0",
    .clientLeft = 2580,
    .clientTop = 2640,
    .clientWidth = 6795,
    .clientHeight = 3915,
    .border = layout::Border::FixedDialog,
    .font = about_layout::MsSansSerif,
    .controls = about_layout::Controls,
    .menus = {},
};

}  // namespace zenalto

#pragma GCC diagnostic pop
