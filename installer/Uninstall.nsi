; Uninstall.exe, which the setup program (Zenalto.nsi) puts beside
; Zenalto.exe, built by makensis from the build (installer/CMakeLists.txt),
; which defines VERSION, ICON and OUTFILE as for the setup program.
;
; An uninstaller of NSIS's own copies itself out of the folder it removes,
; starts the copy and ends at once with exit code 0, whatever the copy then
; does. So Uninstall.exe is a program that stays: it writes that uninstaller
; (this file's "Uninstall" section) into a folder of its own, runs it on this
; folder, waits for it and ends with its exit code. Once Zenalto.exe, the
; shortcut and the entry are gone, the copy is started once more to remove
; Uninstall.exe and the folder as soon as Uninstall.exe has ended (a running
; program cannot be deleted, and Wine does not let it be moved either).
; /S uninstalls without a window. Exit codes: Zenalto.nsh.

!include "${__FILEDIR__}/Zenalto.nsh"
!include "FileFunc.nsh"

OutFile "${OUTFILE}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Desinstalación de ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro ZENALTO_LANGUAGE

Function .onInit
  InitPluginsDir
  ClearErrors
  WriteUninstaller "$PLUGINSDIR\Desinstalar.exe"
  ${If} ${Silent}
    StrCpy $1 "/S "
  ${EndIf}
  ExecWait '"$PLUGINSDIR\Desinstalar.exe" $1_?=$EXEDIR' $0
  ${If} ${Errors}
    StrCpy $0 ${EXIT_FAILED}
  ${ElseIf} $0 == 0
    System::Call 'kernel32::GetCurrentProcessId() i.r2'
    ClearErrors
    Exec '"$PLUGINSDIR\Desinstalar.exe" /S /AFTER=$2 _?=$EXEDIR'
    ${If} ${Errors}
      Delete /REBOOTOK "$EXEPATH"
      RMDir /REBOOTOK "$EXEDIR"
      StrCpy $0 ${EXIT_RESTART_NEEDED}
    ${EndIf}
  ${EndIf}
  SetErrorLevel $0
  Quit
FunctionEnd

; Never reached: .onInit ends every run.
Section
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  ; /AFTER=PID: Uninstall.exe has done its work and is ending as process PID;
  ; once it has, it goes, and the folder with it.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AFTER=" $R1
  ${IfNot} ${Errors}
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i R1) p.R2'
    ${If} $R2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p R2, i 30000)'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${EndIf}
    Delete /REBOOTOK "$INSTDIR\Uninstall.exe"
    RMDir /REBOOTOK "$INSTDIR"
    Quit
  ${EndIf}
FunctionEnd

!insertmacro ZENALTO_WAIT_UNTIL_CLOSED "un."

; Removes WHAT by COMMAND. When it cannot, the user may try again; otherwise,
; and in a silent run, the uninstall fails, with what is left in place.
!macro REMOVE WHAT COMMAND
  ${Do}
    ClearErrors
    ${COMMAND}
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    StrCpy $0 "${WHAT}"
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(ZenaltoCannotDelete)" /SD IDCANCEL IDCANCEL`
      Abort "$(ZenaltoCannotDelete)"
    ${EndIf}
  ${Loop}
!macroend

Section "Uninstall"
  Call un.WaitUntilZenaltoClosed
  ; Zenalto.exe first: while it stays, so do its shortcut and its entry, and
  ; Apps and Features can still remove it. Delete is silent about a file that
  ; is not there; DeleteRegKey is not, about a key.
  !insertmacro REMOVE "$INSTDIR\Zenalto.exe" `Delete "$INSTDIR\Zenalto.exe"`
  !insertmacro REMOVE "$SMPROGRAMS\${PRODUCT}.lnk" `Delete "$SMPROGRAMS\${PRODUCT}.lnk"`
  ClearErrors
  EnumRegValue $2 HKLM "${UNINSTALL_KEY}" 0
  ${IfNot} ${Errors}
    !insertmacro REMOVE "HKLM\${UNINSTALL_KEY}" `DeleteRegKey HKLM "${UNINSTALL_KEY}"`
  ${EndIf}
SectionEnd
