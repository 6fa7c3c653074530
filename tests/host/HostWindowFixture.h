#pragma once
// The host window made from the program's own template, with modules of this build, a
// notification area that records what reaches it, and its pictures from the build's res.
#include "host/CGearhostApp.h"
#include "host/CGearhostDlg.h"
#include "host/NotifyArea.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace host_test {

using Texts = std::vector<std::wstring>;

// Saves what the window shows on the screen as a PNG file.
bool SaveWindowPicture(HWND window, const std::wstring& path);

class RecordingNotifyArea : public INotifyArea {
public:
    struct Call {
        bool add;
        NOTIFYICONDATAW data;
    };
    bool Add(const NOTIFYICONDATAW& icon) override;
    bool Delete(const NOTIFYICONDATAW& icon) override;
    // The icon is there: the last call added it.
    bool IconShown() const { return !calls.empty() && calls.back().add; }
    std::vector<Call> calls;
};

class HostWindowTest : public testing::Test {
protected:
    testing_support::TempDir m_dir;
    CGearhostApp m_app;
    RecordingNotifyArea m_tray;
    std::unique_ptr<CGearhostDlg> m_dialog;

    void SetUp() override;
    void TearDown() override;

    // Loads the modules (build outputs, by name) and creates the window.
    void Start(const std::vector<std::wstring>& modules);
    // Loads the modules without creating the window.
    void LoadModules(const std::vector<std::wstring>& modules);
    void MakeWindow();
    // The HID interface of the served mouse (vendor 0x0c45, product 0x7303) arrives.
    void ArriveMouse();
    void WriteLanguageFile(const std::string& text);
    // Copies of the build's language files and pictures in the program folder, made the
    // current directory: a module loaded afterwards reads and writes its language file there.
    void UseCopiesOfTheShippedFiles();
    // The user picks the language at index in the host's language box.
    void PickLanguage(int index);

    HWND Dialog() const { return m_dialog->GetSafeHwnd(); }
    IGamingModule* Module(size_t index) const { return m_app.m_modules[index]; }
    // Runs what waits in this thread's queue (posted notices of the lists, for example).
    static void Pump();
    LRESULT Command(int id, WORD code = BN_CLICKED);
    // The user picks a profile: the list's selection and the notice it sends.
    void PickProfile(int index);
    // Double-click on the notification-area icon.
    void ShowFromTray();

    Texts Devices() const;
    Texts Profiles() const;
    int SelectedProfile() const;
    bool Visible() const { return (GetWindowLongW(Dialog(), GWL_STYLE) & WS_VISIBLE) != 0; }

private:
    std::wstring m_previousDir;
};

} // namespace host_test
