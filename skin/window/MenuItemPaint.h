#pragma once
// The painters of owner-drawn menu items in the skin's look: the item's background
// (the menu window's picture, or the skin's menu colour), the skin's item picture
// (normal or selected frame), and the content: glyph or check mark, caption, shortcut.
// They draw on the DC they are given and never throw; false when nothing was drawn.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <string>

#include <windows.h>

class TImageList;
class TMenuItem;
class TSkinData;

// What the painters need of an item: a framework item's, or a plain menu's read back
// from its handle.
struct MenuItemFacts {
    std::wstring caption;   // "&" marks the accelerator; "-" is a separator
    std::wstring shortCut;  // as shown, empty for none
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool isDefault = false;
    bool rightToLeft = false;
    const TImageList* images = nullptr;
    int imageIndex = -1;

    bool IsLine() const noexcept { return caption == L"-"; }
};

MenuItemFacts FactsOfItem(const TMenuItem& item);
// The item with `command` of a plain menu; an empty text reads as a separator.
MenuItemFacts FactsOfMenuCommand(HMENU menu, UINT command);

// The glyph, caption and shortcut over what `canvas` already shows at `rect`.
void DrawItemContent(TCanvas& canvas, const MenuItemFacts& item, bool selected, const RECT& rect,
                     const TSkinData& skin) noexcept;
// Without the skin's item picture: the selection or menu colour, then the content.
bool DrawPlainItem(TCanvas& canvas, const MenuItemFacts& item, bool selected, const RECT& rect,
                   const TSkinData& skin) noexcept;

enum class SeparatorLook {
    SkinLine,  // a framework item's separator: the line cut from the item picture's second frame
    ItemFrame, // a plain menu's separator: the item picture and the etched line, as any item
};
// With the skin's item picture: the background is `background` (the menu window's
// picture; its frame is 3 pixels, which the item's client coordinates leave out) or,
// without one, the skin's menu colour. False without the item picture.
bool DrawSkinnedItem(HDC dc, const MenuItemFacts& item, bool selected, const RECT& rect, const TSkinData& skin,
                     const TBitmap* background, SeparatorLook separator) noexcept;
