#pragma once
// Skin objects: one bitmap holding the state frames of a window or control part, the
// margins that cut it for stretching, and the numbers the description gives for it.
// Each object owns its bitmaps; the skin data component owns the objects.

#include "framework/core/Object.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "skin/data/FrameRules.h"
#include "skin/data/SliceGeometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDataSkinObject : public TObject {
    KESTRELLE_CLASS(TDataSkinObject, TObject)

public:
    explicit TDataSkinObject(std::string_view name);
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The four margins as one rectangle, for the drawing routines.
    SliceMargins Margins() const noexcept { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    void SetMargins(const SliceMargins& margins) noexcept;

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    TBitmap Image;
    // 0: copy opaque; anything else: leave pixels of the key colour out.
    int32_t Trans = 0;
    // 0 stretches the middle, 1 tiles it; the window borders keep their stretch flag here.
    int32_t Tile = 0;
    std::string Name;
    int32_t FrameCount = 0;
    int32_t Style = 0;
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// Tabs, up-down buttons and the combo button: a second picture beside the first.
class TDataSkinBorder : public TDataSkinObject {
    KESTRELLE_CLASS(TDataSkinBorder, TDataSkinObject)

public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap Image2;
};

// Push buttons, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
    KESTRELLE_CLASS(TDataSkinButton, TDataSkinObject)

public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap CheckImage;
    TBitmap RadioImage;
    int32_t RadioFrames = 0;
    int32_t CheckFrames = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// The caption text of a window. Its margins carry the text placement.
class TDataSkinTitle : public TDataSkinObject {
    KESTRELLE_CLASS(TDataSkinTitle, TDataSkinObject)

public:
    using TDataSkinObject::TDataSkinObject;

    int32_t& TextShift() noexcept { return LeftWidth; }
    int32_t TextShift() const noexcept { return LeftWidth; }
    int32_t& TextShiftVert() noexcept { return TopHeight; }
    int32_t TextShiftVert() const noexcept { return TopHeight; }
    int32_t& TextRightClip() noexcept { return RightWidth; }
    int32_t TextRightClip() const noexcept { return RightWidth; }

    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 0;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    // clNone when the skin does not set them.
    TColor ActiveText = 0;
    TColor InActiveText = 0;
};

// A title-bar button.
class TDataSkinSysButton : public TDataSkinObject {
    KESTRELLE_CLASS(TDataSkinSysButton, TDataSkinObject)

public:
    using TDataSkinObject::TDataSkinObject;

    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// The label background of group boxes.
class TDataSkinBoxLabel : public TDataSkinObject {
    KESTRELLE_CLASS(TDataSkinBoxLabel, TDataSkinObject)

public:
    using TDataSkinObject::TDataSkinObject;

    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// Gives `object` the frame count its part has after a load (nothing for a missing
// object). For the push-button object the check-box and radio strip counts are fixed too.
void ApplyFixedFrameCount(TDataSkinObject* object, SkinPart part) noexcept;

// Frame count of a title-bar button read from its section, whose "frame" key read
// `frameKey`; a window-icon button without that key loses its strip.
void ApplyTitleButtonFrames(TDataSkinSysButton& button, int frameKey) noexcept;

// The three buttons of a maximised multi-document child (minimise, restore, close), cut
// from the "MDICONTROLS" strip when there is one. The caller owns them. Throws
// EInvalidGraphic when a bitmap cannot be made.
std::vector<std::unique_ptr<TDataSkinSysButton>> MakeMdiButtons(const TBitmap* mdiControls);
