#pragma once
// Trackbar with a painted track and a thumb picture. It takes all mouse and key input itself,
// so the system trackbar never moves on its own and the parent is never notified: windows
// read the position (TBM_GETPOS) when they need it.
#include "framework/CSliderCtrl.h"
#include "skin/CSkinControl.h"

class CSkinSliderCtrl : public CSkinControl<CSliderCtrl> {
public:
    // Thumb picture: one column of four frames (normal, disabled, pointed at, dragged).
    void LoadThumbImage(const wchar_t* path = L".\\res\\SliderThumb.bmp");
    // Places the slider so that the thumb's centre travels along rc (parent coordinates).
    void SetChannelRect(const RECT& rc);
    // Clamps to the range, stores the position and moves the thumb.
    void SetValue(int value);
    // Moves to the value under a client point.
    void TrackTo(POINT point);

    const RECT& GetThumbRect() const { return m_rcThumb; }
    const RECT& GetChannelRect() const { return m_rcChannel; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    Picture m_thumbImage;
    RECT m_rcThumb = {};
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;
    RECT m_rcChannel = {};
    BOOL m_bThumbHover = FALSE;
    BOOL m_bDragging = FALSE;
    BOOL m_bTracking = FALSE;

private:
    bool IsVertical() const { return (GetStyle() & TBS_VERT) != 0; }
    int Span() const;
    void PlaceThumb(int pixel);
    void RedrawThumb() { RedrawWindow(&m_rcThumb, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    void RedrawAll() { RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    bool PointerOnThumb() const;

    void OnPaint();
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnLButtonDown(POINT point);
    void OnLButtonUp();
    void OnMouseWheel(int delta);
    void OnKeyDown(UINT key);
};
