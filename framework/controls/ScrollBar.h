#pragma once
// A stand-alone scroll bar on the system's scroll-bar control. The system only reports
// what the user did to it; the bar moves itself here, by SmallChange for the arrows,
// LargeChange for the page areas, to where the thumb is dragged, or to an end, after
// OnScroll has had the chance to change the target. Min, Max and Position keep each
// other in order as a track bar's do (PositionRange.h); with a PageSize the position
// goes no further than Max - PageSize + 1, as the system keeps it. OnChange fires for
// every change of Position, by the user or by code, except while a layout is read.

#include "framework/controls/PositionRange.h"
#include "framework/controls/WinControl.h"

#include <functional>

using TScrollEvent = std::function<void(TObject* sender, TScrollCode scrollCode, int& scrollPos)>;

class TScrollBar : public TWinControl, public RangeControl {
    KESTRELLE_CLASS(TScrollBar, TWinControl)

public:
    TScrollBar();

    // Turning the bar also turns its bounds, unless a layout is being read.
    TScrollBarKind Kind() const noexcept { return m_kind; }
    void SetKind(TScrollBarKind value);
    int PageSize() const noexcept { return m_pageSize; }
    void SetPageSize(int value);
    int SmallChange() const noexcept { return m_smallChange; }
    void SetSmallChange(int value) noexcept { m_smallChange = value; }
    int LargeChange() const noexcept { return m_largeChange; }
    void SetLargeChange(int value) noexcept { m_largeChange = value; }
    // The furthest the position goes: Max, less the page after the first position.
    int LastPosition() const noexcept;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void Loaded() override;
    static void Publish(TPublisher<TScrollBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    void ShowRange() override;
    void ShowPosition() override;

private:
    // Where `code` takes the bar from here.
    int Target(TScrollCode code) const;
    void Scroll(TScrollCode code);

    TScrollBarKind m_kind = TScrollBarKind::sbHorizontal;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    int m_shownPosition = 0;
};
