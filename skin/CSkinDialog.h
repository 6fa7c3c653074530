#pragma once
// A dialog drawn from full-window pictures, one list per state, shaped by a mask picture.
#include "framework/CDialogEx.h"
#include "framework/Handle.h"
#include "framework/Picture.h"
#include "skin/SkinState.h"

#include <vector>

class CSkinDialog : public CDialogEx {
public:
    explicit CSkinDialog(UINT templateId);

    void AddNormalImage(const wchar_t* path) { AddImage(Normal, path); }
    void AddDisableImage(const wchar_t* path) { AddImage(Disable, path); }
    void AddDisableSelectedImage(const wchar_t* path) { AddImage(DisableSelected, path); }
    void AddHoverImage(const wchar_t* path) { AddImage(Hover, path); }
    void AddHoverSelectedImage(const wchar_t* path) { AddImage(HoverSelected, path); }
    void AddSelectedImage(const wchar_t* path) { AddImage(Selected, path); }
    void SetMaskImage(const wchar_t* path);

    // The picture at index of the state's list; empty when there is none.
    Picture GetImage(SkinState state, int index) const;
    int GetCurImage() const { return m_nCurImage; }

    // Makes Normal picture index the background; nothing when there is no such picture.
    void SelectBackground(int index);
    // Sizes the window to the mask and cuts away its exactly white pixels.
    void ApplyMaskRegion();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<Picture> m_images[kSkinStateCount];
    Picture m_mask;
    BOOL m_bDraggable = FALSE;
    int m_nCurImage = 0;
    fw::UniqueBrush m_brBackground;

private:
    void AddImage(SkinState state, const wchar_t* path);
};
