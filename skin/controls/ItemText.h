#pragma once
// An item's image and caption, placed as a header section's are (HeaderLayout.h): the
// image of `images` at `image` (when there is one and it is narrower than the item),
// then the text, single-line with an end ellipsis, clipped to the item. Header sections
// and tabs draw their captions with it.

#include "framework/controls/ControlTypes.h"
#include "framework/graphics/Colors.h"

#include <string_view>

#include <windows.h>
#include <commctrl.h>

// `textFlags` are the DrawText flags of the caption (reading order included); the DC's
// text colour and background mode come back as they were. False when nothing was drawn.
bool DrawItemText(HDC dc, const RECT& item, std::wstring_view text, HIMAGELIST images, int image,
                  TAlignment alignment, TColor colour, UINT textFlags) noexcept;
