#pragma once
// The host's profile list: an editable skinned list whose in-place editor takes no more of a
// name than the host's buffers carry back whole.
#include "skin/CSkinListBoxEdit.h"

class CProfileListBox : public CSkinListBoxEdit {
public:
    // The longest name a 260-character buffer returns whole.
    static constexpr int kMaxNameChars = 258;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
