#include "skin/CSkinListBoxEdit.h"

#include "skin/SkinText.h"

#include <algorithm>

CSkinListBoxEdit::CSkinListBoxEdit() = default;

CSkinListBoxEdit::~CSkinListBoxEdit() = default;

void CSkinListBoxEdit::OnInitSkin() {
    ModifyStyle(0, WS_CLIPCHILDREN); // the item buttons are not painted over
    CSkinListBox::OnInitSkin();
}

void CSkinListBoxEdit::LoadButtonImage(const wchar_t* path) {
    m_buttonImage = fw::LoadPicture(path);
    const bool loaded = fw::IsDrawable(m_buttonImage);
    m_nButtonWidth = loaded ? static_cast<int>(m_buttonImage->GetWidth()) / 4 : 0;
    m_nButtonHeight = loaded ? static_cast<int>(m_buttonImage->GetHeight()) / 4 : 0;
    if (!m_hWnd)
        return;
    struct Button {
        CSkinButton& button;
        UINT id;
        int column;
    } buttons[] = {{m_btnEdit, IdEdit, 0},
                   {m_btnDelete, IdDelete, 1},
                   {m_btnDown, IdDown, 3},
                   {m_btnUp, IdUp, 2}};
    const RECT rect = {0, 0, m_nButtonWidth, m_nButtonHeight};
    for (Button& b : buttons) {
        if (!b.button.m_hWnd)
            b.button.Create(L"", WS_CHILD, rect, this, b.id);
        b.button.SetBitmap(m_buttonImage, m_nButtonWidth, m_nButtonHeight, b.column);
    }
}

void CSkinListBoxEdit::LoadIndicatorImage(const wchar_t* path) {
    m_indicatorImage = fw::LoadPicture(path);
    const bool loaded = fw::IsDrawable(m_indicatorImage);
    m_nIndicatorWidth = loaded ? static_cast<int>(m_indicatorImage->GetWidth()) / 3 : 0;
    m_nIndicatorHeight = loaded ? static_cast<int>(m_indicatorImage->GetHeight()) / 3 : 0;
    m_nTextLeft = m_nIndicatorWidth + 2 * m_nSpacing;
}

CSkinListBoxEdit::ItemRecord* CSkinListBoxEdit::RecordOf(LRESULT data) const {
    // Only records of this list are ever read through an item's data value.
    auto it = m_records.find(reinterpret_cast<const ItemRecord*>(data));
    return it == m_records.end() ? nullptr : it->second.get();
}

const CSkinListBoxEdit::ItemRecord* CSkinListBoxEdit::GetItemRecord(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return RecordOf(GetItemData(index));
}

BOOL CSkinListBoxEdit::SetItemData1(int index, INT_PTR data1) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    ItemRecord* record = RecordOf(GetItemData(index));
    if (!record)
        return FALSE;
    record->data1 = data1;
    return TRUE;
}

CSkinListBoxEdit::ItemRecord CSkinListBoxEdit::CopyOfRecord(int index) const {
    const ItemRecord* record = GetItemRecord(index);
    return record ? *record : ItemRecord{0, 0, 0, 0};
}

void CSkinListBoxEdit::AttachRecord(int index, const ItemRecord& record) {
    auto owned = std::make_unique<ItemRecord>(record);
    ItemRecord* address = owned.get();
    if (SetItemData(index, reinterpret_cast<LPARAM>(address)) == LB_ERR)
        return;
    m_records.emplace(address, std::move(owned));
}

int CSkinListBoxEdit::AddItem(const wchar_t* text, int indicator, int buttons) {
    const int index = AddString(text);
    if (index == LB_ERR || index == LB_ERRSPACE)
        return index;
    AttachRecord(index, ItemRecord{0, 0, indicator, buttons == -1 ? m_nDefaultButtons : buttons});
    return index;
}

int CSkinListBoxEdit::InsertItem(int index, const wchar_t* text, int32_t data0, INT_PTR data1,
                                 int indicator, int buttons) {
    const int inserted = InsertString(index, text);
    if (inserted == LB_ERR || inserted == LB_ERRSPACE)
        return inserted;
    AttachRecord(inserted, ItemRecord{data0, data1, indicator, buttons});
    return inserted;
}

void CSkinListBoxEdit::FreeItemData(int index) {
    const LRESULT data = GetItemData(index);
    if (data == LB_ERR)
        return;
    if (ItemRecord* record = RecordOf(data))
        m_records.erase(record);
    SetItemData(index, 0);
}

int CSkinListBoxEdit::SetItemText(int index, const wchar_t* text) {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    const ItemRecord record = CopyOfRecord(index);
    FreeItemData(index);
    const int deleted = DeleteString(static_cast<UINT>(index));
    if (deleted == LB_ERR)
        return LB_ERR;
    const int inserted = InsertString(index, text);
    if (inserted == LB_ERR || inserted == LB_ERRSPACE)
        return inserted;
    AttachRecord(inserted, record);
    return deleted;
}

int CSkinListBoxEdit::MoveItem(int from, int to, BOOL select) {
    const int count = GetCount();
    // The target is checked too: a move to a place that does not exist would lose the item.
    if (from < 0 || from >= count || to < -1 || to > count - 1)
        return -1;
    const std::wstring text = GetText(from);
    const ItemRecord record = CopyOfRecord(from);
    FreeItemData(from);
    DeleteString(static_cast<UINT>(from));
    const int inserted = InsertString(to, text.c_str());
    if (inserted == LB_ERR || inserted == LB_ERRSPACE)
        return inserted;
    AttachRecord(inserted, record);
    if (select)
        SetCurSel(inserted);
    return inserted;
}

void CSkinListBoxEdit::SwapItems(int a, int b) {
    const int lo = std::min(a, b);
    const int hi = std::max(a, b);
    if (lo < 0 || hi > GetCount() - 1 || lo == hi)
        return;
    MoveItem(hi, lo, FALSE);
    if (hi - lo > 1)
        MoveItem(lo + 1, hi, FALSE);
}

void CSkinListBoxEdit::PlaceButtons(const RECT& item, int mask, bool show) {
    const int y = item.top + (item.bottom - item.top - m_nButtonHeight) / 2;
    int x = item.right;
    struct Button {
        CSkinButton& button;
        int bit;
    } order[] = {{m_btnDown, ButtonDown},
                 {m_btnUp, ButtonUp},
                 {m_btnDelete, ButtonDelete},
                 {m_btnEdit, ButtonEdit}};
    for (Button& b : order) {
        if (!b.button.m_hWnd || !(mask & b.bit))
            continue;
        x -= m_nSpacing + m_nButtonWidth;
        b.button.SetWindowPos(HWND_TOP, x, y, 0, 0,
                              SWP_NOSIZE | SWP_NOACTIVATE |
                                  (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void CSkinListBoxEdit::HideAllButtons() {
    for (CSkinButton* button : {&m_btnEdit, &m_btnDelete, &m_btnUp, &m_btnDown})
        if (button->m_hWnd)
            button->ShowWindow(SW_HIDE);
}

void CSkinListBoxEdit::DrawItem(DRAWITEMSTRUCT* item) {
    CSkinListBox::DrawItem(item);
    const int index = static_cast<int>(item->itemID);
    if (index < 0)
        return;
    const ItemRecord* record = RecordOf(static_cast<LRESULT>(item->itemData));
    if (!record)
        return;
    if (record->indicator != -1 && fw::IsDrawable(m_indicatorImage)) {
        const int row = (item->itemState & ODS_DISABLED) ? 1 : index == m_nHotItem ? 2 : 0;
        const int x = item->rcItem.left + m_nSpacing;
        const int y =
            item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - m_nIndicatorHeight) / 2;
        Gdiplus::Graphics graphics(item->hDC);
        skin::DrawPart(graphics, m_indicatorImage,
                       RECT{x, y, x + m_nIndicatorWidth, y + m_nIndicatorHeight},
                       record->indicator * m_nIndicatorWidth, row * m_nIndicatorHeight,
                       m_nIndicatorWidth, m_nIndicatorHeight);
    }
    const bool entire = (item->itemAction & ODA_DRAWENTIRE) != 0;
    const bool selecting = (item->itemAction & ODA_SELECT) && (item->itemState & ODS_SELECTED);
    if (index == m_nHotItem && (entire || selecting))
        PlaceButtons(item->rcItem, record->buttons, true);
    else if (index != m_nHotItem && index == m_nPrevHotItem && entire)
        PlaceButtons(item->rcItem, record->buttons, false);
}

void CSkinListBoxEdit::InvalidateHotItem(const RECT* itemRect) {
    if (m_nHotItem < 0) {
        m_bButtonsShown = FALSE;
        return;
    }
    m_bButtonsShown = TRUE;
    if (itemRect)
        InvalidateRect(itemRect, TRUE);
}

void CSkinListBoxEdit::OnMouseLeave() {
    // Moving onto an item button (a child of the list) keeps the item lit; leaving the
    // list's parent (the frame's inner window) drops it.
    const POINT pointer = GetPointerPos();
    RECT parent = {};
    ::GetWindowRect(::GetParent(m_hWnd), &parent);
    if (!PtInRect(&parent, pointer)) {
        m_nHotItem = kOutsideList;
        RedrawOldHotItem();
        m_nPrevHotItem = kOutsideList;
    }
    m_bTracking = FALSE;
}

POINT CSkinListBoxEdit::GetPointerPos() const {
    POINT pointer = {};
    GetCursorPos(&pointer);
    return pointer;
}

void CSkinListBoxEdit::SetPointerPos(POINT screen) {
    SetCursorPos(screen.x, screen.y);
}

void CSkinListBoxEdit::MovePointerToItem(int index) {
    RECT rect = {};
    if (GetItemRect(index, &rect) == LB_ERR)
        return;
    POINT middle = {0, (rect.top + rect.bottom) / 2};
    ClientToScreen(middle);
    SetPointerPos(POINT{GetPointerPos().x, middle.y});
}

void CSkinListBoxEdit::OnButton(UINT id) {
    switch (id) {
    case IdEdit:
        SetCurSel(m_nHotItem);
        BeginEdit();
        break;
    case IdDelete:
        if (m_nHotItem < 0) // -2 (pointer outside) is no item either
            break;
        FreeItemData(m_nHotItem);
        if (DeleteString(static_cast<UINT>(m_nHotItem)) != LB_ERR) {
            m_bButtonsShown = FALSE;
            HideAllButtons();
        }
        break;
    case IdUp:
        if (m_nHotItem >= 1 && MoveItem(m_nHotItem, m_nHotItem - 1, TRUE) >= 0)
            MovePointerToItem(m_nHotItem - 1);
        break;
    case IdDown:
        if (m_nHotItem >= 0 && m_nHotItem < GetCount() - 1 &&
            MoveItem(m_nHotItem, m_nHotItem + 1, TRUE) >= 0)
            MovePointerToItem(m_nHotItem + 1);
        break;
    }
}

void CSkinListBoxEdit::BeginEdit() {
    const int selected = GetCurSel();
    if (selected < 0 || m_editor.m_hWnd)
        return;
    RECT rect = {};
    if (GetItemRect(selected, &rect) == LB_ERR)
        return;
    rect.top += 1;
    rect.bottom -= 1;
    rect.right -= 5 * m_nSpacing + 4 * m_nButtonWidth;
    rect.left += m_nTextLeft;
    if (!m_editor.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, this, IdEditor))
        return;
    m_editor.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_editor.SetFont(GetFont(), TRUE);
    m_editor.SetWindowText(GetText(selected).c_str());
    m_editor.SetSel(0, -1);
    m_editor.SetFocus();
    m_nEditItem = selected;
}

LRESULT CSkinListBoxEdit::EndEdit() {
    if (!m_editor.m_hWnd)
        return 1;
    if (m_nEditItem != -1) {
        const std::wstring current = GetText(m_nEditItem);
        const std::wstring edited = m_editor.GetWindowText();
        if (!edited.empty() && edited != current) {
            SetItemText(m_nEditItem, edited.c_str());
            SetCurSel(m_nEditItem);
        }
        if (CWnd* parent = GetSkinParent())
            parent->PostMessage(WM_SKIN_ITEMEDITED, static_cast<WPARAM>(m_nEditItem),
                                reinterpret_cast<LPARAM>(m_hWnd));
    }
    m_nEditItem = -1;
    m_editor.DestroyWindow();
    return 1;
}

BOOL CSkinListBoxEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DELETEITEM) {
        // Items removed by others (LB_RESETCONTENT, LB_DELETESTRING) take their record along.
        auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        if (ItemRecord* record = RecordOf(static_cast<LRESULT>(item->itemData)))
            m_records.erase(record);
        *result = TRUE;
        return TRUE;
    }
    return CSkinListBox::OnChildNotify(message, wParam, lParam, result);
}

LRESULT CSkinListBoxEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SKIN_ITEMEDITED:
        return EndEdit();
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= IdEdit && LOWORD(wParam) <= IdDown) {
            OnButton(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (m_bButtonsShown)
            return TRUE;
        return DefWindowProc(message, wParam, lParam);
    case WM_DESTROY:
        for (int index = GetCount() - 1; index >= 0; --index)
            FreeItemData(index);
        m_records.clear();
        break;
    }
    return CSkinListBox::WindowProc(message, wParam, lParam);
}
