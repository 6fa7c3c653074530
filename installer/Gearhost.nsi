; Per-user installer of Gearhost: no administrator rights, so the program folder stays
; writable (the language files keep the user's "Default" there).
; Built by CMake, which passes BIN_DIR (the built programs), ICON, HOST_WINDOW_CLASS and OUT_FILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Gearhost"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
BrandingText "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include StoreSeed.nsh
!include CloseHost.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

Var AutoStart      ; 1: start at log-on
Var AutoStartBox
Var RemoveProfiles ; 1: the uninstaller removes the store too
Var RemoveProfilesBox

Page custom AutoStartPage AutoStartPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Gearhost.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.RemoveProfilesPage un.RemoveProfilesPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Silent installs start at log-on too unless /NOAUTOSTART is given.
Function .onInit
    StrCpy $AutoStart 1
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOAUTOSTART" $1
    ${IfNot} ${Errors}
        StrCpy $AutoStart 0
    ${EndIf}
FunctionEnd

Function AutoStartPage
    !insertmacro MUI_HEADER_TEXT "Start with Windows" "Gearhost serves the mouse's buttons while it runs."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "Start Gearhost when I log on"
    Pop $AutoStartBox
    ${If} $AutoStart == 1
        ${NSD_Check} $AutoStartBox
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function AutoStartPageLeave
    ${NSD_GetState} $AutoStartBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $AutoStart 1
    ${Else}
        StrCpy $AutoStart 0
    ${EndIf}
FunctionEnd

; The user's choice of language lives in the installed language file; a new file would reset it.
!macro KeepLanguageChoice FILE OLD
    ${If} ${OLD} != ""
    ${AndIf} ${FileExists} "$INSTDIR\Language\${FILE}"
        ReadINIStr $0 "$INSTDIR\Language\${FILE}" "Language" "Default"
        ${If} $0 != ${OLD}
            WriteINIStr "$INSTDIR\Language\${FILE}" "Language" "Default" ${OLD}
        ${EndIf}
    ${EndIf}
!macroend

Section "Gearhost"
    SetShellVarContext current
    Call CloseHost

    ReadINIStr $R1 "$INSTDIR\Language\l_gearhost.ini" "Language" "Default"
    ReadINIStr $R2 "$INSTDIR\Language\l_vireo.ini" "Language" "Default"

    SetOutPath "$INSTDIR"
    File "${BIN_DIR}/Gearhost.exe"
    File "${BIN_DIR}/vireo.dll"
    File "${BIN_DIR}/module.ini"
    SetOutPath "$INSTDIR\Language"
    File /nonfatal "${BIN_DIR}/Language/*.ini"
    !insertmacro KeepLanguageChoice "l_gearhost.ini" $R1
    !insertmacro KeepLanguageChoice "l_vireo.ini" $R2
    SetOutPath "$INSTDIR\res"
    File "${BIN_DIR}/res/*.bmp"
    SetOutPath "$INSTDIR"

    Call SeedStore

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Gearhost.exe"
    ${If} $AutoStart == 1
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Gearhost.exe"'
    ${Else}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Gearhost.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; /REMOVEPROFILES removes the store in a silent uninstall.
Function un.onInit
    StrCpy $RemoveProfiles 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVEPROFILES" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveProfiles 1
    ${EndIf}
FunctionEnd

Function un.RemoveProfilesPage
    !insertmacro MUI_HEADER_TEXT "Profiles" "Your profiles and actions stay unless you remove them."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "Remove my profiles"
    Pop $RemoveProfilesBox
    ${If} $RemoveProfiles == 1
        ${NSD_Check} $RemoveProfilesBox
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function un.RemoveProfilesPageLeave
    ${NSD_GetState} $RemoveProfilesBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $RemoveProfiles 1
    ${Else}
        StrCpy $RemoveProfiles 0
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.CloseHost

    Delete "$INSTDIR\Gearhost.exe"
    Delete "$INSTDIR\vireo.dll"
    Delete "$INSTDIR\module.ini"
    RMDir /r "$INSTDIR\Language"
    RMDir /r "$INSTDIR\res"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ${If} $RemoveProfiles == 1
        DeleteRegKey HKCU "${STORE_KEY}"
        DeleteRegKey /ifempty HKCU "${STORE_PARENT_KEY}"
    ${EndIf}
SectionEnd
