#include "resources/ApplicationIcon.h"

#include <array>

namespace zenalto {

namespace {

QIcon MakeApplicationIcon() {
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

}  // namespace

QIcon ApplicationIcon() {
    // One icon for the whole run. Each new icon decodes its pictures anew,
    // and Qt caches the copies it hands to the window system by picture: an
    // icon per window would add some 100 KiB to Qt's pixmap cache at every
    // About opening, until the cache's 10 MiB were full. Never destroyed: at
    // exit its destructor would run after the application object is gone.
    static const QIcon* const icon = new QIcon(MakeApplicationIcon());
    return *icon;
}

}  // namespace zenalto
