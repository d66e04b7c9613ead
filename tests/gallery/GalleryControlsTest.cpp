// The gallery's control, scrolling, tab and menu pages under the skin: every control on
// them skinned, the menus the skin's own, and the skin taken off and put on again a
// thousand times with nothing left behind.

#include "framework/controls/GlyphCheckBox.h"
#include "framework/controls/MediaPlayer.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/controls/MediaPlayerSkin.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"
#include "tests/gallery/GalleryPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <windows.h>

namespace {

using namespace gallery_test;

TEST_F(GalleryPage, ControlsSkinnedOffAndOnAThousandTimesLeaveNoHandleBehind) {
    Open(L"controls");
    size_t controlSkins = 0;
    auto roundTrip = [&] { PaintedTrip(controlSkins); };
    // Painted trips are slow under Wine (a page paint is tens of milliseconds): fifty of
    // them with each page of controls shown, then the thousand with the window
    // minimised, where the controls are skinned and unskinned but not painted.
    Repeat(50, roundTrip);
    // Buttons, check boxes, radio buttons, group boxes, panels and bars of the controls
    // page; edits, combo boxes, up-downs, lists, scroll bars, views and pickers of the
    // scrolling page.
    EXPECT_GE(controlSkins, 60u);
    ASSERT_TRUE(form->ShowPage(L"scrolling"));
    controlSkins = 0;  // each page shown paints its own parts
    Repeat(50, roundTrip);
    ::ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
    controlSkins = 0;
    Repeat(1000, roundTrip);
}

TEST_F(GalleryPage, TabsSkinnedOffAndOnAThousandTimesLeaveNoHandleBehind) {
    Open(L"tabs");
    size_t controlSkins = 0;
    auto roundTrip = [&] { PaintedTrip(controlSkins); };
    Repeat(50, roundTrip);
    // Nine page controls (one of buttons), a tab control and a page control that draws
    // its tabs from pictures, every page of them, the tab set, and the arrows of the page
    // control whose tabs do not fit and of the tab set.
    EXPECT_EQ(SkinsOf(u"TSkinTab"), 9u);
    EXPECT_EQ(SkinsOf(u"TSkinTabBtn"), 1u);
    EXPECT_EQ(SkinsOf(u"TSkinAdvPage"), 1u);
    EXPECT_EQ(SkinsOf(u"TSkinTabSheet"), 33u);
    EXPECT_EQ(SkinsOf(u"TSkinTab31"), 1u);
    EXPECT_GE(SkinsOf(u"TSkinUpDown"), 2u);
    ::ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
    controlSkins = 0;
    Repeat(1000, roundTrip);
}

TEST_F(GalleryPage, MenusSkinnedOffAndOnAThousandTimesLeaveNoHandleBehind) {
    Open(L"menus");
    TMainMenu* menu = form->Menu();
    ASSERT_NE(menu, nullptr);
    TPopupMenu* popup = form->Page()->PopupMenu();
    ASSERT_NE(popup, nullptr);
    const auto bar = [&] { return manager->FindSkinForm(form->Handle())->MenuBar(); };
    ASSERT_NE(bar(), nullptr);
    EXPECT_EQ(bar()->Buttons().size(), static_cast<size_t>(menu->Items().Count()));
    EXPECT_EQ(::GetMenu(form->Handle()), nullptr);  // the skinned bar, not the system's
    EXPECT_TRUE(popup->OwnerDraw());  // the skin draws the popup's items

    // Each trip: the skin off (the menus as the gallery made them, the window's own bar
    // back), on again, and the page left and shown again (the bar goes and comes back).
    auto roundTrip = [&] {
        Reskin();
        if (HasFatalFailure()) return;
        ASSERT_NE(bar(), nullptr);
        ASSERT_TRUE(form->ShowPage(L"controls"));
        ASSERT_EQ(bar(), nullptr);
        ASSERT_TRUE(form->ShowPage(L"menus"));
        ASSERT_NE(bar(), nullptr);
        ASSERT_EQ(bar()->Buttons().size(), static_cast<size_t>(menu->Items().Count()));
    };
    Repeat(50, roundTrip);
    ::ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
    Repeat(1000, roundTrip);

    manager->Unskin(*manager->FindSkinForm(form->Handle()));
    EXPECT_EQ(::GetMenu(form->Handle()), menu->Handle());
    EXPECT_TRUE(menu->OwnerDraw());  // the gallery's own choice: some items draw themselves
    EXPECT_FALSE(popup->OwnerDraw());  // the skin's choice, taken back
}

// The controls on `parent` and below that are a T.
template <class T>
std::vector<T*> ControlsOf(TWinControl& parent) {
    std::vector<T*> found;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (auto* t = As<T>(control)) found.push_back(t);
        if (auto* windowed = As<TWinControl>(control)) {
            const std::vector<T*> inner = ControlsOf<T>(*windowed);
            found.insert(found.end(), inner.begin(), inner.end());
        }
    }
    return found;
}

TEST_F(GalleryPage, MediaPlayersAndGlyphBoxesSkinnedOffAndOnAThousandTimesLeaveNoHandleBehind) {
    Open(L"media");
    const std::vector<TMediaPlayer*> players = ControlsOf<TMediaPlayer>(*form->Page());
    ASSERT_EQ(players.size(), 3u);
    const std::vector<TRzCheckBox*> boxes = ControlsOf<TRzCheckBox>(*form->Page());
    ASSERT_FALSE(boxes.empty());
    // Each trip: the skin off (no overlay left, the boxes' own look back), and on again
    // (an overlay just in front of each player, the boxes with the skin's strip).
    auto roundTrip = [&] {
        TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        ASSERT_NE(skinned, nullptr);
        manager->Unskin(*skinned);
        for (TMediaPlayer* player : players)
            ASSERT_EQ(As<TWMediaPlayer>(TWinControl::FindControl(::GetWindow(player->Handle(), GW_HWNDPREV))), nullptr);
        ASSERT_FALSE(boxes.front()->UseCustomGlyphs());
        ASSERT_TRUE(manager->SkinForm(*form));
        ASSERT_TRUE(PumpUntil([&] { return Running(); }));
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (TMediaPlayer* player : players) {
            auto* overlay = As<TWMediaPlayer>(TWinControl::FindControl(::GetWindow(player->Handle(), GW_HWNDPREV)));
            ASSERT_NE(overlay, nullptr);
            ASSERT_EQ(overlay->Target(), player);
        }
        ASSERT_TRUE(boxes.front()->UseCustomGlyphs());
    };
    Repeat(50, roundTrip);
    ::ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
    Repeat(1000, roundTrip);
}

}  // namespace
