#include "skin/CSkinComboBox_Edit.h"

#include "framework/DeviceContext.h"
#include "skin/SkinBrush.h"
#include "skin/SkinFont.h"

CSkinComboBox_Edit::CSkinComboBox_Edit() {
    m_font = skin::CreateGdiFont(m_strFontName, m_fFontSize);
}

CSkinComboBox_Edit::~CSkinComboBox_Edit() = default;

void CSkinComboBox_Edit::OnInitSkin() {
    fw::WindowDc dc(m_hWnd);
    fw::SelectedObject font(dc.Get(), m_font.get());
    TEXTMETRICW metrics = {};
    if (GetTextMetricsW(dc.Get(), &metrics))
        m_nTextHeight = metrics.tmHeight + metrics.tmExternalLeading;
    SetFont(m_font.get(), TRUE);
}

CWnd* CSkinComboBox_Edit::GetSkinParent() {
    HWND combo = ::GetParent(m_hWnd);
    return combo ? CWnd::FromHandle(::GetParent(combo)) : nullptr;
}

void CSkinComboBox_Edit::RebuildBackground(SkinState state) {
    skin::RebuildBrush(m_brBackground, GetStateImage(state));
}

void CSkinComboBox_Edit::OnHoverChanged(BOOL hover) {
    m_bHover = hover;
    RebuildBackground(hover ? Hover : Normal);
}

BOOL CSkinComboBox_Edit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* result) {
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        if (!m_brBackground)
            RebuildBackground(IsWindowEnabled() ? Normal : Disable);
        return skin::AnswerControlColour(reinterpret_cast<HDC>(wParam), m_font.get(),
                                         skin::ToColorRef(m_clrText[Normal]), m_brBackground.get(),
                                         result);
    }
    return CSkinControl<CEdit>::OnChildNotify(message, wParam, lParam, result);
}

BOOL CSkinComboBox_Edit::EraseBackground(HDC dc) {
    if (!m_brBackground)
        RebuildBackground(IsWindowEnabled() ? Normal : Disable);
    skin::FillClient(m_hWnd, dc, m_brBackground.get());
    return TRUE;
}

LRESULT CSkinComboBox_Edit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        // Text is drawn transparently: the whole background is laid first.
        return EraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_SKIN_HOVER:
        OnHoverChanged(static_cast<BOOL>(wParam));
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return 0;
    case WM_ENABLE: {
        LRESULT result = CSkinControl<CEdit>::WindowProc(message, wParam, lParam);
        RebuildBackground(wParam ? Normal : Disable);
        return result;
    }
    case EM_SETSEL:
        if (IsReadOnly())
            return 1; // no text is ever shown selected
        break;
    case WM_SETFOCUS:
        if (IsReadOnly()) {
            LRESULT result = CSkinControl<CEdit>::WindowProc(message, wParam, lParam);
            if (HWND previous = reinterpret_cast<HWND>(wParam); previous && ::IsWindow(previous))
                ::SetFocus(previous);
            return result;
        }
        break;
    case WM_SETCURSOR:
        if (IsReadOnly()) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (IsReadOnly()) {
            ::PostMessageW(::GetParent(m_hWnd), WM_LBUTTONDOWN, 0, 0);
            return 0;
        }
        break;
    }
    return CSkinControl<CEdit>::WindowProc(message, wParam, lParam);
}
