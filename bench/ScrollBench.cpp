// A 10,000-line list scrolled from top to bottom by dragging its thumb with the real
// pointer, skinned with the program's skin (the drag goes through the overlay to the
// list's own bar) and not, in the same run; rounds alternate so that a busy machine slows
// both alike. Prints, per kind, the frames the list painted per second of the drag and
// the CPU time of the painting thread per frame, and the ratios skinned / unskinned
// (target: at most 1.2). Needs the display to itself: the pointer is moved for real.
//   scripts/bench ScrollBench

#include "bench/BenchClock.h"
#include "bench/BenchSkin.h"
#include "skin/controls/ScrollBarSkins.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/controls/TestHost.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/RealMouse.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace {

constexpr int kLines = 10000, kRounds = 3;

// Counts the list's paints, whoever is in front of its procedure.
WNDPROC s_listProc = nullptr;
std::atomic<int> s_paints{0};
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_PAINT) ++s_paints;
    return ::CallWindowProcW(s_listProc, window, message, wParam, lParam);
}

// Runs the thread's messages for `milliseconds`.
void Pump(DWORD milliseconds) { PumpUntil([] { return false; }, milliseconds); }

double ThreadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Drag {
    int frames = 0;
    double seconds = 0;
    double cpu = 0;
    int lastTop = 0;
};

// Drags the thumb from where it is to the bottom of the bar, 4 pixels every 16 ms, as
// a quick hand would.
Drag DragThumb(HWND list) {
    ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    Pump(200);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ::GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    const int from = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    const int to = bar.rcScrollBar.bottom + 20;
    MoveTo(x, from);
    Pump(150);
    std::atomic<bool> released{false};
    std::thread mover([&] {
        ::Sleep(50);
        for (int y = from; y < to + 4; y += 4) {
            MoveTo(x, std::min(y, to));
            ::Sleep(16);
        }
        ::Sleep(50);
        Button(MOUSEEVENTF_LEFTUP);
        released = true;
    });
    const int paints = s_paints;
    const double start = Now(), cpu = ThreadCpuSeconds();
    Button(MOUSEEVENTF_LEFTDOWN);
    while (!released) Pump(5);  // the press runs the system's tracking inside the dispatch
    Drag drag{s_paints - paints, Now() - start, ThreadCpuSeconds() - cpu, 0};
    mover.join();
    Pump(100);
    drag.lastTop = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    MoveTo(5, 5);
    Pump(100);
    return drag;
}

// All rounds of one kind: frames per second of dragging, CPU seconds per frame.
struct Rates {
    int frames = 0;
    double seconds = 0;
    double fps = 0;
    double cpuPerFrame = 0;
};

Rates Totals(const std::vector<Drag>& drags) {
    Rates r;
    double cpu = 0;
    for (const Drag& d : drags) r.frames += d.frames, r.seconds += d.seconds, cpu += d.cpu;
    r.fps = r.frames / std::max(r.seconds, 1e-9);
    r.cpuPerFrame = cpu / std::max(r.frames, 1);
    return r;
}

Rates Print(const char* kind, const std::vector<Drag>& drags) {
    const Rates r = Totals(drags);
    std::printf("%-9s %6d frames in %6.2f s: %7.1f frames/s, %6.3f ms CPU per frame; last top line %d\n", kind,
                r.frames, r.seconds, r.fps, r.cpuPerFrame * 1e3, drags.back().lastTop);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : KESTRELLE_SKIN_DIR "/kestrelle.skin";
    const std::vector<std::byte> packed = ReadSkinFile(path);
    TSkinReader::SetNotifier([](std::u16string_view) {});
    TSkinData skin;
    if (packed.empty() || !SetBinaryProp(&skin, u"SkinStream", SkinStreamProperty(packed)) || skin.NoSkin()) {
        std::fprintf(stderr, "ScrollBench: the skin %s did not load\n", path.c_str());
        return 1;
    }
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 320, 560,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10,
                                  10, 300, 540, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!list) {
        std::fprintf(stderr, "ScrollBench: no list box\n");
        return 1;
    }
    // Filled without a repaint per line.
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_INITSTORAGE, kLines, kLines * 16);
    for (int i = 0; i < kLines; ++i)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Line " + std::to_wstring(i)).c_str()));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    s_listProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    ::SetForegroundWindow(parent);
    Pump(500);

    TestHost host;
    std::vector<Drag> plain, skinned;
    for (int round = 0; round < kRounds; ++round) {
        plain.push_back(DragThumb(list));
        auto bars = std::make_unique<TSkinScrollbarH>();
        bars->AttachHandle(list, skin, host, nullptr);
        Pump(200);
        skinned.push_back(DragThumb(list));
        bars.reset();
        Pump(200);
    }
    const Rates own = Print("unskinned", plain);
    const Rates skinnedRates = Print("skinned", skinned);
    std::printf("ratio skinned / unskinned: frames per second %.2f\n", skinnedRates.fps / std::max(own.fps, 1e-9));
    PrintFigure("thumb scrolling, CPU per frame skinned / unskinned", skinnedRates.cpuPerFrame /
                std::max(own.cpuPerFrame, 1e-12), "x", true, 1.2);
    ::DestroyWindow(parent);
    return 0;
}
