#pragma once
// One skinned dialog showing every skinned control in each of its states.
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckBox.h"
#include "skin/CSkinColorIndicator.h"
#include "skin/CSkinColorStatic.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinDialog.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinListBoxEdit.h"
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
    // The long skinned list (for the scrolling benchmark); null before the window exists.
    CSkinListBox* LongList() const;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    template <typename Control> std::unique_ptr<CWnd> BindTemplateControl(int id, const RECT& rect);
    void ApplyStates();
    // Lists, combos and edits: items to scroll through, one combo shown open.
    void FillContainers();

    std::wstring m_resFolder;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    CSkinColorStatic* m_bar = nullptr;
};
