#pragma once

// The program's embedded pictures live under the resource prefix ":/zenalto":
// the About dialog's picture is ":/zenalto/images/about.jpg".

#include <QIcon>

namespace zenalto {

// The program's icon, a small application window, at 16, 32, 48, 64 and 128
// pixels; every window of the program shows it. Every call returns the same
// icon, decoded once.
[[nodiscard]] QIcon ApplicationIcon();

}  // namespace zenalto
