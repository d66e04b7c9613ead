#include "framework/controls/WinControl.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Convert.h"
#include "framework/win/DibSection.h"

#include <vector>

// Painting: the control itself, then its windowless children back to front, through
// the top-level window's buffer when the control is double-buffered.

bool TWinControl::PaintWindow(HDC dc) {
    if (!m_hasBaseClass) return true;
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(paint);
    return true;
}

void TWinControl::PaintControls(HDC dc, const RECT& area) noexcept {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        if (c->Is<TWinControl>() || !c->Visible() || Has(c->Style(), ControlStyle::ShownByParent)) continue;
        const core::Rect b = c->BoundsRect();
        const RECT bounds = ToRECT(b);
        RECT overlap{};
        if (!::IntersectRect(&overlap, &bounds, &area)) continue;
        SavedDc keep{dc};
        ::OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            // A fault in one control's drawing leaves that control unpainted, nothing more:
            // its siblings still paint, and painting never throws into the message loop.
            LogCurrentException(u"Painting a windowless control failed");
        }
    }
}

void TWinControl::PaintInto(HDC dc, const RECT& area, bool erase) {
    if (erase) ::FillRect(dc, &area, Brush());
    // A control that could not paint itself shows its background, not what the buffer held.
    if (!PaintWindow(dc) && !erase) ::FillRect(dc, &area, Brush());
    PaintControls(dc, area);
}

void TWinControl::PaintHandler(TMessage& message) {
    // Erasing was skipped for a double-buffered window: it must come through here.
    DibSection* buffer = m_doubleBuffered ? PaintBuffer() : nullptr;
    if (auto* given = reinterpret_cast<HDC>(message.WParam)) {
        RECT area{};
        if (::GetClipBox(given, &area) == ERROR) ::GetClientRect(m_handle, &area);
        PaintInto(given, area, buffer && !PaintsItself());
        return;
    }
    if (!PaintsItself() && !HasWindowlessChildren() && !buffer) {
        DefaultHandler(message);
        return;
    }
    PaintScope scope{m_handle};
    const RECT area = scope.Area();
    RECT client{};
    ::GetClientRect(m_handle, &client);
    if (buffer && !::IsRectEmpty(&area) && buffer->EnsureSize(client.right, client.bottom)) {
        HDC memory = buffer->Dc();
        {
            SavedDc keep{memory};
            ::IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
            // Erasing was skipped for double-buffered windows; it happens in the buffer.
            PaintInto(memory, area, !PaintsItself());
        }
        ::BitBlt(scope.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left,
                 area.top, SRCCOPY);
    } else {
        PaintInto(scope.Dc(), area, buffer && !PaintsItself());
    }
}

bool TWinControl::PaintMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintHandler(message);
        return true;
    case WM_PRINTCLIENT: {
        // The same painting into the caller's DC (PrintWindow, animations, captures).
        auto* dc = reinterpret_cast<HDC>(message.WParam);
        RECT client{};
        ::GetClientRect(m_handle, &client);
        const bool erased = message.LParam & PRF_ERASEBKGND;
        if (erased) ::FillRect(dc, &client, Brush());
        if (m_hasBaseClass && !PaintsItself())
            DefaultHandler(message);
        else if (!PaintWindow(dc) && !erased)
            ::FillRect(dc, &client, Brush());
        PaintControls(dc, client);
        return true;
    }
    case WM_ERASEBKGND: {
        message.Result = 1;
        if (m_doubleBuffered && PaintBuffer()) return true;  // erased in the buffer instead
        RECT client{};
        ::GetClientRect(m_handle, &client);
        ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush());
        return true;
    }
    default: return false;
    }
}
