#pragma once
// The contract between the host and a mouse module. Host and modules are built separately
// against this declaration: the order of the operations and their argument types are the
// binary interface and must never change. All text is null-terminated UTF-16.
#include <windows.h>

class CWnd;

// Sent (synchronously) by a module to the parent of its window when it changed its current
// profile on its own; wParam is the module's IGamingModule*, lParam 0.
constexpr UINT WM_MODULE_REFRESH = WM_USER + 256;

struct IGamingModule {
    virtual BOOL Create(CWnd* parent) = 0;
    virtual void Release() = 0;
    virtual int SetLanguage(const wchar_t* language) = 0;
    virtual const wchar_t* CopyProfile() = 0;
    virtual void DeleteProfile(const wchar_t* id) = 0;
    virtual void SelectProfile(const wchar_t* id) = 0;
    virtual const wchar_t* GetProfileName(const wchar_t* id) = 0;
    virtual void SetProfileName(const wchar_t* id, const wchar_t* name) = 0;
    virtual const wchar_t* GetCurrentProfileID() = 0;
    virtual int GetProfileCount() = 0;
    virtual int GetProfileAt(int index, wchar_t* id, int idSize, wchar_t* name, int nameSize) = 0;
    virtual void ReservedHook(void* reserved) = 0;
    virtual void DeselectProfile(const wchar_t* id) = 0;
    virtual const wchar_t* GetDeviceName() = 0;
    virtual void GetDeviceIds(int* vid, int* pid) = 0;
    virtual void SetDeviceConnected(int connected) = 0;
    virtual CWnd* GetWindow() = 0;
    virtual HINSTANCE GetInstanceHandle() = 0;
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
    // Objects are destroyed by Release only, never through this interface.
    ~IGamingModule() = default;
};

// The module library's single export, looked up by this exact, undecorated name.
using GamingModuleFactory = IGamingModule* (*)();
constexpr const char kGamingModuleFactoryName[] = "GamingModule_CreateObject";
