#pragma once
// A window of the skin's own laid exactly over one scroll bar (a window scroll bar of a
// list, memo or tree, or a stand-alone scroll-bar control) and painted from the skin's
// scroll-bar pictures. It is a sibling of its target, just in front of it. A press on it
// is handed to the real scroll bar underneath, so the system's own tracking, paging
// and auto-repeat run; the overlay only shows what they do. Owned by the control skin
// that made it.

#include "framework/controls/CustomControl.h"
#include "framework/win/DibSection.h"
#include "framework/win/MouseLeaveTracker.h"
#include "skin/controls/ScrollBarLayout.h"

#include <cstdint>
#include <optional>

#include <windows.h>

class TSkinControl;

class TWScrollbar : public TCustomControl {
    KESTRELLE_CLASS(TWScrollbar, TCustomControl)

public:
    // BarKind: the window's horizontal or vertical scroll bar, or a scroll-bar control.
    static constexpr uint8_t kHorizontalBar = 0;
    static constexpr uint8_t kVerticalBar = 1;
    static constexpr uint8_t kControlBar = 2;

    TWScrollbar();
    ~TWScrollbar() override;

    // Lays the overlay over the bar of `kind` of the framework control `target`, in
    // `owner`'s skin. A scroll-bar control's direction is its "Kind".
    void AttachBar(TSkinControl& owner, TWinControl& target, uint8_t kind);
    // The same for a window no framework control owns (its style gives a scroll-bar
    // control's direction). The window is made to clip its siblings while the overlay
    // lies on it, so that its own scroll-bar drawing does not cover the overlay.
    void AttachBarHandle(TSkinControl& owner, HWND target, uint8_t kind);
    void HideBar();
    // Follows the real bar: its place, its size, whether it is shown. Hidden when the
    // bar cannot be read, is not shown, or its window is not visible.
    void Place();
    // Gives the target window its own style back; the overlay stays hidden afterwards.
    void ReleaseTarget() noexcept;

    // The part under the mouse or being pressed; set from the scroll codes the target
    // gets while a press is tracked.
    ScrollPart HotPart() const noexcept { return m_hotPart; }
    void SetHotPart(ScrollPart part);
    bool Shown() const noexcept { return m_shown; }
    bool Tracking() const noexcept { return m_tracking; }
    bool Vertical() const noexcept { return m_vertical; }
    uint8_t BarKind() const noexcept { return m_barKind; }
    HWND Target() const noexcept;
    int Length() const noexcept { return m_length; }
    ThumbSpan Thumb() const noexcept { return {m_thumbStart, m_thumbEnd}; }
    // Repaints now, when shown.
    void RepaintBar();
    // Repaints with the next paint, when shown.
    void InvalidateBar() noexcept;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;

private:
    // The real bar as the system reports it now.
    struct Geometry {
        RECT screen{};  // the bar in screen coordinates
        int length = 0;
        ThumbSpan thumb;
        bool invisible = false;
        bool unavailable = false;
    };
    std::optional<Geometry> ReadGeometry() const noexcept;
    void Attach(TSkinControl& owner, HWND target, uint8_t kind);
    int Along(LPARAM position) const noexcept;
    void Press(const TMessage& message);
    void Release();
    void MouseMove(const TMessage& message);
    // The thumb as drawn: where the pointer drags it while the system tracks it.
    ThumbSpan ShownThumb(const Geometry& geometry) const noexcept;
    bool Compose(HDC dc, const Geometry& geometry, int thickness) const;

    int m_length = 0;
    int m_thumbStart = 0;
    int m_thumbEnd = 0;
    POINT m_screenOrigin{};
    POINT m_pressCursor{};
    ThumbSpan m_pressThumb;
    bool m_vertical = false;
    ScrollPart m_hotPart = ScrollPart::None;
    int m_arrowSize = 0;
    HWND m_target = nullptr;
    TWinControl* m_targetControl = nullptr;
    TSkinControl* m_owner = nullptr;
    uint8_t m_barKind = kHorizontalBar;
    bool m_tracking = false;
    bool m_shown = false;
    // WS_CLIPSIBLINGS was added to a bare target here and is taken off again on release.
    bool m_addedClipSiblings = false;
    MouseLeaveTracker m_leave;
    DibSection m_buffer;
};
