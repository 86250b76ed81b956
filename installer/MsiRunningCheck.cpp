// ZenaltoMsiCheck.dll: the custom action of the Windows Installer package
// (Zenalto.wxs) that keeps it from touching a Zenalto that runs, as the setup
// program does (Zenalto.nsh). Without it, Windows Installer goes on over a
// running Zenalto.exe: it registers the new version at once, leaves the file
// to be replaced at the next restart and ends with exit code 3010 (Wine's
// keeps the old program in place until then). This check ends the run before
// anything changes.
//
// While Zenalto runs, in any user's session, it tells so: with a window, the
// user may close Zenalto and retry, or cancel (exit code 1602); in a silent
// run (/qn) the message goes to the log and the run fails (exit code 1603).

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

namespace {

// The mutex that Zenalto.exe holds while it runs (app/win32/WinMain.cpp). One that
// this account may not open (made by a Zenalto.exe of another version) exists
// all the same.
bool zenaltoRunning() {
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, L"Global\\Zenalto-running");
    if (mutex != nullptr) {
        ::CloseHandle(mutex);
        return true;
    }
    return ::GetLastError() == ERROR_ACCESS_DENIED;
}

// Shows the message that Zenalto runs, with Retry and Cancel, through the
// installer's user interface, which also writes it to the log; returns the
// button pressed, 0 without a window (/qn).
int askToClose(MSIHANDLE install) {
    MSIHANDLE record = ::MsiCreateRecord(0);
    ::MsiRecordSetStringW(record, 0,
                          L"Zenalto está abierto. Ciérrelo y pulse Reintentar, o pulse Cancelar "
                          L"para salir sin cambiar nada.");
    const auto kind =
        static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_RETRYCANCEL | MB_ICONWARNING);
    const int answer = ::MsiProcessMessage(install, kind, record);
    ::MsiCloseHandle(record);
    return answer;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ZenaltoNotRunning(MSIHANDLE install) {
    while (zenaltoRunning()) {
        const int answer = askToClose(install);
        if (answer == IDCANCEL) {
            return ERROR_INSTALL_USEREXIT;
        }
        if (answer != IDRETRY) {
            return ERROR_INSTALL_FAILURE;
        }
    }
    return ERROR_SUCCESS;
}
