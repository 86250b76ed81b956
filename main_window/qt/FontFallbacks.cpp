#include "FontFallbacks.h"

#include <QFont>
#include <QStringList>

namespace zenalto {

void InstallFontFallbacks() {
    // The captions were laid out for the three faces at 8.25 points, so a
    // stand-in must be no wider than they are. Liberation Sans and Arimo have
    // the advance widths of Arial; Tahoma, a narrowed Verdana, comes close to
    // Arial's widths too, so its captions keep fitting and break where they
    // were laid out to break. DejaVu Sans, as wide as Verdana, is the last
    // resort only: it can push a caption past its control.
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")};
    for (const char* face : {"MS Sans Serif", "Tahoma", "Arial"}) {
        QFont::insertSubstitutions(QString::fromLatin1(face), fallbacks);
    }
}

}  // namespace zenalto
