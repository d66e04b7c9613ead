#pragma once
// Base of the pictures a canvas can draw (bitmaps, icons): size, drawing into a
// rectangle, streaming, transparency and a change notification.

#include "framework/core/Events.h"
#include "framework/core/Persistent.h"

#include <windows.h>

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    KESTRELLE_CLASS(TGraphic, TPersistent)

public:
    virtual int Width() const noexcept = 0;
    virtual int Height() const noexcept = 0;
    virtual bool Empty() const noexcept = 0;
    // Draws the whole picture stretched to `rect` on `canvas`.
    virtual void Draw(TCanvas& canvas, const RECT& rect) const = 0;
    // Reads the picture from the stream's position; throws EInvalidGraphic for bad data.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;

    bool Transparent() const noexcept { return m_transparent; }
    void SetTransparent(bool transparent) {
        if (transparent == m_transparent) return;
        m_transparent = transparent;
        Changed();
    }

    TNotifyEvent OnChange;

protected:
    void Changed() { Fire(OnChange, this); }

private:
    bool m_transparent = false;
};
