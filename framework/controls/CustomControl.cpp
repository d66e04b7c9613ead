#include "framework/controls/CustomControl.h"

TCustomControl::TCustomControl() { SetDoubleBuffered(true); }

TCustomControl::~TCustomControl() { m_canvas.FreeHandle(); }

bool TCustomControl::PaintWindow(HDC dc) {
    RECT box{};
    ::GetClientRect(HandleIfAllocated(), &box);
    m_canvas.FreeHandle();  // a DC fetched earlier goes back before the paint's is lent
    const CanvasLock lock{m_canvas, dc};
    return Paint(dc, box);
}

bool TCustomControl::Paint(HDC dc, const RECT& box) noexcept {
    return ::FillRect(dc, &box, Brush()) != 0;
}
