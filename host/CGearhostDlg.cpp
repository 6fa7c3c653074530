#include "host/CGearhostDlg.h"

#include "framework/CMenu.h"
#include "framework/DeviceContext.h"
#include "framework/Module.h"
#include "host/CDlgQuestion.h"
#include "host/CGearhostApp.h"
#include "host/DeviceBroadcast.h"
#include "host/DeviceInterfaces.h"
#include "host/DeviceKey.h"
#include "host/QuestionPlacement.h"
#include "module/core/IGamingModule.h"

namespace {

constexpr POINT kModuleWindowOrigin = {187, 48};
constexpr int kNameChars = 260;

struct Placement {
    int id;
    RECT rect;
};
constexpr RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}
// The containers come first: they are placed before they are skinned (and framed).
const Placement kContainers[] = {
    {IDC_COMBO_LANGUAGE, Rect(957, 42, 90, 80)},
    {IDC_LIST_DEVICE, Rect(21, 88, 147, 174)},
    {IDC_LIST_PROFILE, Rect(21, 302, 147, 295)},
};
const Placement kControls[] = {
    {IDC_STATIC_DEVICES, Rect(20, 62, 72, 18)},
    {IDC_STATIC_PROFILES, Rect(20, 278, 72, 18)},
    {IDC_BTN_NEW_PROFILE, Rect(14, 606, 81, 33)},
    {IDC_BTN_DELETE_PROFILE, Rect(98, 606, 81, 33)},
    {IDC_STATIC_NO_DEVICE, Rect(218, 310, 684, 50)},
    {IDC_BTN_MINIMIZE, Rect(989, 7, 24, 21)},
    {IDC_BTN_HIDE, Rect(1019, 7, 24, 21)},
};

// Window commands carry 16 bits of the menu item's id.
constexpr WORD kTrayExitCommand = static_cast<WORD>(ID_TRAY_EXIT & 0xFFFF);

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

CGearhostDlg::CGearhostDlg(CWnd* parent) : CSkinDialog(IDD) {
    m_pParentWnd = parent;
    AddNormalImage(L".\\res\\MainDialog_Normal.bmp");
    AddDisableImage(L".\\res\\MainDialog_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\MainDialog_DisableSelected.bmp");
    AddHoverImage(L".\\res\\MainDialog_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\MainDialog_Hover.bmp");
    AddSelectedImage(L".\\res\\MainDialog_Selected.bmp");
    SetMaskImage(L".\\res\\MainDialog_Mask.bmp");
    m_listDevice.LoadItemImage();
    m_listProfile.LoadItemImage();
}

const std::vector<IGamingModule*>& CGearhostDlg::Modules() {
    static const std::vector<IGamingModule*> none;
    auto* app = dynamic_cast<CGearhostApp*>(AfxGetApp());
    return app ? app->m_modules : none;
}

void CGearhostDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_STATIC_DEVICES, m_stDevices);
    DDX_Control(dx, IDC_STATIC_PROFILES, m_stProfiles);
    DDX_Control(dx, IDC_BTN_NEW_PROFILE, m_btnNew);
    DDX_Control(dx, IDC_BTN_DELETE_PROFILE, m_btnDelete);
    DDX_Control(dx, IDC_STATIC_NO_DEVICE, m_stNoDevice);
    DDX_Control(dx, IDC_BTN_MINIMIZE, m_btnMinimize);
    DDX_Control(dx, IDC_BTN_HIDE, m_btnHide);
}

BOOL CGearhostDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_bDraggable = TRUE;
    SetWindowText(L"Gearhost");
    PlaceControls();

    m_stNoDevice.SetFontSize(24.0f);
    m_stNoDevice.SetTextFormat(DT_CENTER);
    m_btnNew.EnableWindow(FALSE);
    m_btnDelete.EnableWindow(FALSE);
    m_listProfile.LoadButtonImage();
    m_listProfile.m_nDefaultButtons = CSkinListBoxEdit::ButtonEdit;
    SetUpLanguageCombo();

    CreateModuleWindows();

    m_hIcon = static_cast<HICON>(LoadImageW(fw::ThisModule(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                            IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    m_hSmallIcon = static_cast<HICON>(LoadImageW(fw::ThisModule(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    m_trayIcon.SetOwner(m_hWnd, m_hSmallIcon ? m_hSmallIcon : m_hIcon);

    auto* app = dynamic_cast<CGearhostApp*>(AfxGetApp());
    s_languageFile = (app ? app->m_strAppDir : std::wstring()) + L"\\Language\\l_gearhost.ini";
    SelectLanguage(nullptr);

    if (DeviceCount() > 0) {
        SelectDevice(0);
        OnDeviceSelChange();
    }
    RegisterForDevices();
    ShowNoDeviceTextWhenEmpty();
    return TRUE;
}

void CGearhostDlg::PlaceControls() {
    for (const Placement& placement : kControls) {
        const RECT& r = placement.rect;
        ::MoveWindow(::GetDlgItem(m_hWnd, placement.id), r.left, r.top, r.right - r.left,
                     r.bottom - r.top, FALSE);
    }
    for (const Placement& placement : kContainers) {
        const RECT& r = placement.rect;
        ::MoveWindow(::GetDlgItem(m_hWnd, placement.id), r.left, r.top, r.right - r.left,
                     r.bottom - r.top, FALSE);
    }
    m_cbLanguage.SubclassDlgItem(IDC_COMBO_LANGUAGE, this);
    m_listDevice.SubclassDlgItem(IDC_LIST_DEVICE, this);
    m_listProfile.SubclassDlgItem(IDC_LIST_PROFILE, this);
}

void CGearhostDlg::SetUpLanguageCombo() {
    m_cbLanguage.SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 26);
    m_cbLanguage.m_nButtonWidth = 25;
    m_cbLanguage.RecalcLayout();
    if (m_cbLanguage.m_edit.m_hWnd)
        m_cbLanguage.m_edit.SendMessage(EM_SETREADONLY, TRUE);
    // The drop list is framed on its first message.
    if (m_cbLanguage.m_list.m_hWnd)
        m_cbLanguage.m_list.SendMessage(LB_GETCOUNT);
    if (CSkinScrollFrame* frame = m_cbLanguage.m_list.m_pScrollFrame) {
        frame->m_nInset = 1;
        frame->LoadComboListImage();
    }
}

void CGearhostDlg::CreateModuleWindows() {
    for (IGamingModule* module : Modules()) {
        if (!module->Create(this))
            continue;
        if (CWnd* window = module->GetWindow()) {
            // The module area's top edge runs under the language box, which must stay whole.
            window->ModifyStyle(0, WS_CLIPSIBLINGS);
            ::SetWindowPos(window->GetSafeHwnd(), nullptr, kModuleWindowOrigin.x,
                           kModuleWindowOrigin.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        }
    }
}

void CGearhostDlg::OnLanguageChanged() {
    m_cbLanguage.ResetContent();
    for (const std::wstring& name : s_languages) {
        std::wstring key = L"ID_" + name;
        for (wchar_t& c : key) {
            if (c >= L'a' && c <= L'z')
                c = static_cast<wchar_t>(c - L'a' + L'A');
        }
        const wchar_t* shown = GetText(key.c_str());
        const int item = m_cbLanguage.AddString(shown ? shown : name.c_str());
        if (item < 0)
            continue;
        m_cbLanguage.SetItemData(item, reinterpret_cast<LPARAM>(name.c_str()));
        if (name == s_currentLanguage)
            m_cbLanguage.SetCurSel(item);
    }
    m_btnNew.SetWindowText(TextOr(L"IDC_BTN_NEW_PROFILE", L"New"));
    m_btnDelete.SetWindowText(TextOr(L"IDC_BTN_DELETE_PROFILE", L"Delete"));
    m_stDevices.SetWindowText(TextOr(L"IDC_STATIC_DEVICES", L"Devices"));
    m_stProfiles.SetWindowText(TextOr(L"IDC_STATIC_PROFILES", L"Profiles"));
    m_stNoDevice.SetWindowText(
        TextOr(L"IDC_STATIC_NO_DEVICE", L"Please plus some devices supported by the driver!"));
    for (IGamingModule* module : Modules())
        module->SetLanguage(s_currentLanguage.c_str());
}

void CGearhostDlg::OnLanguageSelChange() {
    const int item = m_cbLanguage.GetCurSel();
    if (item < 0)
        return;
    const LRESULT data = m_cbLanguage.GetItemData(item);
    if (data == CB_ERR || data == 0)
        return;
    // The item points into the language list, which the switch reads again.
    const std::wstring name = reinterpret_cast<const wchar_t*>(data);
    SelectLanguage(name.c_str());
}

LRESULT CGearhostDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_SKIN_ITEMEDITED:
        OnProfileEdited(wParam, lParam);
        return 1;
    case WM_MODULE_REFRESH:
        m_nCurDevice = -1;
        OnDeviceSelChange();
        return 0;
    case WM_TRAYNOTIFY:
        if (wParam != CTrayIcon::kIconId)
            return 1;
        OnTrayNotify(wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            HideToTray();
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!m_bShown && pos && (pos->flags & SWP_SHOWWINDOW)) {
            pos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
            SetTrayIcon(true);
        }
        break;
    }
    case WM_CLOSE:
        EndDialog(IDCANCEL);
        return 0;
    case WM_PAINT:
        if (::IsIconic(m_hWnd)) {
            OnPaintMinimized();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_DESTROY:
        ShowWindow(SW_HIDE);
        SetTrayIcon(false);
        m_hDevNotify.reset();
        ClearProfileList();
        break;
    default:
        // The shell came back (Explorer restarted): its notification area is empty again.
        if (message == TaskbarCreatedMessage() && message != 0) {
            if (!m_bShown)
                SetTrayIcon(true);
            return 0;
        }
        break;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

BOOL CGearhostDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    // The menu's command: cut to 16 bits as the system sends it, or whole as Wine posts it.
    if (lParam == 0 && (wParam == ID_TRAY_EXIT || (code == 0 && id == kTrayExitCommand))) {
        OnExit();
        return TRUE;
    }
    switch (id) {
    case IDC_LIST_DEVICE:
        if (code == LBN_SELCHANGE)
            OnDeviceSelChange();
        return TRUE;
    case IDC_LIST_PROFILE:
        if (code == LBN_SELCHANGE)
            OnProfileSelChange();
        return TRUE;
    case IDC_COMBO_LANGUAGE:
        if (code == CBN_SELCHANGE)
            OnLanguageSelChange();
        return TRUE;
    case IDC_BTN_NEW_PROFILE:
        if (code == BN_CLICKED)
            OnNewProfile();
        return TRUE;
    case IDC_BTN_DELETE_PROFILE:
        if (code == BN_CLICKED)
            OnDeleteProfile();
        return TRUE;
    case IDC_BTN_MINIMIZE:
        if (code == BN_CLICKED)
            ShowWindow(SW_MINIMIZE);
        return TRUE;
    case IDC_BTN_HIDE:
        if (code == BN_CLICKED)
            HideToTray();
        return TRUE;
    }
    return FALSE;
}

void CGearhostDlg::OnPaintMinimized() {
    fw::PaintDc paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()));
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_hIcon)
        DrawIcon(paint.Get(), x, y, m_hIcon);
}

// ---- Devices ----

void CGearhostDlg::RegisterForDevices() {
    const GUID hid = HidInterfaceClass();
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = hid;
    // Registered before the enumeration, so an interface arriving meanwhile is not missed.
    m_hDevNotify.reset(RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    EnumerateDevices(&hid);
}

void CGearhostDlg::EnumerateDevices(const GUID* interfaceClass) {
    const GUID deviceClass = interfaceClass ? *interfaceClass : HidInterfaceClass();
    for (const std::wstring& path : PresentDeviceInterfaces(deviceClass))
        OnDeviceArrival(path.c_str());
}

void CGearhostDlg::OnDeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return;
    std::wstring path;
    if (!InterfacePathOf(reinterpret_cast<const DEV_BROADCAST_HDR*>(data), &path))
        return;
    if (event == DBT_DEVICEARRIVAL)
        OnDeviceArrival(path.c_str());
    else
        OnDeviceRemoval(path.c_str());
}

IGamingModule* CGearhostDlg::ModuleServing(const std::wstring& key) {
    for (IGamingModule* module : Modules()) {
        int vendorId = 0;
        int productId = 0;
        module->GetDeviceIds(&vendorId, &productId);
        if (DeviceKeyOf(vendorId, productId) == key)
            return module;
    }
    return nullptr;
}

// An interface counts once, however many modules serve its pair: counted per module, a
// second module with the same pair would keep the device listed after it left.
void CGearhostDlg::OnDeviceArrival(const wchar_t* path) {
    const std::wstring key = DeviceKeyOfPath(path);
    IGamingModule* module = ModuleServing(key);
    if (module && m_interfaceCounts.Arrive(key)) {
        AddDevice(module);
        module->SetDeviceConnected(1);
    }
    if (SelectedDevice() == -1 && DeviceCount() > 0) {
        SelectDevice(0);
        OnDeviceSelChange();
    }
    ShowNoDeviceTextWhenEmpty();
}

void CGearhostDlg::OnDeviceRemoval(const wchar_t* path) {
    const std::wstring key = DeviceKeyOfPath(path);
    IGamingModule* module = ModuleServing(key);
    if (module && m_interfaceCounts.Leave(key)) {
        const int selected = SelectedDevice();
        const int index = FindDevice(module);
        const bool wasLast = index == DeviceCount() - 1;
        if (index != -1)
            DeleteDevice(index);
        module->SetDeviceConnected(0);
        if (index != -1 && index == selected) {
            // The last item gives way to the one before it, any other to the first left.
            SelectDevice(wasLast ? index - 1 : 0);
            OnDeviceSelChange();
        }
    }
    UpdateProfileButtons();
    ShowNoDeviceTextWhenEmpty();
}

void CGearhostDlg::DeleteDevice(int index) {
    IGamingModule* module = DeviceModule(index);
    const bool shown = index == m_nCurDevice || index == SelectedDevice();
    m_listDevice.DeleteString(static_cast<UINT>(index));
    if (index < m_nCurDevice)
        --m_nCurDevice;
    if (shown) {
        m_nCurDevice = -1;
        m_nCurProfile = -1;
        ClearProfileList();
        ShowModuleWindow(module, false);
    }
}

void CGearhostDlg::OnDeviceSelChange() {
    const int current = SelectedDevice();
    if (current != m_nCurDevice) {
        if (m_nCurDevice != -1) {
            IGamingModule* left = DeviceModule(m_nCurDevice);
            if (left)
                LeaveDevice(left);
            ShowModuleWindow(left, false);
        }
        if (current != -1) {
            m_nCurProfile = -1;
            IGamingModule* module = DeviceModule(current);
            if (module)
                FillProfileList(module);
            ShowModuleWindow(module, true);
        }
        m_nCurDevice = current;
    }
    UpdateProfileButtons();
}

void CGearhostDlg::UpdateProfileButtons() {
    m_btnNew.EnableWindow(SelectedDevice() != -1);
    m_btnDelete.EnableWindow(ProfileCount() > 1);
}

void CGearhostDlg::ShowNoDeviceTextWhenEmpty() {
    m_stNoDevice.ShowWindow(DeviceCount() == 0 ? SW_SHOW : SW_HIDE);
}

void CGearhostDlg::ShowModuleWindow(IGamingModule* module, bool show) {
    CWnd* window = module ? module->GetWindow() : nullptr;
    if (!window || !window->GetSafeHwnd())
        return;
    ::ShowWindow(window->GetSafeHwnd(), show ? SW_SHOW : SW_HIDE);
    if (show) // the language box stays in front of the module area
        ::SetWindowPos(window->GetSafeHwnd(), m_cbLanguage.m_hWnd, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int CGearhostDlg::DeviceCount() const {
    LRESULT count = ::SendMessageW(DeviceList(), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int CGearhostDlg::SelectedDevice() const {
    return DeviceList() ? static_cast<int>(::SendMessageW(DeviceList(), LB_GETCURSEL, 0, 0)) : -1;
}

void CGearhostDlg::SelectDevice(int index) {
    ::SendMessageW(DeviceList(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

IGamingModule* CGearhostDlg::DeviceModule(int index) const {
    if (index < 0 || index >= DeviceCount())
        return nullptr;
    LRESULT data = ::SendMessageW(DeviceList(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<IGamingModule*>(data);
}

int CGearhostDlg::FindDevice(IGamingModule* module) const {
    for (int i = 0, count = DeviceCount(); i < count; ++i) {
        if (DeviceModule(i) == module)
            return i;
    }
    return -1;
}

void CGearhostDlg::AddDevice(IGamingModule* module) {
    const wchar_t* name = module->GetDeviceName();
    const int item = m_listDevice.AddString(name ? name : L"");
    if (item >= 0)
        m_listDevice.SetItemData(item, reinterpret_cast<LPARAM>(module));
}

// ---- Profiles ----

int CGearhostDlg::ProfileCount() const {
    if (!m_listProfile.m_hWnd)
        return 0;
    const int count = m_listProfile.GetCount();
    return count == LB_ERR ? 0 : count;
}

const wchar_t* CGearhostDlg::ProfileId(int index) const {
    const CSkinListBoxEdit::ItemRecord* record = m_listProfile.GetItemRecord(index);
    return record ? m_profileIds.Find(record->data1) : nullptr;
}

int CGearhostDlg::AppendProfile(const wchar_t* name, const wchar_t* id) {
    const INT_PTR copy = m_profileIds.Add(id);
    const int item = m_listProfile.InsertItem(-1, name ? name : L"", 0, copy, -1,
                                              m_listProfile.m_nDefaultButtons);
    if (item < 0)
        m_profileIds.Free(copy);
    return item;
}

void CGearhostDlg::LeaveDevice(IGamingModule* module) {
    for (int i = 0, count = ProfileCount(); i < count; ++i) {
        if (const wchar_t* id = ProfileId(i))
            module->DeselectProfile(id);
    }
}

void CGearhostDlg::FillProfileList(IGamingModule* module) {
    ClearProfileList();
    const int count = module->GetProfileCount();
    const wchar_t* currentId = module->GetCurrentProfileID();
    const std::wstring current = currentId ? currentId : L"";
    int selected = -1;
    for (int i = 0; i < count; ++i) {
        wchar_t id[kNameChars] = {};
        wchar_t name[kNameChars] = {};
        module->GetProfileAt(i, id, kNameChars, name, kNameChars);
        const int item = AppendProfile(name, id);
        if (item >= 0 && selected == -1 && current == id)
            selected = item;
    }
    // A current profile the list lacks: the first one is selected, and the module told so.
    if (selected == -1 && ProfileCount() > 0)
        selected = 0;
    m_listProfile.SetCurSel(selected);
    OnProfileSelChange();
}

void CGearhostDlg::ClearProfileList() {
    if (m_listProfile.m_hWnd) {
        const int count = ProfileCount();
        for (int i = 0; i < count; ++i) {
            if (const CSkinListBoxEdit::ItemRecord* record = m_listProfile.GetItemRecord(i))
                m_profileIds.Free(record->data1);
        }
        for (int i = count - 1; i >= 0; --i)
            m_listProfile.FreeItemData(i);
        m_listProfile.ResetContent();
    }
    m_profileIds.Clear();
}

void CGearhostDlg::OnProfileSelChange() {
    IGamingModule* module = DeviceModule(SelectedDevice());
    const int selected = m_listProfile.m_hWnd ? m_listProfile.GetCurSel() : -1;
    if (selected == m_nCurProfile)
        return;
    if (module && m_nCurProfile != -1) {
        if (const wchar_t* id = ProfileId(m_nCurProfile))
            module->DeselectProfile(id);
    }
    if (selected != -1) {
        if (module) {
            if (const wchar_t* id = ProfileId(selected))
                module->SelectProfile(id);
        }
        m_btnNew.EnableWindow(TRUE);
    } else {
        m_btnNew.EnableWindow(FALSE);
    }
    m_nCurProfile = selected;
}

void CGearhostDlg::OnNewProfile() {
    IGamingModule* module = DeviceModule(SelectedDevice());
    if (!module)
        return;
    // An item selected by its rename button is what the module must copy.
    OnProfileSelChange();
    const wchar_t* copied = module->CopyProfile();
    const std::wstring id = copied ? copied : L"";
    const wchar_t* name = module->GetProfileName(id.c_str());
    AppendProfile(name ? name : L"", id.c_str());
    m_btnDelete.EnableWindow(ProfileCount() > 1);
}

void CGearhostDlg::OnDeleteProfile() {
    IGamingModule* module = DeviceModule(SelectedDevice());
    if (!module || ProfileCount() <= 1)
        return;
    OnProfileSelChange();
    const int selected = m_listProfile.GetCurSel();
    const CSkinListBoxEdit::ItemRecord* record = m_listProfile.GetItemRecord(selected);
    const INT_PTR copy = record ? record->data1 : 0;
    const wchar_t* id = m_profileIds.Find(copy);
    if (selected < 0 || !id)
        return;
    module->DeleteProfile(id);
    m_nCurProfile = -1;
    m_listProfile.FreeItemData(selected);
    m_listProfile.DeleteString(static_cast<UINT>(selected));
    m_profileIds.Free(copy);
    const int count = ProfileCount();
    m_listProfile.SetCurSel(selected < count ? selected : count - 1);
    OnProfileSelChange();
    m_btnDelete.EnableWindow(ProfileCount() > 1);
}

void CGearhostDlg::OnProfileEdited(WPARAM index, LPARAM list) {
    if (reinterpret_cast<HWND>(list) != m_listProfile.m_hWnd)
        return;
    const int item = static_cast<int>(index);
    IGamingModule* module = DeviceModule(SelectedDevice());
    if (!module || item < 0 || item >= ProfileCount())
        return;
    // The rename is of the item that was edited: the module must have it selected.
    if (m_listProfile.GetCurSel() != item)
        m_listProfile.SetCurSel(item);
    OnProfileSelChange();
    const wchar_t* id = ProfileId(item);
    const std::wstring name = m_listProfile.GetText(item);
    if (id && !name.empty())
        module->SetProfileName(id, name.c_str());
}

// ---- Notification area ----

void CGearhostDlg::SetTrayIcon(bool add) {
    if (add)
        m_trayIcon.Add(TextOr(L"ID_TRAY_TIP", L"Gaming Mouse"));
    else
        m_trayIcon.Delete();
}

void CGearhostDlg::ShowFromTray() {
    m_bShown = 1;
    ShowWindow(SW_SHOWNORMAL);
    SetTrayIcon(false);
}

void CGearhostDlg::HideToTray() {
    m_bShown = 0;
    ShowWindow(SW_HIDE);
    SetTrayIcon(true);
}

void CGearhostDlg::OnTrayNotify(WPARAM, LPARAM event) {
    if (event == WM_LBUTTONDBLCLK)
        ShowFromTray();
    else if (event == WM_RBUTTONUP && !m_bAskingExit)
        ShowTrayMenu();
}

void CGearhostDlg::ShowTrayMenu() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is in front.
    ::SetForegroundWindow(m_hWnd);
    CMenu menu;
    if (menu.CreatePopupMenu() &&
        menu.AppendMenu(MF_STRING, ID_TRAY_EXIT, TextOr(L"ID_EXIT_APP", L"Exit")))
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, cursor.x, cursor.y, this);
    PostMessage(WM_NULL);
}

void CGearhostDlg::OnExit() {
    m_bAskingExit = 1;
    CDlgQuestion question(this);
    question.m_strQuestion =
        TextOr(L"ID_ASK_EXIT_APP", L"Are you sure to exit the application "
                                   L"(some adavnce feature will be invalid)? ");
    POINT cursor = {};
    GetCursorPos(&cursor);
    const POINT position = QuestionPositionAt(cursor);
    question.m_nX = position.x;
    question.m_nY = position.y;
    if (question.DoModal() == IDOK)
        EndDialog(IDCANCEL);
    m_bAskingExit = 0;
}
