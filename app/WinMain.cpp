// Zenalto.exe: the main window on the Windows API over the Windows platform.
// The program ends when its last window closes, or at once with "Salir".

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <ole2.h>
#include <windows.h>

#include "layout/LayoutWindow.h"
#include "main_window/win32/Form1.h"
#include "platform/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // COM for the picture decoder and the screen readers' accessible objects.
    const HRESULT ole = ::OleInitialize(nullptr);
    int exitCode = 0;
    {
        zenalto::Win32Platform platform;
        zenalto::win32::SetLastWindowClosedHandler([] { ::PostQuitMessage(0); });
        zenalto::win32::Form1 window(platform, instance);
        window.show();
        exitCode = zenalto::win32::RunMessageLoop();
    }
    if (SUCCEEDED(ole)) {
        ::OleUninitialize();
    }
    return exitCode;
}
