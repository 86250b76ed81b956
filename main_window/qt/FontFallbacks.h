#pragma once

namespace zenalto {

// Maps the faces the windows name ("MS Sans Serif", "Tahoma", "Arial") to
// faces that exist on the machine when they do not, before any window is made.
void InstallFontFallbacks();

}  // namespace zenalto
