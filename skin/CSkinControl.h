#pragma once
// Base of every skinned control: picture cutting from the skin parent, text style, hover
// tracking with a poll timer, and the one-time skin set-up of each attached window.
#include "framework/CWnd.h"
#include "framework/Picture.h"
#include "skin/CSkinDialog.h"
#include "skin/SkinState.h"
#include "skin/SkinText.h"

#include <string>

template <typename T> class CSkinControl : public T {
public:
    CSkinControl() = default;
    ~CSkinControl() override = default;

    void SetImageIndex(SkinState state, int index) { m_nImageIndex[state] = index; }

    void SetTextFormat(UINT flags) {
        m_nTextFormat = flags;
        skin::ApplyTextFormat(flags, m_format);
    }
    using T::SetFont;
    void SetFont(const wchar_t* face, float sizePx) {
        m_strFontName = face;
        m_fFontSize = sizePx;
    }
    void SetFontSize(float sizePx) { m_fFontSize = sizePx; }
    const std::wstring& GetFontName() const { return m_strFontName; }
    float GetFontSize() const { return m_fFontSize; }
    void SetHover(BOOL hover) { m_bHover = hover; }
    BOOL GetHover() const { return m_bHover; }
    void SetTextColor(SkinState state, Gdiplus::ARGB color) { m_clrText[state] = color; }

    // The control's rectangle cut from the skin parent's picture for the state.
    Picture GetStateImage(SkinState state) {
        RECT area = {};
        Picture source = StateImageSource(state, area);
        return skin::CutPicture(source, area.left, area.top, area.right - area.left,
                                area.bottom - area.top);
    }

    // Draws what GetStateImage(state) holds stretched over target, straight from the
    // parent's picture (no copy of the area is made).
    void DrawStateImage(Gdiplus::Graphics& graphics, SkinState state, const RECT& target) {
        RECT area = {};
        Picture source = StateImageSource(state, area);
        if (skin::CanCut(source, area.left, area.top, area.right - area.left,
                         area.bottom - area.top))
            skin::DrawPart(graphics, source, target, area.left, area.top, area.right - area.left,
                           area.bottom - area.top);
    }

    virtual void OnInitSkin() {}
    virtual void OnHoverChanged(BOOL) {}
    virtual CWnd* GetSkinParent() { return CWnd::FromHandle(::GetParent(this->m_hWnd)); }

protected:
    // Draws the window text in layout with the control's face, size and format.
    void DrawWindowText(Gdiplus::Graphics& graphics, const Gdiplus::RectF& layout,
                        Gdiplus::ARGB color) {
        skin::DrawText(graphics, this->GetWindowText(), m_strFontName, m_fFontSize, color, m_format,
                       layout);
    }

    void PreSubclassWindow() override {
        if (!m_bSkinInit && !CWnd::IsCreatingWindow()) {
            m_bSkinInit = TRUE;
            OnInitSkin();
        }
        T::PreSubclassWindow();
    }

    // What every control does with a double click, a pointer move and a timer tick before
    // their default course: a quick second click still counts as a press; hover tracking.
    void TrackInput(UINT message, LPARAM lParam) {
        switch (message) {
        case WM_LBUTTONDBLCLK:
            this->PostMessage(WM_LBUTTONDOWN, 0, lParam);
            break;
        case WM_MOUSEMOVE:
            if (m_bTrackHover)
                TrackHoverEnter();
            break;
        case WM_TIMER:
            if (m_bTrackHover)
                TrackHoverLeave();
            break;
        }
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_TIMER:
            TrackInput(message, lParam);
            break;
        case WM_CREATE: {
            LRESULT result = T::WindowProc(message, wParam, lParam);
            if (result == -1)
                return -1;
            if (!m_bSkinInit) {
                m_bSkinInit = TRUE;
                OnInitSkin();
            }
            return 0;
        }
        case WM_DESTROY:
            if (m_bHover && m_bTrackHover)
                this->KillTimer(m_nHoverTimerId);
#ifdef SKIN_REINIT_ON_DESTROY
            // The module attaches new windows to the same objects and sets them up again.
            m_bSkinInit = FALSE;
#endif
            break;
        }
        return T::WindowProc(message, wParam, lParam);
    }

    BOOL m_bSkinInit = FALSE;
    Gdiplus::ARGB m_clrText[kSkinStateCount] = {0xFFFFFFFF, 0xFFC0C0C0, 0xFF808080,
                                                0xFFADFF2F, 0xFFFFC0CB, 0xFF0000FF};
    int m_nImageIndex[kSkinStateCount] = {};
    UINT m_nTextFormat = 0;
    Gdiplus::StringFormat m_format;
    std::wstring m_strFontName = L"Tahoma";
    float m_fFontSize = 12.0f;
    BOOL m_bHover = FALSE;
    BOOL m_bTrackHover = TRUE;
    UINT m_nHoverTimerId = 1;
    UINT m_nHoverTimerElapse = 20;

private:
    // The skin parent's picture for the state and the control's area in it.
    Picture StateImageSource(SkinState state, RECT& area) {
        auto* dialog = dynamic_cast<CSkinDialog*>(GetSkinParent());
        if (!dialog || !this->m_hWnd)
            return Picture();
        area = this->GetWindowRect();
        dialog->ScreenToClient(area);
        int index = m_nImageIndex[state];
        if (index == 0 && state != Disable && state != DisableSelected)
            index = dialog->GetCurImage();
        return dialog->GetImage(state, index);
    }

    bool PointerInside() const {
        DWORD position = GetMessagePos();
        POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        RECT rect = this->GetWindowRect();
        return PtInRect(&rect, point) != FALSE;
    }

    void NotifyHover(BOOL hover) {
        if (CWnd* parent = GetSkinParent())
            parent->SendMessage(WM_SKIN_HOVER, static_cast<WPARAM>(hover),
                                reinterpret_cast<LPARAM>(this->m_hWnd));
        OnHoverChanged(hover);
    }

    void TrackHoverEnter() {
        if (m_bHover || !PointerInside())
            return;
        m_bHover = TRUE;
        NotifyHover(TRUE);
        this->Invalidate(TRUE);
        this->SetTimer(m_nHoverTimerId, m_nHoverTimerElapse);
    }

    void TrackHoverLeave() {
        if (!m_bHover || PointerInside())
            return;
        m_bHover = FALSE;
        NotifyHover(FALSE);
        this->KillTimer(m_nHoverTimerId);
        this->Invalidate(TRUE);
    }
};
