#include "framework/CustomControl.h"

TCustomControl::TCustomControl() { SetDoubleBuffered(true); }

void TCustomControl::PaintWindow(HDC dc) {
    RECT box{};
    ::GetClientRect(HandleIfAllocated(), &box);
    Paint(dc, box);
}

bool TCustomControl::Paint(HDC dc, const RECT& box) noexcept {
    return ::FillRect(dc, &box, Brush()) != 0;
}
