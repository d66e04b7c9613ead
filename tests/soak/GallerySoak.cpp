// Soaks the gallery's window: every page painted, the skin taken off every window and
// put back, and the skin switched among the shipped skins and none over every page.
// One line per part with the figures it is judged by; the exit code is non-zero when
// any part failed.
//   GallerySoak [parts] [--scale F]      (parts: a, b, c; see README "Soaks")

#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "gallery/SkinChooser.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/soak/Soak.h"
#include "tests/support/ShippedSkins.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include <windows.h>

namespace {

using namespace soak;

constexpr UINT kPaint = RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
constexpr std::array<const wchar_t*, 6> kPages{L"windows", L"controls", L"scrolling", L"tabs", L"media", L"menus"};

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text);
    return out;
}

class Gallery {
public:
    Gallery() {
        TSkinManage::Install();
        m_app = std::make_unique<TApplication>();
        form = &m_app->CreateForm<TGalleryForm>();
        if (!form->Build({}, kPages[0]) || !form->Skin() || form->Skin()->NoSkin()) return;
        form->Show();
        manager = TSkinManage::Instance();
        PumpUntil([&] { return Running(); }, 3000);
        chooser = std::make_unique<GallerySkinChooser>(*form, *form, *form->Skin(), ShippedSkinFolder(), std::wstring{}, 0, 0,
                                                       150);
    }
    ~Gallery() {
        chooser.reset();
        m_app.reset();
        TSkinManage::DestroyInstance();
    }
    bool Running() const {
        const TWinSkinForm* skinned = manager ? manager->FindSkinForm(form->Handle()) : nullptr;
        return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
    }
    bool Paint() const { return ::RedrawWindow(form->Handle(), nullptr, nullptr, kPaint) != 0; }

    TGalleryForm* form = nullptr;
    TSkinManage* manager = nullptr;
    std::unique_ptr<GallerySkinChooser> chooser;

private:
    std::unique_ptr<TApplication> m_app;
};

void PaintPart(Runner& runner, const Gallery& gallery) {
    for (const wchar_t* page : kPages) {
        auto paint = [&](int i) {
            if (!gallery.Paint()) {
                runner.Fault("RedrawWindow failed");
                return false;
            }
            if (i % 64 == 0) {
                Pump(0);
                if (!gallery.Running()) {
                    runner.Fault("the window lost its skin");
                    return false;
                }
            }
            return true;
        };
        runner.Part("a gallery " + Narrow(page) + ": paints", runner.Settings().Count(10000), "paints", [&] {
            if (!gallery.form->ShowPage(page)) return false;
            for (int i = 0; i < 20; ++i) paint(i);
            return gallery.Running();
        }, paint);
    }
}

// The skin off every window and on again, the page then painted; the page changes
// every cycle, so each page has its share.
void OnOffPart(Runner& runner, const Gallery& gallery) {
    auto cycle = [&](int i) {
        if (!gallery.form->ShowPage(kPages[static_cast<size_t>(i) % kPages.size()])) return false;
        TWinSkinForm* skinned = gallery.manager->FindSkinForm(gallery.form->Handle());
        if (!skinned) {
            runner.Fault("cycle " + std::to_string(i) + ": the window was not skinned");
            return false;
        }
        gallery.manager->Unskin(*skinned);
        if (gallery.manager->FindSkinForm(gallery.form->Handle())) {
            runner.Fault("cycle " + std::to_string(i) + ": the skin stayed on");
            return false;
        }
        if (!gallery.manager->SkinForm(*gallery.form) || !PumpUntil([&] { return gallery.Running(); }, 5000)) {
            runner.Fault("cycle " + std::to_string(i) + ": the skin did not come back");
            return false;
        }
        return gallery.Paint();
    };
    auto round = [&] {
        for (int i = 0; i < static_cast<int>(kPages.size()); ++i)
            if (!cycle(i)) return false;
        return gallery.form->ShowPage(kPages[0]);
    };
    // Whole rounds of pages, as the warm-up: a reskin skins the controls of the page that
    // shows, so the page of the last cycle decides what the figures find.
    const int count = runner.Settings().CountOfRounds(1000, kPages.size());
    runner.Part("b gallery: skin off and on", count, "cycles", round, [&](int i) {
        return cycle(i) && (i + 1 < count || gallery.form->ShowPage(kPages[0]));
    });
}

// dark, contrast, none and kestrelle in turn, the page changing after each four.
void SwitchPart(Runner& runner, const Gallery& gallery) {
    constexpr int kNone = 3;
    constexpr std::array<int, 4> kOrder{1, 0, kNone, 2};  // dark, contrast, none, kestrelle: lines by name
    if (gallery.chooser->Files().size() != 3) {
        runner.Fault("the skin folder does not hold the three shipped skins");
        return;
    }
    auto switchTo = [&](int i) {
        if (i % 4 == 0 && !gallery.form->ShowPage(kPages[static_cast<size_t>(i / 4) % kPages.size()])) return false;
        const int line = kOrder[static_cast<size_t>(i) % kOrder.size()];
        int changed = 0;
        gallery.form->Skin()->OnSkinChanged = [&](TObject*) { ++changed; };
        gallery.chooser->Choose(line);
        const bool done = PumpUntil([&] { return changed > 0; }, 5000);
        gallery.form->Skin()->OnSkinChanged = nullptr;
        const bool skinned = line == kNone ? gallery.manager->FindSkinForm(gallery.form->Handle()) == nullptr
                                           : gallery.Running();
        if (!done || !skinned) {
            runner.Fault("switch " + std::to_string(i) + " to line " + std::to_string(line) + " was not carried out");
            return false;
        }
        return gallery.Paint();
    };
    // Whole tours of the pages: a re-skin reaches only the controls of the page that shows,
    // so the handles in use depend on the page the switches stopped on (about 50 more or
    // fewer between two pages), which a count ending elsewhere than the warm-up took for a loss.
    const int count = runner.Settings().CountOfRounds(200, kOrder.size() * kPages.size());
    runner.Part("c gallery: skin switches", count, "switches", [&] {
        for (int i = 0; i < 4 * static_cast<int>(kPages.size()); ++i)
            if (!switchTo(i)) return false;
        return gallery.form->ShowPage(kPages[0]);
    }, [&](int i) { return switchTo(i) && (i + 1 < count || gallery.form->ShowPage(kPages[0])); });
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return 2;
    Runner runner(options);
    {
        Gallery gallery;
        if (!gallery.Running() || !gallery.chooser) {
            runner.Fault("the gallery's window was not skinned");
            return 1;
        }
        if (options.Wants('a')) PaintPart(runner, gallery);
        if (options.Wants('b')) OnOffPart(runner, gallery);
        if (options.Wants('c')) SwitchPart(runner, gallery);
    }
    return runner.ExitCode();
}
