#include "tests/support/GdiHeadroom.h"

#include "framework/win/Handles.h"

#include <vector>

#include <windows.h>

int GdiHeadroom() {
    std::vector<BrushHandle> brushes;
    brushes.reserve(70000);
    for (;;) {
        BrushHandle brush{::CreateSolidBrush(RGB(1, 2, 3))};
        if (!brush) break;
        brushes.push_back(std::move(brush));
        if (brushes.size() >= 200000) break;  // no GDI table is this large; stop rather than hang
    }
    return static_cast<int>(brushes.size());
}

int UserHeadroom() {
    std::vector<HMENU> menus;
    menus.reserve(40000);
    for (;;) {
        HMENU menu = ::CreateMenu();
        if (!menu) break;
        menus.push_back(menu);
        if (menus.size() >= 200000) break;  // as above
    }
    for (HMENU menu : menus) ::DestroyMenu(menu);
    return static_cast<int>(menus.size());
}
