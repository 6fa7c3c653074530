#include "module/pages/CPageButtons.h"

#include "module/actions/BuiltInActions.h"
#include "module/pages/CaptionTable.h"
#include "module/pages/resource.h"
#include "module/profiles/StoreLayout.h"
#include "skin/CSkinScrollFrame.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

const int kCheckTop[CPageButtons::kButtons] = {10, 46, 83, 122, 159};
const int kComboTop[CPageButtons::kButtons] = {8, 44, 81, 120, 156};
const POINT kHotSpot[CPageButtons::kButtons] = {
    {621, 70}, {663, 70}, {710, 70}, {605, 150}, {732, 151}};

struct Placement {
    int id;
    RECT rect;
};
const Placement kPlacements[] = {
    {IDC_CHECK_LEFT_HANDED, Rect(359, 11, 153, 24)},
    {IDC_STATIC_ACTION_PARAM, Rect(0, 208, 85, 40)},
    {IDC_BTN_NEW_ACTION, Rect(86, 210, 78, 34)},
    {IDC_BTN_DELETE_ACTION, Rect(179, 210, 78, 34)},
    {IDC_STATIC_ACTION_NAME, Rect(0, 258, 84, 20)},
    {IDC_EDIT_ACTION_NAME, Rect(92, 254, 127, 24)},
    {IDC_STATIC_ACTION_TIP, Rect(245, 258, 53, 20)},
    {IDC_EDIT_ACTION_TIP, Rect(309, 254, 127, 24)},
    {IDC_STATIC_ACTION_TYPE, Rect(0, 293, 84, 20)},
    // 20 pixels wider than the other fields' rhythm: "Launch Application" fits whole.
    {IDC_COMBO_ACTION_TYPE, Rect(86, 288, 149, 80)},
};

const pages::Caption kCaptions[] = {
    {IDC_BTN_NEW_ACTION, L"IDC_BTN_NEW_ACTION", L"New"},
    {IDC_BTN_DELETE_ACTION, L"IDC_BTN_DELETE_ACTION", L"Delete"},
    {IDC_STATIC_ACTION_PARAM, L"IDC_STATIC_ACTION_PARAM", L"Action Settings"},
    {IDC_STATIC_ACTION_NAME, L"IDC_STATIC_ACTION_NAME", L"Name:"},
    {IDC_STATIC_ACTION_TYPE, L"IDC_STATIC_ACTION_TYPE", L"Action Type:"},
    {IDC_STATIC_ACTION_TIP, L"IDC_STATIC_ACTION_TIP", L"Tip:"},
};

const pages::Caption kButtonCaptions[CPageButtons::kButtons] = {
    {IDC_CHECK_BUTTON1, L"IDC_CHECK_BUTTON1", L"BUTTON1"},
    {IDC_CHECK_BUTTON2, L"IDC_CHECK_BUTTON2", L"BUTTON2"},
    {IDC_CHECK_BUTTON3, L"IDC_CHECK_BUTTON3", L"BUTTON3"},
    {IDC_CHECK_BUTTON4, L"IDC_CHECK_BUTTON4", L"BUTTON4"},
    {IDC_CHECK_BUTTON5, L"IDC_CHECK_BUTTON5", L"BUTTON5"},
};

// Entry k of the action-type combo box stands for kind 5 + k.
const pages::Caption kActionTypes[] = {
    {0, L"IDC_COMBO_ACTION_TYPE_KEYPRESS_MACRO", L"Keypress Macro"},
    {1, L"IDC_COMBO_ACTION_TYPE_TEXT_MACRO", L"Text Macro"},
    {2, L"IDC_COMBO_ACTION_TYPE_LAUNCH_APPLICATION", L"Launch Application"},
};

bool IsCustomKind(std::uint32_t kind) {
    return kind >= CCustomAction::kKeypressMacro && kind <= CCustomAction::kLaunchApplication;
}

// The label of an action: the language's text for its identifier, which then also becomes
// its name, else its name.
std::wstring Label(CCustomAction& action) {
    if (const wchar_t* text = CMultiLanguage::GetText(action.m_nameId.c_str()))
        action.m_name = text;
    return action.m_name;
}

} // namespace

CPageButtons::CPageButtons(const ModuleModel& model)
    : CSkinDialog(IDD_PAGE_BUTTONS), m_pageKeypress(model.actions, m_currentActionId),
      m_pageCopyString(model.actions, m_currentActionId),
      m_pageLaunchApp(model.actions, m_currentActionId), m_model(model) {
    AddNormalImage(L".\\res\\ButtonPage_Normal.bmp");
    AddDisableImage(L".\\res\\ButtonPage_Disable.bmp");
    AddDisableSelectedImage(L".\\res\\ButtonPage_Disable.bmp");
    AddHoverImage(L".\\res\\ButtonPage_Hover.bmp");
    AddHoverSelectedImage(L".\\res\\ButtonPage_HoverSelected.bmp");
    AddSelectedImage(L".\\res\\ButtonPage_Selected.bmp");
    SetMaskImage(L".\\res\\ButtonPage_Mask.bmp");
}

void CPageButtons::DoDataExchange(CDataExchange* dx) {
    for (int i = 0; i < kButtons; ++i) {
        DDX_Control(dx, IDC_HOTSPOT_BUTTON1 + i, m_hotSpot[i]);
        DDX_Control(dx, IDC_CHECK_BUTTON1 + i, m_checkButton[i]);
        DDX_Control(dx, IDC_COMBO_BUTTON1 + i, m_comboAction[i]);
    }
    DDX_Control(dx, IDC_BTN_NEW_ACTION, m_btnNewAction);
    DDX_Control(dx, IDC_BTN_DELETE_ACTION, m_btnDeleteAction);
    DDX_Control(dx, IDC_CHECK_LEFT_HANDED, m_checkLeftHanded);
    DDX_Control(dx, IDC_STATIC_ACTION_PARAM, m_staticActionSettings);
    DDX_Control(dx, IDC_EDIT_ACTION_NAME, m_editName);
    DDX_Control(dx, IDC_EDIT_ACTION_TIP, m_editTip);
    DDX_Control(dx, IDC_STATIC_ACTION_NAME, m_staticName);
    DDX_Control(dx, IDC_STATIC_ACTION_TIP, m_staticTip);
    DDX_Control(dx, IDC_STATIC_ACTION_TYPE, m_staticActionType);
    DDX_Control(dx, IDC_COMBO_ACTION_TYPE, m_comboActionType);
}

BOOL CPageButtons::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    for (int i = 0; i < kButtons; ++i) {
        m_checkButton[i].MoveWindow(0, kCheckTop[i], 84, 28, FALSE);
        m_checkButton[i].m_nTextIndent = 23;
        m_comboAction[i].MoveWindow(119, kComboTop[i], 176, 150, FALSE);
        m_hotSpot[i].MoveWindow(kHotSpot[i].x, kHotSpot[i].y, 32, 34, FALSE);
        // The third button's drop button is one pixel narrower in the picture.
        SetUpCombo(m_comboAction[i], i == 2 ? 24 : 25);
    }
    for (const Placement& placement : kPlacements) {
        const RECT& r = placement.rect;
        ::MoveWindow(::GetDlgItem(m_hWnd, placement.id), r.left, r.top, r.right - r.left,
                     r.bottom - r.top, FALSE);
    }
    m_checkLeftHanded.m_nTextIndent = 23;
    SetUpCombo(m_comboActionType, 25);
    m_staticActionSettings.SetFontSize(16.0f);
    m_staticActionSettings.SetTextFormat(DT_RIGHT | DT_VCENTER);
    m_staticName.SetTextFormat(DT_RIGHT);
    m_staticTip.SetTextFormat(DT_RIGHT);
    m_staticActionType.SetTextFormat(DT_RIGHT);
    m_editName.SetLimitText(static_cast<UINT>(kMaxStoredTextLength));
    m_editTip.SetLimitText(static_cast<UINT>(kMaxStoredTextLength));

    m_pageKeypress.Create(IDD_PAGE_KEYPRESS, this);
    m_pageCopyString.Create(IDD_PAGE_COPYSTRING, this);
    m_pageLaunchApp.Create(IDD_PAGE_LAUNCHAPP, this);
    PlaceEditorPages();

    OnLanguageChanged();
    EnableActionEditing(false);
    return TRUE;
}

void CPageButtons::SetUpCombo(CSkinComboBox& combo, int buttonWidth) {
    combo.SetItemHeight(-1, 24);
    combo.m_nButtonWidth = buttonWidth;
    combo.RecalcLayout();
    if (combo.m_edit.m_hWnd)
        combo.m_edit.SendMessage(EM_SETREADONLY, TRUE);
    // The drop list is framed on its first message.
    if (combo.m_list.m_hWnd)
        combo.m_list.SendMessage(LB_GETCOUNT);
    if (CSkinScrollFrame* frame = combo.m_list.m_pScrollFrame) {
        frame->m_nInset = 1;
        frame->LoadComboListImage();
    }
}

void CPageButtons::PlaceEditorPages() {
    // Below the tip field, moved left under the labels; the launch page lower still.
    RECT tip = m_editTip.GetWindowRect();
    ScreenToClient(tip);
    OffsetRect(&tip, -293, 11);
    const POINT origins[] = {
        {tip.left, tip.bottom}, {tip.left, tip.bottom}, {tip.left - 15, tip.bottom + 30}};
    for (int k = 0; k < 3; ++k) {
        // Their top edge runs under the action-type combo box, which must stay whole.
        Editor(k).ModifyStyle(0, WS_CLIPSIBLINGS);
        Editor(k).SetWindowPos(nullptr, origins[k].x, origins[k].y, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
}

CActionEditorPage& CPageButtons::Editor(int kind) {
    CActionEditorPage* editors[] = {&m_pageKeypress, &m_pageCopyString, &m_pageLaunchApp};
    return *editors[kind];
}

CProfileVireo* CPageButtons::CurrentProfile() const {
    return m_model.profiles.FindProfile(m_model.currentProfileId);
}

std::wstring CPageButtons::EntryId(const CSkinComboBox& combo, int index) {
    const LRESULT data = combo.GetItemData(index);
    if (data == CB_ERR || data == 0)
        return std::wstring();
    return reinterpret_cast<const wchar_t*>(data);
}

int CPageButtons::FindEntry(const CSkinComboBox& combo, const std::wstring& id) {
    for (int i = 0; i < combo.GetCount(); ++i)
        if (EntryId(combo, i) == id)
            return i;
    return -1;
}

void CPageButtons::RefreshFromProfile() {
    UpdateData(FALSE);
    m_currentActionId.clear();
    for (int i = 0; i < kButtons; ++i)
        FillButtonCombo(i);
    // Taking the focus into a hidden window would take it from the window the user works in.
    if (::IsWindowVisible(::GetAncestor(m_hWnd, GA_ROOT)))
        m_comboAction[0].SetFocus();
    OnButtonActionChanged(0);
    m_pageKeypress.Exchange(false);
    m_pageCopyString.Exchange();
    m_pageLaunchApp.Exchange();
}

void CPageButtons::StopRecording() {
    m_pageKeypress.StopRecording();
}

void CPageButtons::FillButtonCombo(int button) {
    CSkinComboBox& combo = m_comboAction[button];
    combo.ResetContent();
    const BuiltInAction& builtIn = kBuiltInActions[static_cast<std::size_t>(button)];
    CCustomAction* own = m_model.actions.Find(builtIn.nameId);
    const std::wstring label = own ? Label(*own) : TextOr(builtIn.nameId, builtIn.name);
    const int first = combo.AddString(label.empty() ? builtIn.name : label.c_str());
    combo.SetItemData(first,
                      reinterpret_cast<LPARAM>(own ? own->m_nameId.c_str() : builtIn.nameId));

    CProfileVireo* profile = CurrentProfile();
    const std::size_t slot = static_cast<std::size_t>(button);
    int selected = -1;
    for (CCustomAction& action : m_model.actions) {
        if (!IsCustomKind(action.Kind()))
            continue;
        const int item = combo.AddString(Label(action).c_str());
        if (item < 0)
            continue;
        combo.SetItemData(item, reinterpret_cast<LPARAM>(action.m_nameId.c_str()));
        if (selected < 0 && profile && action.m_nameId == profile->m_buttonAction[slot])
            selected = item;
    }
    combo.SetCurSel(selected < 0 ? 0 : selected);

    if (profile) {
        m_checkButton[button].SetCheck(profile->m_buttonEnable[slot] != 0 ? 1 : 0);
        m_checkButton[button].Invalidate();
    }
    const bool on = m_checkButton[button].GetChecked() != 0;
    if (profile)
        profile->m_buttonEnable[slot] = on ? 1 : 0;
    m_comboAction[button].EnableWindow(on);
    m_hotSpot[button].EnableWindow(on);
}

void CPageButtons::OnButtonCheck(int button) {
    const bool on = m_checkButton[button].GetChecked() != 0;
    if (CProfileVireo* profile = CurrentProfile())
        profile->m_buttonEnable[static_cast<std::size_t>(button)] = on ? 1 : 0;
    m_comboAction[button].EnableWindow(on);
    m_hotSpot[button].EnableWindow(on);
}

void CPageButtons::OnButtonActionChanged(int button) {
    const int item = m_comboAction[button].GetCurSel();
    if (item < 0)
        return;
    const std::wstring id = EntryId(m_comboAction[button], item);
    m_currentActionId = id;
    if (CProfileVireo* profile = CurrentProfile())
        profile->m_buttonAction[static_cast<std::size_t>(button)] = id;
    SelectActionForEditing(id);
}

void CPageButtons::SelectActionForEditing(const std::wstring& id) {
    if (id.empty())
        return;
    ShowActionForEditing(id);
}

// A built-in action's name and tip are texts of the language.
void CPageButtons::ShowNameAndTip(CCustomAction* action) {
    std::wstring name;
    std::wstring tip;
    if (action) {
        name = TextOr(action->m_nameId.c_str(), action->m_name.c_str());
        tip = TextOr(action->m_descriptionId.c_str(), action->m_description.c_str());
    }
    m_settingName = true;
    m_editName.SetWindowText(name.c_str());
    m_settingName = false;
    m_editTip.SetWindowText(tip.c_str());
}

void CPageButtons::ShowActionForEditing(const std::wstring& id) {
    CCustomAction* action = id.empty() ? nullptr : m_model.actions.Find(id);
    ShowNameAndTip(action);

    if (action && IsCustomKind(action->Kind())) {
        if (!m_comboActionType.IsWindowEnabled())
            EnableActionEditing(true);
        m_comboActionType.SetCurSel(
            static_cast<int>(action->Kind() - CCustomAction::kKeypressMacro));
    } else {
        m_comboActionType.SetCurSel(-1);
        // Disabled once the message under way is handled: the control that sent it may be
        // among those disabled.
        if (m_comboActionType.IsWindowEnabled())
            PostMessage(WM_ENABLE_ACTION_EDIT, 0, 0);
    }
    OnActionTypeChanged();
}

void CPageButtons::EnableActionEditing(bool on) {
    const BOOL enable = on ? TRUE : FALSE;
    m_btnDeleteAction.EnableWindow(enable);
    m_staticName.EnableWindow(enable);
    m_editName.EnableWindow(enable);
    m_editTip.EnableWindow(enable);
    m_staticTip.EnableWindow(enable);
    m_staticActionType.EnableWindow(enable);
    m_comboActionType.EnableWindow(enable);
}

void CPageButtons::OnActionTypeChanged() {
    // Hidden first: a recording on the keypress page ends into its action before the kind
    // changes.
    if (m_shownEditor >= 0)
        Editor(m_shownEditor).ShowWindow(SW_HIDE);
    const int k = m_comboActionType.GetCurSel();
    if (k < 0 || k > 2) {
        m_shownEditor = -1;
        return;
    }
    Editor(k).ShowWindow(SW_SHOW);
    if (CCustomAction* action = m_model.actions.Find(m_currentActionId))
        action->SetKind(CCustomAction::kKeypressMacro + static_cast<std::uint32_t>(k));
    if (k == 0)
        m_pageKeypress.Exchange(false);
    else if (k == 1)
        m_pageCopyString.Exchange();
    else
        m_pageLaunchApp.Exchange();
    m_shownEditor = k;
}

void CPageButtons::OnNewAction() {
    const std::uint32_t tick = m_model.ticks.Milliseconds();
    const wchar_t* stem = GetText(L"ID_NEW_ACTION_NAME");
    std::wstring name;
    for (int n = 1;; ++n) {
        wchar_t text[300] = {};
        if (stem)
            swprintf(text, 300, L"%ls(%d)", stem, n);
        else
            swprintf(text, 300, L"New Action(%d)", n);
        name = text;
        bool taken = false;
        for (const CCustomAction& action : m_model.actions)
            taken = taken || action.m_name == name;
        if (!taken)
            break;
    }
    name.resize(std::min(name.size(), kMaxStoredTextLength));
    const std::wstring& id = m_model.actions.CreateAction(CCustomAction::kKeypressMacro, tick);
    CCustomAction* action = m_model.actions.Find(id);
    if (!action)
        return;
    action->m_name = name;
    const std::wstring label = TextOr(id.c_str(), name.c_str());
    for (CSkinComboBox& combo : m_comboAction) {
        const int item = combo.AddString(label.c_str());
        if (item >= 0)
            combo.SetItemData(item, reinterpret_cast<LPARAM>(action->m_nameId.c_str()));
    }
    m_currentActionId = id;
    SelectActionForEditing(m_currentActionId);
}

void CPageButtons::OnDeleteAction() {
    const CCustomAction* action = m_model.actions.Find(m_currentActionId);
    if (!action || !IsCustomKind(action->Kind()))
        return;
    for (CSkinComboBox& combo : m_comboAction) {
        const int item = FindEntry(combo, m_currentActionId);
        if (item < 0)
            continue;
        const bool selected = combo.GetCurSel() == item;
        combo.DeleteString(static_cast<UINT>(item));
        // The button now does its own function: show that.
        if (selected)
            combo.SetCurSel(0);
    }
    m_model.actions.RemoveAction(m_currentActionId);
    m_currentActionId.clear();
    if (m_model.actions.Count() > 0)
        m_currentActionId = m_model.actions.At(m_model.actions.Count() - 1)->m_nameId;
    ShowActionForEditing(m_currentActionId);
}

void CPageButtons::OnNameChanged() {
    if (m_settingName)
        return;
    const std::wstring name = m_editName.GetWindowText();
    if (name.empty() || ::GetFocus() != m_editName.m_hWnd)
        return;
    CCustomAction* action = m_model.actions.Find(m_currentActionId);
    if (!action)
        return;
    action->m_name = name;
    for (CSkinComboBox& combo : m_comboAction) {
        const int item = FindEntry(combo, m_currentActionId);
        if (item < 0)
            continue;
        const bool selected = combo.GetCurSel() == item;
        combo.DeleteString(static_cast<UINT>(item));
        const int renamed = combo.InsertString(item, name.c_str());
        if (renamed < 0)
            continue;
        combo.SetItemData(renamed, reinterpret_cast<LPARAM>(action->m_nameId.c_str()));
        if (selected)
            combo.SetCurSel(renamed);
    }
}

void CPageButtons::OnTipChanged() {
    if (CCustomAction* action = m_model.actions.Find(m_currentActionId))
        action->m_description = m_editTip.GetWindowText();
}

void CPageButtons::OnSkinHover(bool enter, HWND control) {
    int hovered = -1;
    for (int i = 0; i < kButtons && hovered < 0; ++i)
        if (control == m_checkButton[i].m_hWnd || control == m_comboAction[i].m_hWnd ||
            control == m_hotSpot[i].m_hWnd)
            hovered = i;
    if (hovered < 0)
        return;
    for (int i = 0; i < kButtons; ++i) {
        const BOOL hover = enter && i == hovered ? TRUE : FALSE;
        if (m_checkButton[i].GetHover() != hover) {
            m_checkButton[i].SetHover(hover);
            m_checkButton[i].Invalidate();
        }
        if (m_comboAction[i].GetHover() != hover) {
            m_comboAction[i].SetHover(hover);
            m_comboAction[i].Invalidate();
        }
        if (m_hotSpot[i].GetHover() != hover) {
            m_hotSpot[i].SetHover(hover);
            m_hotSpot[i].Invalidate();
        }
    }
}

void CPageButtons::FillActionTypeCombo() {
    const int selected = m_comboActionType.GetCurSel();
    m_comboActionType.ResetContent();
    for (const pages::Caption& type : kActionTypes)
        m_comboActionType.AddString(TextOr(type.key, type.builtIn));
    m_comboActionType.SetCurSel(selected);
}

void CPageButtons::OnLanguageChanged() {
    SetCaptions(*this, kButtonCaptions);
    for (int i = 0; i < kButtons; ++i)
        FillButtonCombo(i);
    SetCaptions(*this, kCaptions);
    FillActionTypeCombo();
    ShowNameAndTip(m_currentActionId.empty() ? nullptr : m_model.actions.Find(m_currentActionId));
    // The language is already the current one: the pages only caption themselves again.
    m_pageKeypress.OnLanguageChanged();
    m_pageCopyString.OnLanguageChanged();
    m_pageLaunchApp.OnLanguageChanged();
}

bool CPageButtons::DispatchCommand(WORD id, WORD code) {
    if (id >= IDC_CHECK_BUTTON1 && id < IDC_CHECK_BUTTON1 + kButtons) {
        if (code == BN_CLICKED)
            OnButtonCheck(id - IDC_CHECK_BUTTON1);
        return true;
    }
    if (id >= IDC_COMBO_BUTTON1 && id < IDC_COMBO_BUTTON1 + kButtons) {
        if (code == CBN_SELCHANGE)
            OnButtonActionChanged(id - IDC_COMBO_BUTTON1);
        return true;
    }
    if (id >= IDC_HOTSPOT_BUTTON1 && id < IDC_HOTSPOT_BUTTON1 + kButtons) {
        if (code == BN_CLICKED)
            OnButtonActionChanged(id - IDC_HOTSPOT_BUTTON1);
        return true;
    }
    switch (id) {
    case IDC_CHECK_LEFT_HANDED:
        return true;
    case IDC_BTN_NEW_ACTION:
        if (code == BN_CLICKED)
            OnNewAction();
        return true;
    case IDC_BTN_DELETE_ACTION:
        if (code == BN_CLICKED)
            OnDeleteAction();
        return true;
    case IDC_COMBO_ACTION_TYPE:
        if (code == CBN_SELCHANGE)
            OnActionTypeChanged();
        return true;
    case IDC_EDIT_ACTION_NAME:
        if (code == EN_CHANGE)
            OnNameChanged();
        return true;
    case IDC_EDIT_ACTION_TIP:
        if (code == EN_CHANGE)
            OnTipChanged();
        return true;
    }
    return false;
}

LRESULT CPageButtons::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0 && DispatchCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    case WM_SKIN_HOVER:
        OnSkinHover(wParam != 0, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ENABLE_ACTION_EDIT:
        // A disable posted for a built-in entry is stale once a custom action is shown.
        if (wParam == 0 && (lParam != 0 || m_shownEditor < 0))
            EnableActionEditing(lParam != 0);
        return 0;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}
