// A skin switch on every gallery page: the page shown, then the shipped skins and none
// chosen in turn as the gallery's chooser does (dark, contrast, none, kestrelle), several
// rounds. Each switch is timed as the work a user waits for: loading the new skin file,
// then, from the moment the manager's timer carries out the request to the moment the
// last window has repainted and the paint is flushed, re-skinning every window and
// control. The manager's request delay (250 ms by design: requests never run inside the
// call that makes them) is printed apart. Prints median and worst per page and overall
// (target: under 100 ms).
//   scripts/bench SkinSwitchBench [rounds] [page]

#include "bench/BenchClock.h"
#include "bench/BenchPump.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "tests/support/ShippedSkins.h"
#include "skin/window/WinSkinForm.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

namespace {

struct Switch {
    double load = 0;     // the call that loads the file (none: the call that turns the skin off)
    double delay = 0;    // from that call's end to the manager's timer
    double reskin = 0;   // from the timer to the last repaint flushed
    double Work() const { return load + reskin; }
};

// Carries out one switch made by `request` and times it. The dispatch during which the
// skin says it changed is where the manager ran the request; pumping then goes on until
// nothing is left to paint. False when the switch did not happen within two seconds.
template <class Request>
bool TimeSwitch(TSkinData& skin, Request request, Switch& out) {
    bool changed = false;
    skin.OnSkinChanged = [&](TObject*) { changed = true; };
    const double start = Now();
    if (!request()) return false;
    const double requested = Now();
    double ran = 0;
    while (!changed) {
        if (Now() - requested > 2.0) return false;
        MSG message;
        if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::Sleep(0);
            continue;
        }
        ran = Now();
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    skin.OnSkinChanged = nullptr;
    PumpPending();
    ::GdiFlush();
    const double done = Now();
    out.load = (requested - start) * 1e3;
    out.delay = (ran - requested) * 1e3;
    out.reskin = (done - ran) * 1e3;
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    TApplication application;
    TSkinManage::Install();
    auto& form = application.CreateForm<TGalleryForm>();
    if (!form.Build({}, L"windows") || !form.Skin() || form.Skin()->NoSkin()) {
        std::fprintf(stderr, "SkinSwitchBench: the gallery or its skin did not load\n");
        return 1;
    }
    form.Show();
    Pump(1000);
    TSkinData& skin = *form.Skin();
    const std::wstring folder = ShippedSkinFolder();
    struct Choice {
        const char* name;
        std::wstring file;  // empty: none
    };
    const Choice choices[] = {{"dark", folder + L"\\dark.skin"},
                              {"contrast", folder + L"\\contrast.skin"},
                              {"none", L""},
                              {"kestrelle", folder + L"\\kestrelle.skin"}};
    std::vector<std::wstring> pages{L"windows", L"controls", L"scrolling", L"tabs", L"media", L"menus"};
    if (argc > 2) pages = {std::wstring(argv[2], argv[2] + std::strlen(argv[2]))};

    std::printf("skin switch over every gallery page: %d rounds of dark, contrast, none, kestrelle per page\n",
                rounds);
    std::vector<double> all, delays;
    double worstAll = 0;
    for (const std::wstring& name : pages) {
        const wchar_t* page = name.c_str();
        if (!form.ShowPage(page)) {
            std::fprintf(stderr, "SkinSwitchBench: no page %ls\n", page);
            return 1;
        }
        Pump(300);
        std::vector<double> work, loads, reskins;
        for (int round = 0; round < rounds; ++round) {
            for (const Choice& choice : choices) {
                Switch timed;
                const bool ok = TimeSwitch(
                    skin,
                    [&] {
                        if (choice.file.empty()) {
                            skin.SetActive(false);
                            return true;
                        }
                        if (!skin.ChangeSkinFile(choice.file)) return false;
                        if (!skin.Active()) skin.SetActive(true);
                        return true;
                    },
                    timed);
                if (!ok) {
                    std::fprintf(stderr, "SkinSwitchBench: switching to %s on page %ls did not happen\n",
                                 choice.name, page);
                    return 1;
                }
                const TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinForm(form.Handle());
                const bool running = skinned && skinned->State() == TWinSkinForm::SkinState::Running;
                if (running == choice.file.empty()) {
                    std::fprintf(stderr, "SkinSwitchBench: after switching to %s on page %ls the window is %s\n",
                                 choice.name, page, running ? "still skinned" : "not skinned");
                    return 1;
                }
                work.push_back(timed.Work());
                loads.push_back(timed.load);
                reskins.push_back(timed.reskin);
                delays.push_back(timed.delay);
            }
        }
        const double worst = *std::max_element(work.begin(), work.end());
        worstAll = std::max(worstAll, worst);
        std::printf("  %-9ls median %6.1f ms (load %5.1f, re-skin %5.1f), worst %6.1f ms\n", page, Median(work),
                    Median(loads), Median(reskins), worst);
        all.insert(all.end(), work.begin(), work.end());
    }
    std::printf("request delay of the manager (by design, not counted): median %.1f ms\n", Median(delays));
    std::printf("switch, all pages: median %.1f ms, worst %.1f ms\n", Median(all), worstAll);
    PrintFigure("skin switch over every gallery page (median)", Median(all), "ms", false, 100);
    return 0;
}
