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

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <windows.h>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// Every window of this thread, children included.
int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Components owned by `owner` and by what it owns: control skins belong to their controls.
int OwnedComponents(const TComponent& owner) {
    int count = owner.ComponentCount();
    for (int i = 0; i < owner.ComponentCount(); ++i) count += OwnedComponents(*owner.Components(i));
    return count;
}

class GalleryPage : public ::testing::Test {
protected:
    void Open(const wchar_t* page) {
        TSkinManage::Install();
        m_app.emplace();
        form = &m_app->CreateForm<TGalleryForm>();
        ASSERT_TRUE(form->Build({}, page));
        ASSERT_NE(form->Skin(), nullptr);
        ASSERT_FALSE(form->Skin()->NoSkin());
        form->Show();
        manager = TSkinManage::Instance();
        ASSERT_NE(manager, nullptr);
        ASSERT_TRUE(PumpUntil([&] {
            const TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
            return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
        }));
    }
    bool Running() const {
        const TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
    }
    // The skin off and on again; the start message walks the page's controls.
    void Reskin() {
        TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        ASSERT_NE(skinned, nullptr);
        manager->Unskin(*skinned);
        ASSERT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
        ASSERT_TRUE(manager->SkinForm(*form));
        ASSERT_TRUE(PumpUntil([&] { return Running(); }));
    }
    // `trip` repeated `count` times after a first one (which fills the caches that stay)
    // leaves no GDI handle, window or component behind.
    void Repeat(int count, const std::function<void()>& trip) {
        trip();
        const int components = OwnedComponents(*form);
        const int windows = ThreadWindows();
        const int headroom = GdiHeadroom();
        for (int i = 0; i < count; ++i) {
            trip();
            if (HasFatalFailure()) return;
        }
        EXPECT_LE(headroom - GdiHeadroom(), 8);  // a few handles of the system's own caches at most
        EXPECT_EQ(ThreadWindows(), windows);
        EXPECT_EQ(OwnedComponents(*form), components);  // every skin object of the old trips is freed
    }
    // The skin off and on, the page painted at once, and as many control skins as the
    // first trip made (`controlSkins` 0: this is the first).
    void PaintedTrip(size_t& controlSkins) {
        Reskin();
        if (HasFatalFailure()) return;
        // Painted now, not at some later pump: a paint may find parts that get skins of
        // their own (a spin button inside an edit).
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const size_t skins = manager->FindSkinForm(form->Handle())->ControlSkins().size();
        if (controlSkins == 0) controlSkins = skins;
        ASSERT_EQ(skins, controlSkins);  // every trip skins the pages' controls again
    }
    // The control skins of the form whose class is `className`.
    size_t SkinsOf(std::u16string_view className) const {
        const auto skins = manager->FindSkinForm(form->Handle())->ControlSkins();
        return static_cast<size_t>(std::count_if(skins.begin(), skins.end(), [&](const TSkinControl* skin) {
            return skin && skin->ClassName() == className;
        }));
    }
    void TearDown() override {
        m_app.reset();
        TSkinManage::DestroyInstance();
    }

    TGalleryForm* form = nullptr;
    TSkinManage* manager = nullptr;

private:
    std::optional<TApplication> m_app;
};

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
