#include "framework/controls/MediaGlyphs.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"
#include "framework/win/Handles.h"

#include <string>

namespace {

size_t Index(MediaGlyphSet set, uint8_t button) {
    return static_cast<size_t>(set) * kMediaButtonCount + (button < kMediaButtonCount ? button : 0);
}

}  // namespace

MediaGlyphs::MediaGlyphs(HINSTANCE module) {
    for (int set = 0; set < kMediaGlyphSets; ++set)
        for (uint8_t button = 0; button < kMediaButtonCount; ++button) {
            auto glyph = std::make_unique<TBitmap>();
            const std::u16string name = MediaGlyphName(static_cast<MediaGlyphSet>(set), button);
            try {
                glyph->LoadFromResourceName(module, std::wstring(name.begin(), name.end()));
            } catch (const EResNotFound&) {
                // A program without this picture shows the button without it.
            }
            m_glyphs[Index(static_cast<MediaGlyphSet>(set), button)] = std::move(glyph);
        }
}

const TBitmap& MediaGlyphs::Glyph(MediaGlyphSet set, uint8_t button) const { return *m_glyphs[Index(set, button)]; }

bool MediaGlyphs::DrawCentred(HDC dc, const RECT& box, MediaGlyphSet set, uint8_t button, int shift) const noexcept {
    if (button >= kMediaButtonCount) return false;
    const TBitmap& glyph = Glyph(set, button);
    HDC source = glyph.Dc();
    if (glyph.Empty() || !source) return false;
    const int w = glyph.Width(), h = glyph.Height();
    const int x = box.left + (box.right - box.left - w) / 2 + shift;
    const int y = box.top + (box.bottom - box.top - h) / 2 + shift;
    // A glyph larger than its button stays inside it.
    SavedDc keep{dc};
    ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    return ::TransparentBlt(dc, x, y, w, h, source, 0, 0, w, h, kTransparent) != FALSE;
}
