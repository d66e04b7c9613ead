#include "framework/GraphicControl.h"

TGraphicControl::TGraphicControl() = default;

bool TGraphicControl::Paint(HDC, const RECT&) noexcept { return true; }

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        // Only the parent paints a windowless control, always with a DC.
        if (auto* dc = reinterpret_cast<HDC>(message.WParam)) {
            const RECT box{0, 0, Width(), Height()};
            Paint(dc, box);
        }
        return;
    }
    TControl::WndProc(message);
}
