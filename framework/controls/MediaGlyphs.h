#pragma once
// The 27 pictures of a media player's transport buttons (an enabled, a disabled and a
// coloured one for each of the nine), loaded by name from the program's bitmap
// resources. A picture the program does not carry stays empty and is not drawn.

#include "framework/controls/MediaButtons.h"
#include "framework/graphics/Bitmap.h"

#include <array>
#include <memory>

#include <windows.h>

class MediaGlyphs {
public:
    // Olive: the glyphs' transparent colour.
    static constexpr COLORREF kTransparent = RGB(0x80, 0x80, 0x00);

    // Loads every glyph `module` carries ("EN_MPPLAY" ...).
    explicit MediaGlyphs(HINSTANCE module);

    const TBitmap& Glyph(MediaGlyphSet set, uint8_t button) const;
    // The glyph centred in `box`, moved by `shift` pixels right and down, olive left out.
    // False when there is no such glyph.
    bool DrawCentred(HDC dc, const RECT& box, MediaGlyphSet set, uint8_t button, int shift) const noexcept;

private:
    std::array<std::unique_ptr<TBitmap>, kMediaGlyphSets * kMediaButtonCount> m_glyphs;
};
