// Custom-glyph check boxes and radio buttons in the skin's look: the skin hands each a
// strip built from its own cells, the control draws its mark from it, and detached the
// control has its own glyphs back.

#include "skin/controls/ObjImageSkin.h"

#include "framework/controls/GlyphCheckBox.h"
#include "framework/forms/Application.h"
#include "tests/skin/controls/ControlTestSkin.h"

#include <gtest/gtest.h>

namespace {

using namespace control_skin;

class ObjImageSkinTest : public ControlSkinTest {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
    }
    template <class T>
    T& Control() {
        auto& control = form->Create<T>();
        control.SetParent(form);
        control.SetBounds(10, 10, 120, 20);
        control.SetCaption(L"");
        return control;
    }
    TSkinObjImage& Skin(TControl& control, int kind) {
        auto& skinned = control.Create<TSkinObjImage>();
        skinned.SetImageKind(kind);
        skinned.AttachControl(host, *skin, true, nullptr);
        return skinned;
    }
    // The colour at the middle of cell `cell` of a strip of 13-pixel cells.
    static TColor CellColour(const TBitmap& strip, int cell) { return strip.PixelColour(cell * kCell + 6, 6); }
    // The control's own paint; the colour at the middle of its 13-pixel mark.
    TColor Mark(TWinControl& control) {
        DibSection target{control.Width(), control.Height()};
        target.Fill(kSentinel);
        ::SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        ::GdiFlush();
        const COLORREF c = target.Pixel(6, 10) & 0xFFFFFF;
        return RgbColour(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    TApplication app;
    TForm* form = nullptr;
};

TEST_F(ObjImageSkinTest, ACheckBoxGetsNineCellsAndDrawsItsStateFromThem) {
    auto& box = Control<TRzCheckBox>();
    box.SetChecked(true);
    Skin(box, 1);
    const TBitmap& strip = box.CustomGlyphs();
    ASSERT_EQ(strip.Width(), 9 * kCell);
    EXPECT_EQ(strip.Height(), kCell);
    EXPECT_TRUE(box.UseCustomGlyphs());
    EXPECT_EQ(box.TransparentColor(), clFuchsia);
    EXPECT_EQ(box.Color(), kFace);  // recoloured
    // Unchecked, checked, (blank: a four-cell skin has no grayed picture); the same hot; disabled.
    const TColor expected[9] = {CheckColour(1), CheckColour(2), clFuchsia, CheckColour(1), CheckColour(2),
                                clFuchsia,      CheckColour(3), CheckColour(4), clFuchsia};
    for (int cell = 0; cell < 9; ++cell) EXPECT_EQ(CellColour(strip, cell), expected[cell]) << cell;

    EXPECT_EQ(Mark(box), CheckColour(2));
    box.SetEnabled(false);
    EXPECT_EQ(Mark(box), CheckColour(4));
    box.SetEnabled(true);
    box.SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(Mark(box), kFace);  // a blank cell leaves the background showing
}

TEST_F(ObjImageSkinTest, AFifthCheckCellFillsTheGrayedCells) {
    LoadSkin({5, 4, true});
    auto& box = Control<TRzCheckBox>();
    Skin(box, 1);
    for (int cell : {2, 5, 8}) EXPECT_EQ(CellColour(box.CustomGlyphs(), cell), CheckColour(5)) << cell;
    box.SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(Mark(box), CheckColour(5));
}

TEST_F(ObjImageSkinTest, ARadioButtonGetsSixCellsFromTheRadioStrip) {
    auto& radio = Control<TRzRadioButton>();
    Skin(radio, 2);
    const TColor expected[6] = {RadioColour(1), RadioColour(2), RadioColour(1),
                                RadioColour(2), RadioColour(3), RadioColour(4)};
    ASSERT_EQ(radio.CustomGlyphs().Width(), 6 * kCell);
    for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(CellColour(radio.CustomGlyphs(), cell), expected[cell]) << cell;
    EXPECT_EQ(Mark(radio), RadioColour(1));
    radio.SetChecked(true);
    EXPECT_EQ(Mark(radio), RadioColour(2));
}

TEST_F(ObjImageSkinTest, ACompactCheckBoxGetsItsGlyphThroughItsProperties) {
    auto& box = Control<TcxCheckBox>();
    Skin(box, 3);
    const TBitmap& glyph = box.Properties().Glyph();
    ASSERT_EQ(glyph.Width(), 6 * kCell);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_FALSE(glyph.Transparent());
    const TColor expected[6] = {CheckColour(1), CheckColour(2), clFuchsia, CheckColour(1), CheckColour(2), clFuchsia};
    for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(CellColour(glyph, cell), expected[cell]) << cell;
    box.SetChecked(true);
    EXPECT_EQ(Mark(box), CheckColour(2));
}

TEST_F(ObjImageSkinTest, DetachedTheControlsHaveTheirOwnGlyphsAndLookBack) {
    // A check box with glyphs of its own, in use, keyed with another colour.
    auto& box = Control<TRzCheckBox>();
    box.CustomGlyphs().SetSize(9 * 4, 4);
    box.SetTransparentColor(clLime);
    box.SetUseCustomGlyphs(true);
    box.SetChecked(true);
    auto& skinned = Skin(box, 1);
    EXPECT_EQ(box.CustomGlyphs().Width(), 9 * kCell);
    skinned.Unskin();
    EXPECT_EQ(box.CustomGlyphs().Width(), 9 * 4);
    EXPECT_EQ(box.TransparentColor(), clLime);
    EXPECT_TRUE(box.UseCustomGlyphs());

    // Without glyphs of its own, it is back to the system's mark.
    auto& plain = Control<TRzRadioButton>();
    auto& radioSkin = Skin(plain, 2);
    radioSkin.Unskin();
    EXPECT_FALSE(plain.UseCustomGlyphs());
    EXPECT_NE(Mark(plain), RadioColour(1));

    auto& compact = Control<TcxCheckBox>();
    auto& compactSkin = Skin(compact, 3);
    compactSkin.Unskin();
    EXPECT_TRUE(compact.Properties().Glyph().Empty());
    EXPECT_EQ(compact.Color(), form->Color());
}

}  // namespace
