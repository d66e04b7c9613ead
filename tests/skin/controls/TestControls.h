#pragma once
// Framework controls for the control-skin tests: system "BUTTON" windows that publish
// what the button and check skins read by name (a glyph strip, an image list, a
// picture of another format, layout, check state), and click when their window says
// so, as framework buttons do.

#include "framework/controls/ControlTypes.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"

#include <windows.h>

class TTestButton : public TWinControl {
    KESTRELLE_CLASS(TTestButton, TWinControl)

public:
    explicit TTestButton(DWORD buttonStyle = BS_PUSHBUTTON) : m_buttonStyle{buttonStyle} {
        SetBounds(0, 0, 80, 24);
        SetTabStop(true);
        // The window itself says when it was clicked (BN_CLICKED), as a framework button's does.
        SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    }

    TBitmap& Glyph() noexcept { return m_glyph; }
    TBitmap& PngImage() noexcept { return m_png; }
    int NumGlyphs() const noexcept { return m_numGlyphs; }
    void SetNumGlyphs(int value) noexcept { m_numGlyphs = value; }
    TButtonLayout Layout() const noexcept { return m_layout; }
    void SetLayout(TButtonLayout value) noexcept { m_layout = value; }
    int Margin() const noexcept { return m_margin; }
    void SetMargin(int value) noexcept { m_margin = value; }
    int Spacing() const noexcept { return m_spacing; }
    void SetSpacing(int value) noexcept { m_spacing = value; }
    TImageList* Images() const noexcept { return m_images; }
    void SetImages(TImageList* value) noexcept { m_images = value; }
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int value) noexcept { m_imageIndex = value; }
    int DisabledIndex() const noexcept { return m_disabledIndex; }
    void SetDisabledIndex(int value) noexcept { m_disabledIndex = value; }
    bool Checked() const noexcept { return m_checked; }
    void SetChecked(bool value) noexcept { m_checked = value; }

    static void Publish(TPublisher<TTestButton>& p) {
        p.Object(u"Glyph", &TTestButton::Glyph);
        p.Object(u"PngImage", &TTestButton::PngImage);
        p.Integer(u"NumGlyphs", &TTestButton::NumGlyphs, &TTestButton::SetNumGlyphs);
        p.Enum(u"Layout", &TTestButton::Layout, &TTestButton::SetLayout);
        p.Integer(u"Margin", &TTestButton::Margin, &TTestButton::SetMargin);
        p.Integer(u"Spacing", &TTestButton::Spacing, &TTestButton::SetSpacing);
        p.Reference(u"Images", &TTestButton::Images, &TTestButton::SetImages);
        p.Integer(u"ImageIndex", &TTestButton::ImageIndex, &TTestButton::SetImageIndex);
        p.Integer(u"DisabledIndex", &TTestButton::DisabledIndex, &TTestButton::SetDisabledIndex);
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.baseClass = L"BUTTON";
        params.style |= m_buttonStyle;
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == kMsgReflectCommand && HIWORD(message.WParam) == BN_CLICKED) {
            Click();
            return;
        }
        TWinControl::WndProc(message);
    }

private:
    DWORD m_buttonStyle;
    TBitmap m_glyph;
    TBitmap m_png;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_spacing = -1;
    TImageList* m_images = nullptr;
    int m_imageIndex = -1;
    int m_disabledIndex = -1;
    bool m_checked = false;
};

// A check box or radio button that publishes Checked (as their framework classes do).
class TTestCheck : public TTestButton {
    KESTRELLE_CLASS(TTestCheck, TTestButton)

public:
    explicit TTestCheck(DWORD buttonStyle = BS_AUTOCHECKBOX) : TTestButton(buttonStyle) { SetBounds(0, 0, 120, 21); }

    static void Publish(TPublisher<TTestCheck>& p) {
        p.Bool(u"Checked", &TTestCheck::Checked, &TTestCheck::SetChecked);
    }
};
