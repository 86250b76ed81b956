; What the setup program (Zenalto.nsi) and the uninstaller (Uninstall.nsi)
; share: the product's names, the uninstall entry's key, and how both find
; out, before they touch Zenalto.exe, whether Zenalto runs.
;
; Exit codes of both (docs/windows-setup-exit-codes.md):
;   0     done
;   1     cancelled by the user; nothing changed
;   2     stopped by an error, told in a message (silent runs: none shown);
;         the setup program also when Zenalto is installed by the .msi package
;   3     Zenalto was running in a silent run; nothing changed
;   3010  uninstalled; Uninstall.exe itself goes at the next restart (rare)

Unicode true
; 64-bit programs: they write the native registry and Program Files, with no
; WOW64 redirection to get wrong.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "Zenalto"
!define PUBLISHER "Equipo Zenalto"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zenalto"
; The mutex that Zenalto.exe holds while it runs (app/win32/WinMain.cpp), in the
; global namespace: a program of any user's session holds it.
!define RUNNING_MUTEX "Global\Zenalto-running"
; Where the Windows Installer package (Zenalto.wxs) marks itself installed: the
; setup program leaves a Zenalto installed by the package alone.
!define MSI_MARK_KEY "Software\Zenalto"
!define MSI_MARK_VALUE "MsiProductCode"

!define EXIT_CANCELLED 1
!define EXIT_FAILED 2
!define EXIT_RUNNING 3
!define EXIT_RESTART_NEEDED 3010

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

; Defines PREFIXWaitUntilZenaltoClosed (PREFIX "" or "un."). While Zenalto
; runs, in any session, an interactive run asks the user to close it and try
; again, or to leave (exit code 1); a silent run leaves at once (exit code 3).
; Either way it leaves before changing anything. Uses $1 and $2.
!macro ZENALTO_WAIT_UNTIL_CLOSED PREFIX
Function ${PREFIX}WaitUntilZenaltoClosed
  ${Do}
    ; SYNCHRONIZE is all it asks for. A mutex that this account may not open
    ; (made by a Zenalto.exe of another version) exists all the same.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p.r1 ?e'
    Pop $2
    ${If} $1 P<> 0
      System::Call 'kernel32::CloseHandle(p r1)'
    ${ElseIf} $2 <> 5 ; ERROR_ACCESS_DENIED
      Return
    ${EndIf}
    DetailPrint "$(ZenaltoRunning)"
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ZenaltoRunning)" /SD IDCANCEL IDCANCEL`
      ${If} ${Silent}
        SetErrorLevel ${EXIT_RUNNING}
      ${Else}
        SetErrorLevel ${EXIT_CANCELLED}
      ${EndIf}
      Quit
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend

; The language of both, after their pages, with the messages of their own.
!macro ZENALTO_LANGUAGE
  !insertmacro MUI_LANGUAGE "Spanish"
  LangString ZenaltoRunning ${LANG_SPANISH} \
    "Zenalto está abierto. Ciérrelo y pulse Reintentar, o pulse Cancelar para salir sin cambiar nada."
  LangString ZenaltoCannotDelete ${LANG_SPANISH} \
    "No pudo borrarse:$\r$\n$\t$\"$0$\"$\r$\nPulse Reintentar para volver a intentarlo, o Cancelar para dejar Zenalto instalado."
  LangString ZenaltoOldCopyStays ${LANG_SPANISH} \
    "No pudo quitarse el Zenalto instalado en $\"$0$\" (código $1). Sigue instalado allí; Zenalto ${VERSION} no se ha instalado."
  LangString ZenaltoInstalledByMsi ${LANG_SPANISH} \
    "Zenalto está instalado con su paquete de Windows Installer (.msi). Desinstálelo en Aplicaciones antes de instalar Zenalto con este programa."
  LangString ZenaltoCannotRegister ${LANG_SPANISH} \
    "No pudo crearse el acceso directo o la entrada de Zenalto en Aplicaciones. Zenalto ${VERSION} no se ha instalado."
!macroend
