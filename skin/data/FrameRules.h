#pragma once
// The fixed rules a skin load applies after reading the description: the frame count
// each part gets, which sections are title-bar buttons and how their strips are cut,
// the check-box and radio-button strip counts, and the three buttons of multi-document
// children. Platform-neutral; the skin data component calls these and owns the objects.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The parts of a skin whose frame count a load fixes (the skin data component's fields).
enum class SkinPart {
    Buttons,
    Title,
    Progress,
    MenuBarSkin,
    GroupBoxEdge,
    ToolbarSkin,
    TabPane,
    GroupBoxLabel,
    MenuBackground,
    StatusBarEdges,
    ComboButton,
    SunkEdge,
    HorzScroll,
    VertScroll,
    ToolBars,
    Tabs,
    ExtraImages,
    MenuItem,
    TrackbarThumb,  // any of the six trackbar thumbs
    Headerbar,
    UpDownHorz,
    UpDownVert,
    Scrollbar,
    HorzScrollThumb,
    VertScrollThumb,
    ProgressChunk,
    Track,
    TrackVert,
    WindowBorder,  // any of the four window borders
};

// The frame count of `part` after a load. `readFrameCount` is what the reader stored
// (the "Frame" key, the thumbs' "FrameCount" key, a border's "<side>Frame" key, or 1 for
// the built-in track grooves); `style` is the object's Style.
int FixedFrameCount(SkinPart part, int readFrameCount, int style) noexcept;

// Cells in a check-box or radio-button strip: the description's count when it gives one,
// else the strip width over a cell of 16 pixels (13 for strips under 16 pixels high);
// never fewer than 4, the cells the small layout addresses.
int StripFrameCount(int frameKey, int imageWidth, int imageHeight) noexcept;

// An integer of the skin description: (section, key, default) -> value.
using DescriptionIntegers = std::function<int32_t(std::string_view section, std::string_view key, int32_t defaultValue)>;

// The sections that describe title-bar buttons, upper-cased, in file order: names that
// start with "BUTTON" other than the push-button, check-box and radio sections; a
// section whose "Action" is -1 counts only when its "Visibility" is 0.
std::vector<std::string> TitleButtonSections(std::span<const std::string> sectionNames,
                                             const DescriptionIntegers& readInteger);

// Frame count of a title-bar button whose "frame" key read `frameKey`: that value when
// it is not 0; otherwise 3 for a strip at most 3.8 times as wide as high and 6 for a
// wider or empty one, and 6 whenever the action is negative.
int TitleButtonFrameCount(int frameKey, int action, int imageWidth, int imageHeight) noexcept;
// The window-icon buttons (actions 3 and 11) are drawn from the window's icon: without
// a "frame" key their strip is dropped.
bool TitleButtonDropsImage(int frameKey, int action) noexcept;

// The minimise, restore and close buttons of a maximised multi-document child, cut from
// the "MDICONTROLS" strip of 12 cells: button k takes cells 4k to 4k + 3.
struct MdiButtonCut {
    int action = 0;
    int sourceX = 0;  // left edge of the button's four cells in the strip
    int width = 0;    // four cells
    int xcoord = 0;   // distance from the right edge
};
inline constexpr int kMdiButtonPlacement = 100;  // Align, Visibility and Visibility1 of the three
inline constexpr int kMdiButtonFrames = 4;
std::array<MdiButtonCut, 3> MdiButtonLayout(int stripWidth) noexcept;
