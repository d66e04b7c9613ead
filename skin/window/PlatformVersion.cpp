#include "skin/window/PlatformVersion.h"

#include <windows.h>

PlatformVersion CurrentPlatformVersion() noexcept {
    const DWORD version = ::GetVersion();
    return {LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)), (version & 0x80000000u) == 0};
}
