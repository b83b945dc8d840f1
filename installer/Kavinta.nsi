; Setup of Kavinta for 64-bit Windows, built with NSIS 3 (makensis, also on Linux):
;   makensis -DKV_VERSION=1.2.3.4 -DKV_FILES=<folder with Kavinta.exe, Kavinta.EN, README.txt>
;            -DKV_OUTFILE=<setup.exe> Kavinta.nsi
;
; Per user by default, without administrator rights, into %LOCALAPPDATA%\Programs\Kavinta;
; for all users (into %ProgramFiles%\Kavinta) when asked to and run as an administrator.
; Command line: /S silent, /AllUsers or /CurrentUser the scope, /D=<folder> the folder
; (last, unquoted). Exit codes: 0 done, 1 cancelled, 2 failed (Kavinta runs, no rights).
; The data folder %APPDATA%\Kavinta (KV.ini, KVLOG.LOG) is never touched by either the
; setup or the uninstaller.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef KV_VERSION
  !error "define KV_VERSION (the project version, four numbers)"
!endif
!ifndef KV_FILES
  !error "define KV_FILES (the folder holding Kavinta.exe, Kavinta.EN and README.txt)"
!endif
!ifndef KV_OUTFILE
  !define KV_OUTFILE "Kavinta-${KV_VERSION}-win64-setup.exe"
!endif

!define KV_NAME "Kavinta"
!define KV_PUBLISHER "The Kavinta project"
!define KV_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavinta"
; The program keeps the language chosen for each program file here (value name: its path).
!define KV_LOCALES_KEY "Software\Embarcadero\Locales"
!define KV_EXIT_FAILED 2

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

Name "${KV_NAME} ${KV_VERSION}"
OutFile "${KV_OUTFILE}"
BrandingText "${KV_NAME} ${KV_VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${KV_VERSION}"
VIFileVersion "${KV_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${KV_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${KV_NAME} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${KV_PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${KV_PUBLISHER}"

Var AllUsers      ; 1 when installing for every user of the computer
Var DirGiven      ; 1 when /D= named the folder
Var ScopeMine     ; the radio buttons of the scope page
Var ScopeAll

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kavinta.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
Page custom ScopePageShow ScopePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

LangString ScopeTitle ${LANG_GERMAN} "Installieren für"
LangString ScopeTitle ${LANG_ENGLISH} "Install for"
LangString ScopeText ${LANG_GERMAN} "Für wen soll Kavinta installiert werden?"
LangString ScopeText ${LANG_ENGLISH} "Who should Kavinta be installed for?"
LangString ScopeMine ${LANG_GERMAN} "Nur für mich (ohne Administratorrechte)"
LangString ScopeMine ${LANG_ENGLISH} "Just for me (no administrator rights needed)"
LangString ScopeAll ${LANG_GERMAN} "Für alle Benutzer dieses Computers (Administratorrechte)"
LangString ScopeAll ${LANG_ENGLISH} "For all users of this computer (administrator rights)"
LangString NeedAdmin ${LANG_GERMAN} "Für alle Benutzer kann Kavinta nur ein Administrator installieren oder entfernen."
LangString NeedAdmin ${LANG_ENGLISH} "Only an administrator can install or remove Kavinta for all users."
LangString Running ${LANG_GERMAN} "Kavinta läuft noch ($INSTDIR\Kavinta.exe). Bitte beenden Sie Kavinta und klicken Sie auf Wiederholen."
LangString Running ${LANG_ENGLISH} "Kavinta is still running ($INSTDIR\Kavinta.exe). Please close Kavinta and click Retry."
LangString RunningSilent ${LANG_GERMAN} "Kavinta läuft noch ($INSTDIR\Kavinta.exe); nichts wurde geändert. Beenden Sie Kavinta und starten Sie den Vorgang erneut."
LangString RunningSilent ${LANG_ENGLISH} "Kavinta is still running ($INSTDIR\Kavinta.exe); nothing was changed. Close Kavinta and start again."

; ---------------------------------------------------------------------------------------
; Shared by setup and uninstaller (the un. copies are made by the macro).

; Writes a message where a silent run can be read: the standard error handle the caller
; gave (a redirection), else the console of the caller.
!macro KV_TELL_FUNCTION prefix
Function ${prefix}Tell
  Exch $0
  Push $1
  System::Call 'kernel32::GetStdHandle(i -12) p .r1'
  ${If} $1 P= 0
  ${OrIf} $1 P= -1
    System::Call 'kernel32::AttachConsole(i -1) i .r1'
    ${If} $1 <> 0
      FileOpen $1 "CONOUT$$" a
    ${Else}
      StrCpy $1 0
    ${EndIf}
  ${EndIf}
  ${If} $1 P<> 0
    FileWrite $1 "Kavinta: $0$\r$\n"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro KV_TELL_FUNCTION ""
!insertmacro KV_TELL_FUNCTION "un."

; Stops the run with exit code 2 after telling why (a message box unless silent).
!macro KV_FAIL message
  ${IfNot} ${Silent}
    MessageBox MB_OK|MB_ICONSTOP "${message}"
  ${EndIf}
  Push "${message}"
  Call ${__KV_PREFIX}Tell
  SetErrorLevel ${KV_EXIT_FAILED}
  Quit
!macroend

; Waits until the Kavinta.exe in $INSTDIR is not running: a running program file cannot
; be opened for writing. Asks to close it; a silent run fails instead.
!macro KV_NOT_RUNNING_FUNCTION prefix
Function ${prefix}WaitUntilNotRunning
  !define __KV_PREFIX "${prefix}"
  retry:
    IfFileExists "$INSTDIR\Kavinta.exe" 0 done
    ClearErrors
    FileOpen $0 "$INSTDIR\Kavinta.exe" a
    IfErrors running
    FileClose $0
    Goto done
  running:
    IfSilent silent
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" IDRETRY retry
    SetErrorLevel 1
    Quit
  silent:
    !insertmacro KV_FAIL "$(RunningSilent)"
  done:
  !undef __KV_PREFIX
FunctionEnd
!macroend
!insertmacro KV_NOT_RUNNING_FUNCTION ""
!insertmacro KV_NOT_RUNNING_FUNCTION "un."

; Leaves 1 on the stack when this process has administrator rights, else 0.
!macro KV_IS_ADMIN_FUNCTION prefix
Function ${prefix}IsAdmin
  Push $0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd
!macroend
!insertmacro KV_IS_ADMIN_FUNCTION ""
!insertmacro KV_IS_ADMIN_FUNCTION "un."

; ---------------------------------------------------------------------------------------
; Setup

; Chooses the scope: shell folders and registry root of the user or of the machine, and
; (unless /D= named one) the folder of an earlier install or the default one.
Function UseScope
  ${If} $AllUsers == 1
    SetShellVarContext all
    ReadRegStr $0 HKLM "${KV_UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "$PROGRAMFILES64\Kavinta"
  ${Else}
    SetShellVarContext current
    ReadRegStr $0 HKCU "${KV_UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "$LOCALAPPDATA\Programs\Kavinta"
  ${EndIf}
  ${If} $DirGiven != 1
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${Else}
      StrCpy $INSTDIR $1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Starts this setup again elevated for all users and ends this copy; when the elevation is
; refused, the scope page stays.
Function RestartElevated
  ClearErrors
  ExecShell "runas" "$EXEPATH" "/AllUsers"
  IfErrors 0 +2
    Abort
  Quit
FunctionEnd

Function .onInit
  !define __KV_PREFIX ""
  StrCpy $DirGiven 0
  ${If} $INSTDIR != ""
    StrCpy $DirGiven 1
  ${EndIf}
  ; An install for all users stays one: its update defaults to that scope.
  StrCpy $AllUsers 0
  ReadRegStr $0 HKCU "${KV_UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
    ReadRegStr $0 HKLM "${KV_UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  Call IsAdmin
  Pop $0
  ${If} $AllUsers == 1
  ${AndIf} $0 != 1
    ${If} ${Silent}
      !insertmacro KV_FAIL "$(NeedAdmin)"
    ${EndIf}
  ${EndIf}
  Call UseScope
  !undef __KV_PREFIX
FunctionEnd

Function ScopePageShow
  ; Without a choice to make (scope given on the command line) the page is skipped.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  IfErrors 0 skip
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  IfErrors 0 skip
  !insertmacro MUI_HEADER_TEXT "$(ScopeTitle)" "$(ScopeText)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 20u 100% 12u "$(ScopeMine)"
  Pop $ScopeMine
  ${NSD_CreateRadioButton} 0 40u 100% 12u "$(ScopeAll)"
  Pop $ScopeAll
  ${If} $AllUsers == 1
    ${NSD_Check} $ScopeAll
  ${Else}
    ${NSD_Check} $ScopeMine
  ${EndIf}
  nsDialogs::Show
  skip:
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $ScopeAll $0
  ${If} $0 == ${BST_CHECKED}
    Call IsAdmin
    Pop $1
    ${If} $1 != 1
      Call RestartElevated
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call UseScope
FunctionEnd

Section "Kavinta" SecProgram
  SectionIn RO
  Call WaitUntilNotRunning
  SetOutPath "$INSTDIR"
  File "${KV_FILES}\Kavinta.exe"
  File "${KV_FILES}\Kavinta.EN"
  File "${KV_FILES}\README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Kavinta.lnk" "$INSTDIR\Kavinta.exe" "" "$INSTDIR\Kavinta.exe" 0

  ${If} $AllUsers == 1
    StrCpy $0 "/AllUsers"
  ${Else}
    StrCpy $0 "/CurrentUser"
  ${EndIf}
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "DisplayName" "${KV_NAME}"
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "DisplayVersion" "${KV_VERSION}"
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "Publisher" "${KV_PUBLISHER}"
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kavinta.exe,0"
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $0'
  WriteRegStr SHCTX "${KV_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" $0 /S'
  WriteRegDWORD SHCTX "${KV_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${KV_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  WriteRegDWORD SHCTX "${KV_UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; ---------------------------------------------------------------------------------------
; Uninstaller

Function un.onInit
  !define __KV_PREFIX "un."
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ${If} $AllUsers == 1
    Call un.IsAdmin
    Pop $0
    ${If} $0 != 1
      ${If} ${Silent}
        !insertmacro KV_FAIL "$(NeedAdmin)"
      ${EndIf}
      ; The uninstaller runs as a copy in %TEMP%; _?= keeps that copy from copying itself.
      ExecShell "runas" "$EXEPATH" "/AllUsers _?=$INSTDIR"
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  !undef __KV_PREFIX
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilNotRunning
  ; Only the files the setup put there: anything else in the folder stays, and so does the
  ; folder then.
  Delete "$INSTDIR\Kavinta.exe"
  Delete "$INSTDIR\Kavinta.EN"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Kavinta.lnk"
  ; The language chosen for this program file (of the user who uninstalls).
  DeleteRegValue HKCU "${KV_LOCALES_KEY}" "$INSTDIR\Kavinta.exe"
  DeleteRegKey /ifempty HKCU "${KV_LOCALES_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Embarcadero"
  ; The entry goes last: while it is there, the uninstall has not ended.
  DeleteRegKey SHCTX "${KV_UNINSTALL_KEY}"
SectionEnd
