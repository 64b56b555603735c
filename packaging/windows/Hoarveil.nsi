; Hoarveil's Windows installer (makensis, from the build: see CMakeLists.txt beside it).
;
; Both programs go into the 64-bit System32, the folder Windows' Screen Saver Settings lists
; savers from, with the read-me beside them, where the settings dialog's address label opens
; it; Hoarveil becomes the screen saver of the account that runs the installer; the
; uninstaller lives in Program Files\Hoarveil. A 64-bit installer sees the real
; System32 and the 64-bit registry, so nothing is redirected.
;
; The build defines VERSION, PUBLISHER, PROGRAMS (the folder of the stripped programs and the
; read-me), READ_ME (the read-me's name), ICON (the programs' icon) and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

Name "Hoarveil"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES64\Hoarveil"
BrandingText "Hoarveil ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Hoarveil"
VIAddVersionKey /LANG=0 "FileDescription" "Hoarveil setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define SAVER "$SYSDIR\Hoarveil.scr"
!define RENDERER "$SYSDIR\Hoarveil.dll"
!define UNINSTALLER "$INSTDIR\Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Hoarveil"
!define DESKTOP_KEY "Control Panel\Desktop"
; The saver the user had before, kept per user as the choice itself is.
!define PRODUCT_KEY "Software\Hoarveil"
!define SETUP_KEY "${PRODUCT_KEY}\Setup"

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3
!define SYNCHRONIZE_TERMINATE 0x100001
!define GENERIC_WRITE 0x40000000
!define OPEN_EXISTING 3
!define ERROR_FILE_NOT_FOUND 2

; No finish page's "open the Screen Saver Settings": started from here it would run with the
; installer's administrator rights, and Hoarveil's settings saved there would land beside the
; programs in System32, where the user's own shows never read them. The finish text says where.
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback; otherwise the system's display language chooses.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "${__FILEDIR__}/texts_english.nsh"
!include "${__FILEDIR__}/texts_japanese.nsh"

; The installer and the uninstaller each need their own copy of what both do ("un." names).
!macro SHARED_FUNCTIONS UN

Function ${UN}RefuseWithoutAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
FunctionEnd

; $0 = the first window of a running Hoarveil: the renderer's, the settings dialog's or the
; show's (the renderer first, since the show ends by itself once the renderer has gone); 0 when
; none runs.
Function ${UN}FindRunningHoarveil
  System::Call 'user32::FindWindowW(p 0, w "Hoarveil_VC") p .r0'
  ${If} $0 = 0
    System::Call 'user32::FindWindowW(p 0, w "<Hoarveil>") p .r0'
  ${EndIf}
  ${If} $0 = 0
    System::Call 'user32::FindWindowW(p 0, w "Hoarveil_Main") p .r0'
  ${EndIf}
FunctionEnd

; Asks the window $0's program to end as its user would (the renderer ends as on Esc, the
; dialog as on its close box, saving nothing) and waits for its process; ends it when it won't.
Function ${UN}EndProgramOfWindow
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE_TERMINATE}, i 0, i r1) p .r2'
  System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  ${If} $2 <> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i .r3'
    ${If} $3 <> 0
      DetailPrint "$(EndingProgram)"
      System::Call 'kernel32::TerminateProcess(p r2, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p r2, i 10000)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    Sleep 500 ; a process we may not open: give it time to answer
  ${EndIf}
FunctionEnd

; $0 = 1 when the installed file $1 exists but can't be opened for writing by us alone: a
; program still runs from it (the preview in the Screen Saver Settings, a show starting).
Function ${UN}FileIsBusy
  StrCpy $0 0
  System::Call 'kernel32::CreateFileW(w r1, i ${GENERIC_WRITE}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r2 ?e'
  Pop $3
  ${If} $2 = -1
    ${If} $3 <> ${ERROR_FILE_NOT_FOUND}
      StrCpy $0 1
    ${EndIf}
  ${Else}
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
FunctionEnd

; Before anything changes: no Hoarveil may run, and both programs must be replaceable, so that
; an install or an uninstall never stops half way. Asks the user to end Hoarveil (silent: ends
; it); aborts, changing nothing, when the user cancels or a file stays in use.
Function ${UN}MakeHoarveilFree
  StrCpy $4 0 ; rounds of waiting, when silent
  ${Do}
    Call ${UN}FindRunningHoarveil
    ${If} $0 <> 0
      ${If} ${Silent}
        IntOp $4 $4 + 1
        ${If} $4 > 20
          Abort "$(NothingChanged)"
        ${EndIf}
        Call ${UN}EndProgramOfWindow
      ${Else}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(HoarveilRunning)" IDRETRY +2
        Abort "$(NothingChanged)"
      ${EndIf}
      ${Continue}
    ${EndIf}
    StrCpy $1 "${SAVER}"
    Call ${UN}FileIsBusy
    ${If} $0 = 0
      StrCpy $1 "${RENDERER}"
      Call ${UN}FileIsBusy
    ${EndIf}
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      ; A program just ended may take a moment to let go of its file.
      IntOp $4 $4 + 1
      ${If} $4 > 20
        Abort "$(NothingChanged)"
      ${EndIf}
      Sleep 500
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(FilesInUse)" IDRETRY +2
      Abort "$(NothingChanged)"
    ${EndIf}
  ${Loop}
FunctionEnd

; Tells the running system that the screen saver is on ($0 = 1) or off, at once.
Function ${UN}AnnounceScreenSaveActive
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
FunctionEnd

!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

Function .onInit
  Call RefuseWithoutAdministrator
FunctionEnd

Function un.onInit
  Call un.RefuseWithoutAdministrator
FunctionEnd

Section "Hoarveil" SectionHoarveil
  SectionIn RO
  Call MakeHoarveilFree

  ; Remember the user's saver, unless Hoarveil already is it (installing again keeps the first
  ; memory, so the uninstaller still puts back what the user chose).
  ; (IfErrors, under ${Errors}, clears the flag: each answer is kept in a variable.)
  StrCpy $2 1
  ClearErrors
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  IfErrors 0 +2
    StrCpy $2 0
  StrCpy $3 1
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  IfErrors 0 +2
    StrCpy $3 0
  ${If} $2 = 0
  ${OrIf} $0 != "${SAVER}"
    DeleteRegKey HKCU "${SETUP_KEY}"
    ${If} $2 = 1
      WriteRegStr HKCU "${SETUP_KEY}" "PreviousScreenSaver" $0
    ${EndIf}
    ${If} $3 = 1
      WriteRegStr HKCU "${SETUP_KEY}" "PreviousScreenSaveActive" $1
    ${EndIf}
  ${EndIf}

  SetOutPath $SYSDIR
  File "${PROGRAMS}/Hoarveil.scr"
  File "${PROGRAMS}/Hoarveil.dll"
  File "${PROGRAMS}/${READ_ME}"
  SetOutPath $INSTDIR
  WriteUninstaller "${UNINSTALLER}"

  ; Hoarveil becomes the saver; the user's delay stays as it is.
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SAVER}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  StrCpy $0 1
  Call AnnounceScreenSaveActive

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Hoarveil"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${SAVER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${UNINSTALLER}" /S'
  SectionGetSize ${SectionHoarveil} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.MakeHoarveilFree

  ; While Hoarveil is still the chosen saver, the earlier one comes back (none, if there was none).
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "${SAVER}"
    ClearErrors
    ReadRegStr $1 HKCU "${SETUP_KEY}" "PreviousScreenSaver"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${SETUP_KEY}" "PreviousScreenSaveActive"
    ${IfNot} ${Errors}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $1
      StrCpy $0 0
      ${If} $1 == "1"
        StrCpy $0 1
      ${EndIf}
      Call un.AnnounceScreenSaveActive
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"

  Delete "${SAVER}"
  Delete "${RENDERER}"
  Delete "$SYSDIR\${READ_ME}"
  Delete "${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The settings are the user's: kept unless asked (and always when silent).
  MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION "$(RemoveSettings)" /SD IDNO IDNO keepSettings
    RMDir /r "$APPDATA\Hoarveil"
    ; Where an administrator's own settings dialog could write beside the programs.
    Delete "$SYSDIR\Hoarveil.ini"
  keepSettings:
SectionEnd
