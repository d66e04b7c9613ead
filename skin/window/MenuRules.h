#pragma once
// The arithmetic of skinned menus: which separators a menu shows, where an item's
// glyph and text go, how much an owner-drawn item adds to the width it measured, and
// which items of the skinned system menu are enabled for the window's state. The menu
// code reads the items and the skin and calls these; they touch nothing.
// Platform-neutral: the system-menu command numbers are restated here.

#include "framework/core/Geometry.h"
#include "skin/window/WindowRules.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// One entry of a menu as the separator rule sees it.
struct MenuEntry {
    bool line = false;
    bool visible = true;
};

// The visibility every entry gets: separators only between visible items, one per run
// (the last), none at the start or the end; other entries keep theirs.
std::vector<bool> TidySeparators(std::span<const MenuEntry> entries);

// Where an owner-drawn item's parts go inside its rectangle.
struct MenuItemLayout {
    core::Rect glyph;   // empty for a separator
    core::Rect text;    // the box the caption is placed in (full item height)
};

// `imageWidth` 0: the menu has no images. `leftWidth`: the skin's item picture's left
// margin, 0 without the picture. A right-to-left item mirrors the layout.
int MenuGlyphSize(int imageWidth, bool checked) noexcept;
MenuItemLayout LayoutMenuItem(const core::Rect& item, int glyphSize, int leftWidth, bool line,
                              bool rightToLeft) noexcept;

// The width a skinned item asks for on top of what the item measured itself: the
// skin's left margin and a gap, and a glyph column when the menu has no images.
int SkinnedItemWidth(int measured, int leftWidth, bool hasImages) noexcept;
int SkinnedSysItemWidth(int measured, int leftWidth, bool hasImages) noexcept;
// A plain window-menu item: its text, the gaps and the skin's left margin; a non-empty
// text is 4 higher than the font, an empty one (a separator) is 8 high.
core::Size WindowMenuItemSize(core::Size text, bool emptyText, int leftWidth) noexcept;

namespace syscommand {
constexpr uint32_t kSize = 0xF000;
constexpr uint32_t kMove = 0xF010;
constexpr uint32_t kMinimize = 0xF020;
constexpr uint32_t kMaximize = 0xF030;
constexpr uint32_t kClose = 0xF060;
constexpr uint32_t kRestore = 0xF120;
}  // namespace syscommand

// Restore, maximise, minimise and close glyphs of the system-menu image list.
struct SysMenuItemRule {
    int image = -1;
    bool enabled = true;
    bool checked = false;
};
struct SysMenuFacts {
    WindowState state = WindowState::Normal;
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool sizeable = false;
};
// The system menu's states are only brought up to date when the system itself opens
// the menu, which the skinned one never lets it do; so the commands the window's state
// decides follow that state, and only the others keep the menu's grey (state 3).
SysMenuItemRule SysMenuItemFor(uint32_t command, uint32_t menuState, const SysMenuFacts& facts) noexcept;

// --- the skinned menu bar -------------------------------------------------------------------

// Where the first bar button starts, from the bar's near edge: past the bar picture's
// margin (`RightWidth` for a right-to-left bar, else `LeftWidth`) and a gap, or 6 without
// a picture; a bar narrower than that starts at 12.
struct MenuBarPicture {
    bool present = false;
    int leftWidth = 0;
    int rightWidth = 0;
};
int MenuBarStart(int barWidth, const MenuBarPicture& picture, bool rightToLeft) noexcept;

// One bar button as the layout sees it: its caption's measured width, and whether it
// shows at all. An empty caption gives a button of no width.
struct MenuBarButtonFacts {
    int textWidth = 0;
    bool emptyCaption = false;
    bool visible = true;
};
// The cells of the buttons in bar coordinates, in menu order: each its text and 10 wide,
// one pixel less than the bar high, from `start` onwards (backwards from the far edge for
// a right-to-left bar). A hidden button gets an empty rectangle and takes no room.
std::vector<core::Rect> LayoutMenuBarButtons(std::span<const MenuBarButtonFacts> buttons, int barWidth, int barHeight,
                                             int start, bool rightToLeft);

// The character after the "&" of a caption ("&&" is a literal ampersand), 0 without one.
char16_t MenuAccelerator(std::u16string_view caption) noexcept;
// One bar button as the accelerator search and the keys see it.
struct MenuBarEntry {
    std::u16string_view caption;
    bool enabled = true;
    bool visible = true;
    bool opens = true;  // it has a submenu
};
// The first enabled, visible button whose accelerator is `key` (any case), or -1.
int FindAccelIndex(std::span<const MenuBarEntry> buttons, char16_t key) noexcept;

// Which bar button a key of an open bar popup moves to. Left goes to the previous button
// only from the popup's own level (or with nothing selected); Right goes to the next one
// unless the selected item opens a submenu, which Right opens instead. In a right-to-left
// menu the two keys swap. The neighbour wraps round and skips buttons that cannot open;
// a button without a submenu is one of them, since opening it would run its command.
struct MenuSelection {
    bool any = false;          // an item is selected
    bool topLevel = false;     // it (or its parent) is the popup the bar opened
    bool hasSubmenu = false;   // it opens a submenu of its own
};
inline constexpr uint32_t kVkLeft = 0x25, kVkRight = 0x27;
int MenuBarKeyTarget(uint32_t virtualKey, const MenuSelection& selection, bool rightToLeft, int current,
                     std::span<const MenuBarEntry> buttons) noexcept;
// The neighbour `step` (+1 or -1) of `current` among the buttons that can open (enabled,
// visible, with a caption and a submenu), wrapping; -1 when there is none.
int NeighbourMenuButton(int current, int step, std::span<const MenuBarEntry> buttons) noexcept;
