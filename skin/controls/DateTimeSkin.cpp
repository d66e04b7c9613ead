#include "skin/controls/DateTimeSkin.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Convert.h"
#include "skin/controls/EditRules.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

// --- the arrow ------------------------------------------------------------------------------

TArrowButton::TArrowButton() : m_arrowSize{::GetSystemMetrics(SM_CXHSCROLL)} {
    SetTabStop(false);
}

void TArrowButton::Place(HWND picker, TSkinDateTime& owner) {
    m_pickerHandle = picker;
    m_owner = &owner;
    RECT client{};
    ::GetClientRect(picker, &client);
    const bool leftButton = (::GetWindowLongPtrW(picker, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const core::Rect at = PlaceDateTimeArrow(client.right, m_arrowSize, leftButton);
    SetParentWindow(picker);
    SetBounds(at.left, at.top, at.Width(), at.Height());
    HandleNeeded();
}

bool TArrowButton::PickerEnabled() const noexcept {
    return m_pickerHandle && ::IsWindowEnabled(m_pickerHandle);
}

void TArrowButton::MouseEnter() {
    if (PickerEnabled()) {
        m_mouseState |= TSkinControl::kMouseOver;
        Invalidate();
    }
    TCustomControl::MouseEnter();
}

void TArrowButton::MouseLeave() {
    if (PickerEnabled()) {
        m_mouseState &= static_cast<uint8_t>(~TSkinControl::kMouseOver);
        Invalidate();
    }
    TCustomControl::MouseLeave();
}

void TArrowButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !m_pickerHandle) return;
    // The picker's own drop button lies right under the arrow: a press there opens the
    // calendar the picker's own way.
    const LPARAM at = MAKELPARAM(x + Left(), y + Top());
    ::PostMessageW(m_pickerHandle, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(m_pickerHandle, WM_LBUTTONUP, 0, at);
    Invalidate();
}

void TArrowButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && m_pickerHandle && ::GetFocus() != m_pickerHandle) ::SetFocus(m_pickerHandle);
}

bool TArrowButton::Paint(HDC dc, const RECT& box) noexcept {
    const TSkinData* skin = m_owner ? m_owner->SkinData() : nullptr;
    if (!skin) return TCustomControl::Paint(dc, box);
    BrushHandle face{::CreateSolidBrush(ColorToRGB(skin->Colours().ButtonFace))};
    if (face) ::FillRect(dc, &box, face.Get());
    const TDataSkinObject* arrow = skin->ComboArrow();
    if (!arrow || arrow->Image.Empty()) return true;
    const int cell = (m_mouseState & TSkinControl::kMouseOver) ? 4 : 1;
    return DrawCell(dc, box, arrow->Image, Transparency::Opaque, std::max(arrow->FrameCount, 1), cell);
}

// --- the picker -----------------------------------------------------------------------------

void TSkinDateTime::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinEdit::AttachControl(form, skinData, recolour, canvas);
    MakeArrow();
}

void TSkinDateTime::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    if (Attached()) return;
    TSkinEdit::AttachHandle(handle, skinData, form, canvas);
    MakeArrow();
}

void TSkinDateTime::AfterMessage(TMessage& message) {
    // A picker that changed its size has its drop button elsewhere.
    if (message.Msg == WM_SIZE)
        if (TArrowButton* arrow = m_arrow.Get()) arrow->Place(Handle(), *this);
    TSkinEdit::AfterMessage(message);
}

void TSkinDateTime::MakeArrow() {
    if (!Handle() || m_arrow) return;
    auto& arrow = Create<TArrowButton>();
    m_arrow = &arrow;
    try {
        // The picker paints round its children, not over the arrow.
        const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
        m_addedClipChildren = !(style & WS_CLIPCHILDREN);
        ::SetWindowLongPtrW(Handle(), GWL_STYLE, style | WS_CLIPCHILDREN);
        arrow.Place(Handle(), *this);
    } catch (...) {
        LogCurrentException(u"a date-time picker's arrow could not be made; the picker keeps its own");
        FreeComponent(&arrow);
    }
}

void TSkinDateTime::Unskin() {
    TSkinEdit::Unskin();
    // A picker whose window is gone took the arrow's window with it.
    if (TArrowButton* arrow = m_arrow.Get(); arrow && State() != kWindowGone) FreeComponent(arrow);
    m_arrow = nullptr;
    if (m_addedClipChildren && State() != kWindowGone && Handle())
        ::SetWindowLongPtrW(Handle(), GWL_STYLE, ::GetWindowLongPtrW(Handle(), GWL_STYLE) & ~LONG_PTR{WS_CLIPCHILDREN});
    m_addedClipChildren = false;
}
