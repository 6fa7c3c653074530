#include "module/pages/CPageSettings.h"

#include "module/pages/CaptionTable.h"

namespace {

const pages::Caption kCaptions[] = {
    {IDC_STATIC_CPI1, L"IDC_STATIC_CPI1", L"COUNTS PER INCH (CPI) SETTING"},
    {IDC_STATIC_REPORT_RATE, L"IDC_STATIC_REPORT_RATE", L"REPORT RATE"},
};

// Where the page picture paints each slider's track.
constexpr RECT kCpiChannel = {30, 87, 406, 107};
constexpr RECT kReportRateChannel = {30, 234, 406, 254};

} // namespace

CPageSettings::CPageSettings() : CSkinDialog(IDD) {
    const wchar_t* normal = L".\\res\\SettingPage_Normal.bmp";
    AddNormalImage(normal);
    AddDisableImage(normal);
    AddDisableSelectedImage(normal);
    AddHoverImage(normal);
    AddHoverSelectedImage(normal);
    AddSelectedImage(normal);
    SetMaskImage(L".\\res\\SettingPage_Mask.bmp");
}

void CPageSettings::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_STATIC_CPI1, m_stCpi);
    DDX_Control(dx, IDC_STATIC_REPORT_RATE, m_stReportRate);
    DDX_Control(dx, IDC_SLIDER_CPI, m_sliderCpi);
    DDX_Control(dx, IDC_SLIDER_REPORT_RATE, m_sliderReportRate);
}

BOOL CPageSettings::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_stCpi.MoveWindow(23, 41, 212, 18);
    m_sliderCpi.MoveWindow(25, 85, 386, 24);
    m_stReportRate.MoveWindow(23, 189, 149, 18);
    m_sliderReportRate.MoveWindow(25, 232, 386, 24);
    m_sliderCpi.LoadThumbImage();
    m_sliderCpi.SetChannelRect(kCpiChannel);
    m_sliderReportRate.LoadThumbImage();
    m_sliderReportRate.SetChannelRect(kReportRateChannel);
    return TRUE;
}

void CPageSettings::OnLanguageChanged() {
    pages::SetCaptions(*this, kCaptions);
}
