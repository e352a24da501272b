; Note Zavra setup: a per-user installation that needs no administrator rights.
; Built by the "zavra_installer" target; makensis gets ZAVRA_VERSION, ZAVRA_VERSION_FULL,
; ZAVRA_COPYRIGHT, ZAVRA_STAGE (the files to install), ZAVRA_ASSETS and ZAVRA_OUTFILE.
Target amd64-unicode
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Note Zavra"
!define PUBLISHER "QelEver"
!define SETTINGS_KEY "SOFTWARE\noteZaVRA"
!define COUNTERS_KEY "SOFTWARE\QelEver\noteZaVRA"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\NoteZavra"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define CLASSES "Software\Classes"
!define GROUP "$SMPROGRAMS\Note Zavra"
; The resident program's hidden main window and its "Exit" command.
!define MAIN_CLASS "QelNoteZavraMain"
!define MAIN_TITLE "Qel note ZaVRA"
!define CMD_EXIT 57665

Name "${PRODUCT}"
OutFile "${ZAVRA_OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Note Zavra"
; A reinstallation goes where the last one went.
InstallDirRegKey HKCU "${SETTINGS_KEY}" ""
BrandingText "${PRODUCT} ${ZAVRA_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${ZAVRA_VERSION_FULL}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${ZAVRA_VERSION_FULL}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${ZAVRA_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${ZAVRA_COPYRIGHT}"

Var WasRunning

!define MUI_ICON "${ZAVRA_ASSETS}/notezavra.ico"
!define MUI_UNICON "${ZAVRA_ASSETS}/notezavra.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ZAVRA_ASSETS}/installer.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ZAVRA_ASSETS}/installer.bmp"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${PRODUCT} ${ZAVRA_VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nIf ${PRODUCT} is running, Setup asks it to exit first, so that it saves your notes.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\notezavra.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Note Zavra now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your notes, categories and skins are kept unless you tick them below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to exit through its own "Exit" command, so that it saves its notes and
; windows and lets go of its files; waits for the process to end.
!macro CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  StrCpy $WasRunning 0
  retry:
  FindWindow $0 "${MAIN_CLASS}" "${MAIN_TITLE}"
  ${If} $0 = 0
    Return
  ${EndIf}
  StrCpy $WasRunning 1
  DetailPrint "Asking the running Note Zavra to exit..."
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
  SendMessage $0 ${WM_COMMAND} ${CMD_EXIT} 0 /TIMEOUT=5000
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 30000) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    StrCpy $3 0
    ${DoWhile} $3 < 120
      FindWindow $0 "${MAIN_CLASS}" "${MAIN_TITLE}"
      ${IfThen} $0 = 0 ${|} ${Break} ${|}
      Sleep 250
      IntOp $3 $3 + 1
    ${Loop}
  ${EndIf}
  FindWindow $0 "${MAIN_CLASS}" "${MAIN_TITLE}"
  ${If} $0 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Note Zavra is still running. Exit it from its tray icon, then press Retry." /SD IDCANCEL IDRETRY retry
    Abort "Note Zavra is still running."
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

Section "Note Zavra (required)" SecProgram
  SectionIn RO
  SetShellVarContext current
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  File "${ZAVRA_STAGE}/notezavra.exe"
  File "${ZAVRA_STAGE}/ZavraNd.exe"
  File "${ZAVRA_STAGE}/ZavraSwiz.exe"
  File "${ZAVRA_STAGE}/ZavraL.exe"
  File "${ZAVRA_STAGE}/feedzavra.exe"
  File "${ZAVRA_STAGE}/icons.bmp"
  File "${ZAVRA_STAGE}/README.txt"
  SetOutPath "$INSTDIR\snd"
  File "${ZAVRA_STAGE}/snd/clock.wav"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut wizard finds the launcher through this value.
  WriteRegStr HKCU "${SETTINGS_KEY}" "" "$INSTDIR"

  ; The file type and link scheme for this user. The keys exist before "/setup" runs, so that
  ; its writes through HKEY_CLASSES_ROOT land here too instead of needing administrator rights.
  WriteRegStr HKCU "${CLASSES}\ZaVRA.zpn" "" "ZaVRA Portable Note"
  WriteRegStr HKCU "${CLASSES}\ZaVRA.zpn\DefaultIcon" "" '"$INSTDIR\notezavra.exe",-160'
  WriteRegStr HKCU "${CLASSES}\ZaVRA.zpn\shell\open\command" "" '"$INSTDIR\notezavra.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\note" "" "ZaVRA Note Protocol"
  WriteRegStr HKCU "${CLASSES}\note\DefaultIcon" "" '"$INSTDIR\notezavra.exe",-160'
  WriteRegStr HKCU "${CLASSES}\.zpn" "" "ZaVRA.zpn"
  ExecWait '"$INSTDIR\notezavra.exe" /setup'

  CreateDirectory "${GROUP}"
  CreateShortcut "${GROUP}\Note Zavra.lnk" "$INSTDIR\notezavra.exe" "" "$INSTDIR\notezavra.exe" 0
  CreateShortcut "${GROUP}\Skin Designer.lnk" "$INSTDIR\ZavraNd.exe"
  CreateShortcut "${GROUP}\Shortcut Wizard.lnk" "$INSTDIR\ZavraSwiz.exe"
  CreateShortcut "${GROUP}\Uninstall Note Zavra.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ZAVRA_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\notezavra.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Start Note Zavra with Windows" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\notezavra.exe"'
SectionEnd

Section "-Finish"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ; A copy that was asked to exit comes back (the finish page offers it otherwise).
  ${If} $WasRunning = 1
  ${AndIf} ${Silent}
    Exec '"$INSTDIR\notezavra.exe"'
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
FunctionEnd

; Removes a class key only while it still names this program: another program may have taken
; over the extension or the link scheme since.
!macro REMOVE_CLASSES ROOT PREFIX
  ReadRegStr $0 ${ROOT} "${PREFIX}.zpn" ""
  ${If} $0 == "ZaVRA.zpn"
    DeleteRegKey ${ROOT} "${PREFIX}.zpn"
  ${EndIf}
  ReadRegStr $0 ${ROOT} "${PREFIX}note" ""
  ${If} $0 == "ZaVRA Note Protocol"
    DeleteRegKey ${ROOT} "${PREFIX}note"
  ${EndIf}
  DeleteRegKey ${ROOT} "${PREFIX}ZaVRA.zpn"
!macroend

Section "un.Note Zavra program files" SecUnProgram
  SectionIn RO
  SetShellVarContext current
  Call un.CloseRunningCopy
  Delete "$INSTDIR\notezavra.exe"
  Delete "$INSTDIR\ZavraNd.exe"
  Delete "$INSTDIR\ZavraSwiz.exe"
  Delete "$INSTDIR\ZavraL.exe"
  Delete "$INSTDIR\feedzavra.exe"
  Delete "$INSTDIR\icons.bmp"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\snd\clock.wav"
  RMDir "$INSTDIR\snd"
  Delete "$INSTDIR\uninstall.exe"
  ; Not recursive: a copy without an application data folder keeps its notes in here.
  RMDir "$INSTDIR"
  ; The group also holds the wizard's shortcuts, which start the launcher just removed.
  RMDir /r "${GROUP}"

  DeleteRegValue HKCU "${SETTINGS_KEY}" ""
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  !insertmacro REMOVE_CLASSES HKCU "${CLASSES}\"
  !insertmacro REMOVE_CLASSES HKCR ""
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "un.My notes, categories, skins and settings" SecUnData
  RMDir /r "$APPDATA\noteZaVRA"
  RMDir /r "$DOCUMENTS\ZaVRA Skins"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey HKCU "${COUNTERS_KEY}"
  DeleteRegKey /ifempty HKCU "SOFTWARE\QelEver"
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd
