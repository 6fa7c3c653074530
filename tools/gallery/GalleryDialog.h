#pragma once
// One skinned dialog showing every skinned control in each of its states.
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinColorIndicator.h"
#include "skin/CSkinColorStatic.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinRadioBox.h"
#include "skin/CSkinSliderCtrl.h"
#include "skin/CSkinStatic.h"
#include "skin/CSkinTimer.h"

#include <memory>
#include <string>
#include <vector>

class CGalleryDialog : public CSkinDialog {
public:
    // pictureFolder holds the Gallery_<State>.bmp set; resFolder the shared control pictures.
    CGalleryDialog(const std::wstring& pictureFolder, const std::wstring& resFolder);

    // Colours the indicators from the scale; the scale must be on the screen.
    void RefreshScale();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void ApplyStates();

    std::wstring m_resFolder;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    CSkinColorStatic* m_bar = nullptr;
};
