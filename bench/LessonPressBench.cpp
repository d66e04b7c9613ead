// The time from a lesson button's press to its pressed frame on the screen: the main
// window as the program makes it, the mouse on its first lesson button, then a press
// posted as the system posts it, and the button's pixels read back from the screen
// until they differ from the hovered button. The press ends outside the button, so no
// lesson starts. Prints best, median and worst of 40 presses.
//   scripts/bench LessonPressBench

#include "app/umain.h"
#include "bench/BenchClock.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/win/DibSection.h"
#include "skin/window/SkinManage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <windows.h>

namespace {

constexpr int kPresses = 40;
constexpr double kGiveUpSeconds = 2.0;

void PumpOnce() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Pump(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    do {
        PumpOnce();
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

// The screen's pixels in `box` (screen coordinates).
std::vector<uint32_t> Grab(const RECT& box) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    DibSection dib(width, height);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dib.Dc(), 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(dib.Pixel(x, y));
    return pixels;
}

}  // namespace

int main() {
    TApplication application;
    TSkinManage::Install();
    auto& form = application.CreateForm<TFmain>();
    form.Show();
    Pump(1000);
    auto* button = dynamic_cast<TSpeedButton*>(form.FindComponent(u"SpeedButton1"));
    if (!button || !form.Panel1 || !form.Panel1->HandleAllocated()) {
        std::fprintf(stderr, "LessonPressBench: the main window has no first lesson button\n");
        return 1;
    }
    HWND panel = form.Panel1->Handle();
    POINT topLeft{button->Left(), button->Top()};
    ::ClientToScreen(panel, &topLeft);
    const RECT box{topLeft.x, topLeft.y, topLeft.x + button->Width(), topLeft.y + button->Height()};
    const LPARAM inside = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    const LPARAM outside = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() + 200);

    std::vector<double> times;
    int unseen = 0;
    for (int i = 0; i < kPresses; ++i) {
        ::SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        ::PostMessageW(panel, WM_MOUSEMOVE, 0, inside);
        Pump(150);
        const std::vector<uint32_t> hovered = Grab(box);
        const double start = Now();
        ::PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, inside);
        bool seen = false;
        while (!seen && Now() - start < kGiveUpSeconds) {
            PumpOnce();
            seen = Grab(box) != hovered;
        }
        if (seen) times.push_back((Now() - start) * 1e3);
        else ++unseen;
        ::PostMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, outside);
        ::PostMessageW(panel, WM_LBUTTONUP, 0, outside);
        Pump(150);
    }
    if (times.empty()) {
        std::fprintf(stderr, "LessonPressBench: no press changed the button on the screen\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("lesson button %ld x %ld; %zu presses seen, %d not within %.0f s\n", box.right - box.left,
                box.bottom - box.top, times.size(), unseen, kGiveUpSeconds);
    std::printf("press to pressed frame on screen: best %.2f ms, median %.2f ms, worst %.2f ms\n", times.front(),
                times[times.size() / 2], times.back());
    return 0;
}
