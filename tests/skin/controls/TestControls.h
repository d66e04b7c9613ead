#pragma once
// A framework control for the control-skin tests: a system "BUTTON" window that
// publishes what glyph-button skins read by name beyond the framework's own buttons (an
// image list with its indexes, and a picture of another format beside a glyph strip).

#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"

#include <windows.h>

class TTestButton : public TWinControl {
    KESTRELLE_CLASS(TTestButton, TWinControl)

public:
    TTestButton() {
        SetBounds(0, 0, 80, 24);
    }

    TBitmap& Glyph() noexcept { return m_glyph; }
    TBitmap& PngImage() noexcept { return m_png; }
    TImageList* Images() const noexcept { return m_images; }
    void SetImages(TImageList* value) noexcept { m_images = value; }
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int value) noexcept { m_imageIndex = value; }
    int DisabledIndex() const noexcept { return m_disabledIndex; }
    void SetDisabledIndex(int value) noexcept { m_disabledIndex = value; }

    static void Publish(TPublisher<TTestButton>& p) {
        p.Object(u"Glyph", &TTestButton::Glyph);
        p.Object(u"PngImage", &TTestButton::PngImage);
        p.Reference(u"Images", &TTestButton::Images, &TTestButton::SetImages);
        p.Integer(u"ImageIndex", &TTestButton::ImageIndex, &TTestButton::SetImageIndex);
        p.Integer(u"DisabledIndex", &TTestButton::DisabledIndex, &TTestButton::SetDisabledIndex);
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.baseClass = L"BUTTON";
        params.style |= BS_PUSHBUTTON;
    }

private:
    TBitmap m_glyph;
    TBitmap m_png;
    TImageList* m_images = nullptr;
    int m_imageIndex = -1;
    int m_disabledIndex = -1;
};
