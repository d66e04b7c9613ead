// Time from the "SkinStream" bytes of the main form to a fully loaded TSkinData (LZH
// decode, container, description, every skin object and the pictures the load makes),
// against the LZH decode of the same bytes alone: best and median of 50 loads each.
//   SkinLoadBench [packed skin file] [runs]   (default: the skin the program ships, 50 runs;
//                                              more runs give a profiler enough to sample)

#include "bench/BenchClock.h"
#include "bench/BenchSkin.h"
#include "framework/core/Properties.h"
#include "framework/core/Stream.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace {

int g_runs = 50;  // the second argument can raise it

struct Figures {
    double best = 0;
    double median = 0;
};

// Milliseconds of `timed`, each run prepared by `prepare` outside the clock.
Figures Measure(const std::function<void()>& prepare, const std::function<void()>& timed) {
    std::vector<double> times;
    for (int run = 0; run < g_runs; ++run) {
        prepare();
        const double start = Now();
        timed();
        ::GdiFlush();
        times.push_back((Now() - start) * 1e3);
    }
    std::sort(times.begin(), times.end());
    const double median = g_runs % 2 ? times[g_runs / 2] : (times[g_runs / 2 - 1] + times[g_runs / 2]) / 2;
    return {times.front(), median};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : KESTRELLE_SKIN_DIR "/kestrelle.skin";
    if (argc > 2) g_runs = std::max(2, std::atoi(argv[2]));
    const std::vector<std::byte> packed = ReadSkinFile(path);
    if (packed.empty()) {
        std::fprintf(stderr, "SkinLoadBench: cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<std::byte> property = SkinStreamProperty(packed);

    TSkinReader::SetNotifier([](std::u16string_view text) {
        std::fprintf(stderr, "SkinLoadBench: %s\n", std::string(text.begin(), text.end()).c_str());
    });

    std::unique_ptr<TSkinData> data;
    bool loaded = true;
    const Figures whole = Measure([&] { data = std::make_unique<TSkinData>(); },
                                  [&] {
                                      SetBinaryProp(data.get(), u"SkinStream", property);
                                      loaded = loaded && !data->NoSkin();
                                  });
    data.reset();
    if (!loaded) {
        std::fprintf(stderr, "SkinLoadBench: the skin did not load\n");
        return 1;
    }

    TMemoryStream source(packed), target;
    const Figures decode = Measure([&] { target.Clear(); }, [&] { TSkinReader::Unpack(source, target); });

    std::printf("skin %s: %zu packed bytes, %lld unpacked, %d runs each\n", path.c_str(), packed.size(),
                static_cast<long long>(target.Size()), g_runs);
    std::printf("whole load (SkinStream to TSkinData): best %.2f ms, median %.2f ms\n", whole.best, whole.median);
    std::printf("LZH decode alone:                     best %.2f ms, median %.2f ms\n", decode.best, decode.median);
    std::printf("whole / decode: %.2f (best), %.2f (median)\n", whole.best / decode.best,
                whole.median / decode.median);
    PrintFigure("skin load / LZH decode alone (median)", whole.median / decode.median, "x", true, 2);
    return 0;
}
