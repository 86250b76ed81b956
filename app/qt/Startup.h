#pragma once

#include <QApplication>

#include <memory>

namespace zenalto {

// Makes the program's QApplication with its application-wide settings: the
// "Windows" style, the font fallbacks, the window icon and the desktop entry's
// name. On Linux and the other X11 and Wayland systems the application does
// not follow the desktop: no platform theme is loaded, neither the one
// guessed from XDG_CURRENT_DESKTOP nor one named in QT_QPA_PLATFORMTHEME.
// argc and argv must outlive the application.
[[nodiscard]] std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace zenalto
