#pragma once
// What the skin's pictures share: Kestrelle's own colours (a skin's palette maps them
// afterwards), the states control pictures come in, the pixel glyphs, and the pictures
// each file of the art draws. Host tool code.

#include "tools/skinmaker/Picture.h"

#include <array>
#include <span>
#include <string_view>

namespace art {

using Glyph = std::span<const std::string_view>;

// --- Kestrelle's own colours, which a skin's palette maps --------------------------------

// The window: sea green when active, grey-green when not.
struct FrameColours {
    Rgb outline, light, body, inner, shade;
    Rgb captionTop, captionBottom, captionLight, captionLine;
};
inline constexpr FrameColours kActive{Hex(0x24493F), Hex(0x5E9A89), Hex(0x3F7B6B), Hex(0x33695B), Hex(0x2C5A4E),
                               Hex(0x518E7C), Hex(0x376F60), Hex(0x8ABCAD), Hex(0x2C5A4E)};
inline constexpr FrameColours kInactive{Hex(0x7D8B86), Hex(0xCBD5D1), Hex(0xA9B7B1), Hex(0x9AA8A2), Hex(0x8F9D98),
                                 Hex(0xBAC6C1), Hex(0xA5B3AD), Hex(0xDCE4E1), Hex(0x8F9D98)};

// Faces and lines of the controls.
inline constexpr Rgb kWhite = Hex(0xFFFFFF);
inline constexpr Rgb kFace = Hex(0xEEF0EA);
inline constexpr Rgb kPane = Hex(0xF8FAF6);
inline constexpr Rgb kLine = Hex(0xC5CEC8);
inline constexpr Rgb kLineBorder = Hex(0xA7B3AC);
inline constexpr Rgb kBorderDark = Hex(0x8D9C95);
inline constexpr Rgb kBorderPressed = Hex(0x6E8078);
inline constexpr Rgb kBorderDisabled = Hex(0xC6CECA);
inline constexpr Rgb kTrough = Hex(0xE4E9E4);
inline constexpr Rgb kAccent = Hex(0x3E7A6A);
inline constexpr Rgb kAccentDark = Hex(0x2F6155);
inline constexpr Rgb kAccentLight = Hex(0x8FBFB0);
inline constexpr Rgb kAccentPale = Hex(0xE3EFEA);
inline constexpr Rgb kGlyph = Hex(0x3D4B45);
inline constexpr Rgb kGlyphPressed = Hex(0x26322D);
inline constexpr Rgb kGlyphDisabled = Hex(0xB3BDB7);

// The states of control pictures, in the order their frames come: normal, pressed,
// disabled, hot (under the mouse), focused.
enum class State { Normal, Pressed, Disabled, Hot, Focused };
inline constexpr std::array kStates{State::Normal, State::Pressed, State::Disabled, State::Hot, State::Focused};

// Glyphs on control faces in each state.
Rgb GlyphColour(State state);
// A raised control face with a one-pixel outline, lit from the top left.
void ControlFace(Picture& p, int x0, int y0, int x1, int y1, int radius, State state);
// A control's outline: the ring of a rounded rectangle, as many pixels thick as the
// skin's lines (SetLineWidth; one, unless a skin asks for more).
void Outline(Picture& p, int x0, int y0, int x1, int y1, int radius, Rgb colour);
void SetLineWidth(int width) noexcept;
// The `width` x `height` piece of `from` at (x, y).
Picture Cut(const Picture& from, int x, int y, int width, int height);

// --- glyphs, drawn pixel for pixel ----------------------------------------------------

inline constexpr std::string_view kCloseGlyph[] = {"##......##", "###....###", ".###..###.", "..######..", "...####...",
                            "...####...", "..######..", ".###..###.", "###....###", "##......##"};
inline constexpr std::string_view kMaximiseGlyph[] = {"##########", "##########", "#........#", "#........#", "#........#",
                               "#........#", "#........#", "#........#", "##########"};
inline constexpr std::string_view kRestoreGlyph[] = {"...#######", "...#######", "...#.....#", "#######..#", "#######..#",
                              "#.....#..#", "#.....####", "#.....#...", "#######..."};
inline constexpr std::string_view kMinimiseGlyph[] = {"..........", "..........", "..........", "..........", "..........",
                               "..........", "..........", "########..", "########.."};
inline constexpr std::string_view kSmallClose[] = {"##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###",
                            "##....##"};
inline constexpr std::string_view kSmallRestore[] = {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..",
                              "######.."};
inline constexpr std::string_view kSmallMinimise[] = {"........", "........", "........", "........", "........", "........", "######..",
                               "######.."};
inline constexpr std::string_view kArrowDown[] = {"#######", ".#####.", "..###..", "...#..."};
inline constexpr std::string_view kArrowUp[] = {"...#...", "..###..", ".#####.", "#######"};
inline constexpr std::string_view kArrowRight[] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
inline constexpr std::string_view kArrowLeft[] = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
inline constexpr std::string_view kSmallDown[] = {"#####", ".###.", "..#.."};
inline constexpr std::string_view kSmallUp[] = {"..#..", ".###.", "#####"};
inline constexpr std::string_view kSmallRight[] = {"#..", "##.", "###", "##.", "#.."};
inline constexpr std::string_view kSmallLeft[] = {"..#", ".##", "###", ".##", "..#"};
inline constexpr std::string_view kCheckMark[] = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};
inline constexpr std::string_view kBigCheckMark[] = {".......#", "......##", ".....##.", "#...##..", "##.##...", ".###....", "..#....."};

// --- the window frame and its buttons (FrameArt.cpp) ------------------------------------

struct FramePieces {
    Picture caption, left, right, bottom;
};
FramePieces WindowFrame(int captionWidth, int caption, int border, int radius, int sideMiddle, int sideFoot,
                        int bottomWidth);
Picture CaptionButton(int size, Glyph glyph, bool close);
Picture MenuBar();
Picture MdiControls();

// --- controls (ControlArt.cpp) -------------------------------------------------------------

Picture PushButtons();
Picture CheckStrip();
Picture RadioStrip();
Picture LargeCheckStrip();
Picture LargeRadioStrip();
Picture ProgressBar();
Picture ProgressChunk();
Picture GroupEdge();
Picture GroupLabel();
Picture TabStrip();
Picture Pane(int radius);
Picture StatusEdges();
Picture ToolButtons();
Picture SunkEdge();
Picture ComboButton();
Picture ExtraImages();
enum class Point { None, Up, Down, Left, Right };
Picture TrackThumb(Point point);
Picture PlainThumb(bool vertical);
Picture SpinButtons(int width, int height, bool horizontal);
Picture SpinGlyphs(bool horizontal);

// --- lists, menus, scroll bars and the sections this program does not read (MenuArt.cpp)

Picture HeaderBar();
Picture MenuItems();
Picture MenuBackground();
Picture ScrollbarStrip();
Picture Shaft(bool vertical);
Picture ScrollThumb(bool vertical);
Picture TaskBar();
Picture TaskButtons();
Picture Hint();
Picture Splitter();
Picture RaisedPanel();
Picture ListSelection();

}  // namespace art
