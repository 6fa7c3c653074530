#include "host/CGearhostDlg.h"

#include "host/CGearhostApp.h"
#include "host/DeviceBroadcast.h"
#include "host/DeviceInterfaces.h"
#include "host/DeviceKey.h"
#include "module/core/IGamingModule.h"

namespace {

constexpr POINT kModuleWindowOrigin = {187, 48};
constexpr RECT kDeviceListRect = {21, 88, 21 + 147, 88 + 174};
constexpr RECT kNoDeviceTextRect = {218, 310, 218 + 684, 310 + 50};

const wchar_t* TextOr(const wchar_t* key, const wchar_t* builtIn) {
    const wchar_t* text = CMultiLanguage::GetText(key);
    return text ? text : builtIn;
}

void MoveControl(HWND control, const RECT& rect) {
    ::MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 FALSE);
}

} // namespace

CGearhostDlg::CGearhostDlg(CWnd* parent) : CDialogEx(IDD, parent) {}

const std::vector<IGamingModule*>& CGearhostDlg::Modules() {
    static const std::vector<IGamingModule*> none;
    auto* app = dynamic_cast<CGearhostApp*>(AfxGetApp());
    return app ? app->m_modules : none;
}

void CGearhostDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_LIST_DEVICE, m_listDevice);
}

BOOL CGearhostDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    MoveControl(DeviceList(), kDeviceListRect);
    MoveControl(Control(IDC_STATIC_NO_DEVICE), kNoDeviceTextRect);
    CreateModuleWindows();

    auto* app = dynamic_cast<CGearhostApp*>(AfxGetApp());
    s_languageFile = (app ? app->m_strAppDir : std::wstring()) + L"\\Language\\l_gearhost.ini";
    SelectLanguage(nullptr);

    RegisterForDevices();
    ShowNoDeviceTextWhenEmpty();
    return TRUE;
}

void CGearhostDlg::CreateModuleWindows() {
    for (IGamingModule* module : Modules()) {
        if (!module->Create(this))
            continue;
        if (CWnd* window = module->GetWindow()) {
            ::SetWindowPos(window->GetSafeHwnd(), nullptr, kModuleWindowOrigin.x,
                           kModuleWindowOrigin.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        }
    }
}

void CGearhostDlg::OnLanguageChanged() {
    ::SetWindowTextW(
        Control(IDC_STATIC_NO_DEVICE),
        TextOr(L"IDC_STATIC_NO_DEVICE", L"Please plus some devices supported by the driver!"));
    for (IGamingModule* module : Modules())
        module->SetLanguage(s_currentLanguage.c_str());
}

LRESULT CGearhostDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_LIST_DEVICE && HIWORD(wParam) == LBN_SELCHANGE) {
            OnDeviceSelChange();
            return 0;
        }
        break;
    case WM_DESTROY:
        m_hDevNotify.reset();
        ClearProfileList();
        break;
    }
    return CDialogEx::WindowProc(message, wParam, lParam);
}

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
    ShowNoDeviceTextWhenEmpty();
}

void CGearhostDlg::DeleteDevice(int index) {
    IGamingModule* module = DeviceModule(index);
    const bool shown = index == m_nCurDevice || index == SelectedDevice();
    ::SendMessageW(DeviceList(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (index < m_nCurDevice)
        --m_nCurDevice;
    if (shown) {
        m_nCurDevice = -1;
        ClearProfileList();
        ShowModuleWindow(module, false);
    }
}

void CGearhostDlg::OnDeviceSelChange() {
    const int current = SelectedDevice();
    if (current == m_nCurDevice)
        return;
    if (m_nCurDevice != -1)
        ShowModuleWindow(DeviceModule(m_nCurDevice), false);
    if (current != -1)
        ShowModuleWindow(DeviceModule(current), true);
    m_nCurDevice = current;
}

// No profiles are listed yet; the profile list empties itself here once it exists.
void CGearhostDlg::ClearProfileList() {}

void CGearhostDlg::ShowNoDeviceTextWhenEmpty() {
    ::ShowWindow(Control(IDC_STATIC_NO_DEVICE), DeviceCount() == 0 ? SW_SHOW : SW_HIDE);
}

void CGearhostDlg::ShowModuleWindow(IGamingModule* module, bool show) {
    CWnd* window = module ? module->GetWindow() : nullptr;
    if (window && window->GetSafeHwnd())
        ::ShowWindow(window->GetSafeHwnd(), show ? SW_SHOW : SW_HIDE);
}

int CGearhostDlg::DeviceCount() const {
    LRESULT count = ::SendMessageW(DeviceList(), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int CGearhostDlg::SelectedDevice() const {
    return static_cast<int>(::SendMessageW(DeviceList(), LB_GETCURSEL, 0, 0));
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
    LRESULT item =
        ::SendMessageW(DeviceList(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name ? name : L""));
    if (item >= 0)
        ::SendMessageW(DeviceList(), LB_SETITEMDATA, static_cast<WPARAM>(item),
                       reinterpret_cast<LPARAM>(module));
}
