// The shipped language files in the host window with the real module: every text fits its
// control in every language, the choice reaches the module at once and outlives a restart,
// and a language added to the files alone is offered and used.
#include "host/CDlgQuestion.h"
#include "module/core/IGamingModule.h"
#include "module/core/resource.h"
#include "module/pages/resource.h"
#include "tests/host/HostWindowFixture.h"
#include "tests/language/TextFit.h"

namespace {

using host_test::HostWindowTest;
using text_fit::Misfit;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring TextOf(HWND window) {
    wchar_t text[300] = {};
    GetWindowTextW(window, text, 300);
    return text;
}

std::wstring Stored(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    wchar_t value[300] = {};
    GetPrivateProfileStringW(section, key, L"", value, 300, file.c_str());
    return value;
}

class HostLanguage : public HostWindowTest {
protected:
    void SetUp() override {
        HostWindowTest::SetUp();
        UseCopiesOfTheShippedFiles();
    }
    std::wstring HostFile() const { return m_dir.File(L"Language\\l_gearhost.ini"); }
    std::wstring ModuleFile() const { return m_dir.File(L"Language\\l_vireo.ini"); }
    HWND ModuleWindow() const { return Module(0)->GetWindow()->GetSafeHwnd(); }
    // A text of the module window or of one of its pages.
    std::wstring ModuleText(int id) const {
        HWND found = FindModuleControl(id);
        return found ? TextOf(found) : L"<none>";
    }
    // The innermost window with the id (a wrapped control shares its frame's).
    HWND FindModuleControl(int id) const {
        HWND found = nullptr;
        std::pair<int, HWND*> target(id, &found);
        EnumChildWindows(
            ModuleWindow(),
            [](HWND child, LPARAM param) {
                auto* target = reinterpret_cast<std::pair<int, HWND*>*>(param);
                if (GetDlgCtrlID(child) == target->first)
                    *target->second = child;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&target));
        return found;
    }
    std::wstring HostText(int id) const { return TextOf(GetDlgItem(Dialog(), id)); }
    void Restart() {
        m_dialog->DestroyWindow();
        m_dialog.reset();
        m_app.FreeModules();
        CMultiLanguage::s_currentLanguage.clear();
        CMultiLanguage::s_languages.clear();
        CMultiLanguage::s_texts.clear();
        Start({L"vireo"});
    }
};

// The module window's own controls belong to the module's copy of the window classes, which
// this program cannot look into: they keep the skin's face and size, and the tabs draw their
// labels without an indent.
void MeasureModuleWindowControls(HWND module, std::vector<Misfit>& misfits) {
    const int ids[] = {IDC_RADIO_PAGE1, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3, IDC_BTN_SAVE,
                       IDC_BTN_RESTORE};
    for (int id : ids) {
        HWND control = GetDlgItem(module, id);
        RECT rect = {};
        GetClientRect(control, &rect);
        const std::wstring text = TextOf(control);
        HDC dc = GetDC(control);
        const float needed = text_fit::LineWidth(dc, L"Tahoma", 12.0f, text);
        ReleaseDC(control, dc);
        if (needed > static_cast<float>(rect.right))
            misfits.push_back({id, text, needed, static_cast<float>(rect.right), "width"});
    }
}

TEST_F(HostLanguage, EveryTextFitsItsControlInEveryLanguage) {
    Start({L"vireo"});
    ArriveMouse();
    ShowFromTray();
    // A new action (not saved) puts the keypress editor on the button page.
    HWND newAction = FindModuleControl(IDC_BTN_NEW_ACTION);
    SendMessageW(GetParent(newAction), WM_COMMAND, MAKEWPARAM(IDC_BTN_NEW_ACTION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(newAction));
    const std::vector<std::wstring> languages = CMultiLanguage::s_languages;
    ASSERT_GE(languages.size(), 2u);
    for (size_t i = 0; i < languages.size(); ++i) {
        SCOPED_TRACE(Narrow(languages[i]));
        PickLanguage(static_cast<int>(i));
        ASSERT_EQ(CMultiLanguage::s_currentLanguage, languages[i]);
        // The measure reaches the host's controls: a caption far too long is reported.
        std::vector<Misfit> tooLong;
        text_fit::MeasureAs(GetDlgItem(Dialog(), IDC_BTN_NEW_PROFILE), std::wstring(40, L'W'),
                            tooLong);
        ASSERT_EQ(tooLong.size(), 1u);

        std::vector<Misfit> misfits = text_fit::Misfits(Dialog());
        // Shown only while no device is present.
        HWND noDevice = GetDlgItem(Dialog(), IDC_STATIC_NO_DEVICE);
        ASSERT_FALSE(IsWindowVisible(noDevice));
        text_fit::MeasureAs(noDevice, TextOf(noDevice), misfits);
        MeasureModuleWindowControls(ModuleWindow(), misfits);
        CDlgQuestion question(m_dialog.get());
        question.m_strQuestion = CMultiLanguage::TextOr(L"ID_ASK_EXIT_APP", L"");
        ASSERT_TRUE(question.Create(CDlgQuestion::IDD, m_dialog.get()));
        for (const Misfit& misfit : text_fit::Misfits(question.m_hWnd))
            misfits.push_back(misfit);
        question.ShowWindow(SW_SHOW);
        RedrawWindow(question.m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        host_test::SaveWindowPicture(question.m_hWnd, testing_support::ProgramDir() +
                                                          L"\\..\\language-" + languages[i] +
                                                          L"-question.png");
        question.DestroyWindow();
        for (const Misfit& misfit : misfits)
            ADD_FAILURE() << misfit;

        // For review: the window in each language with each tab of the module.
        for (int tab : {IDC_RADIO_PAGE1, IDC_RADIO_PAGE2, IDC_RADIO_PAGE3}) {
            SendMessageW(ModuleWindow(), WM_COMMAND, MAKEWPARAM(tab, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(ModuleWindow(), tab)));
            RedrawWindow(Dialog(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Pump();
            host_test::SaveWindowPicture(
                Dialog(), testing_support::ProgramDir() + L"\\..\\language-" + languages[i] + L"-" +
                              std::to_wstring(tab - IDC_RADIO_PAGE1 + 1) + L".png");
        }
    }
}

TEST_F(HostLanguage, TheChoiceRecaptionsTheModuleAtOnceAndOutlivesARestart) {
    Start({L"vireo"});
    ShowFromTray();
    ASSERT_EQ(CMultiLanguage::s_languages.size(), 2u);
    ASSERT_EQ(CMultiLanguage::s_languages[1], L"Deutsch");
    EXPECT_EQ(ModuleText(IDC_BTN_SAVE), L"Save");
    EXPECT_EQ(ModuleText(IDC_EDIT_ACTION_NAME), L"Left Button"); // button 1's action

    PickLanguage(1);
    EXPECT_EQ(HostText(IDC_STATIC_DEVICES), Stored(HostFile(), L"Deutsch", L"TEXT3"));
    EXPECT_EQ(ModuleText(IDC_RADIO_PAGE1), L"TASTEN");
    EXPECT_EQ(ModuleText(IDC_BTN_SAVE), L"Speichern");
    EXPECT_EQ(ModuleText(IDC_EDIT_ACTION_NAME), L"Linke Taste");
    EXPECT_EQ(Stored(HostFile(), L"Language", L"Default"), L"Deutsch");
    EXPECT_EQ(Stored(ModuleFile(), L"Language", L"Default"), L"Deutsch");

    Restart();
    EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Deutsch");
    EXPECT_EQ(m_dialog->m_cbLanguage.GetCurSel(), 1);
    EXPECT_EQ(HostText(IDC_BTN_DELETE_PROFILE), L"L\u00f6schen");
    EXPECT_EQ(ModuleText(IDC_BTN_SAVE), L"Speichern");
}

TEST_F(HostLanguage, ALanguageAddedToTheFilesIsOfferedAndUsed) {
    WritePrivateProfileStringW(L"Language", L"L3", L"Fran\u00e7ais", HostFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"ID1", L"ID_FRAN\u00c7AIS", HostFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"TEXT1", L"Fran\u00e7ais", HostFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"ID2", L"IDC_STATIC_DEVICES", HostFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"TEXT2", L"Appareils", HostFile().c_str());
    WritePrivateProfileStringW(L"Language", L"L3", L"Fran\u00e7ais", ModuleFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"ID1", L"IDC_BTN_SAVE", ModuleFile().c_str());
    WritePrivateProfileStringW(L"Fran\u00e7ais", L"TEXT1", L"Enregistrer", ModuleFile().c_str());
    Start({L"vireo"});
    ShowFromTray();

    CSkinComboBox& combo = m_dialog->m_cbLanguage;
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(2), L"Fran\u00e7ais");
    PickLanguage(2);
    EXPECT_EQ(CMultiLanguage::s_currentLanguage, L"Fran\u00e7ais");
    EXPECT_EQ(HostText(IDC_STATIC_DEVICES), L"Appareils");
    EXPECT_EQ(HostText(IDC_STATIC_PROFILES), L"Profiles"); // not translated: the built-in text
    EXPECT_EQ(ModuleText(IDC_BTN_SAVE), L"Enregistrer");
    EXPECT_EQ(ModuleText(IDC_BTN_RESTORE), L"Restore");
}

} // namespace
