#pragma once
// The skin engine's private window messages. Their numbers are fixed: hosts and other
// modules send them too. 0x41A2 is the signature that tags the engine's own queries.

#include <windows.h>

// Starts skinning a window: posted by the manager right after it attached (LParam 1000).
constexpr UINT WMX_STARTSKIN = 0x3503;
// Is this window or control skinned already? A skinned one answers 1.
constexpr UINT WMX_ISSKINNED = 0x3523;
// The skin changed: the form re-applies it.
constexpr UINT WMX_SKINCHANGED = 0x3401;
// Repaints the skin frame.
constexpr UINT WMX_REPAINTFRAME = 0x3502;
// Switches a control skin's painting on (WParam 1) or off.
constexpr UINT WMX_SKINPAINT = 0x3506;
// Posted to an MDI client (WParam the window): redraw the whole MDI frame.
constexpr UINT WMX_REDRAWMDIFRAME = 0x3516;
// Posted by a control skin (WParam the control's window): give it a new scroll-bar skin.
constexpr UINT WMX_REPLACESCROLLSKIN = 0x3517;
// Opens the menu-bar button at the screen point in LParam.
constexpr UINT WMX_OPENMENUBUTTON = 0x3518;
// Posted to itself (WParam the action): a caption button with a user action was clicked.
constexpr UINT WMX_CAPTIONACTION = 0x3514;
// Sent to itself (WParam the visibility code, LParam the action): is that button shown?
constexpr UINT WMX_CAPTIONBUTTONSHOWN = 0x3515;
// Sent to itself with the signature: skinning of the window is complete.
constexpr UINT WMX_SKINCOMPLETE = 0xBC4E;
// To the form, with the signature and a device context in WParam: paint the skin frame
// into it; answers the signature.
constexpr UINT WMX_PAINTFRAMEINTO = 0xBC4B;
// To an edit's skin, with the signature and a device context in WParam: the edit paints
// its client area into it; answers the signature.
constexpr UINT WMX_PAINTCLIENTINTO = 0xBC4A;
// To the form: answers the signature when asked with it, else 1.
constexpr UINT WMX_SKINQUERY = 0xBC4D;
constexpr LPARAM kSkinSignature = 0x41A2;
// LParam of WMX_STARTSKIN as the manager posts it.
constexpr LPARAM kStartSkinTag = 1000;
