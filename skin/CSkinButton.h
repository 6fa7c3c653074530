#pragma once
// Owner-drawn push button: its own strip of four frames, or its rectangle cut from the
// dialog's picture for its state.
#include "framework/CButton.h"
#include "skin/CSkinControl.h"

class CSkinButton : public CSkinControl<CButton> {
public:
    CSkinButton();

    // Takes column `column` (width wide) of source as the strip: frames of height stacked
    // top to bottom: normal, disabled, pointed at, pressed.
    void SetBitmap(const Picture& source, int width, int height, int column);

    void OnInitSkin() override;

protected:
    void DrawItem(DRAWITEMSTRUCT* item) override;

    Picture m_image;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
};
