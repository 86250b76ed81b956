// Zenalto.exe: the main window on the Windows API over the Windows platform.
// The program ends when its last window closes, or at once with "Salir".

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "layout/LayoutWindow.h"
#include "main_window/win32/Form1.h"
#include "platform/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // COM, for the About picture's decoder and the screen readers' accessible
    // objects, starts when they are first needed, not here: most runs need
    // neither, and starting it takes a sixth of the start-up.
    int exitCode = 0;
    {
        zenalto::Win32Platform platform;
        zenalto::win32::SetLastWindowClosedHandler([] { ::PostQuitMessage(0); });
        zenalto::win32::Form1 window(platform, instance);
        window.show();
        exitCode = zenalto::win32::RunMessageLoop();
    }
    return exitCode;
}
