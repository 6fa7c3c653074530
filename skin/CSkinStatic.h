#pragma once
// Owner-drawn label: its picture cut from the dialog and its text.
#include "framework/CStatic.h"
#include "skin/CSkinControl.h"

class CSkinStatic : public CSkinControl<CStatic> {
public:
    void OnInitSkin() override;

protected:
    void DrawItem(DRAWITEMSTRUCT* item) override;
};
