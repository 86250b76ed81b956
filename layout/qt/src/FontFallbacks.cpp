#include "layout/FontFallbacks.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace zenalto::qt {

namespace {

// The captions were laid out for the three faces at 8.25 points, so a
// stand-in must be no wider than they are. Liberation Sans and Arimo have the
// advance widths of Arial; Tahoma, a narrowed Verdana, comes close to Arial's
// widths too, so its captions keep fitting and break where they were laid out
// to break. DejaVu Sans, as wide as Verdana, is the last resort only: it can
// push a caption past its control.
QStringList StandIns() {
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
            QStringLiteral("DejaVu Sans")};
}

}  // namespace

void InstallFontFallbacks() {
    const QStringList fallbacks = StandIns();
    for (const char* face : {"MS Sans Serif", "Tahoma", "Arial"}) {
        QFont::insertSubstitutions(QString::fromLatin1(face), fallbacks);
    }
}

QString FamilyFor(const QString& face) {
    // One list of the installed families for the whole run: the font database
    // does not change while the program runs, and QFontDatabase::hasFamily
    // would make that list anew at every call.
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(face)) {
        return face;
    }
    for (const QString& standIn : StandIns()) {
        if (installed.contains(standIn)) {
            return standIn;
        }
    }
    return face;
}

}  // namespace zenalto::qt
