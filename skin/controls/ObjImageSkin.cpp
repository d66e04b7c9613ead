#include "skin/controls/ObjImageSkin.h"

#include "framework/controls/Control.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/graphics/GraphicsObjects.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/WinSkinData.h"

namespace {

// The colour the strip's blank cells and the skin's cells leave out.
constexpr TColor kKey = clFuchsia;
constexpr std::u16string_view kKeyText = u"16711935";

GlyphStripTarget TargetOf(int32_t kind) {
    return kind == 2 ? GlyphStripTarget::Radio : kind == 3 ? GlyphStripTarget::CompactCheck : GlyphStripTarget::Check;
}

}  // namespace

std::unique_ptr<TBitmap> TSkinObjImage::BuildStrip(TSkinData& skinData, GlyphStripTarget kind) {
    const TDataSkinButton& buttons = skinData.Buttons();
    const bool radio = kind == GlyphStripTarget::Radio;
    const TBitmap& source = radio ? buttons.RadioImage : buttons.CheckImage;
    const int cells = radio ? buttons.RadioFrames : buttons.CheckFrames;
    const std::optional<GlyphStripPlan> plan = PlanGlyphStrip(kind, cells, source.Width());
    if (!plan || source.Empty() || !source.Dc()) return nullptr;
    auto made = std::make_unique<TBitmap>();
    TBitmap& strip = *made;
    const int w = plan->cellWidth, h = source.Height();
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(w * plan->destinationCells, h);
    HDC into = strip.Dc();
    if (!into) return nullptr;
    // Cells no source cell fills are blank: all key colour, so they show nothing.
    BrushHandle key{::CreateSolidBrush(ColorToRGB(kKey))};
    const RECT all{0, 0, strip.Width(), h};
    if (key) ::FillRect(into, &all, key.Get());
    for (const CellCopy& copy : plan->copies)
        ::BitBlt(into, copy.destination * w, 0, w, h, source.Dc(), copy.source * w, 0, SRCCOPY);
    ::GdiFlush();
    return made;
}

void TSkinObjImage::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    // The control draws itself from what it is handed; none of its messages is taken over.
    AttachOwner(form, skinData, recolour, canvas, HandlerUse::Keep);
    HandOver();
}

void TSkinObjImage::Reskin() {
    TSkinControl::Reskin();
    HandOver();
}

TBitmap* TSkinObjImage::PropertiesGlyph() const {
    return GetObjectProp<TBitmap>(::GetObjectProp(Control(), u"Properties"), u"Glyph");
}

void TSkinObjImage::HandOver() {
    TControl* control = Control();
    if (!control || !SkinData()) return;
    const std::unique_ptr<TBitmap> made = BuildStrip(*SkinData(), TargetOf(m_imageKind));
    if (!made) return;  // the skin has no cells to give
    TBitmap& strip = *made;
    if (m_imageKind == 3) {
        TBitmap* glyph = PropertiesGlyph();
        if (!glyph) return;
        if (!m_saved) {
            m_saved = std::make_unique<Saved>();
            m_saved->glyphs.Assign(*glyph);
        }
        glyph->Assign(strip);
        glyph->SetTransparentColor(kKey);
        glyph->SetTransparent(false);
        return;
    }
    auto* glyphs = GetObjectProp<TBitmap>(control, u"CustomGlyphs");
    if (!glyphs) return;
    if (!m_saved) {
        m_saved = std::make_unique<Saved>();
        m_saved->glyphs.Assign(*glyphs);
        m_saved->transparentColor = GetPropText(control, u"transparentcolor");
        m_saved->useCustomGlyphs = GetPropText(control, u"UseCustomGlyphs");
    }
    SetObjectProp(control, u"CustomGlyphs", &strip);
    SetPropText(control, u"transparentcolor", kKeyText);
    // Off and on again: the control loads its glyphs anew.
    SetPropText(control, u"UseCustomGlyphs", u"false");
    SetPropText(control, u"UseCustomGlyphs", u"true");
}

void TSkinObjImage::Unskin() {
    TSkinControl::Unskin();
    TControl* control = Control();
    if (!control) return;
    try {
        if (m_imageKind == 3) {
            if (TBitmap* glyph = PropertiesGlyph()) {
                if (m_saved) glyph->Assign(m_saved->glyphs);
                else glyph->Clear();
            }
        } else {
            SetPropText(control, u"UseCustomGlyphs", u"false");
            // The control's own glyphs and settings come back, as the skin found them.
            if (m_saved) {
                SetObjectProp(control, u"CustomGlyphs", &m_saved->glyphs);
                if (m_saved->transparentColor) SetPropText(control, u"transparentcolor", *m_saved->transparentColor);
                if (m_saved->useCustomGlyphs) SetPropText(control, u"UseCustomGlyphs", *m_saved->useCustomGlyphs);
            }
        }
    } catch (...) {
        LogCurrentException(u"a check box's own glyphs could not be given back");
    }
    m_saved.reset();
}
