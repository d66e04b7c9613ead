// The time from a lesson button's press to the lesson's first movie frame on the
// screen: the main window as the program makes it, each lesson button in turn pressed
// as the system posts a click (button down, then up over it), which writes the lesson's
// movie from the program's resources and loads and plays it. Before each press the
// player is emptied, so that the frame that counts is the new movie's; the clock stops
// when the player has painted with the new movie and the paint is flushed. Also checks
// that the player's pixels on the screen changed. Lessons go to a folder under the temp
// folder, not the system folder. Prints best, median and worst (target: under 100 ms).
//   scripts/bench LessonPressBench [rounds]

#include "app/LessonCatalogue.h"
#include "app/umain.h"
#include "bench/BenchClock.h"
#include "bench/BenchPump.h"
#include "flash/ShockwaveFlash.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/win/DibSection.h"
#include "skin/window/SkinManage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr double kGiveUpSeconds = 2.0;

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

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    TApplication application;
    TSkinManage::Install();
    auto& form = application.CreateForm<TFmain>();
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    form.ExportDir = std::wstring(temp) + L"kestrelle-bench";
    ::CreateDirectoryW(form.ExportDir.c_str(), nullptr);
    form.Show();
    Pump(1000);
    TShockwaveFlash* player = form.ShockwaveFlash1;
    if (!player || !player->HandleAllocated()) {
        std::fprintf(stderr, "LessonPressBench: the main window has no movie player\n");
        return 1;
    }
    HWND playerWindow = player->Handle();
    RECT box{};
    ::GetWindowRect(playerWindow, &box);

    std::vector<double> times;
    int unseen = 0, unchanged = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const LessonRow& row : LessonCatalogue()) {
            auto* button = dynamic_cast<TSpeedButton*>(form.FindComponent(row.button));
            if (!button || !button->Parent() || !button->Parent()->HandleAllocated()) {
                std::fprintf(stderr, "LessonPressBench: no lesson button %s\n", ToUtf8(row.button).c_str());
                return 1;
            }
            HWND parent = button->Parent()->Handle();
            const LPARAM inside =
                MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
            player->SetMovie(L"");
            ::PostMessageW(parent, WM_MOUSEMOVE, 0, inside);
            Pump(150);
            const std::vector<uint32_t> empty = Grab(box);
            const double start = Now();
            ::PostMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, inside);
            ::PostMessageW(parent, WM_LBUTTONUP, 0, inside);
            bool painted = false;
            while (!painted && Now() - start < kGiveUpSeconds) {
                PumpPending();
                painted = player->HasMovie() && !player->Movie().empty() &&
                          !::GetUpdateRect(playerWindow, nullptr, FALSE);
            }
            if (!painted) {
                ++unseen;
                continue;
            }
            ::GdiFlush();
            times.push_back((Now() - start) * 1e3);
            if (Grab(box) == empty) ++unchanged;
        }
    }
    if (times.empty()) {
        std::fprintf(stderr, "LessonPressBench: no press brought a movie frame\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("movie player %ld x %ld; %zu presses over %zu lessons with a first frame, %d not within %.0f s, "
                "%d with the screen unchanged\n",
                box.right - box.left, box.bottom - box.top, times.size(), LessonCatalogue().size(), unseen,
                kGiveUpSeconds, unchanged);
    std::printf("press to first movie frame: best %.2f ms, median %.2f ms, worst %.2f ms\n", times.front(),
                times[times.size() / 2], times.back());
    PrintFigure("lesson press to first movie frame (median)", times[times.size() / 2], "ms", false, 100);
    return unseen == 0 && unchanged == 0 ? 0 : 1;
}
