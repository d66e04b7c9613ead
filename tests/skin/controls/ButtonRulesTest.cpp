#include "skin/controls/ButtonRules.h"

#include "framework/graphics/Colors.h"

#include <gtest/gtest.h>

namespace {

using core::Point;
using core::Rect;
using core::Size;

ButtonFacts Facts(bool pressed, bool hover, bool focused, bool enabled = true) {
    return {pressed, hover, focused, enabled};
}

TEST(ButtonRules, EachButtonKindRanksItsStatesItsOwnWay) {
    // Push button: pressed beats hover beats focus; disabled beats all.
    EXPECT_EQ(PushButtonFrame(Facts(false, false, false)), ButtonFrame::Normal);
    EXPECT_EQ(PushButtonFrame(Facts(false, false, true)), ButtonFrame::Focused);
    EXPECT_EQ(PushButtonFrame(Facts(false, true, true)), ButtonFrame::Hover);
    EXPECT_EQ(PushButtonFrame(Facts(true, true, true)), ButtonFrame::Pressed);
    EXPECT_EQ(PushButtonFrame(Facts(true, true, true, false)), ButtonFrame::Disabled);

    EXPECT_EQ(GlyphButtonFrame(Facts(false, true, true)), ButtonFrame::Hover);
    EXPECT_EQ(GlyphButtonFrame(Facts(false, false, true)), ButtonFrame::Focused);
    EXPECT_EQ(GlyphButtonFrame(Facts(true, false, false, false)), ButtonFrame::Disabled);

    // A drop-down button shows focus as hover.
    EXPECT_EQ(MenuButtonFrame(Facts(false, false, true)), ButtonFrame::Hover);
    EXPECT_EQ(MenuButtonFrame(Facts(true, false, true)), ButtonFrame::Pressed);
    EXPECT_EQ(MenuButtonFrame(Facts(false, false, false, false)), ButtonFrame::Disabled);

    // A speed button has no focus look, and one that is down looks pressed, enabled or not.
    EXPECT_EQ(SpeedButtonFrame(Facts(false, false, true), false), ButtonFrame::Normal);
    EXPECT_EQ(SpeedButtonFrame(Facts(false, true, false), false), ButtonFrame::Hover);
    EXPECT_EQ(SpeedButtonFrame(Facts(false, true, false, false), false), ButtonFrame::Disabled);
    EXPECT_EQ(SpeedButtonFrame(Facts(false, false, false, false), true), ButtonFrame::Pressed);
}

TEST(ButtonRules, AFlatSpeedButtonShowsItsFrameOnlyWhenHoveredOrPressed) {
    for (ButtonFrame frame : {ButtonFrame::Normal, ButtonFrame::Disabled}) {
        EXPECT_FALSE(SpeedButtonFrameShown(true, frame));
        EXPECT_TRUE(SpeedButtonFrameShown(false, frame));
    }
    EXPECT_TRUE(SpeedButtonFrameShown(true, ButtonFrame::Hover));
    EXPECT_TRUE(SpeedButtonFrameShown(true, ButtonFrame::Pressed));
}

TEST(ButtonRules, GlyphCellsFallBackToTheFirstAndTheDisabledOneIsGrey) {
    EXPECT_EQ(GlyphIndex(ButtonFrame::Normal), 1);
    EXPECT_EQ(GlyphIndex(ButtonFrame::Focused), 1);
    EXPECT_EQ(GlyphIndex(ButtonFrame::Hover), 1);
    EXPECT_EQ(GlyphIndex(ButtonFrame::Disabled), 2);
    EXPECT_EQ(GlyphIndex(ButtonFrame::Pressed), 3);
    EXPECT_EQ(GlyphIndex(ButtonFrame::Pressed, true), 4);

    EXPECT_EQ(ChooseGlyphCell(3, 4), (GlyphCell{2, false}));
    EXPECT_EQ(ChooseGlyphCell(2, 4), (GlyphCell{1, true}));
    // One cell: a disabled button draws it in grey.
    EXPECT_EQ(ChooseGlyphCell(2, 1), (GlyphCell{0, true}));
    // A speed button that is down with two cells uses the first (4 exceeds 2).
    EXPECT_EQ(ChooseGlyphCell(4, 2), (GlyphCell{0, false}));
    // NumGlyphs below 1 counts as one cell, never as a divisor of 0.
    EXPECT_EQ(GlyphCount(0), 1);
    EXPECT_EQ(GlyphCount(-3), 1);
    EXPECT_EQ(ChooseGlyphCell(3, 0), (GlyphCell{0, false}));
}

TEST(ButtonRules, CaptionColoursComeFromTheSkinOnlyWhereItDefinesThem) {
    const SkinCaptionColours all{true, true, true}, none{};
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Normal, true, all), CaptionColour::Normal);
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Hover, true, all), CaptionColour::Hover);
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Pressed, true, all), CaptionColour::Pressed);
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Focused, true, all), CaptionColour::Own);
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Hover, true, none), CaptionColour::Own);
    EXPECT_EQ(ChooseCaptionColour(ButtonFrame::Pressed, false, all), CaptionColour::Grey);
}

TEST(ButtonRules, OnlyTheFirstDoubleBarBreaksTheCaption) {
    EXPECT_EQ(CaptionLines(u"one||two"), u"one\r\ntwo");
    EXPECT_EQ(CaptionLines(u"a||b||c"), u"a\r\nb||c");
    EXPECT_EQ(CaptionLines(u"plain"), u"plain");
    EXPECT_EQ(CaptionLines(u"|"), u"|");
}

TEST(ButtonRules, CaptionsSitOnePixelAboveTheMiddle) {
    const Rect button{0, 0, 80, 24};
    EXPECT_EQ(CaptionMeasureBox(button), Rect(2, 2, 78, 22));
    EXPECT_EQ(PlaceCaption(button, {30, 13}, true), Rect(25, 4, 55, 17));
    // Any other alignment keeps the whole width.
    EXPECT_EQ(PlaceCaption(button, {30, 13}, false), Rect(0, 4, 80, 17));
    // Two lines in a low button start above it rather than being cut at the bottom.
    EXPECT_EQ(PlaceCaption(button, {30, 28}, true).top, -3);
    EXPECT_EQ(CaptionFocusRect({25, 4, 55, 17}), Rect(23, 2, 57, 19));
}

TEST(ButtonRules, FocusAroundFollowsTheAlignmentAndStaysInsideTheBox) {
    const Rect box{10, 10, 110, 40};
    EXPECT_EQ(FocusAround(box, {40, 14}, CaptionAlign::Left), Rect(10, 10, 52, 25));
    EXPECT_EQ(FocusAround(box, {40, 14}, CaptionAlign::Centre), Rect(38, 16, 82, 32));
    EXPECT_EQ(FocusAround(box, {40, 14}, CaptionAlign::Right), Rect(68, 10, 110, 25));
    EXPECT_EQ(FocusAround(box, {200, 40}, CaptionAlign::Centre), box);
}

TEST(ButtonRules, GlyphLayoutExamplesOfBitAndSpeedButtons) {
    // A 100-pixel client, a 16-pixel glyph and a 30-pixel caption: Margin -1 and
    // Spacing -1 spread them in thirds, (100 - 46) div 3.
    GlyphProps props;
    props.bitmap = {16, 16};
    props.layout = u"blglyphleft";
    auto place = PlaceGlyphAndCaption(ButtonKind::Bitmap, {100, 20}, props, {30, 13});
    EXPECT_EQ(place.margin, 18);
    EXPECT_EQ(place.spacing, 18);
    EXPECT_EQ(place.glyph, (Point{18, 2}));
    EXPECT_EQ(place.text, Rect::FromBounds(52, 4, 30, 13));

    // Spacing 4: (100 - 50) div 2, one more for a speed button.
    props.spacing = 4;
    EXPECT_EQ(PlaceGlyphAndCaption(ButtonKind::Speed, {100, 20}, props, {30, 13}).margin, 26);
    EXPECT_EQ(PlaceGlyphAndCaption(ButtonKind::Bitmap, {100, 20}, props, {30, 13}).margin, 25);
    // A bit button aligned to the centre ignores a fixed margin; a speed button has no Alignment.
    props.margin = 4;
    props.alignment = u"tacenter";
    EXPECT_EQ(PlaceGlyphAndCaption(ButtonKind::Bitmap, {100, 20}, props, {30, 13}).margin, 25);
    EXPECT_EQ(PlaceGlyphAndCaption(ButtonKind::Speed, {100, 20}, props, {30, 13}).margin, 4);
}

TEST(ButtonRules, TheLessonButtonGlyphWithoutACaption) {
    // 193 x 33, one 137 x 33 glyph, no caption, Margin -1, Spacing 4: no text, so no
    // spacing, and (193 - 137) div 2 + 1.
    GlyphProps props;
    props.bitmap = {137, 33};
    props.numGlyphs = 1;
    props.spacing = 4;
    auto place = PlaceGlyphAndCaption(ButtonKind::Speed, {193, 33}, props, {});
    EXPECT_EQ(place.margin, 29);
    EXPECT_EQ(place.spacing, 0);
    EXPECT_EQ(place.glyph, (Point{29, 0}));
    props.layout = u"blglyphright";
    EXPECT_EQ(PlaceGlyphAndCaption(ButtonKind::Speed, {193, 33}, props, {}).glyph, (Point{27, 0}));
    // The same strip of two cells gives the same cell size.
    props.bitmap = {274, 33};
    props.numGlyphs = 2;
    EXPECT_EQ(GlyphCellSize(props), (Size{137, 33}));
}

TEST(ButtonRules, TheGlyphComesFromTheStripOrTheImageListAndTheTextBoxMakesRoomForIt) {
    GlyphProps props;
    EXPECT_EQ(GlyphCellSize(props), (Size{}));
    props.listImage = {20, 18};
    EXPECT_EQ(GlyphCellSize(props), (Size{}));  // a list without an index shows nothing
    props.imageIndex = 3;
    EXPECT_EQ(GlyphCellSize(props), (Size{20, 18}));
    props.bitmap = {64, 16};
    props.numGlyphs = 4;
    EXPECT_EQ(GlyphCellSize(props), (Size{16, 16}));  // the strip wins
    props.numGlyphs = -1;
    EXPECT_EQ(GlyphCellSize(props), (Size{64, 16}));

    props.numGlyphs = 4;
    props.layout = u"blglyphright";
    EXPECT_EQ(GlyphTextBox({100, 30}, props), Rect(2, 2, 80, 28));
    props.layout = u"blglyphbottom";
    EXPECT_EQ(GlyphTextBox({100, 30}, props), Rect(2, 2, 98, 10));

    EXPECT_EQ(GlyphLayout(u"blglyphtop"), TButtonLayout::blGlyphTop);
    EXPECT_EQ(GlyphLayout(u""), TButtonLayout::blGlyphLeft);  // no Layout property
    EXPECT_EQ(GlyphCaptionAlign(TButtonLayout::blGlyphRight), CaptionAlign::Right);
    EXPECT_EQ(GlyphCaptionAlign(TButtonLayout::blGlyphBottom), CaptionAlign::Centre);
    EXPECT_EQ(GlyphCaptionAlign(TButtonLayout::blGlyphLeft), CaptionAlign::Left);
}

TEST(ButtonRules, AMenuButtonKeepsRoomForItsArrow) {
    EXPECT_EQ(MenuButtonTextBox({100, 24}), Rect(2, 2, 81, 22));
    EXPECT_EQ(MenuButtonTextAt({100, 24}, {40, 13}), (Point{23, 6}));
    const auto arrow = MenuButtonArrow({100, 24});
    EXPECT_EQ(arrow[0], (Point{88, 14}));
    EXPECT_EQ(arrow[1], (Point{85, 11}));
    EXPECT_EQ(arrow[2], (Point{91, 11}));
}

TEST(ButtonRules, AToolButtonsFaceFollowsItsCustomDrawState) {
    EXPECT_EQ(ToolButtonFrame(0x1 | 0x40), ButtonFrame::Pressed);  // selected wins over hot
    EXPECT_EQ(ToolButtonFrame(0x40), ButtonFrame::Hover);
    EXPECT_EQ(ToolButtonFrame(0x10 | 0x4), ButtonFrame::Hover);     // focused, even when disabled
    EXPECT_EQ(ToolButtonFrame(0x20), ButtonFrame::Normal);
    // Greyed or disabled, or not marked default: the bar's own look.
    EXPECT_EQ(ToolButtonFrame(0x20 | 0x2), std::nullopt);
    EXPECT_EQ(ToolButtonFrame(0x20 | 0x4), std::nullopt);
    EXPECT_EQ(ToolButtonFrame(0), std::nullopt);
    EXPECT_EQ(ToolButtonFrame(0x8), std::nullopt);  // checked alone
}

TEST(ButtonRules, CheckBoxCellsInFourAndTwelveCellStrips) {
    struct Case {
        bool checked, indeterminate, disabled;
        int four, twelve;
    };
    for (const Case& c : {Case{false, false, false, 1, 1}, Case{true, false, false, 2, 5},
                          Case{false, false, true, 3, 4}, Case{true, false, true, 4, 8},
                          Case{false, true, false, 4, 9}, Case{true, true, true, 4, 12}}) {
        CheckFacts facts;
        facts.checkedBit = c.checked;
        facts.indeterminateBit = c.indeterminate;
        facts.disabled = c.disabled;
        EXPECT_EQ(CheckBoxCell(facts), c.four) << c.checked << c.indeterminate << c.disabled;
        facts.frames = 12;
        EXPECT_EQ(CheckBoxCell(facts), c.twelve) << c.checked << c.indeterminate << c.disabled;
    }
}

TEST(ButtonRules, PublishedCheckStatesOverrideTheWindowsAnswer) {
    CheckFacts facts;
    facts.checkedBit = true;
    facts.state = u"cbunchecked";
    EXPECT_EQ(CheckBoxCell(facts), 1);
    facts.state = u"cbchecked";
    facts.checkedBit = false;
    EXPECT_EQ(CheckBoxCell(facts), 2);
    // Grayed by the property is grayed when disabled too, not a cell past the strip.
    facts.state = u"cbgrayed";
    EXPECT_EQ(CheckBoxCell(facts), 4);
    facts.disabled = true;
    EXPECT_EQ(CheckBoxCell(facts), 4);
    facts.frames = 12;
    EXPECT_EQ(CheckBoxCell(facts), 12);

    CheckFacts byChecked;
    byChecked.checkedBit = true;
    byChecked.checked = false;
    EXPECT_EQ(CheckBoxCell(byChecked), 1);
    byChecked.checked = true;
    EXPECT_EQ(CheckBoxCell(byChecked), 2);

    // Data-aware boxes: the last BM_SETCHECK (plus 1) decides, 3 is grayed; bound ones
    // always show unchecked unless the window says indeterminate.
    CheckFacts data;
    data.hasDataField = true;
    data.lastCheck = 3;
    EXPECT_EQ(CheckBoxCell(data), 4);
    data.lastCheck = 2;
    EXPECT_EQ(CheckBoxCell(data), 2);
    data.lastCheck = 0;
    data.checkedBit = true;
    EXPECT_EQ(CheckBoxCell(data), 2);
    data.hasDataBinding = true;
    EXPECT_EQ(CheckBoxCell(data), 1);
    data.indeterminateBit = true;
    EXPECT_EQ(CheckBoxCell(data), 4);
}

TEST(ButtonRules, RadioCellsInFourAndEightCellStrips) {
    RadioFacts facts;
    EXPECT_EQ(RadioButtonCell(facts), 1);
    facts.checkedBit = true;
    EXPECT_EQ(RadioButtonCell(facts), 2);
    facts.checked = false;  // the published property wins
    EXPECT_EQ(RadioButtonCell(facts), 1);
    facts.disabled = true;
    EXPECT_EQ(RadioButtonCell(facts), 3);
    facts.checked = true;
    EXPECT_EQ(RadioButtonCell(facts), 4);
    facts.frames = 8;
    EXPECT_EQ(RadioButtonCell(facts), 8);
    facts.checked = false;
    EXPECT_EQ(RadioButtonCell(facts), 4);
    facts.disabled = false;
    EXPECT_EQ(RadioButtonCell(facts), 1);
    facts.checked = true;
    EXPECT_EQ(RadioButtonCell(facts), 5);
}

TEST(ButtonRules, CheckBoxesPutTheBoxLeftOrFlushRight) {
    const Rect client{0, 0, 120, 21};
    auto places = PlaceCheckBox(client, {13, 13}, false, false);
    EXPECT_EQ(places.box, Rect(0, 4, 13, 17));
    EXPECT_EQ(places.caption, Rect(15, 0, 120, 21));
    places = PlaceCheckBox(client, {13, 13}, true, false);
    EXPECT_EQ(places.box, Rect(107, 4, 120, 17));
    EXPECT_EQ(places.caption, Rect(0, 0, 105, 21));
    // A radio button's circle stops one pixel before the edge.
    places = PlaceCheckBox(client, {13, 13}, true, true);
    EXPECT_EQ(places.box, Rect(106, 4, 119, 17));
    EXPECT_EQ(places.caption, Rect(0, 0, 104, 21));

    EXPECT_EQ(CentreCheckCaption({15, 0, 120, 21}, 13), Rect(15, 4, 120, 25));
}

// A caption in the system's text colour takes the skin's, so that it shows on a dark
// skin's faces; a colour the program chose stays.
TEST(ButtonRules, CaptionsInTheSystemTextColourTakeTheSkins) {
    constexpr TColor skin = RgbColour(230, 230, 230);
    EXPECT_EQ(SkinnedCaptionColour(clWindowText, skin), skin);
    EXPECT_EQ(SkinnedCaptionColour(clBtnText, skin), skin);
    EXPECT_EQ(SkinnedCaptionColour(clRed, skin), clRed);
    EXPECT_EQ(SkinnedCaptionColour(clBlack, skin), clBlack);
    EXPECT_EQ(SkinnedCaptionColour(clGrayText, skin), clGrayText);
}

}  // namespace
