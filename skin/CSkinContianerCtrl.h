#pragma once
// Base of the skinned list and edit controls: on the first message after its set-up the
// control wraps itself in a scroll frame, and from then on finds its dialog through the
// skin parent it remembered (its real parent is the frame's inner window).
#include "skin/CSkinControl.h"
#include "skin/CSkinScrollFrame.h"

template <typename T> class CSkinContianerCtrl : public CSkinControl<T> {
public:
    CWnd* GetSkinParent() override { return m_pSkinParent; }

    CWnd* m_pSkinParent = nullptr;
    CSkinScrollFrame* m_pScrollFrame = nullptr; // the window owns it
    BOOL m_bWrapping = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_DESTROY:
        case WM_NCDESTROY:
            // The frame is gone with the window (or goes now).
            m_pScrollFrame = nullptr;
#ifdef SKIN_REINIT_ON_DESTROY
            if (message == WM_NCDESTROY)
                m_pSkinParent = nullptr;
#endif
            break;
        case WM_NCCREATE:
        case WM_CREATE:
        case WM_NCCALCSIZE:
        case WM_GETMINMAXINFO:
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED:
        case WM_MOVE:
        case WM_SIZE:
            // Never in the middle of creating or placing the window: a move under way is
            // in the old parent's coordinates and must end there before the frame comes.
            break;
        default:
            if (!m_pScrollFrame && m_pSkinParent && !m_bWrapping) {
                m_bWrapping = TRUE;
                m_pScrollFrame = WrapInScrollFrame(this);
                m_bWrapping = FALSE;
            }
            break;
        }
        return CSkinControl<T>::WindowProc(message, wParam, lParam);
    }
};
