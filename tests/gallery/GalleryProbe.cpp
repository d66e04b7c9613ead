// Looks at a running gallery from outside, for the gallery's end-to-end test:
//   gallery_probe windows   one line per visible top-level window of another process,
//                           and per MDI child inside one: "skinned" or "plain", a tab,
//                           the class, a tab, the caption
//   gallery_probe close     closes every visible top-level window of other processes
//   gallery_probe rects C   one line per window of class C among those windows and
//                           their visible children: its screen rectangle, "left top
//                           right bottom"
// Lines are UTF-8.

#include "skin/data/SkinMessages.h"

#include <string>

#include <windows.h>

namespace {

void Print(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

bool IsOthersVisible(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process != ::GetCurrentProcessId() && ::IsWindowVisible(window);
}

void PrintWindow(HWND window) {
    wchar_t name[128]{}, caption[256]{};
    ::GetClassNameW(window, name, 128);
    ::GetWindowTextW(window, caption, 256);
    DWORD_PTR skinned = 0;
    ::SendMessageTimeoutW(window, WMX_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 2000, &skinned);
    Print(std::wstring(skinned == 1 ? L"skinned" : L"plain") + L"\t" + name + L"\t" + caption + L"\n");
}

BOOL CALLBACK ListMdiChild(HWND window, LPARAM) noexcept {
    if (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) PrintWindow(window);
    return TRUE;
}

BOOL CALLBACK ListWindow(HWND window, LPARAM) noexcept {
    if (!IsOthersVisible(window)) return TRUE;
    PrintWindow(window);
    ::EnumChildWindows(window, &ListMdiChild, 0);
    return TRUE;
}

// `param` is the class name looked for.
BOOL CALLBACK PrintRectOfClass(HWND window, LPARAM param) noexcept {
    wchar_t name[128]{};
    ::GetClassNameW(window, name, 128);
    RECT r{};
    if (std::wstring(name) != reinterpret_cast<const wchar_t*>(param) || !::IsWindowVisible(window) ||
        !::GetWindowRect(window, &r))
        return TRUE;
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L"\n");
    return TRUE;
}

BOOL CALLBACK ListRectsOfClass(HWND window, LPARAM param) noexcept {
    if (!IsOthersVisible(window)) return TRUE;
    PrintRectOfClass(window, param);
    ::EnumChildWindows(window, &PrintRectOfClass, param);
    return TRUE;
}

BOOL CALLBACK CloseWindow(HWND window, LPARAM) noexcept {
    if (IsOthersVisible(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring command = argv[1];
    if (command == L"windows") return ::EnumWindows(&ListWindow, 0) ? 0 : 1;
    if (command == L"close") return ::EnumWindows(&CloseWindow, 0) ? 0 : 1;
    if (command == L"rects" && argc == 3) return ::EnumWindows(&ListRectsOfClass, reinterpret_cast<LPARAM>(argv[2])) ? 0 : 1;
    return 2;
}
