#include "framework/controls/TabSet.h"

#include "framework/controls/UpDown.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"

#include <algorithm>

namespace {

constexpr int kScrollerWidth = 32;

}  // namespace

TTabSet::TTabSet() {
    SetBounds(0, 0, 185, 21);
    SetColor(clBtnFace);
    // First of the components the tab set owns: skins look for it there.
    m_scroller = &Create<TUpDown>();
    m_scroller->SetOrientation(TUDOrientation::udHorizontal);
    m_scroller->SetVisible(false);
    m_scroller->SetParent(this);
    m_scroller->OnClick = [this](TObject*, TUDBtnType) { SetFirstIndex(m_scroller->Position()); };
    PlaceScroller();
}

void TTabSet::SetTabs(const TStringList& value) {
    m_tabs.Assign(value);
    TabsChanged();
}

int TTabSet::AddTab(std::wstring_view text) {
    const int index = m_tabs.Add(FromWide(text));
    TabsChanged();
    return index;
}

void TTabSet::SetTabIndex(int value) {
    // A stored layout may give the index before the tabs; Loaded checks it then.
    if (IsLoading()) {
        m_tabIndex = value;
        return;
    }
    if (value < -1 || value >= m_tabs.Count()) value = -1;
    if (value == m_tabIndex) return;
    m_tabIndex = value;
    Invalidate();
}

void TTabSet::SetStartMargin(int value) {
    m_startMargin = std::max(value, 0);
    TabsChanged();
}

void TTabSet::SetEndMargin(int value) {
    m_endMargin = std::max(value, 0);
    TabsChanged();
}

void TTabSet::SetFirstIndex(int value) {
    if (IsLoading()) {
        m_firstIndex = value;
        return;
    }
    value = std::clamp(value, 0, std::max(m_tabs.Count() - 1, 0));
    if (value == m_firstIndex) return;
    m_firstIndex = value;
    TabsChanged();
}

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    TabsChanged();
}

void TTabSet::TabsChanged() {
    if (IsLoading()) return;
    if (m_tabIndex < -1 || m_tabIndex >= m_tabs.Count()) m_tabIndex = -1;
    m_firstIndex = std::clamp(m_firstIndex, 0, std::max(m_tabs.Count() - 1, 0));
    PlaceScroller();
    Invalidate();
}

void TTabSet::BoundsChanged(bool sizeChanged) {
    TCustomControl::BoundsChanged(sizeChanged);
    if (sizeChanged && m_scroller) PlaceScroller();
}

void TTabSet::FontChanged() {
    TCustomControl::FontChanged();
    TabsChanged();
}

void TTabSet::PlaceScroller() {
    bool needed = false;
    (void)Layout(needed);
    m_scroller->SetMax(std::max(m_tabs.Count() - 1, 0));
    m_scroller->SetPosition(m_firstIndex);
    m_scroller->SetBounds(std::max(Width() - kScrollerWidth, 0), 0, kScrollerWidth, Height());
    m_scroller->SetVisible(needed);
}

std::vector<int> TTabSet::TextWidths(HDC dc) const {
    std::vector<int> widths;
    SelectScope useFont{dc, FontHandle()};
    for (int i = 0; i < m_tabs.Count(); ++i) {
        const std::wstring text = ToWide(m_tabs[i]);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widths.push_back(size.cx);
    }
    return widths;
}

std::vector<TabSetTab> TTabSet::VisibleTabs() const {
    bool needed = false;
    return Layout(needed);
}

std::vector<TabSetTab> TTabSet::Layout(bool& scrollerNeeded) const {
    MemoryDc measure;
    if (!measure.Get()) return {};
    const std::vector<int> widths = TextWidths(measure.Get());
    const auto place = [&](int available) {
        return PlaceTabSetTabs(widths, m_firstIndex, m_startMargin, available, kTabPadding, kTabPadding,
                               TabSetFit::StopAtFirstMiss);
    };
    std::vector<TabSetTab> shown = place(Width() - m_endMargin);
    const int last = shown.empty() ? m_firstIndex - 1 : shown.back().index;
    // A tab out of sight on either side brings the scroller, which takes room of its own.
    scrollerNeeded = m_firstIndex > 0 || last < m_tabs.Count() - 1;
    if (scrollerNeeded) shown = place(Width() - m_endMargin - kScrollerWidth);
    return shown;
}

bool TTabSet::Paint(HDC dc, const RECT& box) noexcept {
    ::FillRect(dc, &box, Brush());
    // The line the tabs hang from.
    RECT top{box.left, box.top, box.right, box.top + 1};
    ::FillRect(dc, &top, ::GetSysColorBrush(COLOR_3DDKSHADOW));
    SelectScope useFont{dc, FontHandle()};
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    for (const TabSetTab& tab : VisibleTabs()) {
        RECT shape{tab.left, box.top, tab.right, box.bottom - 2};
        const bool selected = tab.index == m_tabIndex;
        ::FillRect(dc, &shape, ::GetSysColorBrush(selected ? COLOR_WINDOW : COLOR_BTNFACE));
        RECT edge{shape.left, shape.top + (selected ? 0 : 1), shape.left + 1, shape.bottom};
        ::FillRect(dc, &edge, ::GetSysColorBrush(COLOR_3DHILIGHT));
        edge = {shape.right - 1, edge.top, shape.right, shape.bottom};
        ::FillRect(dc, &edge, ::GetSysColorBrush(COLOR_3DDKSHADOW));
        edge = {shape.left, shape.bottom - 1, shape.right, shape.bottom};
        ::FillRect(dc, &edge, ::GetSysColorBrush(COLOR_3DDKSHADOW));
        const std::wstring text = ToWide(m_tabs[tab.index]);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shape, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return true;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft)
        for (const TabSetTab& tab : VisibleTabs())
            if (x >= tab.left && x < tab.right && tab.index != m_tabIndex) {
                SetTabIndex(tab.index);
                Fire(OnChange, this);
                break;
            }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::Publish(TPublisher<TTabSet>& p) {
    p.Object(u"Tabs", [](TTabSet& t) -> TStringList& { return t.m_tabs; }, &TTabSet::SetTabs);
    p.Integer(u"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex).Default(-1);
    p.Integer(u"StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin).Default(5);
    p.Integer(u"EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin).Default(5);
    p.Integer(u"FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex).Default(0);
    p.Event(u"OnChange", &TTabSet::OnChange);
}
