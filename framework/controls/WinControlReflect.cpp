#include "framework/controls/WinControl.h"

#include "framework/controls/Menus.h"

// Notifications that a child window sends its parent come back to the child control
// as the framework's reflected messages (kMsgReflectBase + the message).

bool TWinControl::ReflectNotification(HWND parent, TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY:
        if (message.LParam) child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU) child = ::GetDlgItem(parent, static_cast<int>(item->CtlID));
        break;
    }
    case WM_DELETEITEM: {
        const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam);
        if (item) child = item->hwndItem;
        break;
    }
    default: return false;
    }
    TWinControl* control = FindControl(child);
    if (!control || !parent || child == parent) return false;
    message.Result = control->Perform(kMsgReflectBase + message.Msg, message.WParam, message.LParam);
    return true;
}

bool TWinControl::ReflectedMessage(TMessage& message) {
    if (message.Msg >= kMsgReflectBase + WM_CTLCOLORMSGBOX && message.Msg <= kMsgReflectBase + WM_CTLCOLORSTATIC) {
        // A child window asks its colours of its own control.
        auto* dc = reinterpret_cast<HDC>(message.WParam);
        ::SetTextColor(dc, TextOnFace(Font().Color(), Color()));
        ::SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(Brush());
        return true;
    }
    // A framework menu's owner-drawn items are measured and drawn by the items, whichever
    // framework window owns the menu; other menus' items go to the window's procedure.
    if (MenuItemMessage(message)) return true;
    return ReflectNotification(m_handle, message);
}
