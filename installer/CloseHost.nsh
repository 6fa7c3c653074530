; Ends a running Gearhost the way the user would: a close request to its main window, then a
; wait until the process is gone, so its files can be replaced or removed. Shared by the
; installer and the uninstaller. HOST_WINDOW_CLASS is the host window's class name.

!include LogicLib.nsh
!include WinMessages.nsh

!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0

!macro DefineCloseHost PREFIX
Function ${PREFIX}CloseHost
  next:
    FindWindow $0 "${HOST_WINDOW_CLASS}"
    StrCmp $0 0 done
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
    ; Posted, not sent: a program that hangs must not hang the installer with it.
    System::Call "user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i"
    StrCpy $3 ${WAIT_OBJECT_0}
    ${If} $2 != 0
        System::Call "kernel32::WaitForSingleObject(p r2, i 30000) i .r3"
        System::Call "kernel32::CloseHandle(p r2) i"
    ${EndIf}
    StrCmp $3 ${WAIT_OBJECT_0} next
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Gearhost is still running. End it from its notification-area menu, then retry." \
        /SD IDCANCEL IDRETRY next
    SetErrorLevel 2
    Quit
  done:
FunctionEnd
!macroend

!insertmacro DefineCloseHost ""
!insertmacro DefineCloseHost "un."
