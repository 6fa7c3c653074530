#include "tests/language/TextFit.h"

#include "framework/DeviceContext.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinCheckableButton.h"
#include "skin/CSkinColorIndicator.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinStatic.h"

#include <gdiplus.h>

namespace text_fit {

std::ostream& operator<<(std::ostream& out, const Misfit& misfit) {
    std::string text;
    for (wchar_t c : misfit.text)
        text += c < 128 ? static_cast<char>(c) : '?';
    return out << "control " << misfit.controlId << " \"" << text << "\": " << misfit.measure << " "
               << misfit.needed << " > " << misfit.available;
}

namespace {

Gdiplus::RectF Measure(HDC dc, const std::wstring& face, float sizePx, const std::wstring& text,
                       const Gdiplus::RectF& layout) {
    Gdiplus::Graphics graphics(dc);
    Gdiplus::FontFamily family(face.c_str());
    Gdiplus::Font font(&family, sizePx, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    Gdiplus::RectF bounds;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &format,
                           &bounds);
    return bounds;
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

float Width(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return static_cast<float>(rect.right - rect.left);
}

float Height(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return static_cast<float>(rect.bottom - rect.top);
}

// The selection field shows entries in the field's GDI font, between its margins.
void MeasureComboEntries(CSkinComboBox& combo, std::vector<Misfit>& misfits) {
    HWND field = combo.m_edit.GetSafeHwnd();
    if (!field)
        return;
    fw::WindowDc dc(field);
    fw::SelectedObject font(dc.Get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    const LRESULT margins = SendMessageW(field, EM_GETMARGINS, 0, 0);
    const float available = Width(field) - LOWORD(margins) - HIWORD(margins);
    for (int i = 0; i < combo.GetCount(); ++i) {
        const std::wstring entry = combo.GetLBText(i);
        SIZE size = {};
        GetTextExtentPoint32W(dc.Get(), entry.c_str(), static_cast<int>(entry.size()), &size);
        if (size.cx > available)
            misfits.push_back({combo.GetDlgCtrlID(), entry, static_cast<float>(size.cx), available,
                               "field width"});
    }
}

template <typename Control>
void MeasureLabel(Control& control, const std::wstring& text, float indent, bool mayWrap,
                  std::vector<Misfit>& misfits) {
    if (text.empty())
        return;
    HWND window = control.GetSafeHwnd();
    fw::WindowDc dc(window);
    const float width = Width(window) - indent;
    const float height = Height(window);
    const float lineHeight = control.GetFontSize() * 1.25f;
    const bool wrapping = mayWrap && height >= 2 * lineHeight;
    if (wrapping) {
        const float needed =
            WrappedHeight(dc.Get(), control.GetFontName(), control.GetFontSize(), text, width);
        if (needed > height)
            misfits.push_back({control.GetDlgCtrlID(), text, needed, height, "wrapped height"});
    } else {
        const float needed =
            LineWidth(dc.Get(), control.GetFontName(), control.GetFontSize(), text);
        if (needed > width)
            misfits.push_back({control.GetDlgCtrlID(), text, needed, width, "width"});
    }
}

void MeasureWindow(HWND window, const std::wstring& text, std::vector<Misfit>& misfits) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (!object)
        return;
    if (auto* checkable = dynamic_cast<CSkinCheckableButton*>(object))
        MeasureLabel(*checkable, text, static_cast<float>(checkable->m_nTextIndent), false,
                     misfits);
    else if (auto* indicator = dynamic_cast<CSkinColorIndicator*>(object))
        MeasureLabel(*indicator, text, 4.0f, false, misfits); // 2 pixels in from each side
    else if (auto* label = dynamic_cast<CSkinStatic*>(object))
        // Only statics wrap on purpose (descriptions, the question), when tall enough.
        MeasureLabel(*label, text, 0.0f, true, misfits);
    else if (auto* button = dynamic_cast<CSkinButton*>(object))
        MeasureLabel(*button, text, 0.0f, false, misfits);
}

BOOL CALLBACK MeasureChild(HWND child, LPARAM param) {
    auto& misfits = *reinterpret_cast<std::vector<Misfit>*>(param);
    // A control hidden for good (not one on a hidden page) shows nothing.
    if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0)
        return TRUE;
    if (auto* combo = dynamic_cast<CSkinComboBox*>(CWnd::FromHandlePermanent(child)))
        MeasureComboEntries(*combo, misfits);
    else
        MeasureWindow(child, TextOf(child), misfits);
    return TRUE;
}

} // namespace

float LineWidth(HDC dc, const std::wstring& face, float sizePx, const std::wstring& text) {
    return Measure(dc, face, sizePx, text, Gdiplus::RectF(0, 0, 100000.0f, 100000.0f)).Width;
}

float WrappedHeight(HDC dc, const std::wstring& face, float sizePx, const std::wstring& text,
                    float width) {
    return Measure(dc, face, sizePx, text, Gdiplus::RectF(0, 0, width, 100000.0f)).Height;
}

std::vector<Misfit> Misfits(HWND root) {
    std::vector<Misfit> misfits;
    EnumChildWindows(root, MeasureChild, reinterpret_cast<LPARAM>(&misfits));
    return misfits;
}

void MeasureAs(HWND control, const std::wstring& text, std::vector<Misfit>& misfits) {
    MeasureWindow(control, text, misfits);
}

} // namespace text_fit
