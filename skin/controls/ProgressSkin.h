#pragma once
// The skin of a progress bar: the empty picture over the whole bar and the full one over
// the filled part, or, for a two-picture skin, a frame with chunks over the filled part.
// A vertical bar shows the same pictures, turned upright, filling from the bottom.

#include "skin/controls/SkinControl.h"

class TDataSkinBorder;

class TSkinProgress : public TSkinControl {
    KESTRELLE_CLASS(TSkinProgress, TSkinControl)

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    const TDataSkinBorder* ProgressObject() const noexcept;
    void DrawChunks(HDC dc, int filled, int height) const;
};
