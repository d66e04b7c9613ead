#pragma once
// The user32 functions that older systems lack, looked up by name once per process.
// Each wrapper does nothing (and answers false) when its function is missing, so
// callers simply skip the feature. The library is released when the program ends.

#include <windows.h>

struct User32Functions {
    using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
    using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    using GetComboBoxInfoFn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
    using DisableProcessWindowsGhostingFn = void(WINAPI*)();

    GetScrollBarInfoFn getScrollBarInfo = nullptr;
    TrackMouseEventFn trackMouseEvent = nullptr;
    GetComboBoxInfoFn getComboBoxInfo = nullptr;
    DisableProcessWindowsGhostingFn disableProcessWindowsGhosting = nullptr;
};

// The functions found in this process. Tests may clear one to act as an older system.
User32Functions& PlatformUser32() noexcept;

// GetScrollBarInfo of `object` (OBJID_HSCROLL, OBJID_VSCROLL, OBJID_CLIENT); `info` gets
// its size filled in here.
bool SkinGetScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info) noexcept;
bool SkinGetComboBoxInfo(HWND combo, COMBOBOXINFO& info) noexcept;
void DisableGhosting() noexcept;
