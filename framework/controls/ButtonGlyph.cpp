#include "framework/controls/ButtonGlyph.h"

#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <climits>
#include <span>
#include <vector>

void ButtonGlyph::Prepare(const TBitmap& bitmap) {
    m_pictures.reset();
    m_width = m_height = 0;
    if (bitmap.Empty() || bitmap.Height() > INT_MAX / 2) return;
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    auto pictures = std::make_unique<DibSection>();
    if (!pictures->EnsureSize(width, 2 * height)) return;
    const COLORREF transparent = ColorToRGB(bitmap.TransparentColor());
    const PixelView out = pictures->View();
    std::vector<TColor> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        bitmap.RowColours(y, row);
        const std::span<uint32_t> image = out.Row(y), grey = out.Row(height + y);
        for (size_t x = 0; x < row.size(); ++x) {
            const COLORREF c = ColorToRGB(row[x]);
            const uint8_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            image[x] = Bgra(r, g, b, 0);
            // The transparent colour stays as it is, so it is still left out.
            const auto mean = static_cast<uint8_t>((r + g + b) / 3);
            grey[x] = c == transparent ? image[x] : Bgra(mean, mean, mean, 0);
        }
    }
    m_transparent = transparent;
    m_pictures = std::move(pictures);
    m_width = width;
    m_height = height;
}

core::Size ButtonGlyph::CellSize(int numGlyphs) const noexcept {
    if (Empty()) return {};
    return {m_width / std::max(1, numGlyphs), m_height};
}

bool ButtonGlyph::Draw(HDC dc, int x, int y, int cell, int numGlyphs) const noexcept {
    if (Empty()) return false;
    numGlyphs = std::max(1, numGlyphs);
    const bool grey = cell >= numGlyphs && cell == 1;
    if (cell < 0 || cell >= numGlyphs) cell = 0;
    const int cellWidth = m_width / numGlyphs;
    return ::TransparentBlt(dc, x, y, cellWidth, m_height, m_pictures->Dc(), cell * cellWidth, grey ? m_height : 0,
                            cellWidth, m_height, m_transparent) != FALSE;
}

GlyphButtonLook::GlyphButtonLook(TControl& control) : m_control{control} {
    m_glyph.OnChange = [this](TObject*) {
        m_strip.Prepare(m_glyph);
        m_control.Invalidate();
    };
}

void GlyphButtonLook::SetNumGlyphs(int value) {
    m_numGlyphs = std::clamp(value, 1, 4);
    m_control.Invalidate();
}

void GlyphButtonLook::SetLayout(TButtonLayout value) {
    m_layout = value;
    m_control.Invalidate();
}

void GlyphButtonLook::SetMargin(int value) {
    m_margin = std::max(-1, value);
    m_control.Invalidate();
}

void GlyphButtonLook::SetSpacing(int value) {
    m_spacing = std::max(-1, value);
    m_control.Invalidate();
}

bool GlyphButtonLook::PaintFace(HDC dc, const RECT& box, ButtonKind kind, int cell, int shift) const noexcept {
    const std::wstring& caption = m_control.Caption();
    const core::Size client{box.right - box.left, box.bottom - box.top};
    const core::Size glyph = m_strip.CellSize(m_numGlyphs);
    SelectScope useFont{dc, m_control.FontHandle()};
    const int length = static_cast<int>(caption.size());
    core::Size text{};
    if (length > 0) {
        const core::Rect textBox = ButtonTextBox(client, glyph, m_layout);
        RECT measure{0, 0, std::max(0, textBox.Width()), 0};
        ::DrawTextW(dc, caption.c_str(), length, &measure, DT_CALCRECT | DT_WORDBREAK);
        text = {measure.right - measure.left, measure.bottom - measure.top};
    }
    const ButtonLayoutResult place = LayoutButton({client, glyph, text, m_layout, m_margin, m_spacing, kind, false});

    bool drawn = true;
    if (!m_strip.Empty())
        drawn = m_strip.Draw(dc, box.left + place.glyph.x + shift, box.top + place.glyph.y + shift, cell, m_numGlyphs);
    if (length == 0) return drawn;

    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    UINT flags = DT_WORDBREAK;
    if (m_layout == TButtonLayout::blGlyphRight) flags |= DT_RIGHT;
    if (m_layout == TButtonLayout::blGlyphTop || m_layout == TButtonLayout::blGlyphBottom) flags |= DT_CENTER;
    if (m_control.UseRightToLeftReading()) flags |= DT_RTLREADING;
    RECT r{box.left + place.text.left + shift, box.top + place.text.top + shift, box.left + place.text.right + shift,
           box.top + place.text.bottom + shift};
    if (m_control.Enabled()) {
        ::SetTextColor(dc, ColorToRGB(m_control.Font().Color()));
        ::DrawTextW(dc, caption.c_str(), length, &r, flags);
    } else {
        // Etched: a highlight copy below-right, the shadow on top.
        RECT lower = r;
        ::OffsetRect(&lower, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(dc, caption.c_str(), length, &lower, flags);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextW(dc, caption.c_str(), length, &r, flags);
    }
    return drawn;
}
