#include "skin/CSkinEdit.h"

#include "skin/SkinBrush.h"
#include "skin/SkinFont.h"

CSkinEdit::CSkinEdit() {
    m_bTrackHover = FALSE; // the scroll frame tells the edit when it is pointed at
    m_font = skin::CreateGdiFont(m_strFontName, m_fFontSize);
}

CSkinEdit::~CSkinEdit() = default;

void CSkinEdit::OnInitSkin() {
    SetFont(m_font.get(), TRUE);
    m_pSkinParent = GetParent();
}

void CSkinEdit::RebuildBackground(SkinState state) {
    skin::RebuildBrush(m_brBackground, GetStateImage(state));
}

BOOL CSkinEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: { // read-only and disabled edits ask as statics
        const bool enabled = IsWindowEnabled() != FALSE;
        if (!m_brBackground)
            RebuildBackground(enabled ? Normal : Disable);
        return skin::AnswerControlColour(reinterpret_cast<HDC>(wParam), m_font.get(),
                                         skin::ToColorRef(m_clrText[enabled ? Normal : Disable]),
                                         m_brBackground.get(), result);
    }
    case WM_COMMAND:
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
        case EN_HSCROLL:
        case EN_VSCROLL:
            Invalidate(TRUE);
            break;
        }
        return FALSE;
    }
    return CSkinContianerCtrl<CEdit>::OnChildNotify(message, wParam, lParam, result);
}

BOOL CSkinEdit::EraseBackground(HDC dc) {
    if (!m_brBackground)
        RebuildBackground(IsWindowEnabled() ? Normal : Disable);
    skin::FillClient(m_hWnd, dc, m_brBackground.get());
    return TRUE;
}

LRESULT CSkinEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        // Text is drawn transparently: the whole background is laid first.
        return EraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_SKIN_FRAMELAYOUT:
        // Placed by the frame: the brush is cut again where the edit now lies.
        RebuildBackground(!IsWindowEnabled() ? Disable : m_bHover ? Hover : Normal);
        return 0;
    case WM_SKIN_HOVER:
        m_bHover = static_cast<BOOL>(wParam);
        RebuildBackground(m_bHover ? Hover : Normal);
        RedrawAll();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        LRESULT result = CSkinContianerCtrl<CEdit>::WindowProc(message, wParam, lParam);
        RedrawAll();
        return result;
    }
    case WM_ENABLE: {
        LRESULT result = CSkinContianerCtrl<CEdit>::WindowProc(message, wParam, lParam);
        RebuildBackground(wParam ? Normal : Disable);
        return result;
    }
    case WM_KILLFOCUS: {
        LRESULT result = CSkinContianerCtrl<CEdit>::WindowProc(message, wParam, lParam);
        RebuildBackground(Normal);
        Invalidate(TRUE);
        UpdateWindow();
        return result;
    }
    }
    return CSkinContianerCtrl<CEdit>::WindowProc(message, wParam, lParam);
}
