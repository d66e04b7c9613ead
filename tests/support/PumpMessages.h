#pragma once
// Lets timers and posted work run in a test: handles the thread's messages until `done`
// holds (true), or `limitMs` passes (false). Wakes at least every 20 ms, so a state
// changed by another thread is seen too.

#include <windows.h>

template <class Done>
bool PumpUntil(Done done, DWORD limitMs = 2000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}
