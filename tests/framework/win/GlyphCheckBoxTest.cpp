// Check boxes and radio buttons that take a glyph strip: a click moves them on, a radio
// button turns off its siblings, and the strip in use changes only when it is loaded.

#include "framework/controls/GlyphCheckBox.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/DibSection.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using enum TCheckBoxState;

class GlyphCheckBoxTest : public FormFixture {
protected:
    static void Click(TWinControl& control, int x = 5) {
        ::SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        ::SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    }
    // A strip of `cells` 4-pixel cells, cell i in colour RGB(i * 20, 100, 0).
    static void FillStrip(TBitmap& strip, int cells) {
        strip.SetSize(cells * 4, 4);
        for (int i = 0; i < cells; ++i) {
            BrushHandle brush{::CreateSolidBrush(RGB(i * 20, 100, 0))};
            const RECT cell{i * 4, 0, i * 4 + 4, 4};
            ::FillRect(strip.Dc(), &cell, brush.Get());
        }
        ::GdiFlush();
    }
    static COLORREF Mark(TWinControl& control) {
        DibSection target{control.Width(), control.Height()};
        ::SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        ::GdiFlush();
        return target.Pixel(1, control.Height() / 2) & 0xFFFFFF;
    }
};

TEST_F(GlyphCheckBoxTest, AClickMovesTheStateOnAndARadioButtonTurnsItsSiblingsOff) {
    auto& box = Make<TRzCheckBox>(form);
    box.SetAllowGrayed(true);
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    Click(box);
    EXPECT_EQ(box.State(), cbGrayed);
    Click(box);
    EXPECT_EQ(box.State(), cbChecked);
    Click(box);
    EXPECT_EQ(box.State(), cbUnchecked);
    EXPECT_EQ(clicks, 3);
    // Let go outside: nothing.
    ::SendMessageW(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(box.State(), cbUnchecked);

    auto& a = Make<TRzRadioButton>(form, 0, 20);
    auto& b = Make<TRzRadioButton>(form, 0, 40);
    auto& compact = Make<TcxCheckBox>(form, 0, 60);
    compact.SetChecked(true);
    a.SetChecked(true);
    Click(b);
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(compact.Checked());  // not a radio button
    Click(b);
    EXPECT_TRUE(b.Checked());  // a checked radio button stays checked
    b.SetState(cbGrayed);
    EXPECT_EQ(b.State(), cbUnchecked);  // a radio button is never grayed
}

TEST_F(GlyphCheckBoxTest, TheStripInUseChangesWhenItIsLoaded) {
    auto& box = Make<TRzCheckBox>(form);
    box.SetChecked(true);
    FillStrip(box.CustomGlyphs(), 9);
    box.SetTransparentColor(clNone);
    const COLORREF system = Mark(box);
    EXPECT_NE(system, RGB(20, 100, 0));
    box.SetUseCustomGlyphs(true);
    EXPECT_EQ(Mark(box), RGB(20, 100, 0));  // cell 1: checked
    // Another strip given while in use shows once loaded again.
    FillStrip(box.CustomGlyphs(), 9);
    ::FillRect(box.CustomGlyphs().Dc(), std::array<RECT, 1>{RECT{4, 0, 8, 4}}.data(),
               static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::GdiFlush();
    EXPECT_EQ(Mark(box), RGB(20, 100, 0));
    box.SetUseCustomGlyphs(false);
    box.SetUseCustomGlyphs(true);
    EXPECT_EQ(Mark(box), RGB(0, 0, 0));
    // A strip with fewer pixels than cells is no strip: the system's mark shows.
    box.CustomGlyphs().SetSize(5, 4);
    box.SetUseCustomGlyphs(false);
    box.SetUseCustomGlyphs(true);
    EXPECT_EQ(Mark(box), system);

    auto& compact = Make<TcxCheckBox>(form, 0, 30);
    FillStrip(compact.Properties().Glyph(), 6);
    compact.Properties().Glyph().SetTransparentColor(clNone);
    compact.SetState(cbGrayed);
    EXPECT_EQ(Mark(compact), RGB(40, 100, 0));  // cell 2: grayed
}

}  // namespace
