#pragma once
// A scroll box: a windowed container whose client area scrolls over its children with
// the window's own scroll bars. With AutoScroll each bar's range is the extent of the
// children; a bar shows only while its range is larger than the client area. Scrolling
// moves the children, so their bounds are always where they are shown; a stored layout
// keeps those bounds with the positions they were scrolled to.

#include "framework/controls/WinControl.h"
#include "framework/core/Persistent.h"

class TScrollBox;

// One of a scroll box's two bars; owned by the box.
class TControlScrollBar : public TPersistent {
    KESTRELLE_CLASS(TControlScrollBar, TPersistent)

public:
    TControlScrollBar(TScrollBox& box, TScrollBarKind kind) noexcept : m_box{box}, m_kind{kind} {}

    TScrollBarKind Kind() const noexcept { return m_kind; }
    // The extent scrolled over, in pixels; with AutoScroll the children's.
    int Range() const noexcept { return m_range; }
    void SetRange(int value);
    // How far the client area is scrolled: 0 to Range less the client size.
    int Position() const noexcept { return m_position; }
    void SetPosition(int value);
    // How far an arrow of the bar scrolls.
    int Increment() const noexcept { return m_increment; }
    void SetIncrement(int value);
    // A hidden bar never shows and the box never scrolls its way.
    bool Visible() const noexcept { return m_visible; }
    void SetVisible(bool value);
    // The bar is shown (its range is larger than the client area).
    bool IsScrollBarVisible() const noexcept { return m_shown; }

    static void Publish(TPublisher<TControlScrollBar>& p);

private:
    friend class TScrollBox;

    TScrollBox& m_box;
    TScrollBarKind m_kind;
    int m_range = 0;
    int m_position = 0;
    int m_scrolled = 0;  // how far the children are moved
    int m_increment = 8;
    bool m_visible = true;
    bool m_shown = false;
};

class TScrollBox : public TWinControl {
    KESTRELLE_CLASS(TScrollBox, TWinControl)

public:
    TScrollBox();

    TControlScrollBar& HorzScrollBar() noexcept { return m_horz; }
    TControlScrollBar& VertScrollBar() noexcept { return m_vert; }
    bool AutoScroll() const noexcept { return m_autoScroll; }
    void SetAutoScroll(bool value);
    TBorderStyle BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Scrolls as little as makes `control` (a child) wholly seen, its top left first.
    void ScrollInView(const TControl& control);

    void Loaded() override;
    static void Publish(TPublisher<TScrollBox>& p);

    // A bar's settings changed: range, bars and children follow.
    void UpdateScrollBars();

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged(bool sizeChanged) override;
    void ControlsChanged() override;

private:
    // The children's extent along the bar, as if not scrolled.
    int ChildExtent(const TControlScrollBar& bar) const noexcept;
    void Scroll(TControlScrollBar& bar, WORD code);
    void ShowBar(const TControlScrollBar& bar, int page);
    void MoveChildren(int dx, int dy);

    TControlScrollBar m_horz{*this, TScrollBarKind::sbHorizontal};
    TControlScrollBar m_vert{*this, TScrollBarKind::sbVertical};
    bool m_autoScroll = true;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    int m_updating = 0;  // the box moves its children or its bars: their reports are its own
    int m_wheelRest = 0;
};
