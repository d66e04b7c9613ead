#pragma once
// Check boxes and radio buttons that draw themselves from a glyph strip given to them:
// the skin builds such a strip from its own check or radio cells and hands it over
// through the control's published properties, so the control shows the skin's marks
// with no message of its own taken over. Detached, the control gets back the glyphs
// and settings it had.

#include "framework/graphics/Bitmap.h"
#include "skin/controls/GlyphStripPlan.h"
#include "skin/controls/SkinControl.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TSkinObjImage : public TSkinControl {
    KESTRELLE_CLASS(TSkinObjImage, TSkinControl)

public:
    // 1: a check box with a 9-cell "CustomGlyphs" strip; 2: a radio button with a 6-cell
    // one; 3: a check box whose 6-cell strip is the "Glyph" of its "Properties".
    int32_t ImageKind() const noexcept { return m_imageKind; }
    void SetImageKind(int32_t kind) noexcept { m_imageKind = kind; }

    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void Unskin() override;
    void Reskin() override;

    // The strip for `kind` built from the skin's cells; null when the skin has none.
    static std::unique_ptr<TBitmap> BuildStrip(TSkinData& skinData, GlyphStripTarget kind);

private:
    void HandOver();
    TBitmap* PropertiesGlyph() const;

    int32_t m_imageKind = 1;
    // What the control had before the first hand-over.
    struct Saved {
        TBitmap glyphs;
        std::optional<std::u16string> transparentColor;
        std::optional<std::u16string> useCustomGlyphs;
    };
    std::unique_ptr<Saved> m_saved;
};
