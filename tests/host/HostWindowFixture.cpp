#include "tests/host/HostWindowFixture.h"

#include "framework/DeviceContext.h"
#include "framework/Handle.h"
#include "host/DeviceInterfaces.h"
#include "tests/host/CallRecorder.h"

#include <dbt.h>
#include <gdiplus.h>

#include <cstddef>
#include <cstring>

namespace host_test {

using testing_support::ProgramDir;

bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT rect = {};
    GetClientRect(window, &rect);
    fw::WindowDc windowDc(window);
    fw::MemoryDc memoryDc(windowDc.Get());
    fw::UniqueBitmap bitmap(CreateCompatibleBitmap(windowDc.Get(), rect.right, rect.bottom));
    {
        fw::SelectedObject selected(memoryDc.Get(), bitmap.get());
        BitBlt(memoryDc.Get(), 0, 0, rect.right, rect.bottom, windowDc.Get(), 0, 0, SRCCOPY);
    }
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            Gdiplus::Bitmap picture(bitmap.get(), nullptr);
            return picture.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    return false;
}

bool RecordingNotifyArea::Add(const NOTIFYICONDATAW& icon) {
    calls.push_back({true, icon});
    return true;
}

bool RecordingNotifyArea::Delete(const NOTIFYICONDATAW& icon) {
    calls.push_back({false, icon});
    return true;
}

void HostWindowTest::SetUp() {
    ASSERT_TRUE(CGearhostApp::RegisterHostWindowClass(GetModuleHandleW(nullptr)));
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    m_previousDir = previous;
    // The window finds its pictures in .\res, as beside the program.
    SetCurrentDirectoryW(ProgramDir().c_str());
    m_app.m_strAppDir = m_dir.Path();
}

void HostWindowTest::TearDown() {
    if (m_dialog && m_dialog->GetSafeHwnd())
        m_dialog->DestroyWindow();
    m_dialog.reset();
    m_app.FreeModules();
    CMultiLanguage::s_currentLanguage.clear();
    CMultiLanguage::s_languages.clear();
    CMultiLanguage::s_texts.clear();
    SetCurrentDirectoryW(m_previousDir.c_str());
    Pump();
}

void HostWindowTest::LoadModules(const std::vector<std::wstring>& modules) {
    std::string ini = "[gaming_module]\r\n";
    for (size_t i = 0; i < modules.size(); ++i) {
        std::wstring path = ProgramDir() + L"\\" + modules[i] + L".dll";
        ini +=
            "module" + std::to_string(i + 1) + "=" + std::string(path.begin(), path.end()) + "\r\n";
    }
    m_dir.Write(L"module.ini", ini);
    m_app.LoadModules();
    ASSERT_EQ(m_app.m_modules.size(), modules.size());
}

void HostWindowTest::MakeWindow() {
    m_dialog = std::make_unique<CGearhostDlg>();
    m_dialog->SetNotifyArea(&m_tray);
    ASSERT_TRUE(m_dialog->Create(CGearhostDlg::IDD));
    Pump();
    ClearRecordedCalls();
}

void HostWindowTest::Start(const std::vector<std::wstring>& modules) {
    LoadModules(modules);
    MakeWindow();
}

void HostWindowTest::ArriveMouse() {
    const std::wstring path = L"\\\\?\\hid#vid_0c45&pid_7303&mi_00#7&1a2b3c4d&0&0000#"
                              L"{4d1e55b2-f16f-11cf-88cb-001111000030}";
    const size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    std::vector<unsigned char> record(offset + (path.size() + 1) * sizeof(wchar_t), 0);
    DEV_BROADCAST_DEVICEINTERFACE_W header = {};
    header.dbcc_size = static_cast<DWORD>(record.size());
    header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header.dbcc_classguid = HidInterfaceClass();
    std::memcpy(record.data(), &header, offset);
    std::memcpy(record.data() + offset, path.c_str(), path.size() * sizeof(wchar_t));
    SendMessageW(Dialog(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                 reinterpret_cast<LPARAM>(record.data()));
}

void HostWindowTest::WriteLanguageFile(const std::string& text) {
    CreateDirectoryW(m_dir.File(L"Language").c_str(), nullptr);
    m_dir.Write(L"Language\\l_gearhost.ini", text);
}

namespace {
void CopyFolder(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            CopyFileW((from + L"\\" + found.cFileName).c_str(),
                      (to + L"\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
} // namespace

void HostWindowTest::UseCopiesOfTheShippedFiles() {
    CopyFolder(ProgramDir() + L"\\Language", m_dir.File(L"Language"));
    CopyFolder(ProgramDir() + L"\\res", m_dir.File(L"res"));
    SetCurrentDirectoryW(m_dir.Path().c_str());
}

void HostWindowTest::PickLanguage(int index) {
    m_dialog->m_cbLanguage.SetCurSel(index);
    Command(IDC_COMBO_LANGUAGE, CBN_SELCHANGE);
    Pump();
}

void HostWindowTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT HostWindowTest::Command(int id, WORD code) {
    return SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, code),
                        reinterpret_cast<LPARAM>(GetDlgItem(Dialog(), id)));
}

void HostWindowTest::PickProfile(int index) {
    HWND list = m_dialog->m_listProfile.GetSafeHwnd();
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_LIST_PROFILE, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void HostWindowTest::ShowFromTray() {
    SendMessageW(Dialog(), WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
    Pump();
}

namespace {
Texts ListTexts(HWND list) {
    Texts texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        texts.push_back(text);
    }
    return texts;
}
} // namespace

Texts HostWindowTest::Devices() const {
    return ListTexts(m_dialog->m_listDevice.GetSafeHwnd());
}

Texts HostWindowTest::Profiles() const {
    return ListTexts(m_dialog->m_listProfile.GetSafeHwnd());
}

int HostWindowTest::SelectedProfile() const {
    return static_cast<int>(
        SendMessageW(m_dialog->m_listProfile.GetSafeHwnd(), LB_GETCURSEL, 0, 0));
}

} // namespace host_test
