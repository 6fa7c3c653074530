// The macro list on a real dialog, recording real keys through the system-wide hook: rows,
// partners, the row commands, in-place edits, and the hook never outliving the recording.
#include "module/actions/CCustomActionList.h"
#include "module/actions/CMacroKeyHook.h"
#include "module/actions/CapturedKey.h"
#include "module/pages/CSkinMacroListBox.h"
#include "tests/platform/KeyboardHookRecorder.h"
#include "tests/skin/ControlPictures.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace skin_test;
using testing_support::PumpMessagesUntil;
using Row = CSkinMacroListBox;

constexpr UINT kTemplate = 640;
constexpr int kListId = 6054;

WORD ScanOf(WORD vk) {
    return static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
}

void SendKey(WORD vk, bool up, DWORD time = 0, bool extended = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = ScanOf(vk);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    input.ki.time = time;
    SendInput(1, &input, sizeof(input));
}

MacroStep Step(WORD vk, bool up, std::uint32_t time = 0) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = ScanOf(vk);
    step.dwFlags = up ? MacroStep::kKeyUp : 0;
    step.time = time;
    return step;
}

// A delay with no key: only its delay row is shown.
MacroStep Delay(std::uint32_t time) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.time = time;
    return step;
}

// The list with a pointer of its own, so moves never depend on the shared system pointer.
class PointerMacroList : public CSkinMacroListBox {
public:
    POINT pointer = {-1, -1};

protected:
    POINT GetPointerPos() const override { return pointer; }
    void SetPointerPos(POINT screen) override { pointer = screen; }
};

class MacroListDialog : public PicturedDialog {
public:
    explicit MacroListDialog(const SkinResFolder& res) : PicturedDialog(kTemplate, res) {}
    PointerMacroList m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kListId, m_list); }
    BOOL OnInitDialog() override {
        PicturedDialog::OnInitDialog();
        m_list.LoadItemImage();
        m_list.LoadButtonImage();
        m_list.LoadIndicatorImage();
        m_list.MoveWindow(20, 20, 400, 400);
        return TRUE;
    }
};

class MacroList : public testing::Test {
public:
    // In place before any recording hook: it sees only the keys that reach other programs.
    KeyboardHookRecorder m_outside;
    fw::GdiplusSession m_gdiplus;
    SkinResFolder m_res;
    std::unique_ptr<MacroListDialog> m_dialog;

    void SetUp() override {
        WriteControlPictures(m_res);
        m_dialog = std::make_unique<MacroListDialog>(m_res);
        ASSERT_TRUE(m_dialog->Create(kTemplate));
        m_dialog->MoveWindow(50, 50, 460, 480);
        m_dialog->ShowWindow(SW_SHOW);
        SetForegroundWindow(m_dialog->m_hWnd);
        PumpMessages(20);
    }
    void TearDown() override {
        m_dialog.reset();
        CMacroKeyHook::Stop();
        // Whatever a failed test left pressed goes up again.
        for (WORD vk : {WORD{'A'}, WORD{'B'}, WORD{'C'}, WORD{VK_RETURN}})
            SendKey(vk, true);
        SendKey(VK_RETURN, true, 0, true);
    }
    CSkinMacroListBox& List() { return m_dialog->m_list; }

    std::vector<std::wstring> Texts() {
        std::vector<std::wstring> texts;
        for (int i = 0; i < List().GetCount(); ++i)
            texts.push_back(List().GetText(i));
        return texts;
    }
    std::vector<int> Kinds() {
        std::vector<int> kinds;
        for (int i = 0; i < List().GetCount(); ++i)
            kinds.push_back(List().GetRowKind(i));
        return kinds;
    }
    std::wstring Name(WORD vk) { return CSkinMacroListBox::KeyName(Step(vk, false)); }
    void PumpUntilRows(int count) {
        ASSERT_TRUE(PumpMessagesUntil([&] { return List().GetCount() == count; }));
    }
    // A key that reaches the recorder outside (so no hook of this list swallows keys).
    bool KeyReachesOthers(WORD vk) {
        const std::size_t before = m_outside.Keys({vk}).size();
        SendKey(vk, false);
        SendKey(vk, true);
        return m_outside.WaitForKeys({vk}, before + 2, std::chrono::seconds(10));
    }
    void EndEditByLosingFocus() {
        m_dialog->SetFocus();
        PumpMessagesUntil([&] { return !List().IsEditing(); });
    }
    std::vector<MacroStep> Saved() {
        std::vector<MacroStep> steps;
        List().SaveSteps(steps);
        return steps;
    }
};

TEST_F(MacroList, RecordsAKeyWithoutDelaysAndKeepsItFromOthers) {
    List().SetRecording(true);
    ASSERT_TRUE(CMacroKeyHook::IsInstalled());
    SendKey('A', false);
    SendKey('A', true);
    PumpUntilRows(2);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('A'), Name('A')}));
    EXPECT_EQ(Kinds(), (std::vector<int>{Row::ROW_KEY_DOWN, Row::ROW_KEY_UP}));
    EXPECT_TRUE(m_outside.Keys({'A'}).empty());

    List().SetRecording(false);
    EXPECT_TRUE(KeyReachesOthers('A'));
    const std::vector<MacroStep> steps = Saved();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].wVk, 'A');
    EXPECT_EQ(steps[0].dwFlags, 0u);
    EXPECT_EQ(steps[0].time, 0u);
    EXPECT_EQ(steps[1].dwFlags, MacroStep::kKeyUp);
    EXPECT_EQ(steps[1].time, 0u);
}

TEST_F(MacroList, AnIdleListTakesNoKeys) {
    CapturedKey key;
    key.message = WM_KEYDOWN;
    key.vk = 'A';
    key.scan = ScanOf('A');
    const auto packed = key.Pack();
    List().SendMessage(CSkinMacroListBox::WM_MACRO_KEY, static_cast<WPARAM>(packed.first),
                       static_cast<LPARAM>(packed.second));
    EXPECT_EQ(List().GetCount(), 0);
}

TEST_F(MacroList, RecordsTheTimeBetweenEventsAsADelayRow) {
    List().SetRecordDelay(true);
    List().SetRecording(true);
    // The events carry their own time stamps: 120 ms apart.
    const DWORD start = GetTickCount();
    SendKey('A', false, start);
    SendKey('A', true, start + 120);
    PumpUntilRows(3);
    List().SetRecording(false);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('A'), L"120 ms", Name('A')}));
    const std::vector<MacroStep> steps = Saved();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].time, 0u);
    EXPECT_EQ(steps[1].time, 120u);
}

TEST_F(MacroList, AHeldKeyGivesOnePressedRow) {
    List().SetRecording(true);
    for (int i = 0; i < 5; ++i)
        SendKey('A', false); // the system's auto-repeat
    SendKey('A', true);
    SendKey('B', false);
    SendKey('B', true);
    PumpUntilRows(4);
    List().SetRecording(false);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('A'), Name('A'), Name('B'), Name('B')}));
}

TEST_F(MacroList, KeysWithOneScanCodeAreHeldApartByTheExtendedFlag) {
    List().SetRecording(true);
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, false, 0, true); // the keypad's Enter
    SendKey(VK_RETURN, true, 0, true);
    SendKey(VK_RETURN, true);
    PumpUntilRows(4);
    List().SetRecording(false);
    EXPECT_EQ(Kinds(), (std::vector<int>{Row::ROW_KEY_DOWN, Row::ROW_KEY_DOWN, Row::ROW_KEY_UP,
                                         Row::ROW_KEY_UP}));
}

// Every way a recording or a key edit ends takes the hook away.
struct EndingCase {
    const char* name;
    std::function<void(MacroList&, CSkinMacroListBox&)> end;
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordingEnds : public MacroList, public testing::WithParamInterface<EndingCase> {};

TEST_P(RecordingEnds, AndKeysReachOtherProgramsAgain) {
    CCustomActionList actions;
    actions.CreateAction(CCustomAction::kKeypressMacro, 1);
    List().SetRecording(true);
    SendKey('A', false);
    SendKey('A', true);
    PumpUntilRows(2);
    ASSERT_TRUE(m_outside.Keys({'A'}).empty());
    GetParam().end(*this, List());
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    EXPECT_TRUE(KeyReachesOthers('B'));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RecordingEnds,
    testing::Values(EndingCase{"Stop", [](MacroList&,
                                          CSkinMacroListBox& list) { list.SetRecording(false); }},
                    EndingCase{"ListDestroyed",
                               [](MacroList&, CSkinMacroListBox& list) { list.DestroyWindow(); }},
                    EndingCase{"AnotherActionLoaded",
                               [](MacroList&, CSkinMacroListBox& list) {
                                   CCustomActionList actions;
                                   const std::wstring id =
                                       actions.CreateAction(CCustomAction::kKeypressMacro, 7);
                                   list.LoadAction(actions, id);
                               }},
                    EndingCase{"KeyEditEnds",
                               [](MacroList& test, CSkinMacroListBox& list) {
                                   list.SetRecording(false);
                                   list.SetCurSel(0);
                                   list.EditSelected();
                                   ASSERT_TRUE(CMacroKeyHook::IsInstalled());
                                   test.EndEditByLosingFocus();
                               }}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST_F(MacroList, SaveStepsGivesEachKeyTheLastDelayAboveIt) {
    struct Case {
        std::vector<MacroStep> loaded;
        std::vector<std::wstring> rows;
        std::uint32_t time;
    } cases[] = {
        {{Delay(300), Step('B', false, 50)}, {L"300 ms", L"50 ms", Name('B')}, 50},
        {{Step('B', false), Delay(300)}, {Name('B'), L"300 ms"}, 0},
    };
    for (const Case& c : cases) {
        List().LoadSteps(c.loaded);
        EXPECT_EQ(Texts(), c.rows);
        const std::vector<MacroStep> steps = Saved();
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].wVk, 'B');
        EXPECT_EQ(steps[0].time, c.time);
    }
}

TEST_F(MacroList, AListWithoutRowsKeepsTheOldSteps) {
    List().LoadSteps({Step('A', false), Step('A', true)});
    List().SetCurSel(0);
    List().DeleteSelected();
    ASSERT_EQ(List().GetCount(), 0);
    std::vector<MacroStep> steps = {Step('C', false), Step('C', true)};
    List().SaveSteps(steps);
    EXPECT_EQ(steps.size(), 2u);
}

TEST_F(MacroList, DeletingAKeyTakesItsPartnerAndTheDelaysAboveBoth) {
    // 100 ms, A down, 50 ms, B down, 30 ms, A up, B up
    const std::vector<MacroStep> loaded = {Step('A', false, 100), Step('B', false, 50),
                                           Step('A', true, 30), Step('B', true)};
    for (int row : {1, 5}) {
        List().LoadSteps(loaded);
        List().SetCurSel(row);
        List().DeleteSelected();
        EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"50 ms", Name('B'), Name('B')})) << row;
        EXPECT_EQ(List().GetFramedRow(), -1);
    }
}

TEST_F(MacroList, ADelayEditTakesANumber) {
    struct Case {
        std::wstring typed;
        std::wstring row;
    } cases[] = {
        {L"75", L"75 ms"},           {L"7x5", L"75 ms"}, // pasted text keeps its digits
        {L"", L"1200 ms"},           {L"2147483647", L"2147483647 ms"},
        {L"2147483648", L"1200 ms"}, {L"99999999999999", L"1200 ms"},
    };
    for (const Case& c : cases) {
        List().LoadSteps({Step('A', false, 1200), Step('A', true)});
        List().SetCurSel(0);
        List().EditSelected();
        ASSERT_TRUE(List().IsEditing());
        EXPECT_EQ(List().m_editor.GetWindowText(), L"1200");
        EXPECT_FALSE(CMacroKeyHook::IsInstalled());
        List().m_editor.SetWindowText(c.typed.c_str());
        EndEditByLosingFocus();
        EXPECT_EQ(List().GetText(0), c.row) << c.typed.size();
    }
    List().LoadSteps({Step('A', false, 1200), Step('A', true)});
    List().SetCurSel(0);
    List().EditSelected();
    List().m_editor.SetWindowText(L"75");
    EndEditByLosingFocus();
    ASSERT_EQ(Saved().size(), 2u);
    EXPECT_EQ(Saved()[0].time, 75u);
}

TEST_F(MacroList, ADelayEditedWhileRecordingLeavesTheRecordingOn) {
    List().LoadSteps({Step('A', false, 1200), Step('A', true)});
    List().SetRecording(true);
    List().SetCurSel(0);
    List().EditSelected();
    EndEditByLosingFocus();
    EXPECT_TRUE(List().IsRecording());
    SendKey('B', false);
    SendKey('B', true);
    PumpUntilRows(5);
    EXPECT_EQ(List().GetText(4), Name('B'));
}

TEST_F(MacroList, AKeyEditReKeysTheRowAndItsPartner) {
    List().LoadSteps({Step('A', false), Step('A', true)});
    List().SetCurSel(0);
    List().EditSelected();
    EXPECT_EQ(List().GetFramedRow(), 1);
    SendKey('B', false);
    SendKey('B', true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return List().m_editor.GetWindowText() == Name('B'); }));
    EXPECT_TRUE(m_outside.Keys({'B'}).empty());
    EndEditByLosingFocus();
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('B'), Name('B')}));
    const std::vector<MacroStep> steps = Saved();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].wVk, 'B');
    EXPECT_EQ(steps[0].wScan, ScanOf('B'));
    EXPECT_EQ(steps[0].dwFlags, 0u);
    EXPECT_EQ(steps[1].wVk, 'B');
    EXPECT_EQ(steps[1].dwFlags, MacroStep::kKeyUp);
    EXPECT_TRUE(KeyReachesOthers('A'));
}

TEST_F(MacroList, EndingAKeyEditByClickingAnotherRowReKeysOnlyTheEditedPair) {
    List().LoadSteps({Step('A', false), Step('A', true), Step('C', false), Step('C', true)});
    List().SetCurSel(0);
    List().EditSelected();
    SendKey('B', false);
    SendKey('B', true);
    ASSERT_TRUE(PumpMessagesUntil([&] { return List().m_editor.GetWindowText() == Name('B'); }));
    RECT row = {};
    List().GetItemRect(2, &row);
    const LPARAM at = MAKELPARAM(10, (row.top + row.bottom) / 2);
    List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    List().SendMessage(WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !List().IsEditing(); }));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('B'), Name('B'), Name('C'), Name('C')}));
    EXPECT_EQ(Saved()[2].wVk, 'C');
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
}

TEST_F(MacroList, AnEditWhoseRowIsGoneChangesNoOtherRow) {
    List().LoadSteps({Step('A', false, 1200), Step('A', true)});
    List().SetCurSel(0);
    List().EditSelected();
    List().m_editor.SetWindowText(L"75");
    List().DeleteSelected(); // the delay row goes while it is edited
    EndEditByLosingFocus();
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{Name('A'), Name('A')}));
}

TEST_F(MacroList, KeysMoveOnlyWithinTheirPairsBounds) {
    // Rows by key and kind: "A+" pressed, "A-" released.
    const auto rows = [this] {
        std::vector<std::string> out;
        for (int i = 0; i < List().GetCount(); ++i)
            out.push_back(std::string(1, static_cast<char>(List().GetRowStep(i)->wVk)) +
                          (List().GetRowKind(i) == Row::ROW_KEY_DOWN ? "+" : "-"));
        return out;
    };
    using Rows = std::vector<std::string>;
    struct Case {
        int row;
        bool up;
        Rows after;
    } cases[] = {
        {1, true, {"A+", "C+", "A-", "C-"}},  // a pressed row goes up to row 0, no further
        {2, true, {"C+", "A+", "A-", "C-"}},  // a released row stays below its partner
        {2, false, {"C+", "A+", "C-", "A-"}}, // a released row goes down to the last row
        {1, false, {"C+", "A+", "A-", "C-"}}, // a pressed row stays above its partner
    };
    for (const Case& c : cases) {
        List().LoadSteps({Step('C', false), Step('A', false), Step('A', true), Step('C', true)});
        List().SetCurSel(c.row);
        for (int times = 0; times < 2; ++times) {
            c.up ? List().MoveSelectedUp() : List().MoveSelectedDown();
            EXPECT_EQ(rows(), c.after) << c.row << c.up << times;
            EXPECT_EQ(List().GetRowStep(List().GetCurSel())->wVk, 'A');
        }
    }
}

TEST_F(MacroList, SelectingAKeyFramesItsPartner) {
    List().SetTextColor(Hover, 0xFF0000FF);
    List().LoadSteps({Step('A', false, 40), Step('A', true)});
    const auto click = [this](int row) {
        RECT rect = {};
        List().GetItemRect(row, &rect);
        const LPARAM at = MAKELPARAM(10, (rect.top + rect.bottom) / 2);
        List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        List().SendMessage(WM_LBUTTONUP, 0, at);
    };
    // The top edge of a row, away from its text, indicator and buttons.
    const auto topEdge = [this](int row) {
        RECT rect = {};
        List().GetItemRect(row, &rect);
        return WindowPixel(List().m_hWnd, 200, rect.top);
    };
    click(1);
    EXPECT_EQ(List().GetFramedRow(), 2);
    EXPECT_EQ(topEdge(2), 0x0000FFu);
    EXPECT_NE(topEdge(1), 0x0000FFu);
    click(0); // a delay row has no partner
    EXPECT_EQ(List().GetFramedRow(), -1);
    EXPECT_NE(topEdge(2), 0x0000FFu);
}

TEST_F(MacroList, RowButtonsStayHiddenWhileRecording) {
    List().LoadSteps({Step('A', false), Step('A', true)});
    const auto pointAt = [this](int row) {
        RECT rect = {};
        List().GetItemRect(row, &rect);
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, (rect.top + rect.bottom) / 2));
        List().UpdateWindow();
    };
    List().SetRecording(true);
    pointAt(0);
    EXPECT_FALSE(List().m_btnDelete.IsWindowVisible());
    List().SetRecording(false);
    pointAt(1);
    EXPECT_TRUE(List().m_btnDelete.IsWindowVisible());
}

TEST_F(MacroList, RowsGoOnlyIntoTheLoadedKeypressActionAndOnlyWhenChanged) {
    CCustomActionList actions;
    const std::wstring first = actions.CreateAction(CCustomAction::kKeypressMacro, 1);
    const std::wstring second = actions.CreateAction(CCustomAction::kKeypressMacro, 2);
    // A step the list cannot show survives a Save of unchanged rows.
    MacroStep hidden;
    hidden.type = 0;
    actions.Find(first)->m_macro.m_steps = {hidden, Step('A', false), Step('A', true)};
    List().LoadAction(actions, first);
    EXPECT_FALSE(List().SaveIntoAction(actions));
    EXPECT_EQ(actions.Find(first)->m_macro.m_steps.size(), 3u);

    List().SetRecording(true);
    SendKey('B', false);
    SendKey('B', true);
    PumpUntilRows(4);
    // Loading another action ends the recording into the one recorded.
    List().LoadAction(actions, second);
    EXPECT_FALSE(CMacroKeyHook::IsInstalled());
    EXPECT_EQ(actions.Find(first)->m_macro.m_steps.size(), 4u);
    EXPECT_TRUE(actions.Find(second)->m_macro.m_steps.empty());

    List().SetRecording(true);
    SendKey('B', false);
    SendKey('B', true);
    PumpUntilRows(2);
    actions.Find(second)->SetKind(CCustomAction::kTextMacro);
    EXPECT_FALSE(List().StopRecording(actions));
    EXPECT_TRUE(actions.Find(second)->m_macro.m_steps.empty());
}

} // namespace
