#pragma once

#include <QString>

namespace zenalto::qt {

// Lets every font that names "MS Sans Serif", "Tahoma" or "Arial" fall back to
// a face of the same widths where the named one is not installed.
void InstallFontFallbacks();

// The family a window's font asks for in place of `face`: the face itself
// where it is installed, otherwise its first installed stand-in (or the face,
// left to Qt's own fallback, where none is). Asking once for the family that
// will be drawn spares Qt a failed lookup, a list of fallbacks and a font
// engine for each of the three faces.
[[nodiscard]] QString FamilyFor(const QString& face);

}  // namespace zenalto::qt
