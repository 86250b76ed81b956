#include "resources/ApplicationIcon.h"

#include <array>

namespace zenalto {

QIcon ApplicationIcon() {
    static constexpr std::array Sizes{16, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int size : Sizes) {
        icon.addFile(QStringLiteral(":/zenalto/icon/zenalto-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace zenalto
