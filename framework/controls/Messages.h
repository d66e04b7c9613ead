#pragma once
// The message record every control handles, and the framework's own notification
// numbers. The numbers are fixed: the skin engine and other code compare against them.

#include <windows.h>

// One message as a control's handler sees it; Result is what the sender gets back.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Notifications the framework sends to its controls, all within one range (reflected
// ones included). The framework delivers them through a control's WindowProc; when
// someone else has replaced the window procedure of the control's window they go down
// that window's procedure chain first (TControl::Perform), so that a skin sees them
// whichever of the two it replaced. The window's own class procedure never gets them.
constexpr UINT kMsgFrameworkFirst = 0xB000;
constexpr UINT kMsgFrameworkLast = 0xBFFF;
constexpr bool IsFrameworkMessage(UINT message) noexcept {
    return message >= kMsgFrameworkFirst && message <= kMsgFrameworkLast;
}
constexpr UINT kMsgDialogKey = 0xB005;        // a navigation key (Tab, arrows, Enter, Esc) for the form; WParam = key
constexpr UINT kMsgDialogChar = 0xB006;       // an Alt+character for accelerators; WParam = character
constexpr UINT kMsgFocusChanged = 0xB007;     // the focus moved; LParam = the control that has it
constexpr UINT kMsgVisibleChanged = 0xB00B;   // Visible changed; WParam = the new value
constexpr UINT kMsgEnabledChanged = 0xB00C;   // Enabled changed
constexpr UINT kMsgMouseEnter = 0xB013;       // the mouse came over the control; LParam = the control
constexpr UINT kMsgMouseLeave = 0xB014;       // the mouse left the control; LParam = the control
constexpr UINT kMsgMenuChanged = 0xB015;      // the form's main menu was replaced or changed (the window has it already)
constexpr UINT kMsgExit = 0xB01B;             // the focus is leaving the control
constexpr UINT kMsgStateChanged = 0xB0D0;     // a check state changed
constexpr UINT kMsgControlReleased = 0xB021;  // a windowless control is leaving its parent or being destroyed
constexpr UINT kMsgRecreateWindow = 0xB033;   // the control's window is about to be re-created

// Notifications a parent window gets from its child windows are passed on to the child
// control at this base plus the Win32 message number.
constexpr UINT kMsgReflectBase = 0xBC00;
constexpr UINT kMsgReflectNotify = kMsgReflectBase + WM_NOTIFY;     // 0xBC4E
constexpr UINT kMsgReflectCommand = kMsgReflectBase + WM_COMMAND;   // 0xBD11
constexpr UINT kMsgReflectHScroll = kMsgReflectBase + WM_HSCROLL;   // 0xBD14
constexpr UINT kMsgReflectVScroll = kMsgReflectBase + WM_VSCROLL;   // 0xBD15
constexpr UINT kMsgReflectDrawItem = kMsgReflectBase + WM_DRAWITEM; // 0xBC2B

// The program's own messages, in the WM_APP range.
constexpr UINT WMX_RELEASE = WM_APP + 0x100;  // posted to a form that destroys itself once its handlers returned
