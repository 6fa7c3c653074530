; The module store a first installation starts with: the default profile and the five actions
; for the buttons' own functions, value for value as the module writes them on its first Save.
; An existing store, even an empty one the module opened, is left untouched.

!include LogicLib.nsh

!define STORE_PARENT_KEY "SOFTWARE\Ardent,Inc."
!define STORE_KEY "${STORE_PARENT_KEY}\vireo"

!macro SeedAction INDEX NAME_ID NAME KIND
    !define /redef ACTION_KEY "${STORE_KEY}\CustomActions\CustomAction${INDEX}"
    WriteRegStr HKCU "${ACTION_KEY}" "NameID" "${NAME_ID}"
    WriteRegStr HKCU "${ACTION_KEY}" "Name" "${NAME}"
    WriteRegStr HKCU "${ACTION_KEY}" "DescriptionID" "${NAME_ID}_TIP"
    WriteRegStr HKCU "${ACTION_KEY}" "Description" ""
    WriteRegDWORD HKCU "${ACTION_KEY}" "Type" ${KIND}
    WriteRegDWORD HKCU "${ACTION_KEY}\Macro" "MacroCount" 0
    WriteRegStr HKCU "${ACTION_KEY}\CopyString" "String" ""
    WriteRegStr HKCU "${ACTION_KEY}\LaunchApp" "FilePath" ""
!macroend

!macro SeedButton INDEX ACTION
    WriteRegStr HKCU "${PROFILE_KEY}" "Button${INDEX}" "${ACTION}"
    WriteRegDWORD HKCU "${PROFILE_KEY}" "Button${INDEX}_Enable" 1
!macroend

Function SeedStore
    ClearErrors
    EnumRegKey $0 HKCU "${STORE_KEY}" 0
    EnumRegValue $1 HKCU "${STORE_KEY}" 0
    ${If} $0 != ""
    ${OrIf} $1 != ""
        Return
    ${EndIf}

    WriteRegDWORD HKCU "${STORE_KEY}\CustomActions" "Count" 5
    !insertmacro SeedAction 0 "ACTION_ITEM_LEFT_BUTTON" "Left Button" 0
    !insertmacro SeedAction 1 "ACTION_ITEM_MIDDLE_BUTTON" "Middle Button" 2
    !insertmacro SeedAction 2 "ACTION_ITEM_RIGHT_BUTTON" "Right Button" 1
    !insertmacro SeedAction 3 "ACTION_ITEM_BUTTON4" "Button 4" 3
    !insertmacro SeedAction 4 "ACTION_ITEM_BUTTON5" "Button 5" 4

    ; The module names a new profile after the tick count, as a signed number.
    System::Call "kernel32::GetTickCount() i .r0"
    StrCpy $0 "ID_PROFILE_$0"
    WriteRegDWORD HKCU "${STORE_KEY}\Profiles" "Count" 1
    WriteRegStr HKCU "${STORE_KEY}\Profiles" "CurrentProfileID" $0
    !define PROFILE_KEY "${STORE_KEY}\Profiles\Profile0"
    WriteRegStr HKCU "${PROFILE_KEY}" "ID" $0
    WriteRegStr HKCU "${PROFILE_KEY}" "Name" "Default Profile"
    !insertmacro SeedButton 0 "ACTION_ITEM_LEFT_BUTTON"
    !insertmacro SeedButton 1 "ACTION_ITEM_MIDDLE_BUTTON"
    !insertmacro SeedButton 2 "ACTION_ITEM_RIGHT_BUTTON"
    !insertmacro SeedButton 3 "ACTION_ITEM_BUTTON4"
    !insertmacro SeedButton 4 "ACTION_ITEM_BUTTON5"
    WriteRegDWORD HKCU "${PROFILE_KEY}" "CPI1" 800
    WriteRegDWORD HKCU "${PROFILE_KEY}" "LedIntensity1" 1
    WriteRegDWORD HKCU "${PROFILE_KEY}" "CPI2" 1600
    WriteRegDWORD HKCU "${PROFILE_KEY}" "LedIntensity2" 3
    WriteRegDWORD HKCU "${PROFILE_KEY}" "ReportRate" 1000
FunctionEnd
