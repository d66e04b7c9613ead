// Skinned menus: the item painters' pixels, the menu windows the manager skins, and the
// skinned system menu.

#include "skin/window/MenuItemPaint.h"

#include "framework/controls/Menus.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/DibSection.h"
#include "skin/data/SkinMessages.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinPopMenu.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <functional>

using namespace window_skin;

namespace {

// The item picture's frames: normal, separator (its top half transparent), -, selected, -.
constexpr TColor kItemFrames[5] = {RgbColour(0, 160, 0), RgbColour(0, 120, 40), RgbColour(0, 90, 0),
                                   RgbColour(0, 60, 0), RgbColour(0, 30, 0)};
constexpr TColor kMenuBack = RgbColour(0, 200, 100);
constexpr int kItemFrameWidth = 20, kItemHeight = 20;

std::vector<std::byte> MenuSkin() {
    // Text colours that tell themselves apart from every green of the pictures: enabled
    // text is blue, disabled text red.
    const std::string colours = "Menu=0 50 50\r\nMenuText=0 0 255\r\nHilightText=0 0 255\r\nButtonShadow=255 0 0\r\n";
    const std::string ini = "[MenuItem]\r\nImage=menuitem.bmp\r\nFrame=5\r\nLeftWidth=2\r\nRightWidth=2\r\n"
                            "[MenuBackground]\r\nImage=menuback.bmp\r\n";
    const auto item = test_skins::PatternBitmap(kItemFrameWidth * 5, kItemHeight, [](int x, int y) {
        const int frame = x / kItemFrameWidth;
        return frame == 1 && y < kItemHeight / 2 ? kKey : kItemFrames[frame];
    });
    return Skin(true, colours, ini, {{"menuitem.bmp", item}, {"menuback.bmp", test_skins::SolidBitmap(9, 9, kMenuBack)}});
}

class MenuSkinTest : public SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(MenuSkin())));
        ASSERT_NE(skin->MenuItem(), nullptr);
        ASSERT_NE(skin->MenuBackground(), nullptr);
    }
    static COLORREF Rgb(TColor colour) { return ColorToRGB(colour); }
};

// Pixels in `area` whose red (or blue) channel is set.
int CountWith(const DibSection& dib, const RECT& area, int shift) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((dib.Pixel(x, y) >> shift) & 0xFF) ++count;
    return count;
}
int Reds(const DibSection& dib, const RECT& area) { return CountWith(dib, area, 0); }
int Blues(const DibSection& dib, const RECT& area) { return CountWith(dib, area, 16); }

HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MenuSkinTestWindow";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND window = ::CreateWindowExW(0, L"MenuSkinTestWindow", L"menus", style, 40, 40, 300, 200, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

// The menu loop runs the test's look at the open menus from a timer, then ends it.
std::function<void()> s_inMenu;
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    ::KillTimer(nullptr, id);
    if (s_inMenu) s_inMenu();
    ::EndMenu();
}

}  // namespace

TEST_F(MenuSkinTest, ItemsShowTheirStateOnTheSkinsItemPicture) {
    constexpr int w = 120, h = 20;
    DibSection dib{w + 10, h + 10};
    const RECT item{5, 5, 5 + w, 5 + h};
    const RECT rightEnd{item.right - 10, item.top, item.right, item.bottom};  // no text reaches it
    const RECT text{item.left + 30, item.top, item.left + 80, item.bottom};
    const RECT glyph{item.left + 3, item.top + 1, item.left + 19, item.top + 17};
    const auto draw = [&](const MenuItemFacts& facts, bool selected) {
        dib.Fill(kSentinel);
        ASSERT_TRUE(DrawSkinnedItem(dib.Dc(), facts, selected, item, *skin, nullptr, SeparatorLook::SkinLine));
        ::GdiFlush();
        EXPECT_TRUE(dib.AllEqual({0, 0, w + 10, 5}, kSentinel));  // nothing outside the item
        EXPECT_TRUE(dib.AllEqual({0, 0, 5, h + 10}, kSentinel));
    };
    MenuItemFacts plain;
    plain.caption = L"&Open";
    {
        SCOPED_TRACE("normal");
        draw(plain, false);
        EXPECT_TRUE(dib.AllEqual(rightEnd, Rgb(kItemFrames[0])));
        EXPECT_TRUE(dib.AllEqual(glyph, Rgb(kItemFrames[0])));
        EXPECT_GT(Blues(dib, text), 0);
        EXPECT_EQ(Reds(dib, text), 0);
    }
    {
        SCOPED_TRACE("selected");
        draw(plain, true);
        EXPECT_TRUE(dib.AllEqual(rightEnd, Rgb(kItemFrames[3])));
        EXPECT_GT(Blues(dib, text), 0);
    }
    {
        SCOPED_TRACE("disabled");
        MenuItemFacts disabled = plain;
        disabled.enabled = false;
        draw(disabled, false);
        EXPECT_TRUE(dib.AllEqual(rightEnd, Rgb(kItemFrames[0])));
        EXPECT_GT(Reds(dib, text), 0);
        EXPECT_EQ(Blues(dib, text), 0);
    }
    {
        SCOPED_TRACE("checked");
        MenuItemFacts checked = plain;
        checked.checked = true;
        draw(checked, false);
        // The check mark is drawn in the button-text colour inside the glyph box alone.
        const COLORREF mark = ::GetSysColor(COLOR_BTNTEXT);
        EXPECT_GT(dib.CountOther(glyph, Rgb(kItemFrames[0])), 0);
        int marks = 0;
        for (int y = glyph.top; y < glyph.bottom; ++y)
            for (int x = glyph.left; x < glyph.right; ++x) marks += dib.Pixel(x, y) == mark;
        EXPECT_GT(marks, 0);
        EXPECT_TRUE(dib.AllEqual(rightEnd, Rgb(kItemFrames[0])));
    }
}

TEST_F(MenuSkinTest, SeparatorsAndBackgroundsComeFromThePictures) {
    DibSection dib{100, 30};
    DibSection background{120, 60};
    // The menu window's picture: its 3-pixel frame in another colour than the inside.
    background.Fill(RGB(9, 9, 9));
    const RECT inside{3, 3, 117, 57};
    BrushHandle fill{::CreateSolidBrush(RGB(40, 40, 200))};
    ::FillRect(background.Dc(), &inside, fill.Get());
    TBitmap picture;
    picture.SetSize(120, 60);
    ::BitBlt(picture.Dc(), 0, 0, 120, 60, background.Dc(), 0, 0, SRCCOPY);

    MenuItemFacts line;
    line.caption = L"-";
    // A separator lower than the strip takes the strip's bottom rows: all line colour.
    dib.Fill(kSentinel);
    ASSERT_TRUE(DrawSkinnedItem(dib.Dc(), line, false, {0, 0, 100, 8}, *skin, &picture, SeparatorLook::SkinLine));
    ::GdiFlush();
    EXPECT_TRUE(dib.AllEqual({0, 0, 100, 8}, Rgb(kItemFrames[1])));
    EXPECT_TRUE(dib.AllEqual({0, 8, 100, 30}, kSentinel));
    // As high as the strip: its transparent top half shows the menu's picture, taken
    // from inside the window's frame.
    dib.Fill(kSentinel);
    ASSERT_TRUE(DrawSkinnedItem(dib.Dc(), line, false, {0, 0, 100, 20}, *skin, &picture, SeparatorLook::SkinLine));
    ::GdiFlush();
    EXPECT_TRUE(dib.AllEqual({0, 0, 100, 10}, RGB(40, 40, 200)));
    EXPECT_TRUE(dib.AllEqual({0, 10, 100, 20}, Rgb(kItemFrames[1])));
    // Without a picture, the skin's menu colour; a plain item with no item picture fills
    // with the menu colour or the selection colour.
    dib.Fill(kSentinel);
    ASSERT_TRUE(DrawSkinnedItem(dib.Dc(), line, false, {0, 0, 100, 20}, *skin, nullptr, SeparatorLook::SkinLine));
    ::GdiFlush();
    EXPECT_TRUE(dib.AllEqual({0, 0, 100, 10}, RGB(0, 50, 50)));
}

TEST_F(MenuSkinTest, MenuWindowsGetTheSkinsFrameAndLeakNothing) {
    manager->InstallHook();
    HWND owner = MakeWindow();
    ::ShowWindow(owner, SW_SHOW);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"One");
    ::AppendMenuW(menu, MF_STRING, 2, L"Two");
    bool skinned = false;
    COLORREF corner = 0, farCorner = 0;
    s_inMenu = [&] {
        if (manager->PopupMenus().size() != 1) return;
        const TSkinManage::MenuWindow& open = manager->PopupMenus().front();
        skinned = open.skin && ::SendMessageW(open.window, WMX_ISSKINNED, 0, 0) == 1;
        RECT r{};
        ::GetWindowRect(open.window, &r);
        HDC screen = ::GetDC(nullptr);
        corner = ::GetPixel(screen, r.left + 1, r.top + 1);
        farCorner = ::GetPixel(screen, r.right - 2, r.bottom - 2);
        ::ReleaseDC(nullptr, screen);
    };
    const auto popup = [&] {
        ::SetTimer(nullptr, 0, 100, &LookAtMenu);
        ::TrackPopupMenu(menu, TPM_RETURNCMD, 60, 60, 0, owner, nullptr);
        PumpUntil([] { return false; }, 30);
    };
    popup();
    EXPECT_TRUE(skinned);
    EXPECT_EQ(corner, Rgb(kMenuBack));
    EXPECT_EQ(farCorner, Rgb(kMenuBack));
    EXPECT_TRUE(manager->PopupMenus().empty());

    s_inMenu = nullptr;
    const int gdi = GdiHeadroom(), user = UserHeadroom();
    for (int i = 0; i < 15; ++i) popup();
    // A leak of one handle per menu would show 15; the counts themselves wobble a little.
    EXPECT_LT(gdi - GdiHeadroom(), 5);
    EXPECT_LT(user - UserHeadroom(), 5);
    ::DestroyMenu(menu);
    ::DestroyWindow(owner);
}

namespace {

struct SysItem {
    bool enabled = false;
    int image = -2;
};
SysItem ItemOf(TPopupMenu& menu, UINT command) {
    for (int i = 0; i < menu.Items().Count(); ++i)
        if (TMenuItem* item = menu.Items().Items(i); static_cast<UINT>(item->Tag()) == command)
            return {item->Enabled(), item->ImageIndex()};
    ADD_FAILURE() << "no item " << command;
    return {};
}

}  // namespace

TEST_F(MenuSkinTest, TheSystemMenuOffersWhatTheWindowsStateAllows) {
    const auto skinned = [&](HWND window) {
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(manager->SkinWindow(window));
        TWinSkinForm* form = manager->FindSkinForm(window);
        EXPECT_TRUE(form && PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
        return form;
    };
    HWND window = MakeWindow();
    TWinSkinForm* form = skinned(window);
    ASSERT_NE(form, nullptr);
    const int components = form->ComponentCount();
    form->BuildSysMenu();
    ASSERT_NE(form->SysMenu(), nullptr);
    TPopupMenu& normal = *form->SysMenu();
    EXPECT_TRUE(normal.OwnerDraw());
    EXPECT_EQ(normal.Images(), &skin->MenuGlyphs());
    EXPECT_FALSE(ItemOf(normal, SC_RESTORE).enabled);
    EXPECT_TRUE(ItemOf(normal, SC_MOVE).enabled);
    EXPECT_TRUE(ItemOf(normal, SC_SIZE).enabled);
    EXPECT_TRUE(ItemOf(normal, SC_MINIMIZE).enabled);
    EXPECT_TRUE(ItemOf(normal, SC_MAXIMIZE).enabled);
    EXPECT_EQ(ItemOf(normal, SC_CLOSE).image, 3);
    EXPECT_EQ(ItemOf(normal, SC_MAXIMIZE).image, 1);
    EXPECT_EQ(ItemOf(normal, SC_MOVE).image, -1);

    ::ShowWindow(window, SW_MAXIMIZE);
    PumpUntil([] { return false; }, 30);
    form->BuildSysMenu();
    TPopupMenu& maximized = *form->SysMenu();
    EXPECT_TRUE(ItemOf(maximized, SC_RESTORE).enabled);
    EXPECT_FALSE(ItemOf(maximized, SC_MAXIMIZE).enabled);
    EXPECT_FALSE(ItemOf(maximized, SC_MOVE).enabled);
    EXPECT_FALSE(ItemOf(maximized, SC_SIZE).enabled);

    ::ShowWindow(window, SW_MINIMIZE);
    PumpUntil([] { return false; }, 30);
    form->BuildSysMenu();
    TPopupMenu& minimized = *form->SysMenu();
    EXPECT_TRUE(ItemOf(minimized, SC_RESTORE).enabled);
    EXPECT_FALSE(ItemOf(minimized, SC_MINIMIZE).enabled);
    EXPECT_TRUE(ItemOf(minimized, SC_MAXIMIZE).enabled);
    // Each build replaces the last menu: one component, however often it is built.
    EXPECT_EQ(form->ComponentCount(), components + 1);
    ::DestroyWindow(window);

    HWND fixed = MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    TWinSkinForm* fixedForm = skinned(fixed);
    ASSERT_NE(fixedForm, nullptr);
    fixedForm->BuildSysMenu();
    ASSERT_NE(fixedForm->SysMenu(), nullptr);
    EXPECT_FALSE(ItemOf(*fixedForm->SysMenu(), SC_MAXIMIZE).enabled);
    EXPECT_TRUE(ItemOf(*fixedForm->SysMenu(), SC_MINIMIZE).enabled);
    ::DestroyWindow(fixed);
}

TEST_F(MenuSkinTest, AltSpaceOpensTheSkinnedSystemMenuDrawnOverTheMenusPicture) {
    manager->InstallHook();
    HWND window = MakeWindow();
    ::ShowWindow(window, SW_SHOW);
    manager->SkinWindow(window);  // unless its activation through the hook did already
    TWinSkinForm* form = manager->FindSkinForm(window);
    ASSERT_TRUE(form && PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
    size_t open = 0;
    int32_t kind = -1;
    bool drawnOnPicture = false;
    RECT menuRect{};
    s_inMenu = [&] {
        open = manager->PopupMenus().size();
        kind = manager->MenuKind();
        // The owner-drawn items told the menu window which menu it shows.
        if (TPopupMenu* sys = form->SysMenu()) drawnOnPicture = manager->MenuBitmapOf(sys->Items().Handle()) != nullptr;
        if (open) ::GetWindowRect(manager->PopupMenus().front().window, &menuRect);
    };
    ::SetTimer(nullptr, 0, 150, &LookAtMenu);
    ::SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    s_inMenu = nullptr;
    EXPECT_EQ(open, 1u);
    EXPECT_EQ(kind, TSkinManage::kSystemMenu);
    EXPECT_TRUE(drawnOnPicture);
    POINT client{0, 0};
    ::ClientToScreen(window, &client);
    EXPECT_EQ(menuRect.left, client.x);  // at the client origin
    EXPECT_EQ(menuRect.top, client.y);
    ::DestroyWindow(window);
}

namespace {

bool OwnerDrawn(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoW(menu, position, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

}  // namespace

TEST_F(MenuSkinTest, APlainWindowsBarPopupIsMeasuredAndDrawnByTheSkinAndGivenBackPlain) {
    manager->InstallHook();
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    HMENU recent = ::CreatePopupMenu();
    ::AppendMenuW(recent, MF_STRING, 21, L"&1 vowels");
    // Numbers below 4096, as plain programs use them.
    ::AppendMenuW(file, MF_STRING, 11, L"&Open\tCtrl+O");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING | MF_GRAYED, 12, L"&Close");
    ::AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"&Recent");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HWND window = MakeWindow();
    ::SetMenu(window, bar);
    ::ShowWindow(window, SW_SHOW);
    manager->SkinWindow(window);
    TWinSkinForm* form = manager->FindSkinForm(window);
    ASSERT_TRUE(form && PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
    ASSERT_NE(form->MenuBar(), nullptr);

    RECT menuRect{};
    bool allOwnerDrawn = false;
    COLORREF rightEnd = 0, beside = 0;
    s_inMenu = [&] {
        allOwnerDrawn = OwnerDrawn(file, 0) && OwnerDrawn(file, 1) && OwnerDrawn(file, 2) && OwnerDrawn(file, 3) &&
                        OwnerDrawn(recent, 0);
        if (manager->PopupMenus().empty()) return;
        HWND popup = manager->PopupMenus().front().window;
        ::GetWindowRect(popup, &menuRect);
        RECT open{};
        ::GetMenuItemRect(window, file, 0, &open);
        HDC screen = ::GetDC(nullptr);
        // The item picture's right end, which no text reaches, in its normal frame; the
        // first item is selected when the menu opens from the keyboard only.
        rightEnd = ::GetPixel(screen, open.right - 2, (open.top + open.bottom) / 2);
        beside = ::GetPixel(screen, open.right - 2, open.bottom + 2);
        ::ReleaseDC(nullptr, screen);
    };
    ::SetTimer(nullptr, 0, 150, &LookAtMenu);
    EXPECT_TRUE(form->OpenMenuButton(form->MenuBar()->Buttons()[0].get()));
    s_inMenu = nullptr;
    EXPECT_TRUE(allOwnerDrawn);
    // Measured by the skin: wide enough for the text and the shortcut, not the empty item
    // a plain window's procedure would leave.
    EXPECT_GT(menuRect.right - menuRect.left, 60);
    EXPECT_GT(menuRect.bottom - menuRect.top, 3 * 8);
    const bool itemPicture = rightEnd == Rgb(kItemFrames[0]) || rightEnd == Rgb(kItemFrames[3]);
    EXPECT_TRUE(itemPicture) << std::hex << rightEnd;
    EXPECT_NE(beside, Rgb(kSentinel));

    // Unskinned, the window's own menus draw themselves again.
    manager->Unskin(*form);
    EXPECT_EQ(::GetMenu(window), bar);
    EXPECT_FALSE(OwnerDrawn(file, 0));
    EXPECT_FALSE(OwnerDrawn(file, 1));
    EXPECT_FALSE(OwnerDrawn(recent, 0));
    ::DestroyWindow(window);
}
