#include "framework/controls/ControlCanvas.h"

#include "framework/controls/WinControl.h"

#include <algorithm>
#include <vector>

namespace {
// Canvases holding a DC they fetched themselves.
thread_local std::vector<TControlCanvas*> t_holding;
}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
    // A windowed control draws on its own window; a windowless one on its parent's,
    // with the origin and clip moved to its bounds.
    TWinControl* host = As<TWinControl>(&m_control);
    core::Point origin{};
    if (!host) {
        host = m_control.Parent();
        origin = {m_control.Left(), m_control.Top()};
    }
    if (!host || !host->HandleAllocated()) return;
    HWND window = host->HandleIfAllocated();
    HDC dc = ::GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    if (!dc) return;
    if (host != &m_control) {
        ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        ::IntersectClipRect(dc, 0, 0, m_control.Width(), m_control.Height());
    }
    m_window = window;
    SetHandle(dc);
    t_holding.push_back(this);
}

void TControlCanvas::FreeHandle() noexcept {
    if (!m_window) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    ::ReleaseDC(m_window, dc);
    m_window = nullptr;
    std::erase(t_holding, this);
}

void TControlCanvas::FreeDeviceContexts() noexcept {
    while (!t_holding.empty()) t_holding.back()->FreeHandle();
}
