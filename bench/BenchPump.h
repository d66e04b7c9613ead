#pragma once
// Message pumping for the Windows benchmarks and the hostile-skin driver.

#include <windows.h>

// Dispatches every message waiting now.
inline void PumpPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Runs the thread's messages for `milliseconds`.
inline void Pump(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    do {
        PumpPending();
        ::Sleep(1);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}
