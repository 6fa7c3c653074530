#pragma once
// Skinned list whose items carry a small record, an optional indicator picture in front of
// the text and up to four buttons (edit, delete, up, down) shown on the item under the
// pointer. Text is edited in place; the end of an edit is posted to the dialog as
// WM_SKIN_ITEMEDITED (item index, list window).
#include "skin/CSkinButton.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinListBoxEdit_Edit.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

class CSkinListBoxEdit : public CSkinListBox {
public:
    // What the list keeps for each item; data0 and data1 are free for derived lists.
    struct ItemRecord {
        int32_t data0 = 0;
        INT_PTR data1 = 0;
        int32_t indicator = -1;
        int32_t buttons = 0;
    };

    enum ButtonBit { ButtonEdit = 1, ButtonDelete = 2, ButtonUp = 4, ButtonDown = 8 };
    enum CommandId { IdEdit = 300, IdDelete = 301, IdUp = 302, IdDown = 303, IdEditor = 304 };

    CSkinListBoxEdit();
    ~CSkinListBoxEdit() override;

    // Loads the 4 × 4 button picture and creates the four (hidden) item buttons; the list's
    // window must exist.
    void LoadButtonImage(const wchar_t* path = L".\\res\\MacroButton.bmp");
    // Loads the 3 × 3 indicator picture; item text then starts after the indicator.
    void LoadIndicatorImage(const wchar_t* path = L".\\res\\MacroIndicator.bmp");

    // buttons -1: the list's default buttons. Returns the index, or LB_ERR / LB_ERRSPACE.
    int AddItem(const wchar_t* text, int indicator = -1, int buttons = -1);
    int InsertItem(int index, const wchar_t* text, int32_t data0, INT_PTR data1, int indicator,
                   int buttons);
    // The item's record, or null (bad index, or an item without one).
    const ItemRecord* GetItemRecord(int index) const;
    // Changes the data1 of the item's record; FALSE for a bad index or an item without one.
    BOOL SetItemData1(int index, INT_PTR data1);

    virtual int SetItemText(int index, const wchar_t* text);
    virtual void FreeItemData(int index);
    // New index of the moved item, or -1 (bad source or target: the list is left as it was).
    virtual int MoveItem(int from, int to, BOOL select);
    // The two items exchange places; the selection stays.
    void SwapItems(int a, int b);

    void BeginEdit();
    LRESULT EndEdit();
    BOOL IsEditing() const { return m_editor.m_hWnd != nullptr; }

    void OnInitSkin() override;

    CSkinButton m_btnEdit;
    CSkinButton m_btnDelete;
    CSkinButton m_btnUp;
    CSkinButton m_btnDown;
    CSkinListBoxEdit_Edit m_editor;
    int m_nSpacing = 3;
    int m_nDefaultButtons = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void InvalidateHotItem(const RECT* itemRect) override;
    void OnMouseLeave() override;

    // The pointer in screen coordinates, and moving it: the system's shared pointer, which
    // the system also moves on its own time (tests put a pointer of their own in its place).
    virtual POINT GetPointerPos() const;
    virtual void SetPointerPos(POINT screen);

    // Gives the item a record of its own (a copy of record).
    void AttachRecord(int index, const ItemRecord& record);
    ItemRecord CopyOfRecord(int index) const;

    Picture m_buttonImage;
    Picture m_indicatorImage;
    int m_nButtonWidth = 0;
    int m_nButtonHeight = 0;
    int m_nIndicatorWidth = 0;
    int m_nIndicatorHeight = 0;
    BOOL m_bButtonsShown = FALSE;
    int m_nEditItem = -1;

private:
    void PlaceButtons(const RECT& item, int mask, bool show);
    void HideAllButtons();
    void OnButton(UINT id);
    void MovePointerToItem(int index);
    ItemRecord* RecordOf(LRESULT data) const;

    std::unordered_map<const ItemRecord*, std::unique_ptr<ItemRecord>> m_records;
};
