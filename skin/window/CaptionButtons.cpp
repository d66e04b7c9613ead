#include "skin/window/CaptionButtons.h"

#include "skin/window/WinSkinForm.h"

void TNCObject::MouseDown() {
    TNCObject* hot = Form().HotObject();
    if (hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    Form().SetHotObject(this);
    State = kPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = kHot;
    Paint();
}

void TNCObject::MouseMove() {
    TNCObject* hot = Form().HotObject();
    if (hot == this) return;  // a pressed button stays pressed while the mouse is over it
    if (hot) hot->MouseLeave();
    if (!Visible) return;
    Form().SetHotObject(this);
    State = kHot;
    Paint();
}

void TNCObject::MouseLeave() {
    // A button hidden while it was hot must not stay the hot object.
    if (Form().HotObject() == this) Form().SetHotObject(nullptr);
    if (!Visible) return;
    State = kNormal;
    Paint();
}

void TWinSysButton::Paint() { Form().PaintSysButton(*this, State); }
