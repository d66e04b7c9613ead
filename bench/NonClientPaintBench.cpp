// One whole non-client paint of a maximised window, skinned with the program's skin,
// against the system's own non-client paint of the same window unskinned, measured in
// the same run: best and median of 200 paints each, and their ratio (target: at most 1.5).
// Run it on a 1920 x 1080 screen for the figure of record:
//   KESTRELLE_SCREEN=1920x1080x24 scripts/bench NonClientPaintBench

#include "bench/BenchClock.h"
#include "bench/BenchSkin.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr int kPaints = 200;

struct Figures {
    double best = 0;
    double median = 0;
};

// Milliseconds per WM_NCPAINT of the whole frame, flushed to the display each time.
Figures TimePaints(HWND window) {
    std::vector<double> times;
    for (int i = 0; i < kPaints; ++i) {
        const double start = Now();
        ::SendMessageW(window, WM_NCPAINT, 1, 0);
        ::GdiFlush();
        times.push_back((Now() - start) * 1e3);
    }
    std::sort(times.begin(), times.end());
    return {times.front(), (times[kPaints / 2 - 1] + times[kPaints / 2]) / 2};
}

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : KESTRELLE_SKIN_DIR "/kestrelle.skin";
    const std::vector<std::byte> packed = ReadSkinFile(path);
    if (packed.empty()) {
        std::fprintf(stderr, "NonClientPaintBench: cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<std::byte> property = SkinStreamProperty(packed);

    TSkinReader::SetNotifier([](std::u16string_view) {});
    TSkinManage& manager = TSkinManage::CreateInstance();
    TSkinData skin;
    if (!SetBinaryProp(&skin, u"SkinStream", property) || skin.NoSkin()) {
        std::fprintf(stderr, "NonClientPaintBench: the skin did not load\n");
        return 1;
    }
    manager.AddSkinData(skin);
    manager.SetActive(true);

    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"NonClientPaintBench";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Kestrelle — a maximised window", WS_OVERLAPPEDWINDOW,
                                    0, 0, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(window, SW_SHOWMAXIMIZED);
    ::UpdateWindow(window);
    Pump();
    RECT bounds{};
    ::GetWindowRect(window, &bounds);

    const Figures system = TimePaints(window);
    if (!manager.SkinWindow(window)) {
        std::fprintf(stderr, "NonClientPaintBench: the window was not skinned\n");
        return 1;
    }
    Pump();  // the start message fits the frame
    ::GetWindowRect(window, &bounds);
    const Figures skinned = TimePaints(window);

    std::printf("window %ld x %ld, maximised; %d paints each\n", bounds.right - bounds.left, bounds.bottom - bounds.top,
                kPaints);
    std::printf("system frame:  best %.3f ms, median %.3f ms\n", system.best, system.median);
    std::printf("skinned frame: best %.3f ms, median %.3f ms\n", skinned.best, skinned.median);
    PrintFigure("non-client paint, skinned / system (median)", skinned.median / system.median, "x", true, 1.5);
    ::DestroyWindow(window);
    TSkinManage::DestroyInstance();
    return 0;
}
