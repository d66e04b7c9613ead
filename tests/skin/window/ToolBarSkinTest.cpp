// Skinned tool bars: the bar's background and its buttons' faces as they reach the
// control's own painting, the program's handlers kept, and everything given back when
// skinning lets go.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Menus.h"
#include "framework/controls/ToolBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/DibSection.h"
#include "skin/window/SkinManage.h"
#include "tests/skin/window/WindowTestSkin.h"

#include <gtest/gtest.h>

#include <optional>

#include <windows.h>
#include <commctrl.h>

using namespace window_skin;

namespace {

// The button object's frames: normal, pressed, disabled, hover, focused.
constexpr TColor kFrames[5] = {RgbColour(200, 40, 40), RgbColour(40, 200, 40), RgbColour(40, 40, 200),
                               RgbColour(200, 200, 40), RgbColour(40, 200, 200)};
constexpr TColor kProgramBackground = RgbColour(250, 0, 0);

void ProgramDrawsItem(TObject*, TCanvas&, const RECT&, bool) {}
bool KeepsProgramsHandler(const TMenuItem& item) {
    const auto* handler = item.OnDrawItem.target<void (*)(TObject*, TCanvas&, const RECT&, bool)>();
    return handler && *handler == &ProgramDrawsItem;
}

std::vector<std::byte> ToolBarSkin() {
    const std::string ini = "[Buttons]\r\nBitmap=buttons.bmp\r\nTrans=1\r\n"
                            "LeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight=2\r\n"
                            "NormalColour2=255 128 0\r\nMouseOverColour2=0 128 255\r\nPressedColour2=128 0 255\r\n";
    return Skin(true, "", ini, {{"buttons.bmp", Strip(8, 8, 5, false, kFrames, 0, 0)}});
}

class ToolBarSkinTest : public SkinnedTest {
protected:
    enum Button { Normal, Hot, Pressed, Checked, Disabled, Drop, Count };

    void SetUp() override {
        SkinnedTest::SetUp();
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(ToolBarSkin())));
        TSkinOptions options = skin->Options();
        options.Exclude(TSkinOption::xoToolbarBK);
        skin->SetOptions(options);
        m_app.emplace();
        form = &m_app->CreateForm<TForm>();
        form->SetBounds(30, 30, 400, 200);
        bar = &form->Create<TToolBar>();
        bar->SetParent(form);
        bar->SetHeight(44);
        bar->SetShowCaptions(true);
        menu = &form->Create<TMainMenu>();
        tools = &AddItem(menu->Items(), L"&Tools");
        louder = &AddItem(*tools, L"&Louder");
        softer = &AddItem(*tools, L"&Softer");
        for (int i = 0; i < Count; ++i) {
            auto& button = form->Create<TToolButton>();
            button.SetParent(bar);
            button.SetCaption(L"Tool");
            buttons[i] = &button;
        }
        buttons[Checked]->SetButtonStyle(TToolButtonStyle::tbsCheck);
        buttons[Checked]->SetDown(true);
        buttons[Disabled]->SetEnabled(false);
        buttons[Drop]->SetButtonStyle(TToolButtonStyle::tbsDropDown);
        buttons[Drop]->SetMenuItem(tools);
    }
    void TearDown() override {
        m_app.reset();  // the forms go while the manager and the skin data still live
        SkinnedTest::TearDown();
    }

    TMenuItem& AddItem(TMenuItem& parent, const wchar_t* caption) {
        auto& item = form->Create<TMenuItem>();
        item.SetCaption(caption);
        parent.Add(item);
        return item;
    }

    // The bar as its control paints it, with button `hot` hot and `pressed` pressed.
    void PaintBar(DibSection& dib, std::optional<int> hot = Hot, std::optional<int> pressed = Pressed) {
        HWND window = bar->Handle();
        ::SendMessageW(window, TB_SETHOTITEM, hot ? *hot : -1, 0);
        for (int i = 0; i < Count; ++i) ::SendMessageW(window, TB_PRESSBUTTON, i, pressed == i);
        dib.Fill(kSentinel);
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
        ::GdiFlush();
    }

    // The button's face shows at its corners, away from its image and caption.
    static RECT Corner(const TToolButton& button) {
        return {button.Left() + 2, button.Top() + 2, button.Left() + 5, button.Top() + 5};
    }
    static bool ShowsFrame(const DibSection& dib, const TToolButton& button, int frame) {
        return dib.AllEqual(Corner(button), ColorToRGB(kFrames[frame - 1]));
    }
    static bool ShowsAnyFrame(const DibSection& dib, const TToolButton& button) {
        for (int frame = 1; frame <= 5; ++frame)
            if (dib.CountOther(Corner(button), ColorToRGB(kFrames[frame - 1])) == 0) return true;
        return false;
    }
    // Pixels of `area` in a strong blue, as the hover caption's strokes are; blended
    // with the face at their edges, so only the channels' balance is checked.
    static int CountBluish(const DibSection& dib, const RECT& area) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (const COLORREF p = dib.Pixel(x, y); GetBValue(p) > 180 && GetRValue(p) < 130) ++count;
        return count;
    }
    // The bar's background at its top and bottom rows, right of the buttons.
    COLORREF BackgroundAt(const DibSection& dib, int y) const {
        return dib.Pixel(buttons[Count - 1]->Left() + buttons[Count - 1]->Width() + 10, y);
    }
    COLORREF PictureAt(int y) const { return ::GetPixel(skin->ToolbarSkin()->Image.Dc(), 0, y) & 0xFFFFFF; }

    static bool OwnerDrawn(const TMenuItem& parent, int position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        return ::GetMenuItemInfoW(const_cast<TMenuItem&>(parent).Handle(), position, TRUE, &info) &&
               (info.fType & MFT_OWNERDRAW);
    }

    TForm* form = nullptr;
    TToolBar* bar = nullptr;
    TToolButton* buttons[Count]{};
    TMainMenu* menu = nullptr;
    TMenuItem* tools = nullptr;
    TMenuItem* louder = nullptr;
    TMenuItem* softer = nullptr;

private:
    std::optional<TApplication> m_app;
};

}  // namespace

TEST_F(ToolBarSkinTest, ABarShowsTheSkinsBackgroundAndTheFacesOfItsButtonsStates) {
    TWinSkinForm* skinned = SkinAndStart(form->Handle());
    ASSERT_NE(skinned, nullptr);
    EXPECT_TRUE(bar->Flat());
    ASSERT_TRUE(bar->OnCustomDraw && bar->OnCustomDrawButton);
    DibSection dib(400, 44);
    PaintBar(dib);

    // The background picture is stretched over the whole bar, its first row on top.
    EXPECT_EQ(BackgroundAt(dib, 0), PictureAt(0));
    EXPECT_EQ(BackgroundAt(dib, 43), PictureAt(39));
    // Hot and pressed buttons stand on the skin's faces, a hot one's caption in the hover
    // colour; a normal button (not the default), a disabled and a checked one have none.
    // The disabled one shows the bar's background, the checked one the control's own look.
    EXPECT_TRUE(ShowsFrame(dib, *buttons[Hot], 4));
    EXPECT_TRUE(ShowsFrame(dib, *buttons[Pressed], 2));
    for (const Button none : {Normal, Checked, Disabled}) EXPECT_FALSE(ShowsAnyFrame(dib, *buttons[none])) << none;
    EXPECT_NE(dib.Pixel(buttons[Checked]->Left() + 3, 3), dib.Pixel(buttons[Normal]->Left() + 3, 3));
    EXPECT_EQ(dib.Pixel(buttons[Disabled]->Left() + 3, 3), dib.Pixel(buttons[Normal]->Left() + 3, 3));
    const auto whole = [](const TToolButton& b) {
        return RECT{b.Left(), b.Top(), b.Left() + b.Width(), b.Top() + b.Height()};
    };
    EXPECT_GT(CountBluish(dib, whole(*buttons[Hot])), 0);
    EXPECT_EQ(CountBluish(dib, whole(*buttons[Normal])), 0);

    // A pressed drop-down button stands on the pressed face.
    PaintBar(dib, std::nullopt, Drop);
    EXPECT_TRUE(ShowsFrame(dib, *buttons[Drop], 2));
    EXPECT_FALSE(ShowsAnyFrame(dib, *buttons[Pressed]));

    // With the bar's own background asked for, the picture is not drawn.
    TSkinOptions options = skin->Options();
    options.Include(TSkinOption::xoToolbarBK);
    skin->SetOptions(options);
    PaintBar(dib);
    EXPECT_NE(BackgroundAt(dib, 0), PictureAt(0));
    EXPECT_NE(BackgroundAt(dib, 43), PictureAt(39));

    // Released, the bar has no painters and its own look again.
    manager->Unskin(*skinned);
    EXPECT_FALSE(bar->OnCustomDraw || bar->OnCustomDrawButton);
    options.Exclude(TSkinOption::xoToolbarBK);
    skin->SetOptions(options);
    PaintBar(dib);
    EXPECT_NE(BackgroundAt(dib, 0), PictureAt(0));
    for (int i = 0; i < Count; ++i) EXPECT_FALSE(ShowsAnyFrame(dib, *buttons[i])) << i;
}

TEST_F(ToolBarSkinTest, ReleaseTakesBackOnlyWhatSkinningGaveTheBarAndTheButtonsMenu) {
    int programDraws = 0;
    bar->OnCustomDraw = [&](TToolBar* sender, const RECT& rect, bool&) {
        ++programDraws;
        sender->Canvas().Brush().SetColor(kProgramBackground);
        sender->Canvas().FillRect(rect);
    };
    softer->OnDrawItem = &ProgramDrawsItem;
    ASSERT_FALSE(OwnerDrawn(*tools, 0));
    TWinSkinForm* skinned = SkinAndStart(form->Handle());
    ASSERT_NE(skinned, nullptr);
    ASSERT_TRUE(skinned->FrameSkinning());
    DibSection dib(400, 44);
    PaintBar(dib);
    EXPECT_GT(programDraws, 0);
    EXPECT_EQ(BackgroundAt(dib, 0), ColorToRGB(kProgramBackground));
    EXPECT_TRUE(ShowsFrame(dib, *buttons[Hot], 4));  // the button painter was free to go in
    // The drop-down button's items are drawn by the skin; the program's handler stays.
    EXPECT_TRUE(OwnerDrawn(*tools, 0));
    EXPECT_TRUE(louder->OnDrawItem && louder->OnMeasureItem);
    EXPECT_TRUE(KeepsProgramsHandler(*softer));

    manager->Unskin(*skinned);
    ASSERT_TRUE(bar->OnCustomDraw);
    EXPECT_FALSE(bar->OnCustomDrawButton);
    EXPECT_FALSE(OwnerDrawn(*tools, 0));
    EXPECT_FALSE(louder->OnDrawItem || louder->OnMeasureItem);
    EXPECT_TRUE(KeepsProgramsHandler(*softer));
    PaintBar(dib);
    EXPECT_EQ(BackgroundAt(dib, 0), ColorToRGB(kProgramBackground));
    for (int i = 0; i < Count; ++i) EXPECT_FALSE(ShowsAnyFrame(dib, *buttons[i])) << i;

    // Skinned again, it all comes back, once.
    ASSERT_NE(SkinAndStart(form->Handle()), nullptr);
    EXPECT_TRUE(OwnerDrawn(*tools, 0));
    PaintBar(dib);
    EXPECT_TRUE(ShowsFrame(dib, *buttons[Hot], 4));
}
