#pragma once
// A progress bar on the common progress control: a position between Min and Max (see
// PositionRange.h for how the three keep each other in order), shown horizontally or
// vertically, in blocks or smooth.

#include "framework/controls/PositionRange.h"
#include "framework/controls/WinControl.h"

class TProgressBar : public TWinControl, public RangeControl {
    KESTRELLE_CLASS(TProgressBar, TWinControl)

public:
    TProgressBar();

    // What StepIt adds.
    int Step() const noexcept { return m_step; }
    void SetStep(int value);
    // Moves on by Step, starting again from Min once past Max.
    void StepIt();
    // Moves by `delta`, stopping at Min or Max.
    void StepBy(int delta) { SetPosition(m_range.Moved(delta)); }
    TProgressBarOrientation Orientation() const noexcept { return m_orientation; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const noexcept { return m_smooth; }
    void SetSmooth(bool value);

    void Loaded() override;
    static void Publish(TPublisher<TProgressBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void ShowRange() override;
    void ShowPosition() override;

private:
    int m_step = 10;
    TProgressBarOrientation m_orientation = TProgressBarOrientation::pbHorizontal;
    bool m_smooth = false;
};
