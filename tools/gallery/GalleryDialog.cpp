#include "tools/gallery/GalleryDialog.h"

#include "tools/gallery/GalleryLayout.h"

namespace {
constexpr UINT kGalleryTemplate = 100;
// The containers of the dialog template.
constexpr int kListId = 2001;
constexpr int kClosedComboId = 2002;
constexpr int kOpenComboId = 2003;
constexpr int kEditId = 2004;
constexpr int kEditListId = 2005;
// Posted at start: the scale can be read once the window is on the screen.
constexpr UINT WM_GALLERY_SHOWN = WM_APP + 1;
constexpr UINT kFirstControlId = 1000;
} // namespace

CGalleryDialog::CGalleryDialog(const std::wstring& pictureFolder, const std::wstring& resFolder)
    : CSkinDialog(kGalleryTemplate), m_resFolder(resFolder) {
    auto file = [&](const wchar_t* suffix) {
        return pictureFolder + L"\\Gallery_" + suffix + L".bmp";
    };
    AddNormalImage(file(L"Normal").c_str());
    AddDisableImage(file(L"Disable").c_str());
    AddDisableSelectedImage(file(L"DisableSelected").c_str());
    AddHoverImage(file(L"Hover").c_str());
    AddHoverSelectedImage(file(L"HoverSelected").c_str());
    AddSelectedImage(file(L"Selected").c_str());
}

BOOL CGalleryDialog::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    MoveWindow(40, 40, gallery::kWidth, gallery::kHeight);
    CreateControls();
    ApplyStates();
    PostMessage(WM_GALLERY_SHOWN);
    return TRUE;
}

LRESULT CGalleryDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GALLERY_SHOWN) {
        FillContainers();
        RefreshScale();
        return 0;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

template <typename Control>
std::unique_ptr<CWnd> CGalleryDialog::BindTemplateControl(int id, const RECT& rect) {
    auto control = std::make_unique<Control>();
    control->SubclassDlgItem(static_cast<UINT>(id), this);
    control->MoveWindow(rect);
    return control;
}

void CGalleryDialog::CreateControls() {
    using gallery::Kind;
    UINT id = kFirstControlId;
    for (const gallery::Slot& slot : gallery::Slots()) {
        std::unique_ptr<CWnd> control;
        // Every control its own group: a checked radio box unchecks its whole group.
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
        switch (slot.kind) {
        case Kind::Button:
        case Kind::StripButton: {
            auto button = std::make_unique<CSkinButton>();
            button->Create(slot.text, style, slot.rect, this, id);
            control = std::move(button);
            break;
        }
        case Kind::CheckBox: {
            auto box = std::make_unique<CSkinCheckBox>();
            box->Create(slot.text, style | BS_AUTOCHECKBOX, slot.rect, this, id);
            control = std::move(box);
            break;
        }
        case Kind::RadioBox: {
            auto radio = std::make_unique<CSkinRadioBox>();
            radio->Create(slot.text, style | BS_AUTORADIOBUTTON, slot.rect, this, id);
            control = std::move(radio);
            break;
        }
        case Kind::Static:
        case Kind::Timer:
        case Kind::ColorBar:
        case Kind::Indicator: {
            std::unique_ptr<CSkinStatic> label;
            if (slot.kind == Kind::Timer)
                label = std::make_unique<CSkinTimer>();
            else if (slot.kind == Kind::ColorBar)
                label = std::make_unique<CSkinColorStatic>();
            else if (slot.kind == Kind::Indicator)
                label = std::make_unique<CSkinColorIndicator>();
            else
                label = std::make_unique<CSkinStatic>();
            label->Create(slot.text, style | SS_NOTIFY, slot.rect, this, id);
            control = std::move(label);
            break;
        }
        case Kind::List:
        case Kind::EditList: {
            // Rows from the item strip, as in the programs' own lists.
            auto list = slot.kind == Kind::List
                            ? BindTemplateControl<CSkinListBox>(kListId, slot.rect)
                            : BindTemplateControl<CSkinListBoxEdit>(kEditListId, slot.rect);
            static_cast<CSkinListBox*>(list.get())
                ->LoadItemImage((m_resFolder + L"\\listback.bmp").c_str());
            control = std::move(list);
            break;
        }
        case Kind::Combo: {
            RECT dropped = slot.rect;
            dropped.bottom += 100; // the height of the open list
            control = BindTemplateControl<CSkinComboBox>(
                slot.variant == 0 ? kClosedComboId : kOpenComboId, dropped);
            break;
        }
        case Kind::Edit:
            control = BindTemplateControl<CSkinEdit>(kEditId, slot.rect);
            break;
        case Kind::Slider: {
            auto slider = std::make_unique<CSkinSliderCtrl>();
            slider->Create(style | TBS_HORZ, slot.rect, this, id);
            slider->LoadThumbImage((m_resFolder + L"\\SliderThumb.bmp").c_str());
            slider->SetRange(0, 3);
            slider->SetChannelRect(slot.rect);
            slider->SetValue(slot.variant == 0 ? 1 : 2);
            control = std::move(slider);
            break;
        }
        }
        m_controls.push_back(std::move(control));
        ++id;
    }
}

void CGalleryDialog::ApplyStates() {
    using gallery::Kind;
    Picture strip = fw::LoadPicture(m_resFolder + L"\\MacroButton.bmp");
    const int stripWidth = fw::IsDrawable(strip) ? static_cast<int>(strip->GetWidth()) / 4 : 0;
    const int stripHeight = fw::IsDrawable(strip) ? static_cast<int>(strip->GetHeight()) / 4 : 0;

    for (size_t i = 0; i < m_controls.size(); ++i) {
        const gallery::Slot& slot = gallery::Slots()[i];
        CWnd* control = m_controls[i].get();
        switch (slot.kind) {
        case Kind::Button: {
            auto* button = static_cast<CSkinButton*>(control);
            if (slot.variant == 1)
                button->EnableWindow(FALSE);
            button->SetHover(slot.variant == 2);
            if (slot.variant == 3)
                button->SetState(TRUE);
            break;
        }
        case Kind::StripButton: {
            auto* button = static_cast<CSkinButton*>(control);
            button->SetBitmap(strip, stripWidth, stripHeight, slot.variant);
            break;
        }
        case Kind::CheckBox:
        case Kind::RadioBox: {
            // Off, on, hover, hover on, disabled, disabled on.
            auto* box = static_cast<CSkinCheckableButton*>(control);
            box->SendMessage(BM_SETCHECK, slot.variant % 2);
            box->SetHover(slot.variant == 2 || slot.variant == 3);
            if (slot.variant >= 4)
                box->EnableWindow(FALSE);
            break;
        }
        case Kind::Static:
            control->EnableWindow(slot.variant == 0);
            break;
        case Kind::Timer:
            static_cast<CSkinTimer*>(control)->Start();
            break;
        case Kind::ColorBar:
            m_bar = static_cast<CSkinColorStatic*>(control);
            break;
        case Kind::Indicator:
            break;
        case Kind::Slider:
            control->EnableWindow(slot.variant == 0);
            break;
        case Kind::List:
        case Kind::Combo:
        case Kind::Edit:
        case Kind::EditList:
            break;
        }
        control->Invalidate();
    }
}

CSkinListBox* CGalleryDialog::LongList() const {
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (gallery::Slots()[i].kind == gallery::Kind::List)
            return static_cast<CSkinListBox*>(m_controls[i].get());
    return nullptr;
}

void CGalleryDialog::FillContainers() {
    using gallery::Kind;
    for (size_t i = 0; i < m_controls.size(); ++i) {
        const gallery::Slot& slot = gallery::Slots()[i];
        CWnd* control = m_controls[i].get();
        switch (slot.kind) {
        case Kind::List: {
            auto* list = static_cast<CSkinListBox*>(control);
            for (int item = 1; item <= 30; ++item)
                list->AddString((L"Profile " + std::to_wstring(item)).c_str());
            list->SetCurSel(2);
            break;
        }
        case Kind::EditList: {
            auto* list = static_cast<CSkinListBoxEdit*>(control);
            list->LoadButtonImage((m_resFolder + L"\\MacroButton.bmp").c_str());
            list->LoadIndicatorImage((m_resFolder + L"\\MacroIndicator.bmp").c_str());
            const wchar_t* steps[] = {L"A down", L"Wait 100 ms", L"A up",    L"Shift down",
                                      L"B down", L"B up",        L"Shift up"};
            int indicator = 0;
            for (const wchar_t* step : steps)
                list->AddItem(step, indicator++ % 3, 0xF);
            break;
        }
        case Kind::Combo: {
            auto* combo = static_cast<CSkinComboBox*>(control);
            for (const wchar_t* text : {L"English", L"Deutsch", L"Fran\u00e7ais"})
                combo->AddString(text);
            combo->SetCurSel(0);
            if (slot.variant == 1)
                combo->ShowDropDown(TRUE);
            break;
        }
        case Kind::Edit:
            control->SetWindowText(L"A skinned edit box whose text is longer than the box, so "
                                   L"that it scrolls: one line, another line, and one more "
                                   L"line after that, until the bar appears.");
            break;
        default:
            break;
        }
    }
}

void CGalleryDialog::RefreshScale() {
    using gallery::Kind;
    if (!m_bar)
        return;
    m_bar->RedrawWindow();
    int value = 0;
    for (size_t i = 0; i < m_controls.size(); ++i) {
        if (gallery::Slots()[i].kind != Kind::Indicator)
            continue;
        auto* indicator = static_cast<CSkinColorIndicator*>(m_controls[i].get());
        indicator->SetIndicatorColor(m_bar->GetColorAt(value));
        indicator->SetWindowText(std::to_wstring(value).c_str());
        indicator->Invalidate();
        value += 25;
    }
}
