#include "skin/controls/ToolButtonSkin.h"

#include "framework/core/FailureLog.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicsObjects.h"
#include "skin/controls/ButtonRules.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

bool PaintToolButtonFace(TCanvas& canvas, const RECT& bounds, TCustomDrawState state, TSkinData& skin) noexcept {
    try {
        const TDataSkinButton& object = skin.Buttons();
        // The control hands over its caption in the system's button text colour: on the
        // skin's faces that is the skin's, or a dark skin's captions would be dark on dark.
        if (static_cast<COLORREF>(canvas.Font().Color()) == ::GetSysColor(COLOR_BTNTEXT))
            canvas.Font().SetColor(skin.Colours().ButtonText);
        const auto frame = ToolButtonFrame(state.Bits());
        HDC dc = canvas.Handle();
        if (!frame || object.Image.Empty() || !dc) return false;
        switch (ChooseCaptionColour(*frame, true,
                                    {object.HasNormalColour2, object.HasMouseOverColour2, object.HasPressedColour2})) {
        case CaptionColour::Normal: canvas.Font().SetColor(object.NormalColour2); break;
        case CaptionColour::Hover: canvas.Font().SetColor(object.MouseOverColour2); break;
        case CaptionColour::Pressed: canvas.Font().SetColor(object.PressedColour2); break;
        default: break;
        }
        const RECT face{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
        return DrawSliced(dc, face, object.Image, FrameLayout::Horizontal, MiddleMode::Stretch,
                          TransparencyOf(object.Trans), 5, static_cast<int>(*frame), object.Margins());
    } catch (...) {
        LogCurrentException(u"a tool button's skin face could not be drawn");
        return false;
    }
}
