#include "framework/controls/ButtonLayout.h"

namespace {
bool Horizontal(TButtonLayout layout) {
    return layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
}
}  // namespace

core::Rect ButtonTextBox(core::Size client, core::Size glyph, TButtonLayout layout) noexcept {
    core::Rect box{2, 2, client.width - 2, client.height - 2};
    if (Horizontal(layout))
        box.right -= glyph.width + 2;
    else
        box.bottom -= glyph.height + 2;
    return box;
}

ButtonLayoutResult LayoutButton(const ButtonLayoutInput& in) noexcept {
    const bool horizontal = Horizontal(in.layout);
    ButtonLayoutResult out;
    core::Point text;

    // Across the layout axis both are centred.
    if (horizontal) {
        out.glyph.y = (in.client.height - in.glyph.height + 1) / 2;
        text.y = (in.client.height - in.text.height + 1) / 2;
    } else {
        out.glyph.x = (in.client.width - in.glyph.width + 1) / 2;
        text.x = (in.client.width - in.text.width + 1) / 2;
    }

    int margin = in.margin;
    int spacing = in.spacing;
    if (in.glyph.width == 0 || in.text.width == 0) spacing = 0;

    const int length = horizontal ? in.client.width : in.client.height;
    const int glyphLength = horizontal ? in.glyph.width : in.glyph.height;
    const int textLength = horizontal ? in.text.width : in.text.height;
    if (margin == -1 || (in.kind == ButtonKind::Bitmap && in.centreAligned)) {
        if (spacing == -1) {
            margin = (length - glyphLength - textLength) / 3;
            spacing = margin;
        } else {
            margin = (length - glyphLength - spacing - textLength) / 2;
            if (in.kind == ButtonKind::Speed) margin += 1;
        }
    } else if (spacing == -1) {
        spacing = (length - margin - glyphLength - textLength) / 2;
    }

    int glyphAt = 0;
    int textAt = 0;
    switch (in.layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphTop:
        glyphAt = margin;
        textAt = margin + glyphLength + spacing;
        break;
    case TButtonLayout::blGlyphRight:
    case TButtonLayout::blGlyphBottom:
        glyphAt = length - margin - glyphLength;
        textAt = glyphAt - spacing - textLength;
        break;
    }
    if (horizontal) {
        out.glyph.x = glyphAt;
        text.x = textAt;
    } else {
        out.glyph.y = glyphAt;
        text.y = textAt;
    }
    out.text = core::Rect::FromBounds(text.x, text.y, in.text.width, in.text.height);
    out.margin = margin;
    out.spacing = spacing;
    return out;
}
