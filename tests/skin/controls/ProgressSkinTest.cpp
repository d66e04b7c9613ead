#include "skin/controls/ProgressSkin.h"

#include "framework/controls/ProgressBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "tests/skin/controls/BoxTestSkin.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <memory>

#include <commctrl.h>
#include <windows.h>

namespace {

using namespace box_skin;

// A bare progress bar of 0 to 100 and the skin on it.
class ProgressSkinTest : public BoxSkinTest {
protected:
    void TearDown() override {
        progress.reset();
        if (window) ::DestroyWindow(window);
        BoxSkinTest::TearDown();
    }
    // A bar of this size and style, skinned.
    void Make(int width, int height, DWORD style = 0, bool attach = true) {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
            return ::InitCommonControlsEx(&init) != FALSE;
        }();
        ASSERT_TRUE(registered);
        window = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP | WS_VISIBLE | style, 20, 20, width, height,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, PBM_SETRANGE32, 0, 100);
        target = std::make_unique<DibSection>(width, height);
        if (!attach) return;
        progress = std::make_unique<TSkinProgress>();
        progress->AttachHandle(window, *skin, host, nullptr);
    }
    void PaintAt(int position) {
        ::SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        target->Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
        ::GdiFlush();
    }
    bool All(const RECT& area, TColor colour) const { return target->AllEqual(area, ColorToRGB(colour)); }
    bool None(const RECT& area, TColor colour) const {
        return target->CountOther(area, ColorToRGB(colour)) == (area.right - area.left) * (area.bottom - area.top);
    }

    TestHost host;
    HWND window = nullptr;
    std::unique_ptr<TSkinProgress> progress;
    std::unique_ptr<DibSection> target;
};

constexpr int kLength = 120, kThickness = 16;

TEST_F(ProgressSkinTest, AtZeroOnlyTheEmptyFrameShowsAndFullOnlyTheFullOne) {
    Make(kLength, kThickness);
    PaintAt(0);
    EXPECT_TRUE(All({0, 0, kProgressEnd, kThickness}, kEmptyLeft));
    EXPECT_TRUE(All({kLength - kProgressEnd, 0, kLength, kThickness}, kEmptyRight));
    EXPECT_TRUE(All({kProgressEnd, 0, kLength - kProgressEnd, kProgressEdge}, kEmptyEdge));
    // The empty frame's inside is the key colour: the skin's background shows.
    EXPECT_TRUE(All({kProgressEnd, kProgressEdge, kLength - kProgressEnd, kThickness - kProgressEdge}, kFace));

    PaintAt(100);
    EXPECT_TRUE(All({0, 0, kProgressEnd, kThickness}, kFullLeft));
    EXPECT_TRUE(All({kProgressEnd, 0, kLength, kThickness}, kFull));

    // Half way, the full frame is sliced to the left half and the empty one shows beyond.
    PaintAt(50);
    EXPECT_TRUE(All({0, 0, kProgressEnd, kThickness}, kFullLeft));
    EXPECT_TRUE(All({kProgressEnd, 0, kLength / 2, kThickness}, kFull));
    EXPECT_TRUE(All({kLength / 2, 0, kLength - kProgressEnd, kProgressEdge}, kEmptyEdge));
    EXPECT_TRUE(None({kLength / 2, 0, kLength, kThickness}, kFull));
    EXPECT_EQ(::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Dc()), 0), 1);

    // The fill counts from the minimum: empty at it, half way between the ends, full at the
    // end, across the widest range too.
    ::SendMessageW(window, PBM_SETRANGE32, 50, 150);
    PaintAt(50);
    EXPECT_TRUE(None({0, 0, kLength, kThickness}, kFull));
    PaintAt(100);
    EXPECT_TRUE(All({kProgressEnd, 0, kLength / 2, kThickness}, kFull));
    EXPECT_TRUE(None({kLength / 2, 0, kLength, kThickness}, kFull));
    ::SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(INT32_MIN), INT32_MAX);
    PaintAt(INT32_MAX);
    EXPECT_TRUE(All({kProgressEnd, 0, kLength, kThickness}, kFull));
}

TEST_F(ProgressSkinTest, AVerticalBarShowsTheSamePicturesTurnedUprightFillingFromTheBottom) {
    Make(kThickness, kLength, PBS_VERTICAL);
    PaintAt(0);
    // The picture's left end is at the bottom, its right end at the top, its top edge at the left.
    EXPECT_TRUE(All({0, kLength - kProgressEnd, kThickness, kLength}, kEmptyLeft));
    EXPECT_TRUE(All({0, 0, kThickness, kProgressEnd}, kEmptyRight));
    EXPECT_TRUE(All({0, kProgressEnd, kProgressEdge, kLength - kProgressEnd}, kEmptyEdge));
    EXPECT_TRUE(All({kProgressEdge, kProgressEnd, kThickness - kProgressEdge, kLength - kProgressEnd}, kFace));

    PaintAt(50);
    EXPECT_TRUE(All({0, kLength - kProgressEnd, kThickness, kLength}, kFullLeft));
    EXPECT_TRUE(All({0, kLength / 2, kThickness, kLength - kProgressEnd}, kFull));
    EXPECT_TRUE(None({0, 0, kThickness, kLength / 2}, kFull));
    EXPECT_TRUE(All({0, 0, kThickness, kProgressEnd}, kEmptyRight));
}

TEST_F(ProgressSkinTest, TwoPictureSkinsPutChunksOverTheFilledPartOnly) {
    constexpr int kChunkTop = (kThickness - kChunkHeight) / 2;
    for (const bool tiled : {true, false}) {
        Load({.progressStyle = 1, .tiledChunks = tiled});
        Make(kLength, kThickness);
        PaintAt(0);
        EXPECT_TRUE(None({0, 0, kLength, kThickness}, kChunk)) << tiled;  // not even one chunk
        EXPECT_TRUE(All({0, 0, kLength, 2}, kEmptyEdge)) << tiled;

        PaintAt(50);  // 60 pixels filled
        if (tiled) {
            // 60 / 4 + 1 chunks side by side from two pixels right of the chunk's margin.
            constexpr int kFirst = kChunkMargin + 2, kEnd = kFirst + (60 / kChunkWidth + 1) * kChunkWidth;
            EXPECT_TRUE(All({kFirst, kChunkTop, kEnd, kChunkTop + kChunkHeight}, kChunk));
            EXPECT_TRUE(None({kEnd, 0, kLength, kThickness}, kChunk));
            EXPECT_TRUE(None({0, 0, kFirst, kThickness}, kChunk));
        } else {
            // One chunk stretched over the filled part inside a two-pixel border.
            EXPECT_TRUE(All({2, 2, 62, kThickness - 2}, kChunk));
            EXPECT_TRUE(None({62, 0, kLength, kThickness}, kChunk));
        }
        progress.reset();
        ::DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(ProgressSkinTest, ADetachedBarHasItsOwnProcedureAndLookBack) {
    Make(kLength, kThickness, 0, false);
    const auto own = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    progress = std::make_unique<TSkinProgress>();
    progress->AttachHandle(window, *skin, host, nullptr);
    PaintAt(100);
    EXPECT_TRUE(All({kProgressEnd, 0, kLength, kThickness}, kFull));
    progress->Unskin();
    progress.reset();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), own);
    EXPECT_TRUE(host.skins.empty());
    PaintAt(100);
    EXPECT_TRUE(None({0, 0, kLength, kThickness}, kFull));
}

}  // namespace

namespace {

class FrameworkProgressTest : public BoxSkinTest {
protected:
    TApplication app;
    TestHost host;
};

TEST_F(FrameworkProgressTest, AFrameworkBarIsFilledFromItsPositionAlongItsOrientation) {
    TForm& form = app.CreateForm<TForm>();
    auto& bar = form.Create<TProgressBar>();
    bar.SetParent(&form);
    bar.SetMax(200);
    bar.SetPosition(100);
    for (const auto orientation : {TProgressBarOrientation::pbHorizontal, TProgressBarOrientation::pbVertical}) {
        const bool vertical = orientation == TProgressBarOrientation::pbVertical;
        bar.SetOrientation(orientation);
        bar.SetBounds(0, 0, vertical ? kThickness : kLength, vertical ? kLength : kThickness);
        auto& skinned = bar.Create<TSkinProgress>();
        skinned.AttachControl(host, *skin, false, nullptr);
        DibSection target(bar.Width(), bar.Height());
        target.Fill(kSentinel);
        ::SendMessageW(bar.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        ::GdiFlush();
        // Half full: the full picture over the half the bar fills from, the empty beyond.
        const RECT full = vertical ? RECT{0, kLength / 2, kThickness, kLength - kProgressEnd}
                                   : RECT{kProgressEnd, 0, kLength / 2, kThickness};
        const RECT empty = vertical ? RECT{0, 0, kThickness, kLength / 2} : RECT{kLength / 2, 0, kLength, kThickness};
        EXPECT_TRUE(target.AllEqual(full, ColorToRGB(kFull))) << vertical;
        EXPECT_EQ(target.CountOther(empty, ColorToRGB(kFull)), kLength / 2 * kThickness) << vertical;
        skinned.Unskin();
        FreeComponent(&skinned);
    }
}

}  // namespace
