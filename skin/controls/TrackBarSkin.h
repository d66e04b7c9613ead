#pragma once
// The skin of a track bar. It answers the control's custom-draw notifications (the
// framework passes them back to the control; see TrackBarLayout.h for the answers): the
// channel is the skin's groove picture, the thumb the second of the five frames of the
// skin's thumb strip; the ticks stay the control's own.

#include "skin/controls/SkinControl.h"

class TSkinTrackBar : public TSkinControl {
    KESTRELLE_CLASS(TSkinTrackBar, TSkinControl)

public:
    // The control redraws when it gets the focus: it gets it, and gives it straight back.
    void Reskin() override;

protected:
    bool BeforeMessage(TMessage& message) override;

private:
    bool Vertical() const noexcept;
    void DrawChannel(HDC dc) const;
    void DrawThumb(HDC dc) const;
};
