#include "module/pages/CSkinMacroListBox.h"

#include "module/actions/CCustomAction.h"
#include "module/actions/CCustomActionList.h"
#include "module/actions/CMacroKeyHook.h"
#include "module/actions/CapturedKey.h"

#include <algorithm>
#include <climits>
#include <cwchar>

namespace {

constexpr int kKeyButtons = 15;
constexpr int kDelayButtons = 3;
constexpr int kDelayDigits = 16;

std::uint32_t HeldKey(const CapturedKey& key) {
    return std::uint32_t{key.scan} | ((key.flags & CapturedKey::kExtended) ? 0x10000u : 0u);
}

std::wstring DelayText(std::uint32_t ms) {
    wchar_t text[32] = {};
    swprintf(text, 32, L"%d ms", static_cast<int>(ms));
    return text;
}

// The delay typed into the editor: digits only, at most 2^31 − 1; false for anything else.
bool ReadDelay(const std::wstring& text, std::uint32_t* ms) {
    if (text.empty() || text.size() > 10)
        return false;
    unsigned long long value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + static_cast<unsigned>(ch - L'0');
    }
    if (value > INT_MAX)
        return false;
    *ms = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

CSkinMacroListBox::CSkinMacroListBox() {
    m_nDefaultButtons = kKeyButtons;
}

CSkinMacroListBox::~CSkinMacroListBox() {
    // The window may be gone already; the hook must not outlive the list in any case.
    if (CMacroKeyHook::Receiver() == m_hWnd || (m_recording && CMacroKeyHook::IsInstalled()))
        CMacroKeyHook::Stop();
}

std::wstring CSkinMacroListBox::KeyName(const MacroStep& step) {
    // Only the extended flag goes into the question: both rows of a key get the same name,
    // which is what pairs them.
    const LONG code =
        static_cast<LONG>((step.wScan + 256u * (step.dwFlags & MacroStep::kExtendedKey)) << 16);
    wchar_t name[32] = {};
    if (GetKeyNameTextW(code, name, 32) <= 0)
        return std::wstring();
    return name;
}

MacroStep* CSkinMacroListBox::StepOf(int row) const {
    const ItemRecord* record = GetItemRecord(row);
    if (!record || !record->data1)
        return nullptr;
    auto it = m_steps.find(reinterpret_cast<const MacroStep*>(record->data1));
    return it == m_steps.end() ? nullptr : it->second.get();
}

const MacroStep* CSkinMacroListBox::GetRowStep(int row) const {
    return StepOf(row);
}

int CSkinMacroListBox::GetRowKind(int row) const {
    const ItemRecord* record = GetItemRecord(row);
    return record ? record->indicator : -1;
}

int CSkinMacroListBox::Partner(int row) const {
    const int kind = GetRowKind(row);
    if (kind != ROW_KEY_DOWN && kind != ROW_KEY_UP)
        return -1;
    const std::wstring text = GetText(row);
    if (kind == ROW_KEY_DOWN) {
        for (int i = row + 1; i < GetCount(); ++i)
            if (GetRowKind(i) == ROW_KEY_UP && GetText(i) == text)
                return i;
    } else {
        for (int i = row - 1; i >= 0; --i)
            if (GetRowKind(i) == ROW_KEY_DOWN && GetText(i) == text)
                return i;
    }
    return -1;
}

void CSkinMacroListBox::AddStepRows(const MacroStep& step) {
    if (step.type != MacroStep::kKeyboardInput)
        return;
    if (step.time != 0)
        AddItem(DelayText(step.time).c_str(), ROW_DELAY, kDelayButtons);
    if (step.wScan == 0)
        return;
    const std::wstring name = KeyName(step);
    if (name.empty())
        return;
    const int kind = (step.dwFlags & MacroStep::kKeyUp) ? ROW_KEY_UP : ROW_KEY_DOWN;
    auto owned = std::make_unique<MacroStep>(step);
    const MacroStep* address = owned.get();
    // Inserted with its step at once: every message to the list counts with 2,000 rows.
    if (InsertItem(-1, name.c_str(), 0, reinterpret_cast<INT_PTR>(address), kind, kKeyButtons) >= 0)
        m_steps.emplace(address, std::move(owned));
}

void CSkinMacroListBox::RowsRestructured() {
    ++m_generation;
    m_rowsChanged = true;
}

void CSkinMacroListBox::LoadSteps(const std::vector<MacroStep>& steps) {
    if (IsEditing()) {
        // The rows under edit are about to go: the edit ends without touching anything.
        ++m_generation;
        OnEditEnded();
    }
    SetRedraw(FALSE);
    for (int row = GetCount() - 1; row >= 0; --row)
        FreeItemData(row);
    ResetContent();
    m_steps.clear();
    for (const MacroStep& step : steps)
        AddStepRows(step);
    SetRedraw(TRUE);
    Invalidate();
    m_framedRow = -1;
    ++m_generation;
    m_rowsChanged = false;
}

void CSkinMacroListBox::SaveSteps(std::vector<MacroStep>& steps) {
    const int count = GetCount();
    if (count <= 0)
        return;
    steps.clear();
    MacroStep step{};
    for (int row = 0; row < count; ++row) {
        const ItemRecord* record = GetItemRecord(row);
        if (!record)
            continue;
        if (record->indicator == ROW_DELAY) {
            int ms = 0;
            if (swscanf(GetText(row).c_str(), L"%d", &ms) == 1)
                step.time = static_cast<std::uint32_t>(ms);
        } else if (record->indicator == ROW_KEY_DOWN || record->indicator == ROW_KEY_UP) {
            auto attached = m_steps.find(reinterpret_cast<const MacroStep*>(record->data1));
            if (attached == m_steps.end())
                continue;
            step.type = attached->second->type;
            step.wVk = attached->second->wVk;
            step.wScan = attached->second->wScan;
            step.dwFlags = attached->second->dwFlags;
            steps.push_back(step);
            step = MacroStep{};
        }
    }
}

void CSkinMacroListBox::LoadAction(CCustomActionList& actions, const std::wstring& nameId) {
    if (m_recording)
        StopRecording(actions);
    m_actionId = nameId;
    const CCustomAction* action = actions.Find(nameId);
    LoadSteps(action ? action->m_macro.m_steps : std::vector<MacroStep>());
}

bool CSkinMacroListBox::SaveIntoAction(CCustomActionList& actions) {
    if (!m_rowsChanged || m_actionId.empty())
        return false;
    CCustomAction* action = actions.Find(m_actionId);
    if (!action || action->Kind() != CCustomAction::kKeypressMacro)
        return false;
    SaveSteps(action->m_macro.m_steps);
    m_rowsChanged = false;
    // Rows all deleted leave the steps as they were: show them again, so the list never
    // looks like an emptied macro that is not.
    if (GetCount() == 0 && !action->m_macro.m_steps.empty())
        LoadSteps(action->m_macro.m_steps);
    return true;
}

bool CSkinMacroListBox::StopRecording(CCustomActionList& actions) {
    SetRecording(false);
    return SaveIntoAction(actions);
}

void CSkinMacroListBox::SetRecording(bool on) {
    if (on) {
        m_lastEventTime = 0;
        m_recording = true;
        m_heldKeys.clear();
        CMacroKeyHook::Start(m_hWnd);
        return;
    }
    if (CMacroKeyHook::Receiver() == m_hWnd)
        CMacroKeyHook::Stop();
    // Keys swallowed before the hook went are still on their way: they belong to the
    // recording.
    DrainCapturedKeys();
    m_recording = false;
}

void CSkinMacroListBox::DrainCapturedKeys() {
    if (!m_hWnd)
        return;
    MSG message;
    while (PeekMessageW(&message, m_hWnd, WM_MACRO_KEY, WM_MACRO_KEY, PM_REMOVE))
        OnKey(CapturedKey::Unpack(message.wParam, static_cast<std::uint64_t>(message.lParam)));
}

void CSkinMacroListBox::OnKey(const CapturedKey& key) {
    if (!m_recording)
        return; // taken for another recording, or sent by someone else
    const std::uint32_t held = HeldKey(key);
    if (key.IsPress()) {
        if (std::find(m_heldKeys.begin(), m_heldKeys.end(), held) != m_heldKeys.end())
            return; // the system's auto-repeat
        m_heldKeys.push_back(held);
    } else {
        m_heldKeys.erase(std::remove(m_heldKeys.begin(), m_heldKeys.end(), held), m_heldKeys.end());
    }
    MacroStep step{};
    step.type = MacroStep::kKeyboardInput;
    step.wVk = key.vk;
    step.wScan = key.scan;
    step.dwFlags = (key.flags & CapturedKey::kExtended ? MacroStep::kExtendedKey : 0u) |
                   (key.flags & CapturedKey::kReleased ? MacroStep::kKeyUp : 0u);
    if (m_delayMode == 2 && m_lastEventTime != 0)
        step.time = key.time - m_lastEventTime;
    m_lastEventTime = key.time;

    if (m_edit.kind == EditKind::Key && IsEditing()) {
        const std::wstring name = KeyName(step);
        if (!name.empty() && name != m_editor.GetWindowText()) {
            m_editor.SetWindowText(name.c_str());
            m_editor.SetSel(0, -1);
            m_editor.SendMessage(EM_SCROLLCARET);
            m_pendingStep = step;
            m_pendingStep.time = 0;
            m_pendingStep.dwExtraInfo = 0;
            m_pendingStep.rest = {};
        }
        return;
    }
    if (IsEditing())
        return; // a delay is being typed: keys are the editor's
    const int before = GetCount();
    AddStepRows(step);
    if (GetCount() != before) {
        RowsRestructured();
        SetTopIndex(GetCount() - 1);
    }
}

void CSkinMacroListBox::HideRowButtons() {
    m_bButtonsShown = FALSE;
    for (CSkinButton* button : {&m_btnEdit, &m_btnDelete, &m_btnUp, &m_btnDown})
        if (button->m_hWnd)
            button->ShowWindow(SW_HIDE);
}

void CSkinMacroListBox::DeleteRow(int row) {
    if (row < 0 || row >= GetCount())
        return;
    const int partner = Partner(row);
    if (partner < 0) {
        FreeItemData(row);
        if (DeleteString(static_cast<UINT>(row)) != LB_ERR)
            HideRowButtons();
    } else {
        const int high = std::max(row, partner);
        const int low = std::min(row, partner);
        // From the bottom up, so the indexes above stay valid.
        for (int index : {high, low}) {
            const bool delayAbove = index > 0 && GetRowKind(index - 1) == ROW_DELAY;
            FreeItemData(index);
            DeleteString(static_cast<UINT>(index));
            if (delayAbove) {
                FreeItemData(index - 1);
                DeleteString(static_cast<UINT>(index - 1));
            }
        }
        HideRowButtons();
    }
    RowsRestructured();
    if (m_framedRow != -1)
        SetFramedRow(-1);
}

void CSkinMacroListBox::PointAtRow(int row) {
    RECT rect = {};
    if (GetItemRect(row, &rect) == LB_ERR)
        return;
    POINT middle = {0, (rect.top + rect.bottom) / 2};
    ClientToScreen(middle);
    SetPointerPos(POINT{GetPointerPos().x, middle.y});
}

void CSkinMacroListBox::MoveRowUp(int row) {
    const int partner = Partner(row);
    if (partner < 0)
        return;
    const int bound = partner > row ? 0 : partner;
    const int step = row > 0 && GetRowKind(row - 1) == ROW_DELAY ? 2 : 1;
    const int limit = bound == partner ? step : step - 1;
    if (row - bound > limit) {
        SwapItems(row, row - step);
        SetCurSel(row - step);
        PointAtRow(row - step);
        RowsRestructured();
    } else {
        SetCurSel(row);
    }
    SetFramedRow(partner);
}

void CSkinMacroListBox::MoveRowDown(int row) {
    const int partner = Partner(row);
    if (partner < 0)
        return;
    const int bound = partner > row ? partner : GetCount() - 1;
    const int step = row + 1 < GetCount() && GetRowKind(row + 1) == ROW_DELAY ? 2 : 1;
    const int limit = bound == partner ? step : step - 1;
    if (bound - row > limit) {
        SwapItems(row, row + step);
        SetCurSel(row + step);
        PointAtRow(row + step);
        RowsRestructured();
    } else {
        SetCurSel(row);
    }
    SetFramedRow(partner);
}

void CSkinMacroListBox::EditRow(int row) {
    if (row < 0 || row >= GetCount() || IsEditing())
        return;
    const int partner = Partner(row);
    SetFramedRow(partner);
    SetCurSel(row);
    BeginEdit();
    if (!IsEditing())
        return;
    m_edit = EditTarget{partner >= 0 ? EditKind::Key : EditKind::Delay, row, partner, m_generation};
    if (partner >= 0) {
        m_editor.m_nInputMode = 1;
        m_pendingStep = MacroStep{};
        SetRecording(true);
        m_lastEventTime = 0;
        return;
    }
    std::wstring text = m_editor.GetWindowText();
    const std::size_t blank = text.rfind(L' ');
    if (blank != std::wstring::npos)
        text.resize(blank);
    m_filtering = true;
    m_editor.SetWindowText(text.c_str());
    m_filtering = false;
    m_editor.SetSel(0, -1);
    m_editor.SetLimitText(kDelayDigits);
    m_editor.m_nInputMode = CSkinListBoxEdit_Edit::kDecimalNumber;
    m_recording = true;
}

void CSkinMacroListBox::FilterDelayDigits() {
    if (m_filtering || m_edit.kind != EditKind::Delay || !IsEditing())
        return;
    const std::wstring text = m_editor.GetWindowText();
    std::wstring digits;
    for (wchar_t ch : text)
        if (ch >= L'0' && ch <= L'9')
            digits += ch;
    if (digits == text)
        return;
    m_filtering = true;
    m_editor.SetWindowText(digits.c_str());
    m_editor.SetSel(static_cast<int>(digits.size()), static_cast<int>(digits.size()));
    m_filtering = false;
}

void CSkinMacroListBox::EndKeyEdit() {
    const int row = m_edit.row;
    const int partner = m_edit.partner;
    const std::wstring name = m_editor.GetWindowText();
    if (m_pendingStep.wScan != 0 && !name.empty() && GetText(partner) != name) {
        for (int index : {partner, row}) {
            SetItemText(index, name.c_str());
            if (MacroStep* step = StepOf(index)) {
                step->wVk = m_pendingStep.wVk;
                step->wScan = m_pendingStep.wScan;
                step->dwFlags = (step->dwFlags & ~MacroStep::kExtendedKey) |
                                (m_pendingStep.dwFlags & MacroStep::kExtendedKey);
            }
        }
        m_rowsChanged = true;
        SetCurSel(row);
    }
}

void CSkinMacroListBox::EndDelayEdit() {
    const std::wstring old = GetText(m_edit.row);
    std::uint32_t ms = 0;
    m_filtering = true;
    if (ReadDelay(m_editor.GetWindowText(), &ms)) {
        const std::wstring text = DelayText(ms);
        m_editor.SetWindowText(text.c_str());
        if (text != old)
            m_rowsChanged = true;
    } else {
        m_editor.SetWindowText(old.c_str());
    }
    m_filtering = false;
}

void CSkinMacroListBox::OnEditEnded() {
    if (!IsEditing())
        return;
    const bool rowsGone = m_edit.generation != m_generation;
    // The hook goes first; keys it took on the way still reach the editor.
    if (m_edit.kind == EditKind::Key)
        SetRecording(false);
    if (!rowsGone && m_edit.kind == EditKind::Key)
        EndKeyEdit();
    else if (!rowsGone && m_edit.kind == EditKind::Delay)
        EndDelayEdit();
    m_edit = EditTarget{};
    // A delay edited while recording leaves the recording on: its hook still takes the keys.
    m_recording = CMacroKeyHook::IsInstalled() && CMacroKeyHook::Receiver() == m_hWnd;
    if (rowsGone)
        m_nEditItem = -1; // the base then only closes the editor
    SetFramedRow(Partner(GetCurSel()));
    CSkinListBoxEdit::EndEdit();
}

void CSkinMacroListBox::SetFramedRow(int row) {
    if (row == m_framedRow)
        return;
    const int old = m_framedRow;
    m_framedRow = row;
    RedrawRow(old);
    RedrawRow(row);
}

void CSkinMacroListBox::RedrawRow(int row) {
    RECT rect = {};
    if (row >= 0 && GetItemRect(row, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

int CSkinMacroListBox::SetItemText(int index, const wchar_t* text) {
    const ItemRecord* record = GetItemRecord(index);
    const INT_PTR step = record ? record->data1 : 0;
    SetItemData1(index, 0); // the step stays with the row, not with the old record
    const int result = CSkinListBoxEdit::SetItemText(index, text);
    if (step)
        SetItemData1(index, step);
    return result;
}

int CSkinMacroListBox::MoveItem(int from, int to, BOOL select) {
    const ItemRecord* record = GetItemRecord(from);
    const INT_PTR step = record ? record->data1 : 0;
    SetItemData1(from, 0);
    const int moved = CSkinListBoxEdit::MoveItem(from, to, select);
    if (step)
        SetItemData1(moved >= 0 ? moved : from, step);
    return moved;
}

void CSkinMacroListBox::FreeItemData(int index) {
    if (const ItemRecord* record = GetItemRecord(index))
        if (record->data1)
            m_steps.erase(reinterpret_cast<const MacroStep*>(record->data1));
    SetItemData1(index, 0);
    CSkinListBoxEdit::FreeItemData(index);
}

void CSkinMacroListBox::OnRowCommand(UINT id, int row) {
    switch (id) {
    case IdEdit:
        EditRow(row);
        break;
    case IdDelete:
        DeleteRow(row);
        break;
    case IdUp:
        MoveRowUp(row);
        break;
    case IdDown:
        MoveRowDown(row);
        break;
    }
}

void CSkinMacroListBox::DeleteSelected() {
    if (GetCurSel() >= 0)
        OnRowCommand(IdDelete, GetCurSel());
}

void CSkinMacroListBox::EditSelected() {
    if (GetCurSel() >= 0)
        OnRowCommand(IdEdit, GetCurSel());
}

void CSkinMacroListBox::MoveSelectedUp() {
    if (GetCurSel() >= 0)
        OnRowCommand(IdUp, GetCurSel());
}

void CSkinMacroListBox::MoveSelectedDown() {
    if (GetCurSel() >= 0)
        OnRowCommand(IdDown, GetCurSel());
}

void CSkinMacroListBox::DrawItem(DRAWITEMSTRUCT* item) {
    CSkinListBoxEdit::DrawItem(item);
    const int index = static_cast<int>(item->itemID);
    if (index < 0)
        return;
    const bool entire = (item->itemAction & ODA_DRAWENTIRE) != 0;
    const bool selecting = (item->itemAction & ODA_SELECT) && (item->itemState & ODS_SELECTED);
    if (index == m_framedRow && entire) {
        Gdiplus::Graphics graphics(item->hDC);
        Gdiplus::Pen pen(Gdiplus::Color(m_clrText[Hover]), 1.0f);
        const RECT& r = item->rcItem;
        graphics.DrawRectangle(&pen, static_cast<INT>(r.left), static_cast<INT>(r.top),
                               static_cast<INT>(r.right - r.left - 1),
                               static_cast<INT>(r.bottom - r.top - 1));
    }
    if (m_recording && index == m_nHotItem && (entire || selecting))
        HideRowButtons();
}

BOOL CSkinMacroListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE)
        SetFramedRow(Partner(GetCurSel()));
    return CSkinListBoxEdit::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CSkinMacroListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MACRO_KEY:
        OnKey(CapturedKey::Unpack(wParam, static_cast<std::uint64_t>(lParam)));
        return 0;
    case WM_SKIN_ITEMEDITED:
        if (IsEditing())
            OnEditEnded();
        return 1;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= IdEdit && LOWORD(wParam) <= IdDown) {
            OnRowCommand(LOWORD(wParam), m_nHotItem);
            return 0;
        }
        if (LOWORD(wParam) == IdEditor && HIWORD(wParam) == EN_CHANGE)
            FilterDelayDigits();
        break;
    case WM_DESTROY:
        if (m_recording || CMacroKeyHook::Receiver() == m_hWnd) {
            if (CMacroKeyHook::Receiver() == m_hWnd)
                CMacroKeyHook::Stop();
            m_recording = false;
        }
        break;
    }
    return CSkinListBoxEdit::WindowProc(message, wParam, lParam);
}
