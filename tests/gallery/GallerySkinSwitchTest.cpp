// Switching the gallery's skin while it runs: among the three shipped skins and none,
// over every page, every window kept and nothing left behind; and a skin file that
// cannot be used leaving the skin in use.

#include "framework/controls/ComboBox.h"
#include "gallery/SkinChooser.h"
#include "skin/data/SkinReader.h"
#include "tests/gallery/GalleryPage.h"
#include "tests/support/ShippedSkins.h"

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace gallery_test;

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
        chooser = std::make_unique<GallerySkinChooser>(*form, *form, *form->Skin(), ShippedSkinFolder(), std::wstring{}, 0, 0, 150);
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
    std::unique_ptr<GallerySkinChooser> chooser;
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
