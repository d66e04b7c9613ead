#include "framework/controls/GraphicControl.h"

TGraphicControl::TGraphicControl() = default;

TGraphicControl::~TGraphicControl() {
    // Whoever hooked the handler of this windowless control hears of it and lets go.
    try {
        Perform(kMsgControlReleased);
    } catch (...) {
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
            m_canvas.Lock();
            m_canvas.SetHandle(dc);
            const RECT box{0, 0, Width(), Height()};
            Paint(dc, box);
            m_canvas.SetHandle(nullptr);
            m_canvas.Unlock();
        }
        return;
    }
    TControl::WndProc(message);
}
