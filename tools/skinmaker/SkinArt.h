#pragma once
// Kestrelle's skins, drawn: every bitmap of the packed skin and the program's built-in
// bitmaps (the pictures themselves come from FrameArt, ControlArt and MenuArt). One look
// throughout: a calm sea-green caption and frame around warm off-white faces, controls
// with 3-pixel rounded corners (10 for the window's top corners), lit from the top left,
// dark glyphs drawn pixel for pixel; other skins map its colours. Host tool code.

#include "tools/skinmaker/Picture.h"

#include <cstddef>
#include <string>
#include <vector>

// Sizes the skin description repeats: where the frame pieces join and where the caption
// buttons sit.
namespace look {
inline constexpr int kBorder = 4;           // left, right and bottom frame
inline constexpr int kCaption = 29;         // caption strip height per frame
inline constexpr int kCaptionWidth = 170;   // caption strip width
inline constexpr int kCaptionEnd = 10;      // fixed left and right ends of the strip
inline constexpr int kCornerRadius = 10;    // the window's top corners
inline constexpr int kSideMiddle = 12;      // stretched middle of the side borders
inline constexpr int kSideFoot = 6;         // fixed foot of the side borders
inline constexpr int kCaptionButton = 16;   // caption buttons are square
inline constexpr int kCaptionButtonGap = 2;
inline constexpr int kCaptionButtonTop = 6;
// Distance of each caption button's left edge from the window's right edge.
inline constexpr int kCloseX = kBorder + 4 + kCaptionButton;
inline constexpr int kMaximiseX = kCloseX + kCaptionButton + kCaptionButtonGap;
inline constexpr int kMinimiseX = kMaximiseX + kCaptionButton + kCaptionButtonGap;
inline constexpr int kIconX = kBorder + 4;
}  // namespace look

// One file of the skin container.
struct SkinFile {
    std::string name;
    Picture picture;
    bool frame = false;  // a piece of the window's frame or one of its caption buttons
};

// Every bitmap of the skin, each once, in the order they go into the container, in
// Kestrelle's own colours; `caption` is the height of the window's caption strip.
std::vector<SkinFile> DrawSkinBitmaps(int caption = look::kCaption);

struct SkinPalette;
// The same in a skin's palette and caption height.
std::vector<SkinFile> DrawSkinBitmaps(const SkinPalette& palette);

// The program's built-in bitmaps: the grooves of track bars (16 x 4 and 4 x 16) for
// skins without their own, and the four 16 x 16 glyphs of the skinned system menu
// (restore, maximise, minimise, close) as a 64 x 16 one-bit bitmap, black on white.
Picture BuiltInTrack();
Picture BuiltInTrackVert();
std::vector<std::byte> BuiltInMenuGlyphs();
