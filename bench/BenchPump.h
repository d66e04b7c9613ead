#pragma once
// Message pumping for the Windows benchmarks and the hostile-skin driver, and where the
// shipped skins lie as such a program sees them.

#include <algorithm>
#include <string>

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

#ifdef KESTRELLE_SKIN_DIR
// The shipped skins' folder: a Unix path at build time, and the host's root is drive Z
// under Wine.
inline std::wstring ShippedSkinFolder() {
    const std::string dir = KESTRELLE_SKIN_DIR;
    std::wstring folder = L"Z:" + std::wstring(dir.begin(), dir.end());
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}
#endif
