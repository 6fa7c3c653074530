#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

// Trackbar.
class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, TRACKBAR_CLASSW, L"", style, rect, parent ? parent->m_hWnd : nullptr,
                        id);
    }
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) const {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) const { SendMessage(TBM_SETPOS, TRUE, position); }
    void SetPageSize(int size) const { SendMessage(TBM_SETPAGESIZE, 0, size); }
    void SetLineSize(int size) const { SendMessage(TBM_SETLINESIZE, 0, size); }
    void SetTicFreq(int frequency) const {
        SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
    }
    RECT GetChannelRect() const {
        RECT rect = {};
        SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    RECT GetThumbRect() const {
        RECT rect = {};
        SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
};
