#pragma once
// The framework's older tab set: a row of tabs drawn by the control itself along the
// bottom of whatever it sits under, without pages. Tabs that do not fit are reached with
// its scroller, a horizontal up-down at the right end (the first component it owns),
// shown only while some tab is out of sight; it moves FirstIndex. A click on a tab
// selects it and fires OnChange.

#include "framework/controls/CustomControl.h"
#include "framework/controls/TabSetLayout.h"
#include "framework/core/Events.h"
#include "framework/core/StringList.h"

#include <string_view>
#include <vector>

class TUpDown;

class TTabSet : public TCustomControl {
    KESTRELLE_CLASS(TTabSet, TCustomControl)

public:
    // Tab width beyond its text, and the room a tab must leave at the end of the row.
    static constexpr int kTabPadding = 9;

    TTabSet();

    const TStringList& Tabs() const noexcept { return m_tabs; }
    void SetTabs(const TStringList& value);
    int AddTab(std::wstring_view text);
    // The selected tab; -1 none.
    int TabIndex() const noexcept { return m_tabIndex; }
    void SetTabIndex(int value);
    // Space before the first tab and after the last.
    int StartMargin() const noexcept { return m_startMargin; }
    void SetStartMargin(int value);
    int EndMargin() const noexcept { return m_endMargin; }
    void SetEndMargin(int value);
    // The first tab shown.
    int FirstIndex() const noexcept { return m_firstIndex; }
    void SetFirstIndex(int value);
    TUpDown& Scroller() const noexcept { return *m_scroller; }

    // The tabs shown now, as the control draws them (client coordinates along the row).
    std::vector<TabSetTab> VisibleTabs() const;

    TNotifyEvent OnChange;

    void Loaded() override;
    static void Publish(TPublisher<TTabSet>& p);

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void BoundsChanged(bool sizeChanged) override;
    void FontChanged() override;

private:
    std::vector<int> TextWidths(HDC dc) const;
    std::vector<TabSetTab> Layout(bool& scrollerNeeded) const;
    void TabsChanged();
    void PlaceScroller();

    TStringList m_tabs;
    int m_tabIndex = -1;
    int m_startMargin = 5;
    int m_endMargin = 5;
    int m_firstIndex = 0;
    TUpDown* m_scroller = nullptr;
};
