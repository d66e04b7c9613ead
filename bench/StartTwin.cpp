// A yardstick of StartupBench for what kestrelle's start costs the platform, without any of
// kestrelle's own work: it imports the system libraries kestrelle imports and makes its
// start calls, then shows one maximised window in the bare window's colour. With
// `windows` on its command line it makes kestrelle's windows instead: a hidden
// application window, a maximised main window with two panels, a player and a status bar,
// and after showing it fits a frame of its own as the skin does (two frame changes, the
// frame painted with GDI); the player turns the bare window's colour at its first paint
// after that. It ends when its window is closed.

#include "bench/BareColour.h"

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <shlobj.h>

#include <cwchar>

namespace {

constexpr UINT kFitFrame = WM_APP + 1;
constexpr RECT kBorders{4, 30, 4, 4};
constexpr int kColumnWidth = 225, kSplitterWidth = 3, kStatusHeight = 22;

struct Windows {
    HWND column = nullptr, splitter = nullptr, player = nullptr, status = nullptr;
    bool ownFrame = false, fitted = false;
} g;

void LayOut(HWND main) {
    if (!g.status) return;
    RECT client{};
    ::GetClientRect(main, &client);
    const int height = client.bottom - kStatusHeight;
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(g.column, nullptr, 0, 0, kColumnWidth, height, flags);
    ::SetWindowPos(g.splitter, nullptr, kColumnWidth, 0, kSplitterWidth, height, flags);
    const int playerLeft = kColumnWidth + kSplitterWidth;
    ::SetWindowPos(g.player, nullptr, playerLeft, 0, client.right - playerLeft, height, flags);
    ::SetWindowPos(g.status, nullptr, 0, height, client.right, kStatusHeight, flags);
}

void PaintFrame(HWND main) {
    HDC dc = ::GetWindowDC(main);
    RECT window{};
    ::GetWindowRect(main, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    HBRUSH brush = ::CreateSolidBrush(RGB(40, 90, 160));
    const RECT strips[] = {{0, 0, w, kBorders.top},
                           {0, h - kBorders.bottom, w, h},
                           {0, kBorders.top, kBorders.left, h - kBorders.bottom},
                           {w - kBorders.right, kBorders.top, w, h - kBorders.bottom}};
    for (const RECT& strip : strips) ::FillRect(dc, &strip, brush);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, 8, 8, L"Kestrelle", 9);
    ::DeleteObject(brush);
    ::ReleaseDC(main, dc);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_SIZE: LayOut(window); break;  // a fitted frame changes the client's size too
    case WM_NCCALCSIZE:
        if (g.ownFrame && wParam) {
            auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
            const WINDOWPOS& pos = *params.lppos;
            const RECT client{pos.x + kBorders.left, pos.y + kBorders.top, pos.x + pos.cx - kBorders.right,
                              pos.y + pos.cy - kBorders.bottom};
            params.rgrc[0] = client;
            params.rgrc[1] = client;
            return WVR_VALIDRECTS;
        }
        break;
    case WM_NCPAINT:
        if (!g.ownFrame) break;
        if (g.fitted) PaintFrame(window);
        return 0;
    case WM_NCACTIVATE:
        if (!g.ownFrame) break;
        if (g.fitted) PaintFrame(window);
        return TRUE;
    case kFitFrame: {
        // As the skin starts: the frame fitted, then changed again to paint it.
        constexpr UINT change = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
        g.ownFrame = true;
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, change);
        g.fitted = true;
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, change);
        ::InvalidateRect(g.player, nullptr, TRUE);
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_ERASEBKGND) {
        RECT client{};
        ::GetClientRect(window, &client);
        ::SetBkColor(reinterpret_cast<HDC>(wParam), g.fitted ? kBareColour : ::GetSysColor(COLOR_BTNFACE));
        ::ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

ATOM Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.hbrBackground = background;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    return ::RegisterClassW(&wc);
}

HWND Child(const wchar_t* className, HWND parent, HINSTANCE instance) {
    return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // kestrelle's start calls; the sound and blending imports are only linked, as there.
    wchar_t folder[MAX_PATH];
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (std::wcsstr(commandLine, L"never-called")) {
        ::waveOutGetNumDevs();
        ::TransparentBlt(nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, 0, 0);
    }
    const bool windows = std::wcsstr(commandLine, L"windows") != nullptr;

    HWND main = nullptr;
    if (!windows) {
        Register(instance, L"KestrelleTwinWindow", &MainProc, ::CreateSolidBrush(kBareColour));
        main = ::CreateWindowExW(0, L"KestrelleTwinWindow", L"A twin window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    } else {
        Register(instance, L"KestrelleTwinApplication", &::DefWindowProcW, nullptr);
        ::CreateWindowExW(0, L"KestrelleTwinApplication", L"Kestrelle", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                          instance, nullptr);
        Register(instance, L"KestrelleTwinMain", &MainProc, ::GetSysColorBrush(COLOR_BTNFACE));
        Register(instance, L"KestrelleTwinPanel", &::DefWindowProcW, ::GetSysColorBrush(COLOR_BTNFACE));
        Register(instance, L"KestrelleTwinPlayer", &PlayerProc, nullptr);
        main = ::CreateWindowExW(0, L"KestrelleTwinMain", L"Kestrelle", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                 nullptr);
        g.column = Child(L"KestrelleTwinPanel", main, instance);
        g.splitter = Child(L"KestrelleTwinPanel", main, instance);
        g.player = Child(L"KestrelleTwinPlayer", main, instance);
        g.status = Child(STATUSCLASSNAMEW, main, instance);
        LayOut(main);
        ::PostMessageW(main, kFitFrame, 0, 0);
    }
    ::ShowWindow(main, SW_SHOWMAXIMIZED);
    ::UpdateWindow(main);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
