#include "framework/controls/GraphicControl.h"

#include "framework/core/FailureLog.h"

TGraphicControl::TGraphicControl() = default;

TGraphicControl::~TGraphicControl() {
    // Whoever hooked the handler of this windowless control hears of it and lets go.
    try {
        Perform(kMsgControlReleased);
    } catch (...) {  // a destructor cannot pass it on; the control goes all the same
        LogCurrentException(u"A windowless control's release notice failed");
    }
    m_canvas.FreeHandle();
}

bool TGraphicControl::Paint(HDC, const RECT&) noexcept { return true; }

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        // Only the parent paints a windowless control, always with a DC.
        if (auto* dc = reinterpret_cast<HDC>(message.WParam)) {
            // The canvas draws on the paint's DC for the duration, so handlers that
            // replaced WindowProc can paint through it too.
            m_canvas.FreeHandle();
            const CanvasLock lock{m_canvas, dc};
            message.Result = Paint(dc, RECT{0, 0, Width(), Height()}) ? 1 : 0;
        }
        return;
    }
    TControl::WndProc(message);
}
