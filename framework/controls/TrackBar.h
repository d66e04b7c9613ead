#pragma once
// A track bar on the common trackbar control: a thumb the user moves between Min and
// Max (see PositionRange.h for how the three keep each other in order), with tick
// marks. OnChange fires when the user moves the thumb, as the control reports by its
// scroll notices; a position set by code does not fire it.

#include "framework/controls/PositionRange.h"
#include "framework/controls/WinControl.h"

class TTrackBar : public TWinControl, public RangeControl {
    KESTRELLE_CLASS(TTrackBar, TWinControl)

public:
    TTrackBar();

    // Turning the bar also turns its bounds, unless a layout is being read.
    TTrackBarOrientation Orientation() const noexcept { return m_orientation; }
    void SetOrientation(TTrackBarOrientation value);
    // Every how many positions an automatic tick mark stands.
    int Frequency() const noexcept { return m_frequency; }
    void SetFrequency(int value);
    TTickStyle TickStyle() const noexcept { return m_tickStyle; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const noexcept { return m_tickMarks; }
    void SetTickMarks(TTickMark value);
    // How far the arrow keys and the page keys (or a click beside the thumb) move it.
    int LineSize() const noexcept { return m_lineSize; }
    void SetLineSize(int value);
    int PageSize() const noexcept { return m_pageSize; }
    void SetPageSize(int value);

    TNotifyEvent OnChange;

    void Loaded() override;
    static void Publish(TPublisher<TTrackBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    void ShowRange() override;
    void ShowPosition() override;

private:
    TTrackBarOrientation m_orientation = TTrackBarOrientation::trHorizontal;
    int m_frequency = 1;
    TTickStyle m_tickStyle = TTickStyle::tsAuto;
    TTickMark m_tickMarks = TTickMark::tmBottomRight;
    int m_lineSize = 1;
    int m_pageSize = 2;
};
