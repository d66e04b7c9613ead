#pragma once
// The arithmetic of window skinning: which frame a window gets, which caption buttons
// it shows and where, its client rectangle inside the skin frame, the hit-test answer
// over the caption, and which frame of a picture a state uses. The window skinning
// object reads the window and the skin and calls these; they touch nothing.
// Platform-neutral: the window-style bits are restated here.

#include "framework/core/Geometry.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace winstyle {
constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kCaption = 0x00C00000;  // both bits: border and title bar
constexpr uint32_t kSysMenu = 0x00080000;
constexpr uint32_t kThickFrame = 0x00040000;
constexpr uint32_t kMinimizeBox = 0x00020000;
constexpr uint32_t kMaximizeBox = 0x00010000;
constexpr uint32_t kModalFrame = 0x00000080;  // DS_MODALFRAME of dialog templates
constexpr uint32_t kExDlgModalFrame = 0x00000001;
constexpr uint32_t kExMdiChild = 0x00000040;
constexpr uint32_t kExLeftScrollBar = 0x00004000;
constexpr uint32_t kExAppWindow = 0x00040000;
constexpr uint32_t kExToolWindow = 0x00000080;
}  // namespace winstyle

// How the frame is drawn: the skin's four border pictures around a sizeable or a
// single frame, around a dialog, or nothing at all for a window without caption.
enum class BorderKind : uint8_t { Sizeable = 0, Single = 1, NoCaption = 2, Dialog = 3 };
enum class WindowState : uint8_t { Normal = 0, Maximized = 1, Minimized = 2 };
enum class MdiKind : uint8_t { None = 0, Frame = 1, Child = 2 };

// `isDialogClass`: the class is a system dialog ("#32770") or the framework's message form.
BorderKind BorderKindOf(uint32_t style, uint32_t exStyle, bool isDialogClass) noexcept;

// The window state a placement's show command stands for.
WindowState WindowStateOf(unsigned showCommand) noexcept;

// The platform's version, as the frame decisions that depend on it need it.
struct PlatformVersion {
    unsigned major = 5;
    unsigned minor = 1;
    bool ntFamily = true;
};

// What the caption may offer. `stripCaption`: the caption style bits are taken off the
// window while it is skinned (Windows 2000's own caption would show through otherwise),
// only on version 5.0.
struct Capabilities {
    bool maximizeBox = false;
    bool minimizeBox = false;
    bool systemMenu = false;
    bool stripCaption = false;
};
Capabilities CapabilitiesOf(uint32_t style, uint32_t exStyle, bool hasSystemMenu, bool hasOwner,
                            const PlatformVersion& version) noexcept;

// One caption button of the skin, as the rules read it.
struct CaptionButtonRule {
    int action = 0;
    int align = 0;
    int xcoord = 0;
    int ycoord = 0;
    int visibility = 0;
    int visibility1 = 0;
};

// What a caption button's visibility depends on. `askHost` answers the window's reply
// to the engine's visibility query (codes 1000 to 2000, with the button's action).
struct CaptionFacts {
    WindowState state = WindowState::Normal;
    bool active = true;
    Capabilities capabilities;
    BorderKind border = BorderKind::Single;
    bool isDialogClass = false;
    // A tool window: like the system's, its caption has no icon.
    bool toolWindow = false;
    // An MDI frame whose active child is maximised, with a skinned menu bar.
    bool mdiChildButtonsInMenuBar = false;
    std::function<bool(int code, int action)> askHost;
};
bool CaptionButtonVisible(const CaptionButtonRule& button, const CaptionFacts& facts);

// Where a shown caption button of `size` goes in a window of `windowWidth` (window
// coordinates). `captionTextBox` is the left and right edge of the caption text.
struct CaptionGeometry {
    int windowWidth = 0;
    int leftBorder = 0;
    int rightBorder = 0;
    int topHeight = 0;
    int menuBarHeight = 0;
    int menuBarLeftWidth = 0;  // LeftWidth of the menu-bar picture, 0 without one
    bool rightToLeft = false;
    int captionTextLeft = 0;
    int captionTextRight = 0;
};
core::Rect CaptionButtonBounds(const CaptionButtonRule& button, core::Size size, const CaptionGeometry& geometry) noexcept;

// The frame sizes of the skin around the client area.
struct FrameBorders {
    int left = 0;
    int top = 0;  // the whole caption bar
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameBorders&, const FrameBorders&) = default;
};

// The client rectangle of a window placed at `window` (parent coordinates) inside the
// skin frame and the menu bar.
core::Rect ClientInFrame(const core::Rect& window, const FrameBorders& borders, int menuBarHeight) noexcept;

// The strips the frame of a `width` x `height` window is painted in, in window
// coordinates: the caption strip with the menu bar and the bottom strip, both between
// the side borders, then the left and right sides from top to bottom (marked `side`:
// tall and narrow), so that each border picture falls in one strip; a minimised window
// is one strip. Together they cover the window outside ClientInFrame, each pixel once,
// except that the sides of a window narrower than its two borders overlap. Empty
// strips are left out.
struct FrameStrip {
    core::Rect rect;
    bool side = false;
};
std::vector<FrameStrip> FrameStrips(int width, int height, const FrameBorders& borders, int menuBarHeight,
                                    bool minimized);

// The hit-test answer over the caption area: the system's `systemAnswer` stays unless
// it is nowhere or caption; then a point more than 3 pixels down the frame is caption,
// and below the caption bar, where a menu bar lies, menu. `framePoint` is in window
// coordinates.
inline constexpr int kHitNowhere = 0;
inline constexpr int kHitCaption = 2;
inline constexpr int kHitMenu = 5;
int CaptionHitTest(int systemAnswer, core::Point framePoint, int topHeight, int menuBarHeight) noexcept;

// Frames of the pictures: a border shows its second (inactive) frame when the window is
// inactive and the picture has one; a caption button shows its fourth.
int BorderFrame(bool active, int frameCount) noexcept;
int CaptionButtonFrame(bool active, int frameCount) noexcept;

// The caption buttons that react to the mouse: the first shown one with an action of
// 0 or more whose bounds hold the point; -1 when none does.
struct CaptionButtonHit {
    const core::Rect* bounds = nullptr;
    bool visible = false;
    int action = -1;
};
int CaptionButtonAt(std::span<const CaptionButtonHit> buttons, core::Point framePoint) noexcept;

// The size a dialog needs for its caption text, and how far its children move: half
// the width it gains.
struct DialogWidening {
    int width = 0;
    int childShift = 0;
};
DialogWidening WidenForCaption(int windowWidth, int textWidth, int textShift, int rightClip) noexcept;

// Caption text placement (window coordinates): the title picture's text shift is the
// text's distance from the window's left edge and its right clip the free space kept at
// the right edge; the text is centred in the caption height and then moved down by the
// vertical shift. A text wider than that room is cut to it.
enum class CaptionAlignment { Left = 0, Right = 1, Centre = 2 };
CaptionAlignment CaptionAlignmentOf(int textAlignment) noexcept;
struct CaptionText {
    int windowWidth = 0;
    int captionHeight = 0;
    int textWidth = 0;
    int textHeight = 0;
    int textShift = 0;
    int textShiftVert = 0;
    int rightClip = 0;
    CaptionAlignment alignment = CaptionAlignment::Left;
};
core::Rect CaptionTextBox(const CaptionText& text) noexcept;
