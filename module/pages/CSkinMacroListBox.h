#pragma once
// The keypress macro as readable rows: a key pressed, a delay, a key released. Records keys
// through the system-wide hook, edits a row in place (a key by pressing the new one, a delay
// as a number), deletes a key with its partner and moves keys within their pair's bounds.
#include "module/actions/IMacroUI.h"
#include "skin/CSkinListBoxEdit.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CCustomAction;
class CCustomActionList;
struct CapturedKey;

class CSkinMacroListBox : public CSkinListBoxEdit, public IMacroUI {
public:
    enum RowKind { ROW_KEY_DOWN = 0, ROW_DELAY = 1, ROW_KEY_UP = 2 };
    static constexpr UINT WM_MACRO_KEY = WM_USER + 203;

    CSkinMacroListBox();
    ~CSkinMacroListBox() override;

    void LoadSteps(const std::vector<MacroStep>& steps) override;
    void SaveSteps(std::vector<MacroStep>& steps) override;
    void Reserved() override {}
    void DeleteSelected() override;
    void EditSelected() override;
    void MoveSelectedUp() override;
    void MoveSelectedDown() override;

    void SetRecording(bool on);
    bool IsRecording() const { return m_recording; }
    void SetRecordDelay(bool on) { m_delayMode = on ? 2 : 0; }

    // Shows the steps of the action named nameId and remembers it. A recording in progress
    // first ends as Stop Record does, into the action it was recording.
    void LoadAction(CCustomActionList& actions, const std::wstring& nameId);
    // Writes the rows into the remembered action: only while it exists and is a keypress
    // macro, and only when the rows changed since they were loaded or last written. Rows all
    // deleted keep the action's steps, which the list then shows again.
    bool SaveIntoAction(CCustomActionList& actions);
    // Stop Record: recording ends, then what was recorded goes into the remembered action.
    bool StopRecording(CCustomActionList& actions);
    bool RowsChanged() const { return m_rowsChanged; }

    int GetFramedRow() const { return m_framedRow; }
    // The step attached to a key row, or null.
    const MacroStep* GetRowStep(int row) const;
    int GetRowKind(int row) const;
    int Partner(int row) const;

    // The name the list shows for a key (empty when the system has none).
    static std::wstring KeyName(const MacroStep& step);

    int SetItemText(int index, const wchar_t* text) override;
    void FreeItemData(int index) override;
    int MoveItem(int from, int to, BOOL select) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    enum class EditKind { None, Key, Delay };
    // What an in-place edit works on, fixed when it begins.
    struct EditTarget {
        EditKind kind = EditKind::None;
        int row = -1;
        int partner = -1;
        unsigned generation = 0;
    };

    void AddStepRows(const MacroStep& step);
    void OnKey(const CapturedKey& key);
    void OnRowCommand(UINT id, int row);
    void DeleteRow(int row);
    void MoveRowUp(int row);
    void MoveRowDown(int row);
    void EditRow(int row);
    void OnEditEnded();
    void EndKeyEdit();
    void EndDelayEdit();
    void FilterDelayDigits();
    void DrainCapturedKeys();
    void SetFramedRow(int row);
    void RedrawRow(int row);
    void HideRowButtons();
    void PointAtRow(int row);
    void RowsRestructured();
    MacroStep* StepOf(int row) const;

    int m_framedRow = -1;
    MacroStep m_pendingStep{};
    int m_delayMode = 0;
    std::uint32_t m_lastEventTime = 0;
    bool m_recording = false;
    // Keys held down, by scan code and extended flag, to drop the system's auto-repeat.
    std::vector<std::uint32_t> m_heldKeys;

    std::wstring m_actionId;
    bool m_rowsChanged = false;
    EditTarget m_edit;
    // Counts changes to the rows' order or number, so an edit can tell its rows are gone.
    unsigned m_generation = 0;
    bool m_filtering = false;
    std::unordered_map<const MacroStep*, std::unique_ptr<MacroStep>> m_steps;
};
