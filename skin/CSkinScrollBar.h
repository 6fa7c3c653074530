#pragma once
// Scroll bar drawn from the 4 × 4 bar picture (columns: first arrow, second arrow, thumb,
// track; rows: normal, disabled, pointed at, pressed). It keeps its own scroll state, fed
// only through SetScrollInfo/GetScrollInfo, and sends WM_VSCROLL/WM_HSCROLL to its parent.
#include "framework/CScrollBar.h"
#include "framework/Picture.h"
#include "skin/ScrollBarGeometry.h"

class CSkinScrollBar : public CScrollBar {
public:
    CSkinScrollBar();
    ~CSkinScrollBar() override;

    // Takes the picture every bar shares (loading it when no bar holds it) and the sizes.
    virtual void LoadSkin();

    int m_nThickness = 0;
    int m_nLength = 0;
    int m_nArrowSize = 0;
    SCROLLINFO m_si = {};

    const RECT& ThumbRect() const { return m_parts.thumb; }
    // Lays the parts out for the current length and scroll state.
    void Recalc();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

    skin::ScrollBarGeometry m_parts;
    int m_nPressedPart = skin::PartNone;
    BOOL m_bDragging = FALSE;
    BOOL m_bTracking = FALSE;
    POINT m_ptDragStart = {};
    int m_nDragStartPos = 0;
    int m_nHotPart = skin::PartNone;

private:
    static constexpr UINT_PTR kDelayTimer = 100;
    static constexpr UINT_PTR kRepeatTimer = 200;

    bool IsVertical() const { return (GetStyle() & SBS_VERT) != 0; }
    bool HasPicture() const { return fw::IsDrawable(m_picture); }
    // The cell of a column and row, turned for a horizontal bar.
    Picture Cell(int column, int row) const;
    void DrawPart(HDC dc, int part, int row);
    void DrawThumb(HDC dc, int row);
    void DrawPartNow(int part, int row);
    void SendScroll(int code, int position = 0);
    POINT PointerInClient() const;

    void OnPaint();
    void OnSetScrollInfo(BOOL redraw, const SCROLLINFO* info);
    void OnGetScrollInfo(SCROLLINFO* info) const;
    void OnLButtonDown(POINT point);
    void OnLButtonUp();
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR id);
    void StopRepeat();

    Picture m_picture;
};
