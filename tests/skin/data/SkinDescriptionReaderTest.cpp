// The readers of the skin description: the values each one reduces or defaults, read
// from a packed skin once with every value given and once with the values left out.

#include "skin/data/SkinDescriptionReader.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"
#include "tests/skin/data/TestSkins.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace test_skins;

namespace {

// Every value given, several of them out of range.
constexpr std::string_view kGiven =
    "[Personality]\r\nTop=img.bmp\r\nTopStretch=5\r\nLeft=img.bmp\r\nLeftStretch=0\r\n"
    "menuBar=img.bmp\r\nTileMenu=3\r\nTileLeftMenu=4\r\nTileRightMenu=6\r\n"
    "ActiveTextR=10\r\nActiveTextG=20\r\nActiveTextB=30\r\nInActiveTextR=10\r\nInActiveTextG=20\r\n"
    "[Buttons]\r\nBitmap=img.bmp\r\nTile=2\r\nNormalColour=3\r\n"
    "[Headerbar]\r\nImage=img.bmp\r\nTile=7\r\nFrame=9\r\nPressedColour=5\r\n"
    "[MenuItem]\r\nImage=img.bmp\r\nTile=1\r\n"
    "[Tabs]\r\nImage=img.bmp\r\nFrame=7\r\nTile=4\r\n"
    "[GroupBox]\r\nImage=img.bmp\r\nFrame=6\r\n"
    "[Progress]\r\nImage=none.bmp\r\nBitmap=img.bmp\r\nTile=9\r\n"
    "[Button1]\r\nAction=-1\r\nVisibility=0\r\n"
    "[Button2]\r\nAction=2\r\nVisibility1=5\r\nCombineOp=4\r\n";

// The same parts with nothing but their pictures ("Progress" names its picture under
// the key the other readers use).
constexpr std::string_view kDefaults =
    "[Personality]\r\nTop=img.bmp\r\nmenuBar=img.bmp\r\n"
    "[Buttons]\r\nBitmap=img.bmp\r\n"
    "[Headerbar]\r\nImage=img.bmp\r\n"
    "[MenuItem]\r\nImage=img.bmp\r\n"
    "[Tabs]\r\nImage=img.bmp\r\n"
    "[GroupBox]\r\nImage=img.bmp\r\n"
    "[Progress]\r\nImage=img.bmp\r\n"
    "[Button1]\r\nAction=-1\r\nVisibility=0\r\n"
    "[Button2]\r\nAction=2\r\n";

// What the readers make of one description.
struct Read {
    TDataSkinObject top{"Top"}, left{"Left"};
    TDataSkinTitle title{"Title"};
    TDataSkinButton buttons{"Buttons"};
    std::unique_ptr<TDataSkinObject> menuBar, headerbar, menuItem;
    std::unique_ptr<TDataSkinBorder> tabs, progress;
    std::unique_ptr<TDataSkinBoxLabel> groupBox;
    std::vector<std::unique_ptr<TDataSkinSysButton>> titleButtons;
};

std::unique_ptr<Read> ReadDescription(std::string_view text) {
    TMemoryStream packed(PackedSkin({{"img.bmp", SolidBitmap(12, 6, clRed)}, {"skin.ini", Bytes(text)}}));
    TSkinReader files;
    EXPECT_TRUE(files.Open(packed));
    TMemoryStream description;
    std::string name;
    files.FindFile(".ini", description, name);
    TQuickIni ini;
    ini.LoadFromStream(description);
    const SkinDescriptionReader reader(ini, files);
    auto read = std::make_unique<Read>();
    reader.ReadBorder("Top", read->top);
    reader.ReadBorder("Left", read->left);
    reader.ReadTitle(read->title);
    reader.ReadButtons(read->buttons, clBtnText);
    read->menuBar = reader.ReadMenuBar();
    read->headerbar = reader.ReadPlain("Headerbar", clBtnText);
    read->menuItem = reader.ReadPlain("MenuItem", clBtnText);
    read->tabs = reader.ReadBordered("Tabs", "Border", clBtnText);
    read->groupBox = reader.ReadGroupBox(clBtnText);
    read->progress = reader.ReadProgress();
    read->titleButtons = reader.ReadTitleButtons();
    return read;
}

constexpr int64_t kMissing = -999999;  // the reader made no object

template <class Object>
int64_t Field(const std::unique_ptr<Object>& object, int32_t TDataSkinObject::*field) {
    return object ? (*object).*field : kMissing;
}

struct Rule {
    const char* what;
    std::function<int64_t(const Read&)> value;
    int64_t given, byDefault;
};

}  // namespace

TEST(SkinDescriptionReader, ReducesAndDefaultsEachValueByItsReadersRule) {
    const auto given = ReadDescription(kGiven), defaults = ReadDescription(kDefaults);
    ASSERT_EQ(given->titleButtons.size(), 5u);  // the two sections, then the three of document windows
    ASSERT_EQ(defaults->titleButtons.size(), 5u);
    const TColor none = clNone;

    const Rule rules[] = {
        // Tile above 1: "on" for the window borders, the menu bar and the progress bar...
        {"border stretch above 1", [](const Read& r) { return r.top.Tile; }, 1, 1},
        {"border stretch 0", [](const Read& r) { return r.left.Tile; }, 0, 1},
        {"menu bar tile above 1", [](const Read& r) { return Field(r.menuBar, &TDataSkinObject::Tile); }, 1, 1},
        {"progress tile above 1", [](const Read& r) { return Field(r.progress, &TDataSkinObject::Tile); }, 1,
         kMissing},
        // ...and "off" for plain objects, the push buttons and the readers built on the plain one.
        {"plain tile above 1", [](const Read& r) { return Field(r.headerbar, &TDataSkinObject::Tile); }, 0, 0},
        {"plain tile 1", [](const Read& r) { return Field(r.menuItem, &TDataSkinObject::Tile); }, 1, 0},
        {"buttons tile above 1", [](const Read& r) { return r.buttons.Tile; }, 0, 0},
        {"bordered tile above 1", [](const Read& r) { return Field(r.tabs, &TDataSkinObject::Tile); }, 0, 0},

        // The menu bar's fixed ends and tiling default to 1; its other margins are 0.
        {"menu bar left", [](const Read& r) { return Field(r.menuBar, &TDataSkinObject::LeftWidth); }, 4, 1},
        {"menu bar right", [](const Read& r) { return Field(r.menuBar, &TDataSkinObject::RightWidth); }, 6, 1},
        {"menu bar top", [](const Read& r) { return Field(r.menuBar, &TDataSkinObject::TopHeight); }, 0, 0},

        // Title-bar buttons: Visibility1 is -1 for a button of Action -1, else 0; CombineOp -1.
        {"Visibility1, action -1", [](const Read& r) { return r.titleButtons[0]->Visibility1; }, -1, -1},
        {"Visibility1, action 2", [](const Read& r) { return r.titleButtons[1]->Visibility1; }, 5, 0},
        {"CombineOp", [](const Read& r) { return r.titleButtons[1]->CombineOp; }, 4, -1},
        {"CombineOp, not given", [](const Read& r) { return r.titleButtons[0]->CombineOp; }, -1, -1},

        // Colour indexes default to -1.
        {"buttons normal colour", [](const Read& r) { return r.buttons.NormalColour; }, 3, -1},
        {"buttons over colour", [](const Read& r) { return r.buttons.MouseOverColour; }, -1, -1},
        {"plain pressed colour", [](const Read& r) { return Field(r.headerbar, &TDataSkinObject::PressedColour); },
         5, -1},
        {"plain normal colour", [](const Read& r) { return Field(r.headerbar, &TDataSkinObject::NormalColour); }, -1,
         -1},

        // The caption text colours are set only when all three parts are given.
        {"active text", [](const Read& r) { return r.title.ActiveText; }, RgbColour(10, 20, 30), none},
        {"inactive text, blue missing", [](const Read& r) { return r.title.InActiveText; }, none, none},

        // The progress bar's picture is under "Bitmap", not "Image".
        {"progress", [](const Read& r) { return int64_t{r.progress != nullptr}; }, 1, 0},
        {"progress picture", [](const Read& r) { return r.progress ? r.progress->Image.Width() : kMissing; }, 12,
         kMissing},

        // Plain objects read "Frame"; the bordered and group-box readers leave it.
        {"plain frame", [](const Read& r) { return Field(r.headerbar, &TDataSkinObject::FrameCount); }, 9, 0},
        {"bordered frame", [](const Read& r) { return Field(r.tabs, &TDataSkinObject::FrameCount); }, 0, 0},
        {"group box frame", [](const Read& r) { return Field(r.groupBox, &TDataSkinObject::FrameCount); }, 0, 0},
    };
    for (const Rule& rule : rules) {
        EXPECT_EQ(rule.value(*given), rule.given) << rule.what << ", given";
        EXPECT_EQ(rule.value(*defaults), rule.byDefault) << rule.what << ", by default";
    }
}
