#include "resources/ApplicationIcon.h"

#include <array>

namespace zenalto {

QIcon ApplicationIcon() {
    // Every size given here is decoded when the first window is shown, and
    // 256 pixels alone cost about a tenth of the start-up time; 128 serves a
    // title bar or task bar up to twice the usual density. Desktops take the
    // larger ones from the installed icon theme.
    static constexpr std::array Sizes{16, 32, 48, 64, 128};
    QIcon icon;
    for (const int size : Sizes) {
        icon.addFile(QStringLiteral(":/zenalto/icon/zenalto-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace zenalto
