#include "framework/controls/CustomControl.h"

TCustomControl::TCustomControl() { SetDoubleBuffered(true); }

TCustomControl::~TCustomControl() { m_canvas.FreeHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
    RECT box{};
    ::GetClientRect(HandleIfAllocated(), &box);
    m_canvas.FreeHandle();
    m_canvas.Lock();
    m_canvas.SetHandle(dc);
    Paint(dc, box);
    m_canvas.SetHandle(nullptr);
    m_canvas.Unlock();
}

bool TCustomControl::Paint(HDC dc, const RECT& box) noexcept {
    return ::FillRect(dc, &box, Brush()) != 0;
}
