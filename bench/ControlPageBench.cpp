// One whole paint of the gallery's control page (every control repainted and flushed to
// the display), skinned with the program's skin, against the same page with the skin
// off, measured in the same run: rounds alternate between the two so that a busy
// machine slows both alike. Prints best and median per paint and their ratio (target:
// at most 2).
//   scripts/bench ControlPageBench

#include "bench/BenchClock.h"
#include "bench/BenchPump.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <windows.h>

namespace {

constexpr int kRounds = 8, kPaintsPerRound = 25;

// Milliseconds per repaint of `page` and every control on it.
void TimePaints(HWND page, std::vector<double>& times) {
    for (int i = 0; i < kPaintsPerRound; ++i) {
        const double start = Now();
        ::RedrawWindow(page, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        times.push_back((Now() - start) * 1e3);
    }
}

struct Figures {
    double best, median;
};

Figures Summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const size_t half = times.size() / 2;
    return {times.front(), (times[half - 1] + times[half]) / 2};
}

// Turns the skin on or off and waits until the manager has carried it out.
void SetSkin(TSkinData& skin, bool on) {
    skin.SetActive(on);
    Pump(400);
}

}  // namespace

int main() {
    TApplication application;
    TSkinManage::Install();
    auto& form = application.CreateForm<TGalleryForm>();
    if (!form.Build({}, L"controls") || !form.Skin() || form.Skin()->NoSkin()) {
        std::fprintf(stderr, "ControlPageBench: the gallery's control page or its skin did not load\n");
        return 1;
    }
    form.Show();
    Pump(800);
    HWND page = form.Page()->Handle();
    RECT bounds{};
    ::GetClientRect(page, &bounds);

    std::vector<double> skinned, plain;
    size_t controlSkins = 0;
    for (int round = 0; round < kRounds; ++round) {
        SetSkin(*form.Skin(), false);
        TimePaints(page, plain);
        SetSkin(*form.Skin(), true);
        const TWinSkinForm* skinForm = TSkinManage::Instance()->FindSkinForm(form.Handle());
        if (!skinForm) {
            std::fprintf(stderr, "ControlPageBench: the skin did not come back\n");
            return 1;
        }
        controlSkins = skinForm->ControlSkins().size();
        TimePaints(page, skinned);
    }
    const Figures off = Summary(plain), on = Summary(skinned);
    std::printf("control page %ld x %ld, %zu control skins; %d paints each, in %d alternating rounds\n", bounds.right,
                bounds.bottom, controlSkins, kRounds * kPaintsPerRound, kRounds);
    std::printf("unskinned: best %.3f ms, median %.3f ms\n", off.best, off.median);
    std::printf("skinned:   best %.3f ms, median %.3f ms\n", on.best, on.median);
    PrintFigure("control page paint, skinned / unskinned (median)", on.median / off.median, "x", true, 2);
    return 0;
}
