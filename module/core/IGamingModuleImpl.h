#pragma once
// The part of the module contract every module window realises the same way: creation,
// release, language, window and library access, and message pre-translation. T is the
// module's dialog class; it provides the profile and device operations and re-captions itself
// in OnLanguageChanged.
#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/Module.h"
#include "language/CMultiLanguage.h"
#include "module/core/IGamingModule.h"

template <typename T> class IGamingModuleImpl : public IGamingModule, public CMultiLanguage {
public:
    BOOL Create(CWnd* parent) override { return Self()->CDialog::Create(T::IDD, parent); }

    void Release() override {
        T* self = Self();
        if (self->GetSafeHwnd())
            self->DestroyWindow();
        delete self;
    }

    // The host ignores the result.
    int SetLanguage(const wchar_t* language) override {
        SelectLanguage(language);
        return 0;
    }
    CWnd* GetWindow() override { return Self(); }
    HINSTANCE GetInstanceHandle() override { return fw::ThisModule(); }

    BOOL PreTranslateMessage(MSG* msg) override { return AfxPreTranslateMessage(msg); }

protected:
    ~IGamingModuleImpl() = default;

private:
    T* Self() { return static_cast<T*>(this); }
};
