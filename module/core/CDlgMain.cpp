#include "module/core/CDlgMain.h"

#include "framework/CUiTaskQueue.h"
#include "module/actions/BuiltInActions.h"
#include "module/actions/CActionRunner.h"
#include "module/core/CEventHandoff.h"
#include "module/core/CvireoApp.h"
#include "module/pages/CaptionTable.h"
#include "module/pages/resource.h"
#include "module/profiles/DefaultProfile.h"
#include "module/profiles/ProfileStore.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace {

// The contract's bounded copy: the text and its terminator must fit in size - 1 units. A text
// that does not fit leaves an empty string and gives ERANGE instead of ending the process, as
// the runtime's checked copy would.
int CopyBounded(wchar_t* buffer, int size, const std::wstring& text) {
    if (!buffer || size < 1)
        return EINVAL;
    buffer[0] = L'\0';
    if (size < 2)
        return EINVAL;
    if (text.size() >= static_cast<std::size_t>(size - 1))
        return ERANGE;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return 0;
}

ModuleModel ModelOf(CvireoApp& app) {
    return ModuleModel{app.m_profiles, app.m_currentProfileId, app.m_actions, app.Ticks()};
}

constexpr RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

const int kTabIds[CDlgMain::kPageCount] = {IDC_RADIO_PAGE1, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3};

struct Placement {
    int id;
    RECT rect;
};
const Placement kControls[] = {
    {IDC_RADIO_PAGE1, Rect(8, 10, 117, 24)},
    {IDC_RADIO_PAGE2, Rect(179, 10, 101, 24)},
    {IDC_RADIO_PAGE3, Rect(332, 10, 93, 24)},
    {IDC_BTN_SAVE, Rect(212, 556, 123, 37)},
    {IDC_BTN_RESTORE, Rect(45, 556, 123, 37)},
    {IDC_BTN_EXPORT, Rect(379, 556, 123, 37)},
    {IDC_BTN_IMPORT, Rect(546, 556, 123, 37)},
    {IDC_STATIC_EXCHANGE, Rect(684, 552, 172, 52)},
    {IDC_STATIC_LAUNCH_LIST, Rect(60, 70, 740, 210)},
    {IDC_BTN_IMPORT_CONFIRM, Rect(60, 290, 123, 37)},
    {IDC_BTN_IMPORT_CANCEL, Rect(227, 290, 123, 37)},
};

const pages::Caption kCaptions[] = {
    {IDC_RADIO_PAGE1, L"IDC_RADIO_PAGE1", L"BUTTONS"},
    {IDC_RADIO_PAGE2, L"IDC_RADIO_PAGE2", L"SETTINGS"},
    {IDC_RADIO_PAGE3, L"IDC_RADIO_PAGE3", L"STATISTICS"},
    {IDC_BTN_RESTORE, L"IDC_BTN_RESTORE", L"Restore"},
    {IDC_BTN_SAVE, L"IDC_BTN_SAVE", L"Save"},
};

} // namespace

CDlgMain::CDlgMain()
    : CSkinDialog(IDD), CDeviceReactions(ModelOf(GetVireoApp())),
      m_exchange(ModelOf(GetVireoApp()),
                 {[this] {
                      OnSave();
                      NotifyProfileChanged();
                  },
                  [this](bool show) {
                      if (CDialog* page = Page(m_curPage); page && page->GetSafeHwnd())
                          ::ShowWindow(page->GetSafeHwnd(), show ? SW_SHOW : SW_HIDE);
                  }}),
      m_pageButtons(ModelOf(GetVireoApp())),
      m_pageStatistics(StatisticsCounters{m_statRunning, m_statCount}, GetVireoApp().Ticks()) {
    AddNormalImage(L".\\res\\TabDialog01.bmp");
    AddNormalImage(L".\\res\\TabDialog02.bmp");
    AddNormalImage(L".\\res\\TabDialog03.bmp");
    AddDisableImage(L".\\res\\TabDialog_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\TabDialog_Disable.bmp");
    AddHoverImage(L".\\res\\TabDialog01.bmp");
    AddHoverImage(L".\\res\\TabDialog_Hover02.bmp");
    AddHoverImage(L".\\res\\TabDialog03.bmp");
    AddHoverSelectedImage(L".\\res\\TabDialog_Selected.bmp");
    AddHoverSelectedImage(L".\\res\\TabDialog02.bmp");
    AddHoverSelectedImage(L".\\res\\TabDialog03.bmp");
    AddSelectedImage(L".\\res\\TabDialog_Selected.bmp");
    AddSelectedImage(L".\\res\\TabDialog02.bmp");
    AddSelectedImage(L".\\res\\TabDialog03.bmp");
    SetMaskImage(L".\\res\\TabDialog_Mask.bmp");
}

CDlgMain::~CDlgMain() {
    ShutDown();
}

void CDlgMain::DoDataExchange(CDataExchange* dx) {
    for (int page = 0; page < kPageCount; ++page)
        DDX_Control(dx, kTabIds[page], m_tab[page]);
    DDX_Control(dx, IDC_BTN_RESTORE, m_btnRestore);
    DDX_Control(dx, IDC_BTN_SAVE, m_btnSave);
    m_exchange.DoDataExchange(dx);
}

BOOL CDlgMain::OnInitDialog() {
    s_languageFile = GetVireoApp().m_appDir + L"\\Language\\l_vireo.ini";
    CSkinDialog::OnInitDialog();
    for (CSkinRadioBox& tab : m_tab) {
        tab.SetTextFormat(DT_CENTER | DT_VCENTER);
        tab.m_nTextIndent = 0;
    }
    m_btnSave.SetImageIndex(Hover, 1);
    m_btnRestore.SetImageIndex(Hover, 1);
    m_exchange.OnInitDialog(*this);
    PlaceControls();
    CreatePages();

    m_tab[0].SendMessage(BM_SETCHECK, BST_CHECKED);
    ShowPage(0);

    OpenChannel();
    // Built-in captions until the host names a language.
    OnLanguageChanged();
    ShowCurrentProfile();
    return TRUE;
}

void CDlgMain::PlaceControls() {
    for (const Placement& placement : kControls) {
        const RECT& r = placement.rect;
        ::MoveWindow(::GetDlgItem(m_hWnd, placement.id), r.left, r.top, r.right - r.left,
                     r.bottom - r.top, FALSE);
    }
}

void CDlgMain::CreatePages() {
    m_pageButtons.Create(IDD_PAGE_BUTTONS, this);
    m_pageSettings.SetRecentPrograms([this] { return RecentPrograms(); });
    m_pageSettings.Create(CPageSettings::IDD, this);
    m_pageStatistics.Create(CPageStatistics::IDD, this);
    RECT tab = {};
    ::GetWindowRect(m_tab[0].GetSafeHwnd(), &tab);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tab), 2);
    // The buttons page starts right under the tabs, the other two two pixels lower.
    for (int page = 0; page < kPageCount; ++page) {
        if (CDialog* dialog = Page(page))
            ::SetWindowPos(dialog->GetSafeHwnd(), nullptr, tab.left + 26,
                           tab.bottom + (page == 0 ? 0 : 2), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

CDialog* CDlgMain::Page(int page) {
    switch (page) {
    case 0:
        return &m_pageButtons;
    case 1:
        return &m_pageSettings;
    case 2:
        return &m_pageStatistics;
    default:
        return nullptr;
    }
}

void CDlgMain::OpenChannel() {
    m_runner = std::make_unique<CActionRunner>(ActionServices{m_shell, m_pause});
    m_uiQueue = CUiTaskQueue::Create();
    m_uiQueue->Bind(m_hWnd);
    // The poster is in place before the reader starts, so every record takes the hand-off.
    auto driver = std::make_shared<CDriverVireo>(nullptr);
    m_handoff = std::make_unique<CEventHandoff>(m_uiQueue, driver);
    driver->SetEventPoster(m_handoff.get());
    driver->Open(device::kQuillonDevicePath);
    CDeviceReactions::Attach(driver, true);
    BindReactions(this, m_runner.get());

    // A switch put off while an action ran is tried again once the runner is idle.
    std::weak_ptr<CUiTaskQueue> queue = m_uiQueue;
    m_runner->SetIdleNotice([this, queue] {
        if (auto ui = queue.lock())
            ui->Post([this] {
                if (m_follower)
                    m_follower->Evaluate();
            });
    });
    m_foreground =
        std::make_unique<platform::Win32ForegroundWatch>([queue](std::function<void()> notice) {
            if (auto ui = queue.lock())
                ui->Post(std::move(notice));
        });
    CvireoApp& app = GetVireoApp();
    IProfileSwitch& switcher = *this;
    m_follower = std::make_unique<CForegroundFollower>(*m_foreground, app.Ticks(), app.m_profiles,
                                                       app.m_currentProfileId, switcher);
    m_follower->Start();
}

void CDlgMain::ShutDown() {
    if (m_follower)
        m_follower->Stop();
    if (m_pageButtons.GetSafeHwnd())
        m_pageButtons.StopRecording();
    if (m_runner)
        m_runner->Close();
    if (std::shared_ptr<CDriver> driver = m_driver) {
        driver->Close();
        driver->SetEventPoster(nullptr);
    }
    CDeviceReactions::Detach();
    BindReactions(nullptr, nullptr);
    if (m_uiQueue)
        m_uiQueue->Unbind();
}

void CDlgMain::ShowPage(int page) {
    if (page < 0 || page >= kPageCount || page == m_curPage)
        return;
    SelectBackground(page);
    for (int other = 0; other < kPageCount; ++other) {
        if (CDialog* dialog = Page(other); dialog && dialog->GetSafeHwnd())
            ::ShowWindow(dialog->GetSafeHwnd(), other == page ? SW_SHOW : SW_HIDE);
    }
    m_curPage = page;
}

void CDlgMain::OnLanguageChanged() {
    m_pageButtons.SelectLanguage(s_currentLanguage.c_str());
    m_pageSettings.SelectLanguage(s_currentLanguage.c_str());
    m_pageStatistics.SelectLanguage(s_currentLanguage.c_str());
    pages::SetCaptions(*this, kCaptions);
    m_exchange.SetCaptions(*this);
}

bool CDlgMain::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED)
        return false;
    const int id = LOWORD(wParam);
    if (m_exchange.OnCommand(id))
        return true;
    // Anything else the user does first drops a standing import question.
    m_exchange.CancelImport();
    for (int page = 0; page < kPageCount; ++page) {
        if (id == kTabIds[page]) {
            ShowPage(page);
            return true;
        }
    }
    if (id == IDC_BTN_SAVE) {
        OnSave();
        return true;
    }
    if (id == IDC_BTN_RESTORE) {
        OnRestore();
        return true;
    }
    return false;
}

LRESULT CDlgMain::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_DESTROY:
        ShutDown();
        break;
    default:
        break;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

void CDlgMain::ShowCurrentProfile() {
    const CProfileVireo* profile = GetVireoApp().FindCurrentProfile();
    // An ID the list lacks shows empty, disabled pages rather than another profile's values.
    for (int page = 0; page < kPageCount; ++page) {
        if (CDialog* dialog = Page(page); dialog && dialog->GetSafeHwnd())
            dialog->EnableWindow(profile != nullptr);
    }
    m_pageButtons.RefreshFromProfile();
    m_pageSettings.UpdateData(FALSE);
    for (CSkinSliderCtrl* slider :
         {&m_pageSettings.CpiSlider(), &m_pageSettings.ReportRateSlider()})
        slider->SetRange(0, 3, FALSE);
    m_pageSettings.CpiSlider().SetValue(profile ? profile->m_cpi1 : 0);
    m_pageSettings.ReportRateSlider().SetValue(profile ? profile->m_reportRate : 0);
    m_pageSettings.SetPrograms(profile ? profile->m_programs : std::vector<std::wstring>());
    m_pageStatistics.UpdateData(FALSE);
}

void CDlgMain::OnSave() {
    CvireoApp& app = GetVireoApp();
    CommitEdits(app.m_currentProfileId);
    app.m_actions.SaveAll(app.m_rootKey.get());
    SaveProfiles(app.m_rootKey.get(), app.m_profiles, app.m_currentProfileId);
    ApplyProfileToDevice();
    if (m_follower)
        m_follower->OnApplied();
}

void CDlgMain::CommitEdits(const std::wstring& profileId) {
    CvireoApp& app = GetVireoApp();
    // The editors write into the actions as they change; the macro list only on Stop or here,
    // and only into the action it shows.
    m_pageButtons.UpdateData(TRUE);
    m_pageButtons.m_pageKeypress.Exchange(true);
    m_pageButtons.m_pageCopyString.UpdateData(TRUE);
    m_pageButtons.m_pageLaunchApp.UpdateData(TRUE);
    m_pageSettings.UpdateData(TRUE);
    if (CProfileVireo* profile = app.m_profiles.FindProfile(profileId)) {
        profile->m_cpi1 = m_pageSettings.CpiSlider().GetPos();
        profile->m_reportRate = m_pageSettings.ReportRateSlider().GetPos();
        profile->m_programs = m_pageSettings.Programs();
    }
    m_pageStatistics.UpdateData(TRUE);
}

void CDlgMain::OnRestore() {
    CvireoApp& app = GetVireoApp();
    // A recording first ends as Stop does; then the store's state replaces every edit.
    m_pageButtons.StopRecording();
    const std::uint32_t now = app.Ticks().Milliseconds();
    app.m_actions.LoadAll(app.m_rootKey.get(), now);
    AddMissingBuiltInActions(app.m_actions);
    RestoreCurrentProfile(app.m_rootKey.get(), app.m_profiles, app.m_currentProfileId);
    ShowCurrentProfile();
}

void CDlgMain::NotifyProfileChanged() {
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageW(parent, WM_MODULE_REFRESH,
                       reinterpret_cast<WPARAM>(static_cast<IGamingModule*>(this)), 0);
}

bool CDlgMain::ActionsRunning() const {
    return m_runner && m_runner->Busy();
}

// Unsaved edits stay on the profile they were made on: they go into its record (the next Save
// stores them) before the pages show the other profile.
void CDlgMain::SwitchToProfile(const std::wstring& id) {
    CvireoApp& app = GetVireoApp();
    const std::wstring outgoing = app.m_currentProfileId;
    app.m_currentProfileId = id;
    // The mouse first: it is what the user is waiting for; the pages follow.
    ApplyProfileToDevice(MaskPackets::One);
    m_pageButtons.StopRecording();
    CommitEdits(outgoing);
    ShowCurrentProfile();
    NotifyProfileChanged();
}

std::vector<std::wstring> CDlgMain::RecentPrograms() const {
    return m_follower ? m_follower->RecentPrograms() : std::vector<std::wstring>();
}

void CDlgMain::ShowDeviceSettings(int cpiIndex, int reportRateIndex) {
    m_pageSettings.CpiSlider().SetValue(cpiIndex);
    m_pageSettings.ReportRateSlider().SetValue(reportRateIndex);
}

void CDlgMain::RequestSave() {
    ::SendMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_SAVE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_btnSave.GetSafeHwnd()));
}

void CDlgMain::PostStatUpdate(int, int) {
    m_pageStatistics.RequestRefresh();
}

const wchar_t* CDlgMain::CopyProfile() {
    CvireoApp& app = GetVireoApp();
    const CProfileVireo* current = app.FindCurrentProfile();
    // Without a current profile (deleted, or an ID the list lacks) the copy starts from the
    // standard profile rather than from nothing.
    const CProfileVireo source =
        current ? *current : CProfileVireo::MakeStandard(L"", DefaultProfileName());
    return app.m_profiles.Copy(source, app.Ticks().Milliseconds()).m_id.c_str();
}

void CDlgMain::DeleteProfile(const wchar_t* id) {
    if (id)
        GetVireoApp().m_profiles.Remove(id);
}

void CDlgMain::SelectProfile(const wchar_t* id) {
    GetVireoApp().m_currentProfileId = id ? id : L"";
    if (m_follower)
        m_follower->OnProfileSelected(GetVireoApp().m_currentProfileId);
    if (GetSafeHwnd())
        ShowCurrentProfile();
}

const wchar_t* CDlgMain::GetProfileName(const wchar_t* id) {
    const CProfileVireo* profile = id ? GetVireoApp().m_profiles.FindProfile(id) : nullptr;
    return profile ? profile->m_name.c_str() : nullptr;
}

void CDlgMain::SetProfileName(const wchar_t* id, const wchar_t* name) {
    if (id && name)
        GetVireoApp().m_profiles.Rename(id, name);
}

const wchar_t* CDlgMain::GetCurrentProfileID() {
    return GetVireoApp().m_currentProfileId.c_str();
}

int CDlgMain::GetProfileCount() {
    return static_cast<int>(std::min<std::size_t>(GetVireoApp().m_profiles.Count(), INT_MAX));
}

int CDlgMain::GetProfileAt(int index, wchar_t* id, int idSize, wchar_t* name, int nameSize) {
    const CProfileVireo* profile =
        index >= 0 ? GetVireoApp().m_profiles.At(static_cast<std::size_t>(index)) : nullptr;
    if (!profile) {
        CopyBounded(id, idSize, L"");
        CopyBounded(name, nameSize, L"");
        return EINVAL;
    }
    CopyBounded(id, idSize, profile->m_id);
    return CopyBounded(name, nameSize, profile->m_name);
}

const wchar_t* CDlgMain::GetDeviceName() {
    return L"Norvale Kestrel Mouse";
}

void CDlgMain::GetDeviceIds(int* vid, int* pid) {
    if (vid)
        *vid = kVendorId;
    if (pid)
        *pid = kProductId;
}

void CDlgMain::SetDeviceConnected(int connected) {
    m_connected = connected == 1 ? 1 : 0;
    if (connected == 0)
        return;
    std::shared_ptr<CDriverVireo> driver = VireoDriver();
    if (!driver || driver->SendReadSettings())
        return;
    // The channel's device is gone (its driver stopped, or it never opened): the mouse's
    // arrival is the moment to open it again.
    driver->Close();
    if (driver->Open(device::kQuillonDevicePath))
        driver->SendReadSettings();
}
