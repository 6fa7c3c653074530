#pragma once
// The settings tab: the mouse's CPI level and report rate on two sliders, and below them the
// programs that make the profile current when they come to the front. The page keeps no
// values: the module window sets the controls when it shows a profile and reads them on Save.
#include "language/CMultiLanguage.h"
#include "module/pages/InfoPagesResource.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinSliderCtrl.h"
#include "skin/CSkinStatic.h"

#include <functional>
#include <string>
#include <vector>

class CPageSettings : public CSkinDialog, public CMultiLanguage {
public:
    enum { IDD = IDD_PAGE_SETTINGS };

    CPageSettings();

    CSkinSliderCtrl& CpiSlider() { return m_sliderCpi; }
    CSkinSliderCtrl& ReportRateSlider() { return m_sliderReportRate; }

    void SetPrograms(const std::vector<std::wstring>& programs);
    std::vector<std::wstring> Programs() const;
    // Where "add the program in front" finds the programs seen in front lately (the module
    // window itself is in front when the button is pressed).
    void SetRecentPrograms(std::function<std::vector<std::wstring>()> recent) {
        m_recentPrograms = std::move(recent);
    }
    // Adds a program unless the list names it already; false when it was not added.
    bool AddProgram(const std::wstring& program);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnLanguageChanged() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape leave the page where it is.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnAddTyped();
    void OnAddFront();
    void OnRemove();

    CSkinStatic m_stCpi;
    CSkinStatic m_stReportRate;
    CSkinSliderCtrl m_sliderCpi;
    CSkinSliderCtrl m_sliderReportRate;
    CSkinStatic m_stPrograms;
    CSkinListBox m_listPrograms;
    CSkinEdit m_editProgram;
    CSkinButton m_btnAddProgram;
    CSkinButton m_btnAddFront;
    CSkinButton m_btnRemoveProgram;
    std::function<std::vector<std::wstring>()> m_recentPrograms;
};
