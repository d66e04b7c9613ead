#pragma once
// The skin's face under a tool bar's buttons. A skinned window's tool-bar painter for
// buttons (the bar's OnCustomDrawButton) calls it while the bar custom-draws a button;
// the bar then draws the button's image and caption over the face, in the colour set
// here on its canvas.

#include "framework/controls/ToolBar.h"

#include <windows.h>

class TCanvas;
class TSkinData;

// Draws the face of a button at `bounds` on `canvas` for its custom-draw `state`, from
// the skin's button object. False when nothing was drawn: no picture in the skin, a
// state without a face of the skin's, or no DC on the canvas.
bool PaintToolButtonFace(TCanvas& canvas, const RECT& bounds, TCustomDrawState state, TSkinData& skin) noexcept;
