#pragma once

// A desktop's high-contrast theme on Linux. The program does not follow the
// desktop's settings (app/qt/Startup.cpp): its style and colours are its own,
// and the colours the tables fix (the frames' blue captions, the About
// window's black and blue labels and its grey and white rule) are drawn
// whatever the desktop's theme. Under a contrast theme they give way: the
// application takes the theme's palette, and every control drawn in a fixed
// colour takes the palette's colour of its kind instead, as the page does
// under forced colours.

#include <optional>

#include <QColor>
#include <QPalette>
#include <QString>

namespace zenalto::qt {

// A palette of two colours, as a contrast theme draws: `foreground` for
// every text, border and mark, `background` behind them.
[[nodiscard]] QPalette ContrastPalette(const QColor& foreground, const QColor& background);

// The contrast palette of a GTK theme named as GTK_THEME names it ("Name" or
// "Name:variant"): GNOME's HighContrast black on white, HighContrastInverse
// (or HighContrast:dark) white on black; none for any other theme.
[[nodiscard]] std::optional<QPalette> ContrastPaletteOfTheme(const QString& gtkTheme);

// The contrast palette the desktop asks for, if any: from the GTK theme that
// GTK_THEME names, or else, on X11, from the one XSETTINGS names
// (Net/ThemeName, which the settings daemons of GNOME, MATE, Cinnamon and
// Xfce publish, and which GNOME sets to HighContrast when its high-contrast
// switch is on). Call once the application is made: it reads through Qt's
// own connection to the X server.
[[nodiscard]] std::optional<QPalette> DesktopContrastPalette();

// Gives the application `palette` as a contrast theme: windows built from
// now on draw the tables' fixed colours in the palette's.
void UseContrastPalette(const QPalette& palette);

// Back to the program's own colours, for windows built from now on.
void StopContrastPalette();

// Whether windows are built under a contrast theme.
[[nodiscard]] bool ContrastPaletteInUse();

}  // namespace zenalto::qt
