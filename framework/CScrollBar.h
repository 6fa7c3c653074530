#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

// A scroll bar control (SB_CTL).
class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_SCROLLBARW, L"", style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    int SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE) const {
        info->cbSize = sizeof(SCROLLINFO);
        return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    }
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const {
        info->cbSize = sizeof(SCROLLINFO);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int position, BOOL redraw = TRUE) const {
        return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
    }
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE) const {
        ::SetScrollRange(m_hWnd, SB_CTL, minimum, maximum, redraw);
    }
};
