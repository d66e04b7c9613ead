#pragma once
// The skins of scroll bars. None repaints a bar in place: each lays an overlay window
// (TWScrollbar) over the bars of its control and keeps it on the bar as the control
// moves, resizes, scrolls, shows and hides. TSkinScrollbar serves framework controls
// that scroll (lists, memos, scroll boxes, grids), TSkinScrollbarH bare windows with
// scroll bars, TSkinListView list views (and their header), TSkinScControl stand-alone
// scroll-bar controls. The overlays are owned by the skin.

#include "framework/core/Component.h"
#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"

#include <windows.h>

class TSkinHeader;

class TSkinScrollbar : public TSkinControl {
    KESTRELLE_CLASS(TSkinScrollbar, TSkinControl)

public:
    // The attach discovery calls: AttachScrolling.
    void AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) override;
    // Lays overlays over both bars of the control that owns this skin, gives a control
    // with a fixed-cell colour the skin's background there, and stands in for the
    // control's handler.
    virtual void AttachScrolling(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas);
    void Unskin() override;
    void Reskin() override;

    // Set before the attach for controls with a single bar of their own: no border then.
    void SetSingleBar(bool value) noexcept { m_singleBar = value; }
    bool SingleBar() const noexcept { return m_singleBar; }
    bool DrawBorder() const noexcept { return m_drawBorder; }
    TWScrollbar* HorzBar() const noexcept { return m_horzBar.Get(); }
    TWScrollbar* VertBar() const noexcept { return m_vertBar.Get(); }

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    // Repaints the shown overlays (or places one whose bar has just appeared) and fills
    // the square between two bars.
    void PaintSkin(HDC dc, const RECT& rect) override;

    // Makes both overlays; `attach` lays one over its bar.
    template <class Attach>
    void MakeBars(Attach attach) {
        m_horzBar = &Create<TWScrollbar>();
        attach(*m_horzBar.Get(), TWScrollbar::kHorizontalBar);
        m_vertBar = &Create<TWScrollbar>();
        attach(*m_vertBar.Get(), TWScrollbar::kVerticalBar);
    }
    void PlaceBars();
    void HideBars();
    void RepaintBars();
    // WM_HSCROLL or WM_VSCROLL: the part the system reports working on.
    void ScrollMessage(TWScrollbar* bar, WPARAM code);
    // Messages both kinds of target share; true when handled.
    bool FollowTarget(const TMessage& message);
    // Gives back a bare target's style and frees the overlays (hides them only, when the
    // target's window is gone: they are its parent's children).
    void ReleaseBars();

private:
    void PaintBorder(HDC dc);

    ComponentRef<TWScrollbar> m_horzBar;
    ComponentRef<TWScrollbar> m_vertBar;
    bool m_moved = false;
    bool m_drawBorder = false;
    bool m_singleBar = false;
    bool m_fixedColorSaved = false;
    int32_t m_savedFixedColor = 0;
};

// A TSkinScrollbar with its single-bar flag set, owned by `owner`.
TSkinScrollbar& MakeSingleScrollBarSkin(TComponent& owner);

// The same for a window that no framework control owns.
class TSkinScrollbarH : public TSkinScrollbar {
    KESTRELLE_CLASS(TSkinScrollbarH, TSkinScrollbar)

public:
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;

protected:
    void AfterMessage(TMessage& message) override;
};

// A list view's bars, and its header in the skin's header look.
class TSkinListView : public TSkinScrollbar {
    KESTRELLE_CLASS(TSkinListView, TSkinScrollbar)

public:
    void AttachScrolling(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) override;
    TSkinHeader* Header() const noexcept { return m_header.Get(); }

private:
    ComponentRef<TSkinHeader> m_header;
};

// A stand-alone scroll-bar control, under one overlay.
class TSkinScControl : public TSkinControl {
    KESTRELLE_CLASS(TSkinScControl, TSkinControl)

public:
    void AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) override;
    void Unskin() override;
    void Reskin() override;
    TWScrollbar* Bar() const noexcept { return m_bar.Get(); }

protected:
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    ComponentRef<TWScrollbar> m_bar;
};
