// Looks at a running Kestrelle from outside, for the end-to-end test:
//   probe wait            waits (up to 30 s) until the main window shows
//   probe point X Y       prints the screen position of point X, Y of the button column
//   probe status          prints status panel 0 as UTF-8
//   probe close           asks the main window to close
// Exit code 0 on success, 1 when the window is not there, 2 for bad arguments.

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {

HWND MainWindow() {
    HWND window = ::FindWindowW(L"TFmain", L"Kestrelle");
    return window && ::IsWindowVisible(window) ? window : nullptr;
}

void Print(const std::string& text) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

struct ChildSearch {
    const wchar_t* className;
    HWND found = nullptr;
    LONG left = 0;
};

// The leftmost child window of a class: the button column's panel among the panels.
BOOL CALLBACK FindLeftmost(HWND child, LPARAM param) noexcept {
    auto& search = *reinterpret_cast<ChildSearch*>(param);
    wchar_t name[64]{};
    ::GetClassNameW(child, name, 64);
    if (std::wstring(name) != search.className) return TRUE;
    RECT r{};
    ::GetWindowRect(child, &r);
    if (!search.found || r.left < search.left) {
        search.found = child;
        search.left = r.left;
    }
    return TRUE;
}

HWND Child(HWND parent, const wchar_t* className) {
    ChildSearch search{className};
    ::EnumChildWindows(parent, &FindLeftmost, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring command = argv[1];
    if (command == L"wait") {
        for (int i = 0; i < 300 && !MainWindow(); ++i) ::Sleep(100);
        return MainWindow() ? 0 : 1;
    }
    HWND main = MainWindow();
    if (!main) return 1;
    if (command == L"point" && argc == 4) {
        HWND column = Child(main, L"TPanel");
        if (!column) return 1;
        POINT p{_wtoi(argv[2]), _wtoi(argv[3])};
        ::ClientToScreen(column, &p);
        Print(std::to_string(p.x) + " " + std::to_string(p.y) + "\n");
        return 0;
    }
    if (command == L"status") {
        // A status bar answers WM_GETTEXT with its first panel; Wine carries it across processes.
        HWND bar = Child(main, L"TStatusBar");
        if (!bar) return 1;
        std::vector<wchar_t> text(512, L'\0');
        ::SendMessageW(bar, WM_GETTEXT, text.size() - 1, reinterpret_cast<LPARAM>(text.data()));
        Print(Utf8(text.data()) + "\n");
        return 0;
    }
    if (command == L"close") return ::PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
