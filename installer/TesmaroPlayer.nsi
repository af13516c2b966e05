; The Windows installer of Tesmaro Player. The build passes on the command line:
;   VERSION       the project's version, as "1.2.3"
;   OUTFILE       the installer to write
;   NSH_DIR       the folder of install_files.nsh and uninstall_files.nsh (stage_files.py)
;   ICON          the program's icon
;   RESTORE_TOOL  defined when assoc_restore.exe ships
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

; Gives one file type back. The player took it by putting its own identifier into the type's
; default value and the previous owner into "Backup type"; it left a type it gave up with an
; empty default; it made the whole key when the type had none, marked by its own content type.
!macro GiveTypeBack EXT KIND
    ClearErrors
    ReadRegStr $0 HKCR "${EXT}" ""
    ${IfNot} ${Errors}
        ReadRegStr $1 HKCR "${EXT}" "Backup type"
        ${If} $0 == "Tesmaro Player"
        ${OrIf} $0 == "Vistrane+"
        ${OrIf} $0 == ""
            ${If} $1 != ""
            ${AndIf} $1 != "Tesmaro Player"
            ${AndIf} $1 != "Vistrane+"
                WriteRegStr HKCR "${EXT}" "" $1
            ${Else}
                DeleteRegValue HKCR "${EXT}" ""
            ${EndIf}
        ${EndIf}
    ${EndIf}
    DeleteRegValue HKCR "${EXT}" "Backup type"
    ClearErrors
    ReadRegStr $2 HKCR "${EXT}" "Content Type"
    ${IfNot} ${Errors}
    ${AndIf} $2 == "${KIND}"
        DeleteRegValue HKCR "${EXT}" "Content Type"
    ${EndIf}
    ; Only a key that nothing else uses any more.
    DeleteRegKey /ifempty HKCR "${EXT}"
!macroend

Function un.GiveFileTypesBack
    !insertmacro GiveTypeBack ".wmv" "Video file"
    !insertmacro GiveTypeBack ".mpg" "Video file"
    !insertmacro GiveTypeBack ".mpeg" "Video file"
    !insertmacro GiveTypeBack ".m1v" "Video file"
    !insertmacro GiveTypeBack ".dat" "Video file"
    !insertmacro GiveTypeBack ".asf" "Video file"
    !insertmacro GiveTypeBack ".m2v" "Video file"
    !insertmacro GiveTypeBack ".ifo" "Video file"
    !insertmacro GiveTypeBack ".avi" "Video file"
    !insertmacro GiveTypeBack ".divx" "Video file"
    !insertmacro GiveTypeBack ".mp4" "Video file"
    !insertmacro GiveTypeBack ".ogm" "Video file"
    !insertmacro GiveTypeBack ".mp3" "Audio file"
    !insertmacro GiveTypeBack ".mp2" "Audio file"
    !insertmacro GiveTypeBack ".mpa" "Audio file"
    !insertmacro GiveTypeBack ".wav" "Audio file"
    !insertmacro GiveTypeBack ".wma" "Audio file"
    !insertmacro GiveTypeBack ".au" "Audio file"
    !insertmacro GiveTypeBack ".aif" "Audio file"
    !insertmacro GiveTypeBack ".aiff" "Audio file"
    !insertmacro GiveTypeBack ".snd" "Audio file"
    !insertmacro GiveTypeBack ".mid" "Audio file"
    !insertmacro GiveTypeBack ".midi" "Audio file"
    !insertmacro GiveTypeBack ".rmi" "Audio file"
    !insertmacro GiveTypeBack ".ogg" "Audio file"
    ; The association dialog's free slots all write this one placeholder type.
    !insertmacro GiveTypeBack ".aaaa" "Image file"
    !insertmacro GiveTypeBack ".aaaa" "Video file"
    ; The program identifiers of the player and of the restore tool.
    DeleteRegKey HKCR "Tesmaro Player"
    DeleteRegKey HKCR "Vistrane+"
FunctionEnd

Section "Uninstall"
    Call un.WaitForPlayerToClose
    ${If} $R9 != "ok"
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running. Close it and uninstall again." /SD IDOK
        SetErrorLevel 4
        Abort "${PRODUCT} is still running; nothing was removed."
    ${EndIf}

    Call un.GiveFileTypesBack

    ; Files the user deleted by hand are simply not there to delete.
    !include "${NSH_DIR}/uninstall_files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    ; Kept when the user put files of their own into it.
    RMDir "$INSTDIR"

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
