#include "skin/data/WinSkinData.h"

#include "framework/core/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/win/DibSection.h"
#include "framework/win/User32Functions.h"
#include "skin/data/ColourMath.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinLoadRules.h"
#include "skin/data/SkinReader.h"
#include "skin/window/SkinManage.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/support/FailureLogCapture.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using namespace test_skins;

namespace {

std::filesystem::path TempFile(std::string_view name) {
    return std::filesystem::temp_directory_path() / ("kestrelle-skindata-" + std::string(name));
}

// A small skin of other colours and fewer parts than the shipped one.
std::vector<std::byte> SmallSkin(TColor caption = RgbColour(200, 40, 40)) {
    return PackedSkin({
        {"top.bmp", SolidBitmap(30, 40, caption)},
        {"side.bmp", SolidBitmap(6, 10, clBlue)},
        {"push.bmp", SolidBitmap(50, 10, clSilver)},
        {"small.ini", Bytes("[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\nLeft=side.bmp\r\n"
                          "[Colours]\r\nButtonFace=10 20 30\r\n[Buttons]\r\nBitmap=push.bmp\r\n")},
    });
}

// Every object of a load, null where the skin has none, in one order.
std::vector<const TDataSkinObject*> Objects(TSkinData& data) {
    return {static_cast<TDataSkinObject*>(&data.LeftBorder()), &data.RightBorder(), &data.TopBorder(),
            &data.BottomBorder(), static_cast<TDataSkinObject*>(&data.Title()),
            static_cast<TDataSkinObject*>(&data.Buttons()), static_cast<TDataSkinObject*>(data.Progress()),
            data.ProgressChunk(), data.MenuBarSkin(), data.GroupBoxEdge(),
            static_cast<TDataSkinObject*>(data.GroupBoxLabel()), static_cast<TDataSkinObject*>(data.Tabs()),
            data.StatusBarEdges(), data.TabPane(), data.ToolBars(), static_cast<TDataSkinObject*>(data.ComboButton()),
            data.SunkEdge(), data.ExtraImages(), data.Headerbar(), data.MenuItem(), data.MenuBackground(),
            data.Scrollbar(), data.HorzScroll(), data.VertScroll(), data.HorzScrollThumb(), data.VertScrollThumb(),
            data.ThumbHorz(), data.ThumbVert(), data.ThumbLeft(), data.ThumbRight(), data.ThumbUp(), data.ThumbDown(),
            static_cast<TDataSkinObject*>(data.UpDownHorz()), static_cast<TDataSkinObject*>(data.UpDownVert()),
            data.Track(), data.TrackVert(), data.ToolbarSkin(), data.ComboArrow()};
}

// Everything a load makes, as numbers: each object's presence, numbers and pixels, the
// title-bar buttons, the colours, the title colour and the brush. Reads no GDI state, so
// it works while GDI handles are short.
std::vector<int64_t> Fingerprint(TSkinData& data) {
    std::vector<int64_t> out;
    const auto bitmap = [&](const TBitmap& image) {
        out.insert(out.end(), {image.Width(), image.Height(), image.BitsPerPixel()});
        const auto rowBytes = static_cast<size_t>((int64_t{image.Width()} * image.BitsPerPixel() + 7) / 8);
        uint64_t hash = 14695981039346656037u;
        for (int y = 0; y < image.Height(); ++y) {
            const uint8_t* row = image.ScanLine(y);
            for (size_t i = 0; i < rowBytes; ++i) hash = (hash ^ row[i]) * 1099511628211u;
        }
        out.push_back(static_cast<int64_t>(hash));
    };
    const auto object = [&](const TDataSkinObject* o) {
        out.push_back(o != nullptr);
        if (!o) return;
        out.insert(out.end(), {o->LeftWidth, o->TopHeight, o->RightWidth, o->BottomHeight, o->Trans, o->Tile,
                             o->FrameCount, o->Style, o->NormalColour, o->MouseOverColour, o->PressedColour,
                             o->NormalColour2, o->MouseOverColour2, o->PressedColour2});
        bitmap(o->Image);
        if (const auto* border = dynamic_cast<const TDataSkinBorder*>(o)) bitmap(border->Image2);
        if (const auto* buttons = dynamic_cast<const TDataSkinButton*>(o)) {
            bitmap(buttons->CheckImage);
            bitmap(buttons->RadioImage);
            out.insert(out.end(), {buttons->CheckFrames, buttons->RadioFrames});
        }
        if (const auto* button = dynamic_cast<const TDataSkinSysButton*>(o))
            out.insert(out.end(), {button->Action, button->Align, button->Xcoord, button->Visibility1});
    };
    for (const TDataSkinObject* o : Objects(data)) object(o);
    for (const auto& button : data.SysButtons()) object(button.get());
    const TSkinColours& c = data.Colours();
    out.insert(out.end(), {c.WindowText, c.ButtonFace, c.ScrollbarColour, c.HilightText, c.Hilight, c.Menubar, c.Menu,
                         c.MenuText, c.ButtonText, c.ButtonHilight, c.Buttonlight, c.ButtonShadow, c.ButtonDkShadow,
                         c.MenuBarText, c.TitleTextActive, c.TitleTextNoActive, data.TitleColour()});
    out.push_back(static_cast<int64_t>(reinterpret_cast<intptr_t>(data.ButtonFaceBrush())));
    return out;
}

// Holds all but a few of the process's GDI handles, so that the code under test runs
// out of them part-way.
class GdiShortage {
public:
    void Leave(size_t spare) {
        for (;;) {
            BrushHandle brush{::CreateSolidBrush(RGB(1, 2, 3))};
            if (!brush) break;
            m_held.push_back(std::move(brush));
        }
        m_held.resize(m_held.size() - std::min(spare, m_held.size()));
    }

private:
    std::vector<BrushHandle> m_held;
};

class SkinDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSkinManage::Install();
        m_previous = TSkinReader::SetNotifier([this](std::u16string_view text) { messages.emplace_back(text); });
    }
    void TearDown() override {
        TSkinReader::SetNotifier(std::move(m_previous));
        TSkinManage::DestroyInstance();
    }

    static void Stream(TSkinData& data, const std::vector<std::byte>& packed) {
        ASSERT_TRUE(SetBinaryProp(&data, u"SkinStream", PropertyBlock(packed)));
    }

    std::vector<std::u16string> messages;

private:
    TSkinReader::Notifier m_previous;
};

}  // namespace

TEST_F(SkinDataTest, TheShippedSkinLoadsEveryPart) {
    TSkinData data;
    EXPECT_TRUE(data.NoSkin());
    Stream(data, ShippedSkin());
    ASSERT_FALSE(data.NoSkin());
    EXPECT_TRUE(messages.empty());

    // The caption strip: two stacked frames with fixed ends; the sides keep the caption's
    // height fixed at their top.
    EXPECT_EQ(data.TopBorder().Image.Width(), 170);
    EXPECT_EQ(data.TopBorder().Image.Height(), 58);
    EXPECT_EQ(data.TopBorder().FrameCount, 2);
    EXPECT_EQ(data.TopBorder().LeftWidth, 10);
    EXPECT_EQ(data.TopBorder().Trans, 1);
    EXPECT_EQ(data.TopBorder().Image.PixelColour(0, 0), kKeyColour);  // a rounded corner
    EXPECT_EQ(data.LeftBorder().TopHeight, 29);
    EXPECT_EQ(data.LeftBorder().Image.Width() / data.LeftBorder().FrameCount, 4);
    EXPECT_TRUE(data.Title().Image.Empty());
    EXPECT_EQ(data.Title().FontHeight, 14);
    EXPECT_EQ(data.TitleColour(), data.TopBorder().Image.PixelColour(56, 9));
    ASSERT_NE(data.MenuBarSkin(), nullptr);
    EXPECT_EQ(data.MenuBarSkin()->FrameCount, 2);

    // Title-bar buttons: close, maximise, restore, minimise, the icon, then the three of
    // document windows.
    const auto& buttons = data.SysButtons();
    ASSERT_EQ(buttons.size(), 8u);
    const std::string names[] = {"BUTTON1", "BUTTON12", "BUTTON13", "BUTTON14", "BUTTON0",
                               "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"};
    const int actions[] = {0, 1, 1, 2, 3, 7, 8, 9};
    const int frames[] = {6, 6, 6, 6, 6, 4, 4, 4};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i]->Name, names[i]) << i;
        EXPECT_EQ(buttons[i]->Action, actions[i]) << i;
        EXPECT_EQ(buttons[i]->FrameCount, frames[i]) << i;
    }
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->Image.Width(), 96) << i;
        EXPECT_EQ(buttons[i]->Align, 1) << i;
    }
    EXPECT_EQ(buttons[1]->Visibility1, 2);  // maximise while not maximised
    EXPECT_EQ(buttons[2]->Visibility1, 1);  // restore while maximised
    EXPECT_LT(buttons[0]->Xcoord, buttons[1]->Xcoord);
    EXPECT_LT(buttons[1]->Xcoord, buttons[3]->Xcoord);
    EXPECT_TRUE(buttons[4]->Image.Empty());
    EXPECT_EQ(buttons[4]->Align, 0);
    EXPECT_FALSE(buttons[5]->Image.Empty());

    // Fixed frame counts, whatever the description says.
    EXPECT_EQ(data.Buttons().FrameCount, 5);
    EXPECT_EQ(data.Buttons().CheckFrames, 12);
    EXPECT_EQ(data.Buttons().RadioFrames, 8);
    EXPECT_EQ(data.Progress()->FrameCount, 2);
    EXPECT_EQ(data.StatusBarEdges()->FrameCount, 3);
    EXPECT_EQ(data.Scrollbar()->FrameCount, 23);
    EXPECT_EQ(data.HorzScrollThumb()->FrameCount, 3);
    EXPECT_EQ(data.UpDownVert()->FrameCount, 8);
    EXPECT_FALSE(data.UpDownVert()->Image2.Empty());
    EXPECT_FALSE(data.Tabs()->Image2.Empty());
    for (TDataSkinObject* thumb : {data.ThumbHorz(), data.ThumbVert(), data.ThumbLeft(), data.ThumbRight(),
                                 data.ThumbUp(), data.ThumbDown()})
        EXPECT_EQ(thumb->FrameCount, 5);
    EXPECT_LE(data.TabPane()->LeftWidth, 4);

    // No groove in the skin: the program's own, 16 x 4 and 4 x 16, margins 3.
    ASSERT_NE(data.Track(), nullptr);
    EXPECT_EQ(data.Track()->Image.Width(), 16);
    EXPECT_EQ(data.Track()->Image.Height(), 4);
    EXPECT_EQ(data.Track()->Margins(), (SliceMargins{3, 3, 3, 3}));
    EXPECT_EQ(data.Track()->FrameCount, 1);
    EXPECT_EQ(data.TrackVert()->Image.Width(), 4);

    // Made by the load: combo pictures of four 50 x 21 states, their arrow, the tool bar.
    const int button = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
    EXPECT_EQ(data.ComboButton()->Style, 2);
    EXPECT_EQ(data.ComboButton()->Image.Width(), 200);
    EXPECT_EQ(data.ComboButton()->RightWidth, button + 2);
    EXPECT_EQ(data.SunkEdge()->LeftWidth, button + 2);
    EXPECT_EQ(data.SunkEdge()->Image.PixelColour(199 - 10, 10), data.ComboButton()->Image.PixelColour(10, 10));
    EXPECT_EQ(data.ComboButton()->Image2.Width(), 72);  // the button strip mirrored
    ASSERT_NE(data.ComboArrow(), nullptr);
    EXPECT_EQ(data.ComboArrow()->Image.Width(), 68);
    EXPECT_EQ(data.ComboArrow()->FrameCount, 4);
    ASSERT_NE(data.ToolbarSkin(), nullptr);
    EXPECT_EQ(data.ToolbarSkin()->Image.Height(), 40);
    EXPECT_NE(data.ButtonFaceBrush(), nullptr);
    EXPECT_EQ(data.MenuGlyphs().Count(), 4);
}

// A bitmap file of `bitCount` bits (8 with a palette of its colours, 24, or 32 with the
// fourth byte clear) whose pixel (x, y) is colourAt(x, y).
template <class ColourAt>
std::vector<std::byte> BitmapOfDepth(int bitCount, int width, int height, ColourAt colourAt) {
    DecodedBmp bmp;
    bmp.width = width, bmp.height = height, bmp.bitCount = bitCount;
    bmp.pixels.resize(bmp.Stride() * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor c = colourAt(x, y);
            const uint32_t rgb = uint32_t{RedOf(c)} << 16 | uint32_t{GreenOf(c)} << 8 | BlueOf(c);
            uint8_t* p = bmp.pixels.data() + static_cast<size_t>(y) * bmp.Stride();
            if (bitCount == 8) {
                auto at = std::find(bmp.palette.begin(), bmp.palette.end(), rgb);
                if (at == bmp.palette.end()) at = bmp.palette.insert(at, rgb);
                p[x] = static_cast<uint8_t>(at - bmp.palette.begin());
            } else {
                p += static_cast<size_t>(x) * static_cast<size_t>(bitCount / 8);
                p[0] = BlueOf(c), p[1] = GreenOf(c), p[2] = RedOf(c);
                if (bitCount == 32) p[3] = 0;
            }
        }
    return EncodeBmp(bmp);
}

// The combo pictures a load composes from the sunk edge, the combo button and the glyphs
// come out the same from pictures of every depth, in the pictures' own colours.
TEST_F(SkinDataTest, ComboPicturesAreComposedAlikeFromPicturesOfEveryDepth) {
    // Each state, border and corner its own colour; the button has key-coloured pixels.
    const auto sunk = [](int x, int y) {
        return RgbColour(static_cast<uint8_t>(10 + 40 * (x / 20)), x % 20 < 3 ? 200 : 90, y < 3 ? 30 : 150);
    };
    const auto button = [](int x, int y) {
        return x % 16 == 0 || y == 10 ? kKeyColour : RgbColour(static_cast<uint8_t>(60 * (x / 16)), 20, 220);
    };
    const auto glyph = [](int x, int y) {
        return x % 9 > 2 && x % 9 < 6 && y > 2 && y < 6 ? RgbColour(0, static_cast<uint8_t>(40 * (x / 9)), 0)
                                                       : kKeyColour;
    };
    const auto load = [&](TSkinData& data, int bitCount) {
        Stream(data, PackedSkin({{"sunk.bmp", BitmapOfDepth(bitCount, 80, 21, sunk)},
                                 {"button.bmp", BitmapOfDepth(bitCount, 64, 21, button)},
                                 {"glyphs.bmp", BitmapOfDepth(bitCount, 45, 9, glyph)},
                                 {"c.ini", Bytes("[SunkEdge]\r\nImage=sunk.bmp\r\nLeftWidth=3\r\nRightWidth=3\r\n"
                                                 "TopHeight=3\r\nBottomHeight=3\r\n[ComboButton]\r\n"
                                                 "Image=button.bmp\r\n[ExtraImages]\r\nImage=glyphs.bmp\r\n")}}));
    };
    const auto pixels = [](const TBitmap& image) {
        std::vector<TColor> out;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) out.push_back(image.PixelColour(x, y));
        return out;
    };
    TSkinData deep;
    load(deep, 24);
    ASSERT_FALSE(deep.NoSkin());
    ASSERT_NE(deep.ComboArrow(), nullptr);
    const TBitmap& combined = deep.ComboButton()->Image;
    ASSERT_EQ(combined.Width(), 200);
    EXPECT_EQ(combined.PixelColour(0, 0), sunk(0, 0));        // the first state's corner
    EXPECT_EQ(combined.PixelColour(150, 20), sunk(60, 20));   // the last state's bottom edge
    EXPECT_EQ(combined.PixelColour(10, 10), kKeyColour);      // the text area stays open
    EXPECT_EQ(deep.SunkEdge()->Image.PixelColour(199, 0), sunk(0, 0));  // mirrored
    for (const int bitCount : {8, 32}) {
        TSkinData other;
        load(other, bitCount);
        ASSERT_FALSE(other.NoSkin()) << bitCount;
        EXPECT_EQ(pixels(other.ComboButton()->Image), pixels(combined)) << bitCount;
        EXPECT_EQ(pixels(other.SunkEdge()->Image), pixels(deep.SunkEdge()->Image)) << bitCount;
        ASSERT_NE(other.ComboArrow(), nullptr);
        EXPECT_EQ(pixels(other.ComboArrow()->Image), pixels(deep.ComboArrow()->Image)) << bitCount;
    }
    EXPECT_TRUE(messages.empty());
}

// The dark and the high-contrast skin beside the program: each loads without a word and
// has every part of the program's own, in the same frames.
TEST_F(SkinDataTest, TheOtherShippedSkinsHaveEveryPartOfTheProgramsOwn) {
    // Presence, frame count and, apart from the caption pieces, picture size.
    const auto shape = [](TSkinData& data) {
        std::vector<int> out;
        for (const TDataSkinObject* o : Objects(data)) {
            out.push_back(o != nullptr);
            if (!o) continue;
            out.push_back(o->FrameCount);
            if (o != &data.TopBorder() && o != &data.LeftBorder() && o != &data.RightBorder())
                out.insert(out.end(), {o->Image.Width(), o->Image.Height()});
        }
        for (const auto& button : data.SysButtons())
            out.insert(out.end(), {button->Action, button->Align, button->Xcoord, button->Visibility1,
                                   button->FrameCount, button->Image.Width()});
        return out;
    };
    TSkinData own;
    Stream(own, ShippedSkin());
    ASSERT_FALSE(own.NoSkin());
    for (const char* name : {"/dark.skin", "/contrast.skin"}) {
        SCOPED_TRACE(name);
        TSkinData data;
        Stream(data, ReadFileBytes(KESTRELLE_SKIN_DIR + std::string(name)));
        ASSERT_FALSE(data.NoSkin());
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(shape(data), shape(own));
        EXPECT_NE(data.Colours().ButtonFace, own.Colours().ButtonFace);
        EXPECT_EQ(data.TopBorder().Image.Height(), 2 * data.LeftBorder().TopHeight);
    }
}

TEST_F(SkinDataTest, ColoursComeFromTheSkinOrStandForSystemColours) {
    TSkinData data;
    Stream(data, ShippedSkin());
    EXPECT_EQ(data.Colours().ButtonFace, RgbColour(238, 240, 234));
    EXPECT_EQ(data.Colours().Hilight, RgbColour(62, 122, 106));
    EXPECT_EQ(data.Colours().TitleTextActive, clWhite);

    Stream(data, SmallSkin());
    ASSERT_FALSE(data.NoSkin());
    const TSkinColours& c = data.Colours();
    EXPECT_EQ(c.ButtonFace, RgbColour(10, 20, 30));
    EXPECT_EQ(c.Menubar, RgbColour(10, 20, 30));  // follows the form colour
    EXPECT_EQ(c.WindowText, clWindowText);
    EXPECT_EQ(c.Buttonlight, clBtnHighlight);
    EXPECT_EQ(c.ButtonDkShadow, cl3DDkShadow);
    EXPECT_EQ(c.TitleTextNoActive, clInactiveCaptionText);
    // Text colours of the parts default to the skin's button text.
    EXPECT_EQ(data.Buttons().NormalColour2, clBtnText);
    EXPECT_FALSE(data.Buttons().HasNormalColour2);
}

TEST_F(SkinDataTest, TheToolbarBackgroundFollowsTheLoadedTitleColour) {
    TSkinData data;
    for (const TColor caption : {RgbColour(255, 0, 0), RgbColour(30, 60, 50)}) {
        Stream(data, SmallSkin(caption));
        EXPECT_EQ(data.TitleColour(), caption);  // pixel (10, 20 div 3) of a one-colour strip
        const auto expected = ToolbarGradient(RgbColour(10, 20, 30), caption);
        EXPECT_EQ(data.ToolbarSkin()->Image.PixelColour(5, 0), expected.top);
        EXPECT_EQ(data.ToolbarSkin()->Image.PixelColour(5, 39), GradientEntry(39, 40, expected.top, expected.bottom));
    }
}

TEST_F(SkinDataTest, PublishedValuesSurviveTheStoredLayout) {
    RegisterComponentClasses<TSkinData>();
    TComponent form;
    form.SetName(u"Form1");
    auto& data = form.Create<TSkinData>();
    data.SetName(u"SkinData1");
    Stream(data, ShippedSkin());
    data.SetDisableTag(7);
    data.SetOptions({TSkinOption::xoTransparent});
    data.SetSkinControls(TSkinControlTypes{TSkinControlType::xcButton, TSkinControlType::xcTab});
    data.SetSkinFormtype(TSkinFormType::sfDialog);
    data.SetMenuUpdate(false);
    data.Skin3rd().Add(u"TMyGrid=scrollbar");
    const std::string text = WriteLayout(form);

    TComponent again;
    ReadLayout(again, text);
    auto* read = As<TSkinData>(again.FindComponent(u"SkinData1"));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->NoSkin());  // loaded while the layout was read
    EXPECT_TRUE(std::ranges::equal(read->PackedSkin().Bytes(), data.PackedSkin().Bytes()));
    EXPECT_EQ(read->DisableTag(), 7);
    EXPECT_EQ(read->Options(), data.Options());
    EXPECT_EQ(read->SkinControls(), data.SkinControls());
    EXPECT_EQ(read->SkinFormtype(), TSkinFormType::sfDialog);
    EXPECT_FALSE(read->MenuUpdate());
    ASSERT_EQ(read->Skin3rd().Count(), 118);
    EXPECT_EQ(read->Skin3rd()[117], u"TMyGrid=scrollbar");

    // Defaults: the 117 rows of the class map and the stored switches.
    TSkinData fresh;
    ASSERT_EQ(fresh.Skin3rd().Count(), 117);
    for (int i = 0; i < 117; ++i) EXPECT_EQ(fresh.Skin3rd()[i], DefaultClassMap()[static_cast<size_t>(i)]);
    EXPECT_EQ(fresh.SkinControls(), kDefaultSkinControls);
    EXPECT_EQ(fresh.Options(), (TSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK}));
    EXPECT_EQ(fresh.DisableTag(), 99);
    EXPECT_FALSE(fresh.Active());

    // Default switches are left out of the layout and come back from their absence.
    TComponent plainForm;
    plainForm.SetName(u"Form2");
    plainForm.Create<TSkinData>().SetName(u"SkinData1");
    const std::string plainText = WriteLayout(plainForm);
    EXPECT_EQ(plainText.find("Options"), std::string::npos) << plainText;
    EXPECT_EQ(plainText.find("SkinControls"), std::string::npos) << plainText;
    TComponent plainAgain;
    ReadLayout(plainAgain, plainText);
    auto* plain = As<TSkinData>(plainAgain.FindComponent(u"SkinData1"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Options(), fresh.Options());
    EXPECT_EQ(plain->SkinControls(), fresh.SkinControls());
}

TEST_F(SkinDataTest, WritingVersionOrSkinStoreChangesNothing) {
    TSkinData data;
    EXPECT_EQ(GetStrProp(&data, u"SkinStore"), u"(none)");
    Stream(data, ShippedSkin());
    const std::vector<std::byte> stored(data.PackedSkin().Bytes().begin(), data.PackedSkin().Bytes().end());
    EXPECT_TRUE(SetStrProp(&data, u"Version", u"1.0"));
    EXPECT_TRUE(SetStrProp(&data, u"SkinStore", u"(none)"));
    EXPECT_EQ(GetStrProp(&data, u"Version"), u"4.04.04.11");
    EXPECT_EQ(GetStrProp(&data, u"SkinStore"), u"(Good)");
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), stored));
    EXPECT_FALSE(data.NoSkin());
}

TEST_F(SkinDataTest, AnOlderSkinFileIsRefusedOnceAndTheSkinStays) {
    const auto path = TempFile("older.skin");
    WriteFileBytes(path.string(), PackedSkin({{"a.ini", Bytes("[Colours]\r\n")}}, 19999));
    TSkinData data;
    Stream(data, ShippedSkin());
    data.SetSkinFile(path.wstring());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], TSkinReader::kOldSkinMessage);
    EXPECT_TRUE(data.NoSkin());
    EXPECT_EQ(data.TopBorder().Image.Width(), 170);
    EXPECT_EQ(data.SysButtons().size(), 8u);
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), ShippedSkin()));
    std::filesystem::remove(path);
}

TEST_F(SkinDataTest, AMissingSkinFileKeepsTheSkinButSkinningCannotStart) {
    TSkinData data;
    Stream(data, ShippedSkin());
    data.Loaded();
    data.SetSkinFile(TempFile("missing.skin").wstring());
    EXPECT_TRUE(data.NoSkin());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(data.SysButtons().size(), 8u);
    ASSERT_NE(data.Progress(), nullptr);

    data.SetActive(true);
    EXPECT_FALSE(data.Active());
    TSkinManage* manager = TSkinManage::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->RequestingSkinData(), nullptr);
    EXPECT_EQ(manager->PendingAction(), TSkinAction::None);
    EXPECT_FALSE(manager->Active());
}

// Switching while the program runs: a file that cannot be used changes nothing, not
// even NoSkin, since the skin in use stays on screen; each failure is told once.
TEST_F(SkinDataTest, ChangingToAFileThatCannotBeUsedKeepsTheSkinInUse) {
    const auto small = TempFile("change.skin"), older = TempFile("change-older.skin");
    WriteFileBytes(small.string(), SmallSkin());
    WriteFileBytes(older.string(), PackedSkin({{"a.ini", Bytes("[Colours]\r\n")}}, 19999));
    TSkinData data;
    Stream(data, ShippedSkin());
    ASSERT_TRUE(data.ChangeSkinFile(small.wstring()));
    EXPECT_EQ(data.SkinFile(), small.wstring());
    EXPECT_EQ(data.TopBorder().Image.Width(), 30);

    EXPECT_FALSE(data.ChangeSkinFile(older.wstring()));
    EXPECT_FALSE(data.ChangeSkinFile(TempFile("change-missing.skin").wstring()));
    EXPECT_FALSE(data.ChangeSkinFile(L""));
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_FALSE(data.NoSkin());
    EXPECT_EQ(data.SkinFile(), small.wstring());
    EXPECT_EQ(data.TopBorder().Image.Width(), 30);
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), SmallSkin()));
    std::filesystem::remove(small);
    std::filesystem::remove(older);
}

TEST_F(SkinDataTest, ASecondSkinReplacesEveryPartAndLeaksNoHandle) {
    const auto small = TempFile("small.skin"), shipped = TempFile("shipped.skin");
    WriteFileBytes(small.string(), SmallSkin());
    WriteFileBytes(shipped.string(), ShippedSkin());
    TSkinData data;
    Stream(data, ShippedSkin());

    data.SetSkinFile(small.wstring());
    ASSERT_FALSE(data.NoSkin());
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), SmallSkin()));
    EXPECT_EQ(data.TopBorder().Image.Width(), 30);
    EXPECT_TRUE(data.RightBorder().Image.Empty());  // refilled: the small skin names none
    EXPECT_EQ(data.LeftBorder().Trans, 1);
    EXPECT_EQ(data.Buttons().Image.Width(), 50);
    EXPECT_TRUE(data.Buttons().CheckImage.Empty());
    ASSERT_EQ(data.SysButtons().size(), 3u);  // only the document-window buttons
    EXPECT_TRUE(data.SysButtons()[0]->Image.Empty());
    EXPECT_EQ(data.MenuBarSkin(), nullptr);
    for (TDataSkinObject* gone :
         {static_cast<TDataSkinObject*>(data.Progress()), data.ProgressChunk(), data.GroupBoxEdge(),
          static_cast<TDataSkinObject*>(data.GroupBoxLabel()), static_cast<TDataSkinObject*>(data.Tabs()),
          data.StatusBarEdges(), data.TabPane(), data.ToolBars(), static_cast<TDataSkinObject*>(data.ComboButton()),
          data.SunkEdge(), data.ExtraImages(), data.Headerbar(), data.MenuItem(), data.MenuBackground(),
          data.Scrollbar(), data.HorzScroll(), data.VertScroll(), data.HorzScrollThumb(), data.VertScrollThumb(),
          data.ThumbHorz(), data.ThumbVert(), data.ThumbLeft(), data.ThumbRight(), data.ThumbUp(), data.ThumbDown(),
          static_cast<TDataSkinObject*>(data.UpDownHorz()), static_cast<TDataSkinObject*>(data.UpDownVert())})
        EXPECT_EQ(gone, nullptr);
    EXPECT_NE(data.Track(), nullptr);       // the built-in groove again
    EXPECT_NE(data.ComboArrow(), nullptr);  // kept from the skin that had a combo button
    EXPECT_NE(data.ToolbarSkin(), nullptr);

    const int before = GdiHeadroom();
    for (int i = 0; i < 200; ++i) data.SetSkinFile((i % 2 ? small : shipped).wstring());
    EXPECT_EQ(GdiHeadroom(), before);
    EXPECT_FALSE(data.NoSkin());
    std::filesystem::remove(small);
    std::filesystem::remove(shipped);
}

// However far a load gets, a failure leaves every skin object, picture and colour as it
// was: the load reads into fresh objects and swaps them in only when all of it succeeded.
TEST_F(SkinDataTest, ALoadThatFailsPartWayChangesNothing) {
    const auto small = TempFile("partway.skin"), truncated = TempFile("truncated.skin");
    WriteFileBytes(small.string(), SmallSkin());
    const std::vector<SkinFileEntry> files{{"top.bmp", SolidBitmap(30, 40, clRed)}, {"a.ini", Bytes("[Colours]\r\n")}};
    std::vector<std::byte> cut = WriteSkinContainer(files);
    cut.resize(cut.size() * 2 / 3);  // its file sizes add up to more than it holds
    WriteFileBytes(truncated.string(), PackSkinStream(cut));
    TSkinData data;
    Stream(data, ShippedSkin());
    const std::vector<int64_t> shipped = Fingerprint(data);
    const int headroom = GdiHeadroom();

    // Short of GDI handles, the small skin fails at the first GDI object it cannot make
    // (its brush, then the tool-bar picture GDI draws, then that picture's DC): with none
    // spare at once, with more only further on.
    size_t failures = 0;
    {
        GdiShortage shortage;
        for (size_t spare = 0; spare < 400; ++spare) {
            shortage.Leave(spare);
            data.SetSkinFile(small.wstring());
            if (!data.NoSkin()) break;
            ++failures;
            ASSERT_EQ(Fingerprint(data), shipped) << spare << " handles spare";
        }
    }
    EXPECT_GE(failures, 3u);
    EXPECT_EQ(messages.size(), failures);  // each failure told once
    ASSERT_FALSE(data.NoSkin());

    // A truncated container fails before any part is read.
    data.SetSkinFile(small.wstring());
    const std::vector<int64_t> loaded = Fingerprint(data);
    EXPECT_NE(loaded, shipped);
    data.SetSkinFile(truncated.wstring());
    EXPECT_TRUE(data.NoSkin());
    EXPECT_EQ(messages.size(), failures + 1);
    EXPECT_EQ(Fingerprint(data), loaded);
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), SmallSkin()));

    // What the failed loads made is gone with them.
    Stream(data, ShippedSkin());
    EXPECT_EQ(Fingerprint(data).size(), shipped.size());
    EXPECT_EQ(GdiHeadroom(), headroom);
    std::filesystem::remove(small);
    std::filesystem::remove(truncated);
}

TEST_F(SkinDataTest, TheMainMenuSwitchDecidesWhichMenuSkinningIsDropped) {
    TSkinData framed;
    framed.Loaded();
    EXPECT_FALSE(framed.SkinControls().Contains(TSkinControlType::xcMenuItem));
    EXPECT_TRUE(framed.SkinControls().Contains(TSkinControlType::xcSystemMenu));

    TSkinData plain;
    plain.SetSkinControls((kDefaultSkinControls - TSkinControlTypes{TSkinControlType::xcMainMenu}) |
                        TSkinControlTypes{TSkinControlType::xcMenuItem});
    plain.Loaded();
    EXPECT_TRUE(plain.SkinControls().Contains(TSkinControlType::xcMenuItem));
    EXPECT_FALSE(plain.SkinControls().Contains(TSkinControlType::xcSystemMenu));

    // A system without GetScrollBarInfo cannot place skinned scroll bars.
    auto& user32 = PlatformUser32();
    const auto saved = user32.getScrollBarInfo;
    user32.getScrollBarInfo = nullptr;
    TSkinData old;
    old.Loaded();
    user32.getScrollBarInfo = saved;
    EXPECT_FALSE(old.SkinControls().Contains(TSkinControlType::xcScrollbar));
    EXPECT_TRUE(framed.SkinControls().Contains(TSkinControlType::xcScrollbar));
}

TEST_F(SkinDataTest, TheFormFilterLeavesCalendarsAndReportWindowsAlone) {
    TSkinData data;
    const auto decide = [&](std::wstring_view className, bool proposal) {
        bool doSkin = proposal;
        data.FilterForm(nullptr, className, doSkin);
        return doSkin;
    };
    EXPECT_TRUE(decide(L"TFmain", true));
    EXPECT_FALSE(decide(L"TFmain", false));  // a "preview" window the manager already refused
    EXPECT_FALSE(decide(L"SysMonthCal32", true));
    EXPECT_TRUE(decide(L"TfrDesigner", true));
    data.SetSkinControls(kDefaultSkinControls | TSkinControlTypes{TSkinControlType::xcFastReport});
    EXPECT_FALSE(decide(L"TfrDesigner", true));

    std::wstring asked;
    data.OnFormSkin = [&](TObject* sender, const std::wstring& className, bool& doSkin) {
        EXPECT_EQ(sender, &data);
        asked = className;
        doSkin = !doSkin;
    };
    EXPECT_TRUE(decide(L"SysMonthCal32", false));  // the handler alone decides
    EXPECT_EQ(asked, L"SysMonthCal32");
}

TEST_F(SkinDataTest, ADamagedSkinIsReportedAndTheSkinStays) {
    TSkinData data;
    Stream(data, ShippedSkin());
    auto damaged = ShippedSkin();
    for (int i = 0; i < 4; ++i) damaged[static_cast<size_t>(i)] = std::byte{0xFF};  // an unpacked length of -1
    Stream(data, damaged);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(data.NoSkin());
    EXPECT_EQ(data.SysButtons().size(), 8u);

    // A property whose length promises more than it holds changes nothing at all.
    const std::vector<std::byte> before(data.PackedSkin().Bytes().begin(), data.PackedSkin().Bytes().end());
    auto block = PropertyBlock(ShippedSkin());
    block.resize(block.size() - 1);
    EXPECT_TRUE(SetBinaryProp(&data, u"SkinStream", block));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(std::ranges::equal(data.PackedSkin().Bytes(), before));

    // A file cut short decodes to zeros where its description was: it is damaged, not a
    // skin without parts.
    Stream(data, ShippedSkin());
    auto cut = ShippedSkin();
    cut.resize(cut.size() / 3);
    Stream(data, cut);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_TRUE(data.NoSkin());
    EXPECT_EQ(data.TopBorder().Image.Width(), 170);

    // A length of 0 stores no skin.
    EXPECT_TRUE(SetBinaryProp(&data, u"SkinStream", std::vector<std::byte>(4)));
    EXPECT_EQ(GetStrProp(&data, u"SkinStore"), u"(none)");
}

TEST_F(SkinDataTest, HostileValuesAreBoundedAtLoad) {
    std::string description =
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=2147483647\r\nTopTopHeight=-40\r\nTopBotHeight=99999\r\n"
        "Left=top.bmp\r\nLeftFrame=-3\r\nTextShift=2000000000\r\nTextRightClip=-2000000000\r\n"
        "[Fonts]\r\nFontHeight=2147483647\r\n"
        "[Buttons]\r\nBitmap=top.bmp\r\nCheckButton=top.bmp\r\nCheckButtonFrame=-9\r\nRadioButton=huge.bmp\r\n"
        "[Headerbar]\r\nImage=top.bmp\r\nFrame=1000000\r\nLeftWidth=-7\r\nRightWidth=900\r\n"
        "[Progress.Chunk]\r\nImage=top.bmp\r\n"
        "[SunkEdge]\r\nImage=top.bmp\r\nLeftWidth=30000\r\n[ComboButton]\r\nImage=broken.bmp\r\n"
        "[ExtraImages]\r\nImage=top.BMP\r\n[HorzScrollThumb]\r\nImage=top.bmp\r\nFrameCount=0\r\n";
    for (int i = 0; i < 100; ++i)
        description += "[Button" + std::to_string(i + 100) + "]\r\nButtonImage=top.bmp\r\nframe=-1\r\n";
    auto huge = SolidBitmap(1, 1, clRed);  // a header claiming 60000 x 60000 pixels
    for (const size_t at : {18u, 22u})
        for (int i = 0; i < 4; ++i) huge[at + static_cast<size_t>(i)] = std::byte((60000u >> (8 * i)) & 0xFF);
    auto broken = SolidBitmap(20, 20, clRed);
    broken.resize(broken.size() / 2);

    TSkinData data;
    FailureLogCapture log;
    Stream(data, PackedSkin({{"top.bmp", SolidBitmap(40, 30, clGreen)},
                           {"huge.bmp", huge},
                           {"broken.bmp", broken},
                           {"hostile.ini", Bytes(description)}}));
    ASSERT_FALSE(data.NoSkin());
    EXPECT_EQ(log.Count(u"A skin bitmap could not be read; its picture stays empty"), 1u);  // broken.bmp
    EXPECT_EQ(data.TopBorder().FrameCount, 30);  // one-pixel frames, never empty ones
    EXPECT_EQ(data.TopBorder().LeftWidth, 0);
    EXPECT_EQ(data.TopBorder().RightWidth, 40);
    EXPECT_EQ(data.LeftBorder().FrameCount, 1);
    EXPECT_EQ(data.Title().TextShift(), kMaxTextOffset);
    EXPECT_EQ(data.Title().TextRightClip(), -kMaxTextOffset);
    EXPECT_EQ(data.Title().FontHeight, kMaxTextOffset);
    EXPECT_EQ(data.Buttons().CheckFrames, 4);
    EXPECT_TRUE(data.Buttons().RadioImage.Empty());  // refused before decoding
    EXPECT_EQ(data.Headerbar()->FrameCount, 40);
    EXPECT_EQ(data.Headerbar()->Margins(), (SliceMargins{0, 0, 1, 0}));
    EXPECT_EQ(data.ProgressChunk()->FrameCount, 1);  // no "Frame": still a whole frame
    EXPECT_EQ(data.HorzScrollThumb()->FrameCount, 1);
    EXPECT_TRUE(data.ExtraImages()->Image.Empty());  // ".BMP" does not name a bitmap
    EXPECT_EQ(data.SysButtons().size(), kMaxTitleButtons + 3);

    // Every picture the load made can be drawn.
    DibSection target{64, 48};
    std::vector<TDataSkinObject*> objects{&data.TopBorder(), &data.LeftBorder(), &data.Buttons(), data.Headerbar(),
                                        data.ProgressChunk(), data.SunkEdge(), data.ComboButton(), data.ComboArrow(),
                                        data.ToolbarSkin(), data.HorzScrollThumb()};
    for (const auto& button : data.SysButtons()) objects.push_back(button.get());
    for (TDataSkinObject* object : objects) {
        ASSERT_NE(object, nullptr);
        for (int frame = 1; frame <= std::min(object->FrameCount, 4); ++frame)
            DrawSliced(target.Dc(), {0, 0, 64, 48}, object->Image, FrameLayout::Horizontal, MiddleMode::Tile,
                     Transparency::KeyColour, object->FrameCount, frame, object->Margins());
    }
}
