// Process start to the first skinned frame on screen: kestrelle.exe against a bare Win32
// program that opens one maximised window (BareWindow.exe), started alternately in the
// same run. Each time runs from CreateProcess until the screen shows the program's
// look at a spot it alone paints: the bare window's client colour, and the colour the
// skinned caption has at its middle (read from a first, untimed start of kestrelle.exe).
// Both programs start as they ship, without debugging information (copies the build
// strips into shipped\ beside this benchmark). With the default programs, the two twins of
// StartTwin.exe start in the same rounds: what the system libraries kestrelle imports, and
// then also its windows and a fitted frame, cost a program that does nothing else. Their
// figures say how much of kestrelle's start is the platform's.
//   StartupBench [runs] [kestrelle.exe] [BareWindow.exe]

#include "bench/BareColour.h"
#include "bench/BenchClock.h"
#include "skin/data/SkinMessages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr double kPatience = 30;  // seconds

std::wstring HereFile(const wchar_t* relative) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + relative;
}

COLORREF ScreenPixel(POINT at) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

struct Started {
    PROCESS_INFORMATION process{};
    double seconds = -1;
};

// Starts `program` and waits up to `patience` seconds until `at` on the screen shows `colour`.
Started StartUntil(const std::wstring& program, POINT at, COLORREF colour, double patience,
                   const std::wstring& arguments = {}) {
    Started started;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const double start = Now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started.process))
        return started;
    while (Now() - start < patience) {
        if (ScreenPixel(at) == colour) {
            started.seconds = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    return started;
}

BOOL CALLBACK CloseWindowsOf(HWND window, LPARAM process) noexcept {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    if (id == static_cast<DWORD>(process) && ::IsWindowVisible(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Closes every top-level window of the process, waits for it to end, and for `at` to
// show something other than `colour` again.
void Stop(Started& started, POINT at, COLORREF colour) {
    if (!started.process.hProcess) return;
    ::EnumWindows(&CloseWindowsOf, static_cast<LPARAM>(started.process.dwProcessId));
    if (::WaitForSingleObject(started.process.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(started.process.hProcess, 1);
    ::CloseHandle(started.process.hProcess);
    ::CloseHandle(started.process.hThread);
    started.process = {};
    const double start = Now();
    while (ScreenPixel(at) == colour && Now() - start < 5) ::Sleep(5);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::wstring kestrelle = argc > 2 ? Widen(argv[2]) : HereFile(L"shipped\\kestrelle.exe");
    const std::wstring bare = argc > 3 ? Widen(argv[3]) : HereFile(L"shipped\\BareWindow.exe");
    const POINT centre{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};

    // A first start, not timed: where the skinned caption lies and what colour it has there.
    Started first = StartUntil(kestrelle, centre, CLR_INVALID, 0.0);
    HWND main = nullptr;
    const double waitStart = Now();
    while (Now() - waitStart < kPatience) {
        main = ::FindWindowW(L"TFmain", nullptr);
        DWORD_PTR skinned = 0;
        if (main && ::SendMessageTimeoutW(main, WMX_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 1000, &skinned) && skinned == 1)
            break;
        main = nullptr;
        ::Sleep(20);
    }
    if (!main) {
        std::fprintf(stderr, "StartupBench: kestrelle.exe showed no skinned window\n");
        Stop(first, centre, CLR_INVALID);
        return 1;
    }
    ::Sleep(1500);  // settled: maximised, fitted and painted
    RECT bounds{};
    ::GetWindowRect(main, &bounds);
    const POINT captionSpot{(std::max(bounds.left, 0L) + bounds.right) / 2, std::max(bounds.top, 0L) + 12};
    const COLORREF captionColour = ScreenPixel(captionSpot);
    Stop(first, captionSpot, captionColour);

    struct Contender {
        const char* name;
        std::wstring program, arguments;
        POINT spot;
        COLORREF colour;
        std::vector<double> times;
    };
    std::vector<Contender> contenders{{"bare maximised window", bare, {}, centre, kBareColour, {}},
                                      {"kestrelle, first skinned frame", kestrelle, {}, captionSpot, captionColour, {}}};
    const std::wstring twin = HereFile(L"shipped\\StartTwin.exe");
    const bool twins = argc <= 2 && ::GetFileAttributesW(twin.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (twins) {
        contenders.push_back({"twin: kestrelle's libraries", twin, {}, centre, kBareColour, {}});
        contenders.push_back({"twin: libraries, windows, frame", twin, L"windows", centre, kBareColour, {}});
    }
    for (int run = 0; run < runs; ++run) {
        for (Contender& c : contenders) {
            Started started = StartUntil(c.program, c.spot, c.colour, kPatience, c.arguments);
            Stop(started, c.spot, c.colour);
            if (started.seconds < 0) {
                std::fprintf(stderr, "StartupBench: run %d of %s did not show its window in time\n", run + 1, c.name);
                return 1;
            }
            c.times.push_back(started.seconds * 1e3);
        }
    }
    std::printf("%d starts each, alternately; caption checked at %ld, %ld\n", runs, captionSpot.x, captionSpot.y);
    for (const Contender& c : contenders)
        std::printf("%-32s median %.0f ms (best %.0f)\n", c.name, Median(c.times),
                    *std::min_element(c.times.begin(), c.times.end()));
    const double bareMedian = Median(contenders[0].times), kestrelleMedian = Median(contenders[1].times);
    if (twins) {
        const double libraries = Median(contenders[2].times), windows = Median(contenders[3].times);
        std::printf("the platform's share: libraries twin / bare %.2f x, windows twin / bare %.2f x; "
                    "kestrelle / windows twin %.2f x\n",
                    libraries / bareMedian, windows / bareMedian, kestrelleMedian / windows);
    }
    PrintFigure("start to first skinned frame, kestrelle / bare window (median)", kestrelleMedian / bareMedian, "x",
                true, 1.1);
    return 0;
}
