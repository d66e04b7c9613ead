#pragma once
// A skin for the tests of the box family of control skins. Every part and every frame
// has a colour of its own, and the edges of a frame differ from its inside, so what a
// skin drew, and where, can be told apart by pixels: status-bar panel frames, the size
// grip, header sections, the progress pictures (whose left and right ends differ, so a
// picture turned upright can be recognised), the track bar's groove and thumb strips.

#include "framework/graphics/Colors.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/skin/window/WindowTestSkin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace box_skin {

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);
inline constexpr TColor kKey = RgbColour(255, 0, 255);
inline constexpr TColor kFace = RgbColour(10, 20, 30);
inline constexpr TColor kShadow = RgbColour(60, 70, 80);
inline constexpr TColor kHilight = RgbColour(230, 220, 210);
inline constexpr TColor kButtonText = RgbColour(250, 250, 0);

// Status-bar frames 1 (lowered), 2 (raised), 3 (none): a one-pixel edge round an inside.
inline constexpr TColor kStatusEdge[3] = {RgbColour(200, 0, 0), RgbColour(0, 200, 0), RgbColour(0, 0, 200)};
inline constexpr TColor kStatusInside[3] = {RgbColour(120, 40, 40), RgbColour(40, 120, 40), RgbColour(40, 40, 120)};
inline constexpr TColor kStatusText = RgbColour(255, 255, 255);
// The size grip: cell 5 of 10 x 12 cells, its four left columns in the key colour.
constexpr int kGripWidth = 10, kGripHeight = 12, kGripKeyColumns = 4;
inline constexpr TColor kGrip = RgbColour(255, 128, 0);

// Header frames 1 (normal) and 2 (hot): a two-pixel edge round an inside.
inline constexpr TColor kHeaderEdge[2] = {RgbColour(0, 150, 150), RgbColour(150, 0, 150)};
inline constexpr TColor kHeaderInside[2] = {RgbColour(0, 80, 80), RgbColour(80, 0, 80)};
inline constexpr TColor kHeaderText = RgbColour(255, 200, 200), kHeaderHotText = RgbColour(200, 255, 200);
constexpr int kHeaderEdgeWidth = 2;

// Progress, frame 1 (empty): left end, right end, top and bottom edges, a transparent
// inside; frame 2 (full): left end and the rest. Cells 12 x 8, ends 3 wide, edges 2 high.
inline constexpr TColor kEmptyLeft = RgbColour(180, 0, 90), kEmptyRight = RgbColour(90, 0, 180);
inline constexpr TColor kEmptyEdge = RgbColour(0, 90, 180);
inline constexpr TColor kFullLeft = RgbColour(0, 180, 90), kFull = RgbColour(90, 180, 0);
constexpr int kProgressEnd = 3, kProgressEdge = 2;
// The two-picture progress: chunks 4 x 6 with a left margin of 1.
inline constexpr TColor kChunk = RgbColour(200, 200, 100);
constexpr int kChunkWidth = 4, kChunkHeight = 6, kChunkMargin = 1;

// The groove: start cap, middle, end cap (3, 6 and 3 pixels long, 4 thick).
inline constexpr TColor kGrooveStart = RgbColour(150, 100, 50), kGrooveMiddle = RgbColour(100, 150, 50),
                        kGrooveEnd = RgbColour(50, 100, 150);
constexpr int kGrooveCap = 3, kGrooveThickness = 4;
// Thumb strips of five cells; each cell's top-left pixel is in the key colour.
inline constexpr TColor kThumb[5] = {RgbColour(10, 10, 200), RgbColour(10, 200, 10), RgbColour(200, 10, 10),
                                     RgbColour(120, 120, 10), RgbColour(10, 120, 120)};
inline constexpr TColor kThumbVert[5] = {RgbColour(30, 30, 220), RgbColour(30, 220, 30), RgbColour(220, 30, 30),
                                         RgbColour(140, 140, 30), RgbColour(30, 140, 140)};

struct Options {
    bool statusEdges = true;  // without them, status panels get plain 3-D frames
    bool headerbar = true;
    int progressStyle = 0;    // 1: the two-picture progress
    bool tiledChunks = true;
};

// A frame of `frames` cells side by side whose pixel (x, y) of cell n is colourAt(n, x, y).
template <class ColourAt>
std::vector<std::byte> Cells(int width, int height, int frames, ColourAt colourAt) {
    return test_skins::PatternBitmap(width * frames, height,
                                     [=](int x, int y) { return colourAt(x / width, x % width, y); });
}

inline std::vector<std::byte> Skin(const Options& options = {}) {
    using test_skins::Bytes;
    std::string ini =
        "[Colours]\r\nButtonFace=10 20 30\r\nButtonShadow=60 70 80\r\nButtonHilight=230 220 210\r\n"
        "ButtonText=250 250 0\r\n"
        "[ExtraImages]\r\nImage=extra.bmp\r\nTrans=1\r\n"
        "[Track]\r\nImage=track.bmp\r\nLeftWidth=3\r\nRightWidth=3\r\nFrame=1\r\n"
        "[TRACKVERT]\r\nImage=trackvert.bmp\r\nTopHeight=3\r\nBottomHeight=3\r\nFrame=1\r\n"
        "[Trackbar.ThumbHorz]\r\nImage=thumbhorz.bmp\r\nTrans=1\r\n"
        "[Trackbar.ThumbVert]\r\nImage=thumbvert.bmp\r\nTrans=1\r\n";
    if (options.statusEdges)
        ini += "[StatusBarEdges]\r\nImage=status.bmp\r\nLeftWidth=1\r\nTopHeight=1\r\nRightWidth=1\r\nBottomHeight=1\r\n"
               "NormalColour2=255 255 255\r\n";
    if (options.headerbar)
        ini += "[Headerbar]\r\nImage=header.bmp\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight=2\r\n"
               "NormalColour2=255 200 200\r\nMouseOverColour2=200 255 200\r\n";
    if (options.progressStyle == 1)
        ini += "[Progress]\r\nBitmap=frame.bmp\r\nStyle=1\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\n"
               "BottomHeight=2\r\n"
               "[Progress.Chunk]\r\nImage=chunk.bmp\r\nFrame=1\r\nLeftWidth=1\r\nTile=" +
               std::string(options.tiledChunks ? "1" : "0") + "\r\n";
    else
        ini += "[Progress]\r\nBitmap=progress.bmp\r\nStyle=0\r\nLeftWidth=3\r\nTopHeight=2\r\nRightWidth=3\r\n"
               "BottomHeight=2\r\n";

    const auto status = Cells(8, 8, 3, [](int n, int x, int y) {
        return x == 0 || y == 0 || x == 7 || y == 7 ? kStatusEdge[n] : kStatusInside[n];
    });
    const auto extra = Cells(kGripWidth, kGripHeight, 5, [](int n, int x, int) {
        if (n < 4) return RgbColour(90, 90, 90);
        return x < kGripKeyColumns ? kKey : kGrip;
    });
    const auto header = Cells(8, 8, 5, [](int n, int x, int y) {
        if (n > 1) return RgbColour(70, 70, 70);
        const bool edge = x < kHeaderEdgeWidth || y < kHeaderEdgeWidth || x >= 8 - kHeaderEdgeWidth ||
                          y >= 8 - kHeaderEdgeWidth;
        return edge ? kHeaderEdge[n] : kHeaderInside[n];
    });
    const auto progress = Cells(12, 8, 2, [](int n, int x, int y) {
        if (n == 1) return x < kProgressEnd ? kFullLeft : kFull;
        if (x < kProgressEnd) return kEmptyLeft;
        if (x >= 12 - kProgressEnd) return kEmptyRight;
        return y < kProgressEdge || y >= 8 - kProgressEdge ? kEmptyEdge : kKey;
    });
    const auto frame = Cells(12, 8, 1, [](int, int x, int y) {
        return x < 2 || y < 2 || x >= 10 || y >= 6 ? kEmptyEdge : kKey;
    });
    const auto groove = [](int at) { return at < kGrooveCap ? kGrooveStart : at >= 9 ? kGrooveEnd : kGrooveMiddle; };
    return test_skins::PackedSkin({
        {"status.bmp", status},
        {"extra.bmp", extra},
        {"header.bmp", header},
        {"progress.bmp", progress},
        {"frame.bmp", frame},
        {"chunk.bmp", test_skins::SolidBitmap(kChunkWidth, kChunkHeight, kChunk)},
        {"track.bmp", test_skins::PatternBitmap(12, kGrooveThickness, [&](int x, int) { return groove(x); })},
        {"trackvert.bmp", test_skins::PatternBitmap(kGrooveThickness, 12, [&](int, int y) { return groove(y); })},
        {"thumbhorz.bmp", Cells(6, 10, 5, [](int n, int x, int y) { return x == 0 && y == 0 ? kKey : kThumb[n]; })},
        {"thumbvert.bmp", Cells(10, 6, 5, [](int n, int x, int y) { return x == 0 && y == 0 ? kKey : kThumbVert[n]; })},
        {"window.ini", Bytes(ini)},
    });
}

// The window-skinning tests' skin data component and manager, loaded with this skin
// instead; Load gives it another variant.
class BoxSkinTest : public window_skin::SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        Load({});
    }
    void Load(const Options& options) {
        ASSERT_TRUE(SetBinaryProp(skin.get(), u"SkinStream", test_skins::PropertyBlock(Skin(options))));
        ASSERT_FALSE(skin->NoSkin());
    }
};

}  // namespace box_skin
