; The Windows installer of Tesmaro Player. The build passes on the command line:
;   VERSION       the project's version, as "1.2.3"
;   OUTFILE       the installer to write
;   NSH_DIR       the folder of install_files.nsh and uninstall_files.nsh (stage_files.py)
;   ICON          the program's icon
;   LICENSE_FILE  the GPL's text, shown on the licence page
;   RESTORE_TOOL  defined when assoc_restore.exe ships
;   TYPES_TOOL    setup_types.exe, which notes the file types before the player first runs and
;                 gives them back at the uninstall; both carry it, the installation does not
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define PRODUCT "Tesmaro Player"
!define PUBLISHER "Zentafor Studio"
!define PLAYER_EXE "tesmaro_player.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The player keeps its settings here; only the user decides whether they go with the program.
!define PROFILE_KEY "Software\ZentaforStudio\tesmaro_player"
; The main window, which is what tells that the player runs.
!define PLAYER_WINDOW_CLASS "#32770"
!define PLAYER_WINDOW_TITLE "TesmaroPlayer"
; Longer folders would leave the player's own paths (skin pictures, help) too close to the
; 260-character limit that the player keeps for every path.
!define MAX_FOLDER_LENGTH 200

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
UninstallCaption "${PRODUCT} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The GPL asks for no agreement to install or use the program, only when copying or changing
; it: the page informs, and Next goes on.
!define MUI_PAGE_HEADER_TEXT "Licence"
!define MUI_PAGE_HEADER_SUBTEXT "The terms under which ${PRODUCT} may be copied and changed."
!define MUI_LICENSEPAGE_TEXT_TOP "${PRODUCT} is free software under the GNU General Public License."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "You need not accept this licence to install or use ${PRODUCT}. It gives you the right to copy, change and pass the program on under its terms. The libraries it contains are listed in NOTICE.txt in the program folder."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveDirectoryPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---- Shared checks ---------------------------------------------------------------------------

; Waits until no player runs. Interactive: asks the user to close it, as often as they retry.
; Silent: waits up to ten seconds. Leaves $R9 "ok" or "running".
!macro WaitForPlayerToClose UN
Function ${UN}WaitForPlayerToClose
    StrCpy $R8 0
    ${Do}
        FindWindow $R7 "${PLAYER_WINDOW_CLASS}" "${PLAYER_WINDOW_TITLE}"
        ${If} $R7 == 0
            ; A player that has no window yet or no more still holds its program file open.
            ${IfNot} ${FileExists} "$INSTDIR\${PLAYER_EXE}"
                StrCpy $R9 "ok"
                Return
            ${EndIf}
            ClearErrors
            FileOpen $R6 "$INSTDIR\${PLAYER_EXE}" a
            ${IfNot} ${Errors}
                FileClose $R6
                StrCpy $R9 "ok"
                Return
            ${EndIf}
        ${EndIf}
        ${If} ${Silent}
            IntOp $R8 $R8 + 1
            ${If} $R8 > 20
                StrCpy $R9 "running"
                Return
            ${EndIf}
            Sleep 500
        ${Else}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "${PRODUCT} is running.$\r$\n$\r$\nClose it, then press Retry. Cancel leaves the installed program as it is." \
                IDRETRY retry
            StrCpy $R9 "running"
            Return
            retry:
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro WaitForPlayerToClose ""
!insertmacro WaitForPlayerToClose "un."

; The folder without a trailing backslash, as the installer writes it into "InstallLocation".
!macro StripTrailingBackslash VAR
    StrCpy $R0 ${VAR} "" -1
    ${If} $R0 == "\"
        StrCpy ${VAR} ${VAR} -1
    ${EndIf}
!macroend

; Puts setup_types.exe into the temporary folder of the running installer or uninstaller.
!macro UnpackTypesTool
    InitPluginsDir
    File "/oname=$PLUGINSDIR\setup_types.exe" "${TYPES_TOOL}"
!macroend

; ---- Installer -----------------------------------------------------------------------------

; $0 holds the folder's length where this is shown.
!define FOLDER_TOO_LONG "The folder$\r$\n$INSTDIR$\r$\nis $0 characters long. Choose a folder of at most ${MAX_FOLDER_LENGTH} characters."

; Says why rather than greying Next out, and keeps the user on the page.
Function LeaveDirectoryPage
    StrLen $0 $INSTDIR
    ${If} $0 > ${MAX_FOLDER_LENGTH}
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FOLDER_TOO_LONG}"
        Abort
    ${EndIf}
FunctionEnd

; One installation at a time: an installation in another folder is uninstalled first, keeping
; the settings, so that no uninstaller is left that would take this one's entry, shortcuts and
; file types. Its file types go back to their owners with it. Leaves $R9 "ok", or "failed" when
; that uninstaller did not end well (both installations are then as they were or the old one is
; partly gone, never the new one half-written).
Function RemoveInstallationElsewhere
    StrCpy $R9 "ok"
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    !insertmacro StripTrailingBackslash $R1
    StrCpy $R2 $INSTDIR
    !insertmacro StripTrailingBackslash $R2
    ${If} $R1 == ""
    ${OrIf} $R1 == $R2
        Return
    ${EndIf}
    ; A folder removed by hand has nothing left to uninstall; its entry is replaced below.
    ${IfNot} ${FileExists} "$R1\uninstall.exe"
        Return
    ${EndIf}
    DetailPrint "Removing the installation in $R1"
    ClearErrors
    ; Run in place, so that this waits for its end.
    ExecWait '"$R1\uninstall.exe" /S _?=$R1' $R3
    ${If} ${Errors}
    ${OrIf} $R3 != 0
        StrCpy $R9 "failed"
        Return
    ${EndIf}
    ; An uninstaller run in place cannot delete itself.
    Delete "$R1\uninstall.exe"
    RMDir "$R1"
FunctionEnd

Section "-Program"
    StrLen $0 $INSTDIR
    ${If} $0 > ${MAX_FOLDER_LENGTH}
        MessageBox MB_OK|MB_ICONSTOP "${FOLDER_TOO_LONG}" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}

    Call WaitForPlayerToClose
    ${If} $R9 != "ok"
        ; Nothing has been replaced yet: the installed player stays whole.
        DetailPrint "${PRODUCT} is still running; nothing was installed."
        SetErrorLevel 4
        Abort "${PRODUCT} is still running; nothing was installed."
    ${EndIf}

    Call RemoveInstallationElsewhere
    ${If} $R9 != "ok"
        MessageBox MB_OK|MB_ICONSTOP "The installation in$\r$\n$R1$\r$\ncould not be removed; nothing was installed." /SD IDOK
        SetErrorLevel 6
        Abort "The installation in $R1 could not be removed; nothing was installed."
    ${EndIf}
    ; A first installation notes the file types before the player ever runs; one over an
    ; installation keeps that installation's record, or has none when it came without one (the
    ; player has run since, so what is there now is no longer what was there before).
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 == ""
        !insertmacro UnpackTypesTool
        ExecWait '"$PLUGINSDIR\setup_types.exe" record'
    ${EndIf}

    SetOverwrite on
    ClearErrors
    !include "${NSH_DIR}/install_files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Could not write every file into$\r$\n$INSTDIR" /SD IDOK
        SetErrorLevel 5
        Abort
    ${EndIf}

    ; The Start menu of every user, like the folder under Program Files.
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PLAYER_EXE}" "" "$INSTDIR\${PLAYER_EXE}" 0
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\help.chm"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"
!ifdef RESTORE_TOOL
    ; Started in the program folder, so its own file types open the Vistrane.exe there.
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Give file types back.lnk" "$INSTDIR\assoc_restore.exe"
!endif

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PLAYER_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; ---- Uninstaller ---------------------------------------------------------------------------

; Every file type back to the program that had it, and the two program identifiers as they
; were, for this folder's installation (setup_types.exe knows the rules and the record).
Function un.GiveFileTypesBack
    !insertmacro UnpackTypesTool
    StrCpy $R2 $INSTDIR
    !insertmacro StripTrailingBackslash $R2
    ExecWait '"$PLUGINSDIR\setup_types.exe" giveback "$R2"'
FunctionEnd

; "own" when the entry in the list of programs is this folder's (or there is none); "elsewhere"
; when it names an installation in another folder, whose shortcuts, file types and settings
; these are.
Var Registration
Function un.FindRegistration
    StrCpy $Registration "own"
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    !insertmacro StripTrailingBackslash $R1
    StrCpy $R2 $INSTDIR
    !insertmacro StripTrailingBackslash $R2
    ${If} $R1 != ""
    ${AndIf} $R1 != $R2
        StrCpy $Registration "elsewhere"
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.WaitForPlayerToClose
    ${If} $R9 != "ok"
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running. Close it and uninstall again." /SD IDOK
        SetErrorLevel 4
        Abort "${PRODUCT} is still running; nothing was removed."
    ${EndIf}

    Call un.FindRegistration
    ${If} $Registration == "own"
        Call un.GiveFileTypesBack
    ${Else}
        DetailPrint "${PRODUCT} is installed in $R1 too; its shortcuts, file types and settings stay."
    ${EndIf}

    ; Files the user deleted by hand are simply not there to delete.
    !include "${NSH_DIR}/uninstall_files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    ; Kept when the user put files of their own into it.
    RMDir "$INSTDIR"

    ${If} $Registration != "own"
        Return
    ${EndIf}
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Give file types back.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The settings stay unless the user asks: interactively by answering Yes, silently with
    ; /REMOVESETTINGS.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $1 "remove"
    ${ElseIf} ${Silent}
        StrCpy $1 "keep"
    ${Else}
        StrCpy $1 "keep"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Remove your ${PRODUCT} settings (volume, skin, skip and scan amounts) as well?" IDNO keep
        StrCpy $1 "remove"
        keep:
    ${EndIf}
    ${If} $1 == "remove"
        DeleteRegKey HKCU "${PROFILE_KEY}"
        DeleteRegKey /ifempty HKCU "Software\ZentaforStudio"
    ${EndIf}
SectionEnd
