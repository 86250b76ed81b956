#include "FontFallbacks.h"

#include <QFont>
#include <QStringList>

namespace zenalto {

void InstallFontFallbacks() {
    // Liberation Sans has the metrics of Arial, the closest Debian has to the
    // three faces, so captions break where they were laid out to break.
    // DejaVu Sans stands in where Liberation is missing.
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const char* face : {"MS Sans Serif", "Tahoma", "Arial"}) {
        QFont::insertSubstitutions(QString::fromLatin1(face), fallbacks);
    }
}

}  // namespace zenalto
