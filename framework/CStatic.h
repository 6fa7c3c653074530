#pragma once
#include "framework/CWnd.h"

#include <commctrl.h>

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, WC_STATICW, text, style, rect, parent ? parent->m_hWnd : nullptr, id);
    }
    HBITMAP SetBitmap(HBITMAP bitmap) const {
        return reinterpret_cast<HBITMAP>(
            SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};
