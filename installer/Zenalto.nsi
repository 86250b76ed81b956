; The setup program of Zenalto for 64-bit Windows, built by makensis from the
; build (installer/CMakeLists.txt), which defines:
;   VERSION      the program's version, "1.0"
;   PROGRAM      the Zenalto.exe to install
;   UNINSTALLER  the Uninstall.exe to install beside it (Uninstall.nsi)
;   ICON         the program's icon, also the setup's
;   OUTFILE      the setup program to write
;
; For the whole machine: Zenalto.exe in Program Files\Zenalto, a shortcut in
; the Start menu of all users, an entry in Apps and Features. /S installs
; without a window. A copy already installed in the same folder is written
; over; one in another folder is removed by its own uninstaller once the new
; copy's files are written, so the machine never holds two copies.
;
; Nothing is touched while Zenalto runs (Zenalto.nsh), nor while Zenalto is
; installed by the Windows Installer package (Zenalto.wxs), and no run reports
; success unless every file, the shortcut and the entry were written. A run
; that fails takes away what it wrote into a folder of its own and leaves an
; installed copy with its entry; the exit codes are in Zenalto.nsh.

!include "${__FILEDIR__}/Zenalto.nsh"
!include "FileFunc.nsh"

OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An installed copy's folder is the default, so that an upgrade replaces it.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Instalación de ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro ZENALTO_LANGUAGE

; The folder of an installed copy that this run replaces from another folder.
Var OldCopy
; 1 when $INSTDIR held no Zenalto before this run: a failed run takes away
; what it wrote there.
Var FreshFolder
; 1 once this run began writing the shortcut and the entry.
Var Registering

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

!insertmacro ZENALTO_WAIT_UNTIL_CLOSED ""

Function .onInstFailed
  ${If} $FreshFolder == 1
    Delete "$INSTDIR\Zenalto.exe"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $Registering == 1
      Delete "$SMPROGRAMS\${PRODUCT}.lnk"
      DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Writes SOURCE as $INSTDIR\NAME. When it cannot, the user may try again
; (NSIS's own message); otherwise, and in a silent run, the install fails.
!macro PUT_FILE NAME SOURCE
  ${Do}
    ClearErrors
    File "/oname=${NAME}" "${SOURCE}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    StrCpy $0 "$INSTDIR\${NAME}"
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(^FileError_NoIgnore)" /SD IDCANCEL IDCANCEL`
      Abort "$(^CantWrite)$0"
    ${EndIf}
  ${Loop}
!macroend

Section "Zenalto"
  ; One copy and one entry on a machine: a Zenalto of the .msi package stays
  ; the package's, to upgrade or remove with the package.
  ReadRegStr $0 HKLM "${MSI_MARK_KEY}" "${MSI_MARK_VALUE}"
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$(ZenaltoInstalledByMsi)" /SD IDOK
    Abort "$(ZenaltoInstalledByMsi)"
  ${EndIf}
  Call WaitUntilZenaltoClosed
  ; A file that cannot be written is not skipped after a question: the error
  ; comes back to PUT_FILE, which asks its own.
  SetOverwrite try

  ReadRegStr $OldCopy HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${IfNot} ${FileExists} "$OldCopy\Uninstall.exe"
    StrCpy $OldCopy ""
  ${EndIf}
  StrCpy $FreshFolder 1
  ${If} ${FileExists} "$INSTDIR\Zenalto.exe"
    StrCpy $FreshFolder 0
  ${EndIf}
  ClearErrors
  SetOutPath "$INSTDIR"
  ${If} ${Errors}
    StrCpy $0 "$INSTDIR"
    MessageBox MB_OK|MB_ICONSTOP "$(^ErrorCreating)$0" /SD IDOK
    Abort "$(^ErrorCreating)$0"
  ${EndIf}
  ; The same folder, however written (case, short names, a last backslash).
  ${If} $OldCopy != ""
    GetFullPathName /SHORT $1 "$INSTDIR"
    GetFullPathName /SHORT $2 "$OldCopy"
    ${If} $1 == $2
      StrCpy $OldCopy ""
    ${EndIf}
  ${EndIf}

  !insertmacro PUT_FILE "Zenalto.exe" "${PROGRAM}"
  !insertmacro PUT_FILE "Uninstall.exe" "${UNINSTALLER}"

  ; The copy in another folder goes by its own uninstaller, waited for (_?=
  ; keeps an uninstaller of NSIS's own in place, so that it is waited for too).
  ; The entry is written after it, since it takes the entry with it.
  ${If} $OldCopy != ""
    ClearErrors
    ExecWait '"$OldCopy\Uninstall.exe" /S _?=$OldCopy' $1
    ${If} ${Errors}
      StrCpy $1 "-"
    ${EndIf}
    ; An uninstaller of NSIS's own run in place cannot remove itself; ours
    ; goes a moment after it ends. One that says it is done but left
    ; Zenalto.exe is not.
    ${For} $2 1 50
      Delete "$OldCopy\Uninstall.exe"
      ${IfNot} ${FileExists} "$OldCopy\Uninstall.exe"
        ${Break}
      ${EndIf}
      Sleep 100
    ${Next}
    RMDir "$OldCopy"
    ${If} $1 != 0
    ${AndIf} $1 != ${EXIT_RESTART_NEEDED}
    ${OrIf} ${FileExists} "$OldCopy\Zenalto.exe"
      StrCpy $0 "$OldCopy"
      MessageBox MB_OK|MB_ICONSTOP "$(ZenaltoOldCopyStays)" /SD IDOK
      Abort "$(ZenaltoOldCopyStays)"
    ${EndIf}
  ${EndIf}

  ${GetSize} "$INSTDIR" "/S=0K" $4 $2 $3
  StrCpy $Registering 1
  ClearErrors
  ; One program, one shortcut: straight in Programs, no folder of its own.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Zenalto.exe" "" "$INSTDIR\Zenalto.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zenalto.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $4
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(ZenaltoCannotRegister)" /SD IDOK
    Abort "$(ZenaltoCannotRegister)"
  ${EndIf}
SectionEnd
