#pragma once
// The settings tab: the mouse's CPI level and report rate on two sliders. The page keeps no
// values: the module window sets the sliders when it shows a profile and reads them on Save.
#include "language/CMultiLanguage.h"
#include "module/pages/InfoPagesResource.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinSliderCtrl.h"
#include "skin/CSkinStatic.h"

class CPageSettings : public CSkinDialog, public CMultiLanguage {
public:
    enum { IDD = IDD_PAGE_SETTINGS };

    CPageSettings();

    CSkinSliderCtrl& CpiSlider() { return m_sliderCpi; }
    CSkinSliderCtrl& ReportRateSlider() { return m_sliderReportRate; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnLanguageChanged() override;
    // Enter and Escape leave the page where it is.
    void OnOK() override {}
    void OnCancel() override {}

private:
    CSkinStatic m_stCpi;
    CSkinStatic m_stReportRate;
    CSkinSliderCtrl m_sliderCpi;
    CSkinSliderCtrl m_sliderReportRate;
};
