#include "skin/window/ManagerRules.h"
#include "skin/window/WindowRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace winstyle;
constexpr uint32_t kOverlapped = kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox;

TEST(WindowRules, BorderKindFollowsCaptionFrameAndDialogClass) {
    EXPECT_EQ(BorderKindOf(kOverlapped, 0, false), BorderKind::Sizeable);
    EXPECT_EQ(BorderKindOf(kCaption | kSysMenu, 0, false), BorderKind::Single);
    EXPECT_EQ(BorderKindOf(kCaption | kModalFrame, 0, false), BorderKind::Dialog);
    // Half of the caption bits is no caption: a border without a title bar.
    EXPECT_EQ(BorderKindOf(0x00800000 | kThickFrame, 0, false), BorderKind::NoCaption);
    EXPECT_EQ(BorderKindOf(kOverlapped, kExDlgModalFrame, false), BorderKind::Dialog);
    // A system dialog is framed as a dialog whatever its style says.
    EXPECT_EQ(BorderKindOf(0, 0, true), BorderKind::Dialog);
    EXPECT_EQ(BorderKindOf(kOverlapped, 0, true), BorderKind::Dialog);
}

TEST(WindowRules, PlacementShowCommandsGiveTheWindowState) {
    EXPECT_EQ(WindowStateOf(1), WindowState::Normal);
    EXPECT_EQ(WindowStateOf(3), WindowState::Maximized);
    for (unsigned minimized : {2u, 6u, 7u}) EXPECT_EQ(WindowStateOf(minimized), WindowState::Minimized) << minimized;
    EXPECT_EQ(WindowStateOf(9), WindowState::Normal);
}

TEST(WindowRules, CaptionIsStrippedOnlyOnVersionFiveZero) {
    const PlatformVersion win2000{5, 0, true}, xp{5, 1, true}, me{4, 90, false}, nt4{4, 0, true};
    const auto strip = [](uint32_t exStyle, bool owner, const PlatformVersion& v) {
        return CapabilitiesOf(kOverlapped, exStyle, false, owner, v).stripCaption;
    };
    EXPECT_TRUE(strip(0, false, win2000));   // an unowned top-level window
    EXPECT_FALSE(strip(0, true, win2000));   // an owned one keeps it...
    EXPECT_TRUE(strip(kExAppWindow, true, win2000));  // ...unless it has a task-bar button
    EXPECT_FALSE(strip(kExMdiChild, false, win2000));
    EXPECT_FALSE(strip(0, false, xp));
    EXPECT_FALSE(strip(kExAppWindow, false, nt4));
    EXPECT_FALSE(strip(kExAppWindow, true, PlatformVersion{5, 0, false}));
    EXPECT_FALSE(strip(0, false, me));

    const Capabilities plain = CapabilitiesOf(kCaption, 0, false, true, xp);
    EXPECT_FALSE(plain.systemMenu || plain.minimizeBox || plain.maximizeBox);
    // A system menu handle known for the window counts as a system menu.
    EXPECT_TRUE(CapabilitiesOf(kCaption, 0, true, true, xp).systemMenu);
    const Capabilities all = CapabilitiesOf(kOverlapped, 0, false, true, xp);
    EXPECT_TRUE(all.systemMenu && all.minimizeBox && all.maximizeBox);
}

CaptionFacts Facts(WindowState state = WindowState::Normal, bool active = true) {
    CaptionFacts facts;
    facts.state = state;
    facts.active = active;
    facts.capabilities = {true, true, true, false};
    facts.border = BorderKind::Sizeable;
    return facts;
}

bool Shown(int visibility, int visibility1, const CaptionFacts& facts, int action = 50) {
    return CaptionButtonVisible({action, 1, 0, 0, visibility, visibility1}, facts);
}

TEST(WindowRules, VisibilityCodesReadTheWindowStateBothWays) {
    const CaptionFacts normal = Facts(), maximized = Facts(WindowState::Maximized), inactive = Facts({}, false);
    // Both codes must agree: a button shows when the first and the second allow it.
    EXPECT_TRUE(Shown(0, 0, normal));
    EXPECT_TRUE(Shown(1, 0, maximized));
    EXPECT_FALSE(Shown(1, 0, normal));
    EXPECT_TRUE(Shown(0, 2, normal));
    EXPECT_FALSE(Shown(0, 2, maximized));
    EXPECT_TRUE(Shown(3, 3, normal));
    EXPECT_FALSE(Shown(3, 0, inactive));
    EXPECT_TRUE(Shown(0, 4, inactive));
    EXPECT_FALSE(Shown(5, 0, normal));
    EXPECT_FALSE(Shown(0, 5, normal));
    // -1 hides in either place; the reserved ranges hide, 201 to 999 show.
    for (int hidden : {-1, -7, 10, 99, 101, 199, 2001}) {
        EXPECT_FALSE(Shown(hidden, 0, normal)) << hidden;
        EXPECT_FALSE(Shown(0, hidden, normal)) << hidden;
    }
    for (int shown : {201, 999}) EXPECT_TRUE(Shown(shown, shown, normal)) << shown;
}

TEST(WindowRules, VisibilityCodesReadTheBoxesAndTheSystemMenu) {
    CaptionFacts facts = Facts();
    facts.capabilities = {true, false, false, false};  // maximize box only, no system menu
    EXPECT_FALSE(Shown(6, 0, facts));  // the first code wants the system menu too...
    EXPECT_TRUE(Shown(0, 6, facts));   // ...the second only the box
    EXPECT_FALSE(Shown(7, 0, facts));
    EXPECT_TRUE(Shown(9, 9, facts));
    EXPECT_FALSE(Shown(0, 8, facts));
    facts.capabilities = {true, true, true, false};
    EXPECT_TRUE(Shown(6, 6, facts) && Shown(8, 8, facts));
    EXPECT_FALSE(Shown(7, 0, facts) || Shown(0, 9, facts));
}

TEST(WindowRules, VisibilityCodesForMdiDialogsAndTheHost) {
    CaptionFacts facts = Facts();
    EXPECT_FALSE(Shown(100, 100, facts));
    facts.mdiChildButtonsInMenuBar = true;
    EXPECT_TRUE(Shown(100, 100, facts));
    EXPECT_TRUE(Shown(100, 0, facts));

    facts = Facts();
    facts.border = BorderKind::Dialog;
    EXPECT_TRUE(Shown(200, 200, facts));  // a dialog-framed form of the program
    facts.isDialogClass = true;
    EXPECT_FALSE(Shown(200, 0, facts));   // not a system dialog
    EXPECT_FALSE(Shown(0, 200, facts));
    facts.border = BorderKind::Single;
    facts.isDialogClass = false;
    EXPECT_FALSE(Shown(200, 0, facts));

    // Codes 1000 to 2000 ask the window, with the button's action; only the first code asks.
    facts = Facts();
    std::vector<std::pair<int, int>> asked;
    facts.askHost = [&](int code, int action) {
        asked.emplace_back(code, action);
        return code == 1500;
    };
    EXPECT_TRUE(Shown(1500, 1200, facts, 77));
    EXPECT_FALSE(Shown(1001, 0, facts, 78));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1500, 77}, {1001, 78}}));
    facts.askHost = nullptr;
    EXPECT_FALSE(Shown(1500, 0, facts));
}

TEST(WindowRules, ActionsNeedTheirBoxAndIconsLeaveDialogs) {
    CaptionFacts facts = Facts();
    facts.capabilities = {false, false, false, false};
    EXPECT_FALSE(Shown(0, 0, facts, 0));  // close needs a system menu
    EXPECT_FALSE(Shown(0, 0, facts, 1));
    EXPECT_FALSE(Shown(0, 0, facts, 2));
    EXPECT_TRUE(Shown(0, 0, facts, 9));
    facts.capabilities = {true, true, true, false};
    EXPECT_TRUE(Shown(0, 0, facts, 0) && Shown(0, 0, facts, 1) && Shown(0, 0, facts, 2) && Shown(0, 0, facts, 3));
    facts.border = BorderKind::Dialog;
    for (int icon : {3, 11, 12}) EXPECT_FALSE(Shown(0, 0, facts, icon)) << icon;
    EXPECT_TRUE(Shown(0, 0, facts, 0));
    // The icon is the system menu's: a window without one, or a tool window, shows none.
    facts.border = BorderKind::Single;
    EXPECT_TRUE(Shown(0, 0, facts, 3));
    facts.toolWindow = true;
    EXPECT_FALSE(Shown(0, 0, facts, 3));
    facts.toolWindow = false;
    facts.capabilities.systemMenu = false;
    EXPECT_FALSE(Shown(0, 0, facts, 11));
}

TEST(WindowRules, CaptionButtonsArePlacedByTheirAlignment) {
    CaptionGeometry g;
    g.windowWidth = 400;
    g.leftBorder = 4;
    g.rightBorder = 5;
    g.topHeight = 29;
    g.menuBarHeight = 20;
    g.menuBarLeftWidth = 3;
    g.captionTextLeft = 30;
    g.captionTextRight = 120;
    const core::Size size{16, 14};
    const auto at = [&](int align, int x, int y) { return CaptionButtonBounds({0, align, x, y, 0, 0}, size, g); };
    EXPECT_EQ(at(0, 8, 6), core::Rect::FromBounds(8, 6, 16, 14));
    EXPECT_EQ(at(1, 24, 6), core::Rect::FromBounds(376, 6, 16, 14));
    EXPECT_EQ(at(2, 2, 6), core::Rect::FromBounds(12, 6, 16, 14));  // left of the caption text
    EXPECT_EQ(at(8, 2, 6), at(2, 2, 6));
    EXPECT_EQ(at(3, 2, 6), core::Rect::FromBounds(122, 6, 16, 14));  // right of it
    EXPECT_EQ(at(9, 2, 6), at(3, 2, 6));
    // MDI child buttons in the menu bar, centred in its height, from the far end.
    EXPECT_EQ(at(100, 20, 0), core::Rect::FromBounds(400 - 20 - 5 - 3, 29 + 3, 16, 14));
    g.rightToLeft = true;
    EXPECT_EQ(at(100, 20, 0), core::Rect::FromBounds(20 + 3 + 4, 32, 16, 14));
    EXPECT_EQ(at(42, 8, 6), core::Rect::FromBounds(0, 0, 16, 14));  // an unknown alignment
}

TEST(WindowRules, ClientLiesInsideTheFrameAndTheMenuBar) {
    const FrameBorders borders{4, 29, 5, 6};
    EXPECT_EQ(ClientInFrame({100, 50, 500, 350}, borders, 0), (core::Rect{104, 79, 495, 344}));
    EXPECT_EQ(ClientInFrame({100, 50, 500, 350}, borders, 19), (core::Rect{104, 98, 495, 344}));
    EXPECT_EQ(ClientInFrame({0, 0, 0, 0}, FrameBorders{}, 0), (core::Rect{}));
}

// Every pixel of the window outside the client is in exactly one strip, and the client in
// none; the sides of a window narrower than its borders may overlap. Sides are the tall strips.
TEST(WindowRules, FrameStripsCoverTheFrameOnceAndLeaveTheClient) {
    struct Case {
        int width, height;
        FrameBorders borders;
        int menuBar;
    };
    const Case cases[] = {
        {40, 30, {4, 9, 5, 6}, 0}, {40, 30, {4, 9, 5, 6}, 3},  {40, 30, {0, 0, 0, 0}, 0},
        {40, 30, {0, 9, 0, 0}, 0}, {7, 30, {4, 9, 5, 6}, 0},   {40, 12, {4, 9, 5, 6}, 3},
        {40, 5, {4, 9, 5, 6}, 0},  {1, 1, {4, 9, 5, 6}, 2},    {40, 30, {-3, -9, 99, 1 << 30}, 1 << 30},
    };
    for (const Case& c : cases) {
        const auto strips = FrameStrips(c.width, c.height, c.borders, c.menuBar, false);
        const core::Rect client = ClientInFrame({0, 0, c.width, c.height}, c.borders, c.menuBar);
        const bool narrow = std::max(c.borders.left, 0) + std::max(c.borders.right, 0) > c.width;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                int count = 0, sides = 0;
                for (const FrameStrip& strip : strips)
                    if (strip.rect.Contains({x, y})) ++count, sides += strip.side;
                const bool inClient = !client.IsEmpty() && client.Contains({x, y});
                const int expected = inClient ? 0 : narrow && sides == 2 ? 2 : 1;
                EXPECT_EQ(count, expected) << c.width << "x" << c.height << " at " << x << "," << y;
            }
        for (const FrameStrip& strip : strips) {
            EXPECT_FALSE(strip.rect.IsEmpty());
            EXPECT_TRUE(!strip.side || strip.rect.Width() <= std::max(c.borders.left, c.borders.right));
        }
    }
    // A minimised window is its caption: one strip.
    const auto minimized = FrameStrips(160, 29, {4, 29, 5, 6}, 0, true);
    ASSERT_EQ(minimized.size(), 1u);
    EXPECT_EQ(minimized[0].rect, (core::Rect{0, 0, 160, 29}));
    EXPECT_TRUE(FrameStrips(0, 30, {4, 9, 5, 6}, 0, false).empty());
}

TEST(WindowRules, CaptionHitTestKeepsTheSystemAnswersItMustKeep) {
    EXPECT_EQ(CaptionHitTest(10 /* left sizing border */, {2, 10}, 29, 0), 10);
    EXPECT_EQ(CaptionHitTest(1 /* client */, {50, 50}, 29, 0), 1);
    EXPECT_EQ(CaptionHitTest(kHitNowhere, {50, 10}, 29, 0), kHitCaption);
    EXPECT_EQ(CaptionHitTest(kHitCaption, {50, 3}, 29, 0), kHitCaption);
    EXPECT_EQ(CaptionHitTest(kHitNowhere, {50, 3}, 29, 0), kHitNowhere);  // the top rim stays the system's
    EXPECT_EQ(CaptionHitTest(kHitNowhere, {50, 35}, 29, 19), kHitMenu);
    EXPECT_EQ(CaptionHitTest(kHitNowhere, {50, 35}, 29, 0), kHitCaption);
}

TEST(WindowRules, InactivePicturesUseTheirOwnFrames) {
    EXPECT_EQ(BorderFrame(true, 2), 1);
    EXPECT_EQ(BorderFrame(false, 2), 2);
    EXPECT_EQ(BorderFrame(false, 1), 1);
    EXPECT_EQ(CaptionButtonFrame(false, 4), 4);
    EXPECT_EQ(CaptionButtonFrame(false, 3), 1);
    EXPECT_EQ(CaptionButtonFrame(true, 4), 1);
}

TEST(WindowRules, TheMouseFindsTheFirstShownButtonWithAnAction) {
    const core::Rect a{0, 0, 10, 10}, b{5, 0, 15, 10};
    const std::vector<CaptionButtonHit> buttons{{&a, false, 0}, {&a, true, -1}, {&b, true, 2}, {&a, true, 1}};
    EXPECT_EQ(CaptionButtonAt(buttons, {6, 5}), 2);   // hidden and action-less ones are passed over
    EXPECT_EQ(CaptionButtonAt(buttons, {2, 5}), 3);
    EXPECT_EQ(CaptionButtonAt(buttons, {20, 5}), -1);
}

TEST(WindowRules, DialogsWidenForTheirCaptionAndMoveTheirChildrenByHalf) {
    const DialogWidening wide = WidenForCaption(200, 180, 30, 66);
    EXPECT_EQ(wide.width, 276);
    EXPECT_EQ(wide.childShift, 38);
    const DialogWidening enough = WidenForCaption(400, 180, 30, 66);
    EXPECT_EQ(enough.width, 400);
    EXPECT_EQ(enough.childShift, 0);
}

TEST(WindowRules, CaptionTextSitsBetweenItsShiftAndItsClip) {
    CaptionText text{400, 29, 100, 14, 30, 0, 66, CaptionAlignment::Left};
    EXPECT_EQ(CaptionTextBox(text), core::Rect::FromBounds(30, 7, 100, 14));
    text.alignment = CaptionAlignment::Right;
    EXPECT_EQ(CaptionTextBox(text), core::Rect::FromBounds(234, 7, 100, 14));
    text.alignment = CaptionAlignment::Centre;
    EXPECT_EQ(CaptionTextBox(text), core::Rect::FromBounds(132, 7, 100, 14));
    text.textShiftVert = 3;
    EXPECT_EQ(CaptionTextBox(text).top, 10);
    // A long text is cut to the room; a window narrower than the margins leaves none.
    text = {200, 29, 500, 14, 30, 0, 66, CaptionAlignment::Left};
    EXPECT_EQ(CaptionTextBox(text), core::Rect::FromBounds(30, 7, 104, 14));
    text.windowWidth = 50;
    EXPECT_EQ(CaptionTextBox(text).Width(), 0);
    EXPECT_EQ(CaptionAlignmentOf(1), CaptionAlignment::Right);
    EXPECT_EQ(CaptionAlignmentOf(2), CaptionAlignment::Centre);
    EXPECT_EQ(CaptionAlignmentOf(7), CaptionAlignment::Left);
}

TEST(ManagerRules, SkinDataChoiceFavoursTheWindowsOwnThenDialogsThenTheMainForm) {
    using enum TSkinFormType;
    const std::vector<SkinDataCandidate> mixed{
        {sfMainform, false}, {sfOnlyThisForm, true}, {sfDialog, false}, {sfOnlyThisForm, true}, {sfMainform, false}};
    EXPECT_EQ(ChooseSkinDataIndex(mixed, u"TForm1"), 3);  // the last of the window's own
    const std::vector<SkinDataCandidate> others{
        {sfMainform, false}, {sfDialog, false}, {sfOnlyThisForm, false}, {sfDialog, false}, {sfMainform, false}};
    EXPECT_EQ(ChooseSkinDataIndex(others, u"#32770"), 3);
    EXPECT_EQ(ChooseSkinDataIndex(others, u"TMessageForm"), 3);
    EXPECT_EQ(ChooseSkinDataIndex(others, u"tmessageform"), 3);
    EXPECT_EQ(ChooseSkinDataIndex(others, u"TForm2"), 4);  // the last main-form one
    // A message box without a dialog component takes the main form's.
    const std::vector<SkinDataCandidate> mainOnly{{sfMainform, false}};
    EXPECT_EQ(ChooseSkinDataIndex(mainOnly, u"#32770"), 0);
    const std::vector<SkinDataCandidate> dllOnly{{sfDLL, false}, {sfDLL, false}};
    EXPECT_EQ(ChooseSkinDataIndex(dllOnly, u"TForm1"), 0);  // else the first
    EXPECT_EQ(ChooseSkinDataIndex({}, u"TForm1"), -1);
}

TEST(ManagerRules, ChildrenNamesAndPreviewsThatStayUnskinned) {
    EXPECT_TRUE(IsPlainChildWindow(kChild, 0, u"TPanel"));
    EXPECT_FALSE(IsPlainChildWindow(kChild, kExMdiChild, u"TPanel"));
    EXPECT_FALSE(IsPlainChildWindow(kChild, 0, u"MDIClient"));
    EXPECT_FALSE(IsPlainChildWindow(kChild, 0, u"mdiclient"));
    EXPECT_FALSE(IsPlainChildWindow(kOverlapped, 0, u""));

    EXPECT_TRUE(IsNeverSkinnedClass(u"TApplication"));
    EXPECT_FALSE(IsNeverSkinnedClass(u"TApplicationForm"));
    EXPECT_TRUE(IsNeverSkinnedClass(u"XTcxPopupEditPopupWindowY"));
    EXPECT_FALSE(IsNeverSkinnedClass(u"TFmain"));

    EXPECT_TRUE(IsPreviewClass(u"TPrintPreview"));
    EXPECT_TRUE(IsPreviewClass(u"PREVIEWWND"));
    EXPECT_FALSE(IsPreviewClass(u"TPreviw"));
}

}  // namespace
