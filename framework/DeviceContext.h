#pragma once
// Scoped device contexts and object selections: each gives back what it took when it ends.
#include <windows.h>

namespace fw {

// BeginPaint/EndPaint for a WM_PAINT handler.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : m_hwnd(hwnd) { m_dc = BeginPaint(hwnd, &m_paint); }
    ~PaintDc() { EndPaint(m_hwnd, &m_paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_hwnd;
    HDC m_dc;
    PAINTSTRUCT m_paint = {};
};

// GetDC/ReleaseDC (client area; null window: the screen).
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~WindowDc() {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// A memory DC compatible with another DC, deleted at the end.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (m_dc)
            DeleteDC(m_dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects a GDI object into a DC and selects the previous one back at the end. The object
// itself stays its owner's.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace fw
