#include "framework/core/Stream.h"
#include "framework/graphics/BmpCodec.h"
#include "skin/data/ColourMath.h"
#include "skin/data/PixelSlice.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDataTypes.h"
#include "skin/data/SkinLoadRules.h"
#include "skin/data/SkinReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

std::vector<std::byte> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}

std::vector<std::byte> BitmapFile(int width, int height) {
    DecodedBmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = 24;
    bmp.pixels.assign(bmp.Stride() * static_cast<size_t>(height), 0);
    return EncodeBmp(bmp);
}

}  // namespace

TEST(ClassMap, DefaultRowsAndLookups) {
    BasicStringList<char16_t> map;
    for (const auto row : DefaultClassMap()) map.Add(row);
    ASSERT_EQ(map.Count(), 117);
    EXPECT_EQ(map[0], u"TCategoryButtons=scrollbar");
    EXPECT_EQ(map[116], u"TOVCDBNUMERICFIELD=Edit");

    EXPECT_EQ(ClassMapKind(map, u"TRzButton"), u"button");
    EXPECT_EQ(ClassMapKind(map, u"trzbutton"), u"button");        // either side's case
    EXPECT_EQ(ClassMapKind(map, u"TControlBar"), u"panel");        // the kind comes lower case
    EXPECT_EQ(ClassMapKind(map, u"TLMDGroupBox"), u"groupbox");    // the first of two rows wins
    EXPECT_EQ(ClassMapKind(map, u"TLMDCalculator"), u"panel");     // not the longer TLMDCalculatorEdit
    EXPECT_EQ(ClassMapKind(map, u"TButton"), std::nullopt);
    EXPECT_EQ(ClassMapKind(map, u"TRz"), std::nullopt);            // a prefix of a class is no match

    BasicStringList<char16_t> own;
    own.Add(u"TMine");                                             // no kind at all
    own.Add(u"TLong=" + std::u16string(80, u'x'));
    own.Add(u"TNothing=");
    EXPECT_EQ(ClassMapKind(own, u"TMine"), std::nullopt);
    EXPECT_EQ(ClassMapKind(own, u"TLong")->size(), 50u);
    EXPECT_EQ(ClassMapKind(own, u"TNothing"), u"");
}

TEST(SkinSwitches, DefaultsLeaveOutMenuItemsAndReportDesigner) {
    for (int i = 0; i <= static_cast<int>(TSkinControlType::xcFastReport); ++i) {
        const auto member = static_cast<TSkinControlType>(i);
        const bool left = member == TSkinControlType::xcMenuItem || member == TSkinControlType::xcFastReport;
        EXPECT_EQ(kDefaultSkinControls.Contains(member), !left) << i;
    }
    EXPECT_EQ(kDefaultSkinControls.Bits() >> 22, 0u);
}

TEST(SkinLoadRules, FrameCountsOffsetsAndBitmapSizes) {
    EXPECT_EQ(SaneFrameCount(0, 96), 1);
    EXPECT_EQ(SaneFrameCount(-7, 96), 1);
    EXPECT_EQ(SaneFrameCount(6, 96), 6);
    EXPECT_EQ(SaneFrameCount(2147483647, 96), 96);  // no empty frames
    EXPECT_EQ(SaneFrameCount(6, 0), 6);             // an empty picture keeps its count
    EXPECT_EQ(SaneTextOffset(-1'000'000), -kMaxTextOffset);
    EXPECT_EQ(SaneTextOffset(30), 30);

    EXPECT_TRUE(SkinBitmapSizeAllowed(BitmapFile(170, 58)));
    EXPECT_TRUE(SkinBitmapSizeAllowed(BitmapFile(4096, 4096)));
    EXPECT_FALSE(SkinBitmapSizeAllowed(BitmapFile(4097, 4096)));
    EXPECT_FALSE(SkinBitmapSizeAllowed(std::vector<std::byte>(20)));  // too short to say
    auto topDown = BitmapFile(30000, 2);
    const int32_t height = -30000;  // rows stored top first: a negative height
    for (int i = 0; i < 4; ++i) topDown[22 + i] = std::byte((static_cast<uint32_t>(height) >> (8 * i)) & 0xFF);
    EXPECT_FALSE(SkinBitmapSizeAllowed(topDown));
    std::vector<std::byte> core(26 + 4);  // the old core header: 16-bit sizes
    core[14] = std::byte{12};
    core[18] = std::byte{0x20}, core[20] = std::byte{0x20};
    EXPECT_TRUE(SkinBitmapSizeAllowed(core));
}

TEST(SkinLoadRules, ToolbarGradientFollowsTheTitleColourSaturation) {
    const TColor face = RgbColour(238, 240, 234);
    const auto saturated = ToolbarGradient(face, RgbColour(255, 0, 0));
    EXPECT_EQ(saturated.top, MixRgb(face, clWhite, 150));
    // Saturation 255: (5625 - 6375) div 140 + 50 = 45 % title colour, 55 % white.
    EXPECT_EQ(saturated.bottom, RgbColour(255, 140, 140));
    const auto grey = ToolbarGradient(face, RgbColour(200, 200, 200));  // saturation 0: a tinted grey
    EXPECT_EQ(grey.bottom, RgbColour(189, 189, 189));
    const auto dark = ToolbarGradient(face, RgbColour(60, 110, 100));  // dark colours count as 200
    EXPECT_EQ(dark.bottom, MixRgb(RgbColour(60, 110, 100), clWhite, 54));
}

TEST(PixelSlice, StretchesTilesLeavesOutTheKeyAndClips) {
    constexpr uint32_t kKey = 0xFF00FF, kA = 0x112233, kB = 0x445566;
    std::vector<uint32_t> source{kA, kB, kKey};  // one row of three
    const PixelView from(3, 1, 3, source);
    std::vector<uint32_t> pixels(8 * 2, 0);
    const PixelView to(8, 2, 8, pixels);

    SlicePlan stretched;
    stretched.Add({{0, 0, 2, 1}, {0, 0, 4, 2}, MiddleMode::Stretch});
    DrawPlan(to, 0, 0, stretched, from, std::nullopt);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{kA, kA, kB, kB, 0, 0, 0, 0, kA, kA, kB, kB, 0, 0, 0, 0}));

    std::fill(pixels.begin(), pixels.end(), 0);
    SlicePlan tiled;
    tiled.Add({{0, 0, 3, 1}, {0, 0, 7, 1}, MiddleMode::Tile});
    DrawPlan(to, 2, 1, tiled, from, kKey);  // moved by (2, 1); runs past the right edge
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kA, kB, 0, kA, kB, 0}));
}

// The skin the program ships: the structure its loaders and tools expect.
TEST(KestrelleSkin, IsOneContainerOfFiftySevenBitmapsAndItsDescription) {
    TMemoryStream packed(ReadFileBytes(KESTRELLE_SKIN_DIR "/kestrelle.skin"));
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(packed));
    ASSERT_EQ(reader.FileCount(), 58);
    const auto& names = reader.FileNames();
    std::set<std::string> unique;
    int bitmaps = 0, descriptions = 0;
    for (int i = 0; i < names.Count(); ++i) {
        unique.insert(names[i]);
        bitmaps += names[i].ends_with(".bmp");
        descriptions += names[i].find(".ini") != std::string::npos;
    }
    EXPECT_EQ(bitmaps, 57);
    EXPECT_EQ(descriptions, 1);
    EXPECT_TRUE(names[57].ends_with(".ini"));
    EXPECT_LT(unique.size(), 58u);  // a name listed twice

    TMemoryStream text;
    std::string found;
    reader.FindFile(".ini", text, found);
    TQuickIni description;
    description.LoadFromStream(text);
    EXPECT_EQ(description.ReadString("Personality", "TextBack", "none"), "none");
    EXPECT_EQ(description.ReadString("Track", "Image", "none"), "none");
    EXPECT_EQ(description.ReadString("TRACKVERT", "Image", "none"), "none");
    // Every section the program reads names a picture that is in the container.
    for (const char* section :
         {"Progress.Chunk", "GroupBoxEdge", "GroupBox", "Tabs", "StatusBarEdges", "Tab.Pane", "ToolBars",
          "ComboButton", "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar",
          "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz",
          "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp",
          "Trackbar.ThumbDown", "UpDown.Horz", "UpDown.Vert", "MDICONTROLS"}) {
        TMemoryStream bitmap;
        EXPECT_TRUE(reader.ReadBitmap(description.ReadString(section, "Image", ""), bitmap)) << section;
    }
}
