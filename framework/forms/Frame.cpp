#include "framework/forms/Frame.h"

#include "framework/forms/Form.h"

TCustomFrame::TCustomFrame() {
    SetControlStyle(ControlStyle::AcceptsControls | ControlStyle::CaptureMouse | ControlStyle::ClickEvents |
                    ControlStyle::DoubleClicks);
    SetBounds(0, 0, 320, 240);
}

std::wstring TCustomFrame::LayoutResourceName() const { return LayoutResourceNameOf(*this); }

void TCustomFrame::InitializeFrame() { (void)ReadLayoutResource(*this, LayoutResourceName()); }
