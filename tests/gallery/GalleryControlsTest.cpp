// The gallery's control, scrolling, tab and menu pages under the skin: every control on
// them skinned, the menus the skin's own, and the skin taken off and put on again a
// thousand times with nothing left behind.

#include "framework/controls/ComboBox.h"
#include "framework/controls/GlyphCheckBox.h"
#include "framework/controls/MediaPlayer.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "gallery/SkinChooser.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/controls/MediaPlayerSkin.h"
#include "skin/data/SkinReader.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
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

    TApplication& App() { return *m_app; }

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

// --- switching skins ----------------------------------------------------------------------

// The shipped skins' folder, as the program sees it.
std::wstring SkinFolder() {
    const std::string dir = KESTRELLE_SKIN_DIR;  // a Unix path: the host's root is drive Z under Wine
    std::wstring folder = L"Z:" + std::wstring(dir.begin(), dir.end());
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}

// Every window handle of the gallery's controls with the control's class, the form's
// first; windows the skin makes for itself (a media player's overlay) come and go with it.
void ControlHandles(const TWinControl& control, std::vector<std::pair<std::u16string, HWND>>& out) {
    out.emplace_back(control.ClassName(), control.HandleIfAllocated());
    for (int i = 0; i < control.ControlCount(); ++i)
        if (auto* windowed = As<TWinControl>(control.Controls(i)); windowed && !As<TSkinControl>(windowed->Owner()))
            ControlHandles(*windowed, out);
}

class SkinSwitching : public GalleryPage {
protected:
    void SetUp() override {
        m_previous = TSkinReader::SetNotifier([this](std::u16string_view text) { messages.emplace_back(text); });
    }
    void TearDown() override {
        chooser.reset();
        GalleryPage::TearDown();
        TSkinReader::SetNotifier(std::move(m_previous));
    }
    void OpenWithChooser(const wchar_t* page) {
        Open(page);
        if (HasFatalFailure()) return;
        chooser = std::make_unique<SkinChooser>(*form, *form, *form->Skin(), SkinFolder(), std::wstring{}, 0, 0, 150);
        ASSERT_EQ(chooser->Files().size(), 3u);  // contrast, dark, kestrelle
    }
    // Picks line `line` as a user would and waits for the switch to be carried out.
    void Choose(int line) {
        int changed = 0;
        form->Skin()->OnSkinChanged = [&](TObject*) { ++changed; };
        chooser->Choose(line);
        ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, 3000)) << "line " << line;
        form->Skin()->OnSkinChanged = nullptr;
        if (line < kNone) ASSERT_TRUE(Running());
        else ASSERT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
        ::RedrawWindow(form->Handle(), nullptr, nullptr,
                       RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // A few pixels of the frame and of the page buttons, as the screen shows them.
    std::vector<COLORREF> Looks() const {
        RECT window{};
        ::GetWindowRect(form->Handle(), &window);
        POINT client{0, 0};
        ::ClientToScreen(form->Handle(), &client);
        const POINT points[] = {{(window.left + window.right) / 2, window.top + 6},
                                {window.left + 2, (window.top + window.bottom) / 2},
                                {client.x + 40, client.y + 12},
                                {client.x + 3, client.y + 300}};
        std::vector<COLORREF> looks;
        HDC screen = ::GetDC(nullptr);
        for (const POINT& p : points) looks.push_back(::GetPixel(screen, p.x, p.y));
        ::ReleaseDC(nullptr, screen);
        looks.push_back(static_cast<COLORREF>(form->Color()));
        return looks;
    }

    static constexpr int kNone = 3;
    std::unique_ptr<SkinChooser> chooser;
    std::vector<std::u16string> messages;

private:
    TSkinReader::Notifier m_previous;
};

// Each page shown under dark, contrast, none and kestrelle in turn, nine rounds: 216
// switches. Every switch looks the same each time it comes (nothing half repainted or
// left in another skin's look), and after the first round every switch leaves the same
// windows, handles and components as before.
TEST_F(SkinSwitching, TwoHundredSwitchesOverEveryPageKeepEveryWindowAndLeaveNothingBehind) {
    OpenWithChooser(L"windows");
    ASSERT_FALSE(HasFatalFailure());
    const wchar_t* const pages[] = {L"windows", L"controls", L"scrolling", L"tabs", L"media", L"menus"};
    const int order[] = {1, 0, kNone, 2};  // dark, contrast, none, kestrelle
    std::map<std::pair<int, int>, std::vector<COLORREF>> seen;
    auto round = [&] {
        for (int page = 0; page < 6; ++page) {
            ASSERT_TRUE(form->ShowPage(pages[page]));
            for (int line : order) {
                Choose(line);
                if (HasFatalFailure()) return;
                const auto looks = Looks();
                const auto [at, first] = seen.emplace(std::pair{page, line}, looks);
                ASSERT_EQ(at->second, looks) << "page " << page << ", line " << line;
                (void)first;
            }
        }
    };
    round();
    ASSERT_FALSE(HasFatalFailure());
    for (int page = 0; page < 6; ++page)
        for (int a : order)
            for (int b : order)
                if (a < b) {
                    EXPECT_NE((seen[{page, a}]), (seen[{page, b}])) << "page " << page;
                }

    std::vector<std::pair<std::u16string, HWND>> handles;
    ControlHandles(*form, handles);
    const int windows = ThreadWindows();
    const int components = OwnedComponents(*form);
    const int headroom = GdiHeadroom();
    const DWORD users = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 8; ++i) {
        round();
        if (HasFatalFailure()) return;
    }
    std::vector<std::pair<std::u16string, HWND>> after;
    ControlHandles(*form, after);
    ASSERT_EQ(after.size(), handles.size());
    for (size_t i = 0; i < after.size(); ++i)  // no window re-created
        EXPECT_TRUE(after[i] == handles[i]) << i << ": " << ToUtf8(handles[i].first) << " became "
                                            << ToUtf8(after[i].first);
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(OwnedComponents(*form), components);
    EXPECT_LE(headroom - GdiHeadroom(), 8);
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), users + 8);
    EXPECT_TRUE(messages.empty());
}

// A damaged file and a missing one, chosen while the dark skin shows: each is told once,
// and the dark skin stays in use, painted as before, and skins a window opened after.
TEST_F(SkinSwitching, ASkinFileThatCannotBeUsedLeavesTheSkinInUse) {
    OpenWithChooser(L"controls");
    ASSERT_FALSE(HasFatalFailure());
    Choose(1);
    ASSERT_FALSE(HasFatalFailure());
    const auto dark = Looks();
    const std::wstring darkFile = form->Skin()->SkinFile();

    std::ifstream in(std::string(KESTRELLE_SKIN_DIR) + "/dark.skin", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    bytes.resize(bytes.size() / 2);  // the stream ends before the container does
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring damaged = std::wstring(folder) + L"damaged.skin";
    std::ofstream(damaged.c_str(), std::ios::binary | std::ios::trunc) << bytes;

    int changed = 0;
    form->Skin()->OnSkinChanged = [&](TObject*) { ++changed; };
    EXPECT_FALSE(chooser->ChooseFile(damaged));
    ::DeleteFileW(damaged.c_str());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(chooser->ChooseFile(damaged));  // gone now
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(chooser->Box().ItemIndex(), 1);  // the chooser shows the dark skin again
    EXPECT_FALSE(form->Skin()->NoSkin());
    EXPECT_EQ(form->Skin()->SkinFile(), darkFile);
    PumpUntil([&] { return changed > 0; }, 600);
    EXPECT_EQ(changed, 0);  // nothing was asked of the windows
    ASSERT_TRUE(Running());
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(Looks(), dark);

    TForm& later = App().CreateForm<TForm>();
    later.SetBounds(60, 60, 300, 200);
    later.Show();
    EXPECT_TRUE(PumpUntil([&] { return manager->FindSkinForm(later.Handle()) != nullptr; }));
}

}  // namespace
