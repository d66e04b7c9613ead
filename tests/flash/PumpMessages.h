#pragma once
// Lets the player's timers run in a test: handles the thread's messages until `done`
// holds, or two seconds pass (false then).

#include <windows.h>

template <class Pred>
bool PumpUntil(Pred done) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > 2000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    return true;
}
