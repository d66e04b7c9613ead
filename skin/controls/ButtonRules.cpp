#include "skin/controls/ButtonRules.h"

#include "framework/graphics/Colors.h"

ButtonFrame PushButtonFrame(const ButtonFacts& facts) noexcept {
    ButtonFrame frame = facts.focused ? ButtonFrame::Focused : ButtonFrame::Normal;
    if (facts.pressed)
        frame = ButtonFrame::Pressed;
    else if (facts.hover)
        frame = ButtonFrame::Hover;
    return facts.enabled ? frame : ButtonFrame::Disabled;
}

ButtonFrame GlyphButtonFrame(const ButtonFacts& facts) noexcept {
    if (!facts.enabled) return ButtonFrame::Disabled;
    if (facts.pressed) return ButtonFrame::Pressed;
    if (facts.hover) return ButtonFrame::Hover;
    return facts.focused ? ButtonFrame::Focused : ButtonFrame::Normal;
}

ButtonFrame MenuButtonFrame(const ButtonFacts& facts) noexcept {
    if (!facts.enabled) return ButtonFrame::Disabled;
    if (facts.pressed) return ButtonFrame::Pressed;
    return facts.focused || facts.hover ? ButtonFrame::Hover : ButtonFrame::Normal;
}

ButtonFrame SpeedButtonFrame(const ButtonFacts& facts, bool down) noexcept {
    if (down) return ButtonFrame::Pressed;
    if (!facts.enabled) return ButtonFrame::Disabled;
    if (facts.pressed) return ButtonFrame::Pressed;
    return facts.hover ? ButtonFrame::Hover : ButtonFrame::Normal;
}

bool SpeedButtonFrameShown(bool flat, ButtonFrame frame) noexcept {
    return !flat || frame == ButtonFrame::Pressed || frame == ButtonFrame::Hover;
}

int GlyphIndex(ButtonFrame frame, bool down) noexcept {
    if (down) return 4;
    switch (frame) {
    case ButtonFrame::Pressed: return 3;
    case ButtonFrame::Disabled: return 2;
    default: return 1;
    }
}

int GlyphCount(int numGlyphs) noexcept { return numGlyphs < 1 ? 1 : numGlyphs; }

GlyphCell ChooseGlyphCell(int index, int numGlyphs) noexcept {
    const bool outside = index < 1 || index > GlyphCount(numGlyphs);
    return {outside ? 0 : index - 1, index == 2};
}

CaptionColour ChooseCaptionColour(ButtonFrame frame, bool enabled, const SkinCaptionColours& defined) noexcept {
    if (!enabled) return CaptionColour::Grey;
    if (frame == ButtonFrame::Normal && defined.normal) return CaptionColour::Normal;
    if (frame == ButtonFrame::Hover && defined.hover) return CaptionColour::Hover;
    if (frame == ButtonFrame::Pressed && defined.pressed) return CaptionColour::Pressed;
    return CaptionColour::Own;
}

std::u16string CaptionLines(std::u16string_view caption) {
    std::u16string text(caption);
    if (const size_t at = text.find(u"||"); at != std::u16string::npos) text.replace(at, 2, u"\r\n");
    return text;
}

core::Rect CaptionMeasureBox(const core::Rect& button) noexcept { return button.Inflate(-2, -2); }

core::Rect PlaceCaption(const core::Rect& button, core::Size block, bool centred) noexcept {
    const int top = button.top + (button.Height() - block.height) / 2 - 1;
    if (!centred) return {button.left, top, button.right, top + block.height};
    return core::Rect::FromBounds(button.left + (button.Width() - block.width) / 2, top, block.width, block.height);
}

core::Rect CaptionFocusRect(const core::Rect& text) noexcept { return text.Inflate(2, 2); }

core::Rect FocusAround(const core::Rect& box, core::Size block, CaptionAlign align) noexcept {
    core::Rect focus = core::Rect::FromBounds(box.left, box.top, block.width, block.height);
    if (align == CaptionAlign::Centre)
        focus = focus.Offset((box.Width() - block.width) / 2, (box.Height() - block.height) / 2 - 1);
    else if (align == CaptionAlign::Right)
        focus = focus.Offset(box.Width() - block.width, 0);
    return focus.Inflate(2, 1).Intersect(box);
}

core::Size GlyphCellSize(const GlyphProps& props) noexcept {
    if (props.bitmap.width > 0 && props.bitmap.height > 0)
        return {props.bitmap.width / GlyphCount(props.numGlyphs), props.bitmap.height};
    if (props.imageIndex != -1) return props.listImage;
    return {};
}

TButtonLayout GlyphLayout(std::u16string_view ident) noexcept {
    if (ident == u"blglyphright") return TButtonLayout::blGlyphRight;
    if (ident == u"blglyphtop") return TButtonLayout::blGlyphTop;
    if (ident == u"blglyphbottom") return TButtonLayout::blGlyphBottom;
    return TButtonLayout::blGlyphLeft;
}

core::Rect GlyphTextBox(core::Size client, const GlyphProps& props) noexcept {
    return ButtonTextBox(client, GlyphCellSize(props), GlyphLayout(props.layout));
}

ButtonLayoutResult PlaceGlyphAndCaption(ButtonKind kind, core::Size client, const GlyphProps& props,
                                        core::Size text) noexcept {
    const bool centreAligned = kind == ButtonKind::Bitmap && props.alignment == u"tacenter";
    return LayoutButton({client, GlyphCellSize(props), text, GlyphLayout(props.layout), props.margin, props.spacing,
                         kind, centreAligned});
}

CaptionAlign GlyphCaptionAlign(TButtonLayout layout) noexcept {
    switch (layout) {
    case TButtonLayout::blGlyphRight: return CaptionAlign::Right;
    case TButtonLayout::blGlyphTop:
    case TButtonLayout::blGlyphBottom: return CaptionAlign::Centre;
    default: return CaptionAlign::Left;
    }
}

core::Rect MenuButtonTextBox(core::Size client) noexcept {
    return core::Rect{0, 0, client.width - kMenuArrowRoom, client.height}.Inflate(-2, -2);
}

core::Point MenuButtonTextAt(core::Size client, core::Size text) noexcept {
    return {(client.width - kMenuArrowRoom - text.width) / 2 + 2, (client.height - text.height + 1) / 2};
}

std::array<core::Point, 3> MenuButtonArrow(core::Size client) noexcept {
    const int middle = client.height / 2;
    return {core::Point{client.width - 12, middle + 2}, core::Point{client.width - 15, middle - 1},
            core::Point{client.width - 9, middle - 1}};
}

std::optional<ButtonFrame> ToolButtonFrame(uint32_t customDrawState) noexcept {
    // The custom-draw item state bits (CDIS_...).
    constexpr uint32_t kSelected = 0x1, kGrayed = 0x2, kDisabled = 0x4, kFocus = 0x10, kDefault = 0x20, kHot = 0x40;
    if (customDrawState & kSelected) return ButtonFrame::Pressed;
    if (customDrawState & (kFocus | kHot)) return ButtonFrame::Hover;
    if (!(customDrawState & (kGrayed | kDisabled)) && (customDrawState & kDefault)) return ButtonFrame::Normal;
    return std::nullopt;
}

int CheckBoxCell(const CheckFacts& facts) noexcept {
    int cell = facts.checkedBit ? 2 : 1;
    if (facts.state) {
        if (facts.state->find(u"uncheck") != std::u16string::npos)
            cell = 1;
        else if (facts.state->find(u"check") != std::u16string::npos)
            cell = 2;
        else if (facts.state->find(u"gray") != std::u16string::npos)
            cell = 4;
    } else if (facts.checked) {
        cell = *facts.checked ? 2 : 1;
    }
    if (facts.hasDataField && facts.lastCheck != 0) cell = facts.lastCheck == 3 ? 4 : facts.lastCheck;
    if (facts.hasDataBinding) cell = 1;
    // Grayed, however the control says so, is one cell for enabled and disabled alike:
    // adding the disabled offset to it would ask for a cell no 4-cell strip has.
    const bool grayed = facts.indeterminateBit || cell == 4;
    const bool large = facts.frames >= 12;
    if (grayed) return large ? (facts.disabled ? 12 : 9) : 4;
    if (facts.disabled) cell += 2;
    if (large && cell > 1) return cell == 2 ? 5 : cell == 3 ? 4 : 8;
    return cell;
}

int RadioButtonCell(const RadioFacts& facts) noexcept {
    int cell = facts.checkedBit ? 2 : 1;
    if (facts.checked) cell = *facts.checked ? 2 : 1;
    if (facts.disabled) cell += 2;
    if (facts.frames >= 8 && cell > 1) return cell == 2 ? 5 : cell == 3 ? 4 : 8;
    return cell;
}

CheckPlaces PlaceCheckBox(const core::Rect& client, core::Size cell, bool leftText, bool radio) noexcept {
    const int top = client.top + (client.Height() - cell.height) / 2;
    if (!leftText) {
        return {core::Rect::FromBounds(client.left, top, cell.width, cell.height),
                {client.left + cell.width + 2, client.top, client.right, client.bottom}};
    }
    const int right = client.right - (radio ? 1 : 0);
    const core::Rect box{right - cell.width, top, right, top + cell.height};
    return {box, {client.left, client.top, box.left - 2, client.bottom}};
}

core::Rect CentreCheckCaption(const core::Rect& caption, int textHeight) noexcept {
    return caption.Offset(0, (caption.Height() - textHeight) / 2);
}

int32_t SkinnedCaptionColour(int32_t fontColour, int32_t skinText) noexcept {
    return fontColour == clWindowText || fontColour == clBtnText ? skinText : fontColour;
}
