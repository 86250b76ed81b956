// Zenalto.exe: the main window on the Windows API over the Windows platform.
// The program ends when its last window closes, or at once with "Salir".

#include <windows.h>

#include "layout/LayoutWindow.h"
#include "main_window/win32/Form1.h"
#include "platform/Win32Platform.h"

namespace {

// Held while the program runs, and let go by Windows when it ends, however it
// ends: the setup program and the uninstaller test for it before they touch
// Zenalto.exe (installer/Zenalto.nsh names it too). In the global namespace so
// that a setup run by an administrator sees a copy that another user runs in
// another session; with no access list, so that the copy of a second user
// opens the same mutex and holds it too, instead of being refused.
void announceRunning() {
    SECURITY_DESCRIPTOR anyone{};
    anyone.Revision = SECURITY_DESCRIPTOR_REVISION;
    anyone.Control = SE_DACL_PRESENT;  // and no list: every user may open it
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &anyone, FALSE};
    // Never closed: the handle lives as long as the process. Without it (a
    // Windows that refuses the name) the program runs all the same.
    static_cast<void>(::CreateMutexW(&attributes, FALSE, L"Global\\Zenalto-running"));
}

// Every DLL that the program, or a part of Windows working for it (COM, the
// accessibility objects, a picture's decoder, the cryptography that gives the
// stack protector its canary), loads by bare name comes from System32 alone,
// never from the program's folder (Downloads, a USB stick), where anyone could
// have put a DLL of that name. The program needs no DLL of its own. Set before
// wWinMain, as the first of the constructors: the stack protector's own, which
// runs before wWinMain, loads Windows' cryptographic provider, and with it DLLs
// that Windows looks for in the program's folder first.
__attribute__((constructor(101))) void restrictDllSearch() {
    static_cast<void>(::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    announceRunning();
    // COM, for the About picture's decoder and the screen readers' accessible
    // objects, starts when they are first needed, not here: most runs need
    // neither, and starting it takes a sixth of the start-up.
    int exitCode = 0;
    {
        zenalto::win32::Win32Platform platform;
        zenalto::win32::SetLastWindowClosedHandler([] { ::PostQuitMessage(0); });
        zenalto::win32::Form1 window(platform, instance);
        window.show();
        exitCode = zenalto::win32::RunMessageLoop();
    }
    return exitCode;
}
