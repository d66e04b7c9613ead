#include "skin/controls/TrackBarSkin.h"

#include "framework/controls/Messages.h"
#include "framework/controls/TrackBar.h"
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

// Passes its children's notifications back to them, as a framework parent does.
LRESULT CALLBACK ReflectingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NOTIFY && lParam) {
        HWND from = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        if (::GetParent(from) == window) return ::SendMessageW(from, kMsgReflectNotify, wParam, lParam);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class TrackBarSkinTest : public BoxSkinTest {
protected:
    void TearDown() override {
        track.reset();
        if (parent) ::DestroyWindow(parent);
        BoxSkinTest::TearDown();
    }
    // A skinned track bar of 0 to 10 at 5 filling a parent of `width` x `height`.
    void Make(int width, int height, DWORD style = TBS_HORZ) {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
            WNDCLASSW wc{};
            wc.lpfnWndProc = ReflectingProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TrackBarSkinTestParent";
            return ::InitCommonControlsEx(&init) && ::RegisterClassW(&wc);
        }();
        ASSERT_TRUE(registered);
        parent = ::CreateWindowExW(0, L"TrackBarSkinTestParent", L"", WS_POPUP | WS_VISIBLE, 30, 30, width, height,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        window = ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
        ::SendMessageW(window, TBM_SETPOS, TRUE, 5);
        track = std::make_unique<TSkinTrackBar>();
        track->AttachHandle(window, *skin, host, nullptr);
        target = std::make_unique<DibSection>(width, height);
        target->Fill(kSentinel);
    }
    // A custom-draw notification of the track bar (or of `from`) for `stage` and `item`,
    // drawing into the test's picture; the answer.
    LRESULT Notify(UINT message, DWORD stage, DWORD_PTR item, UINT state = 0, HWND from = nullptr) {
        NMCUSTOMDRAW draw{};
        draw.hdr = {from ? from : window, 1, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.dwDrawStage = stage;
        draw.hdc = target->Dc();
        draw.dwItemSpec = item;
        draw.uItemState = state;
        const LRESULT answer = ::SendMessageW(window, message, 1, reinterpret_cast<LPARAM>(&draw));
        ::GdiFlush();
        return answer;
    }
    RECT Thumb() const {
        RECT r{};
        ::SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    RECT Channel() const {
        RECT r{};
        ::SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The thumb rectangle holds frame `colour`, except at its top-left corner, where the
    // strip has the key colour and what lay there stays.
    bool ThumbShows(TColor colour) const {
        const RECT thumb = Thumb();
        constexpr int kCorner = 3;  // the key pixel, stretched
        return thumb.right - thumb.left > kCorner && thumb.bottom - thumb.top > kCorner &&
               target->AllEqual({thumb.left + kCorner, thumb.top, thumb.right, thumb.bottom}, ColorToRGB(colour)) &&
               target->AllEqual({thumb.left, thumb.top + kCorner, thumb.right, thumb.bottom}, ColorToRGB(colour)) &&
               target->Pixel(thumb.left, thumb.top) != ColorToRGB(colour);
    }

    TestHost host;
    HWND parent = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TSkinTrackBar> track;
    std::unique_ptr<DibSection> target;
};

TEST_F(TrackBarSkinTest, CustomDrawIsAnsweredForEveryStageTheWayItArrives) {
    Make(200, 30);
    for (const UINT message : {UINT{WM_NOTIFY}, kMsgReflectNotify}) {
        EXPECT_EQ(Notify(message, CDDS_PREPAINT, 0), CDRF_NOTIFYITEMDRAW);
        EXPECT_EQ(Notify(message, CDDS_ITEMPREPAINT, TBCD_TICS), CDRF_DODEFAULT);
        EXPECT_EQ(Notify(message, CDDS_POSTPAINT, 0), CDRF_DODEFAULT);
        EXPECT_EQ(Notify(message, CDDS_ITEMPOSTPAINT, TBCD_THUMB), CDRF_DODEFAULT);
        EXPECT_EQ(target->CountOther({0, 0, 200, 30}, kSentinel), 0) << "drew at a stage that draws nothing";
        EXPECT_EQ(Notify(message, CDDS_ITEMPREPAINT, TBCD_THUMB), CDRF_SKIPDEFAULT);
        EXPECT_TRUE(ThumbShows(kThumb[1]));
        EXPECT_EQ(Notify(message, CDDS_ITEMPREPAINT, TBCD_CHANNEL), CDRF_SKIPDEFAULT);
        const RECT channel = Channel();
        EXPECT_EQ(target->Pixel(channel.left, channel.top), ColorToRGB(kGrooveStart));
        EXPECT_EQ(target->Pixel(channel.right - 1, channel.top), ColorToRGB(kGrooveEnd));
        target->Fill(kSentinel);
    }
    // A custom-draw notification of another window (the bar's tool tip) is not the skin's.
    Notify(WM_NOTIFY, CDDS_ITEMPREPAINT, TBCD_THUMB, 0, parent);
    EXPECT_EQ(target->CountOther({0, 0, 200, 30}, kSentinel), 0);
}

TEST_F(TrackBarSkinTest, TheThumbIsTheSecondFrameInEveryState) {
    Make(200, 30);
    for (const UINT state : {0u, UINT{CDIS_SELECTED}, UINT{CDIS_HOT}, UINT{CDIS_FOCUS}, UINT{CDIS_DISABLED}}) {
        target->Fill(kSentinel);
        EXPECT_EQ(Notify(kMsgReflectNotify, CDDS_ITEMPREPAINT, TBCD_THUMB, state), CDRF_SKIPDEFAULT);
        EXPECT_TRUE(ThumbShows(kThumb[1])) << state;
    }
}

TEST_F(TrackBarSkinTest, APaintDrawsTheGrooveAndTheThumbWhereTheControlPutsThem) {
    Make(200, 30);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
    ::GdiFlush();
    const RECT channel = Channel();
    const RECT thumb = Thumb();
    // The groove at its own thickness from the channel's top: caps at both ends, the
    // middle stretched between them; the thumb over it.
    const int grooveBottom = channel.top + std::min<int>(kGrooveThickness, channel.bottom - channel.top);
    EXPECT_TRUE(target->AllEqual({channel.left, channel.top, channel.left + kGrooveCap, grooveBottom},
                                 ColorToRGB(kGrooveStart)));
    EXPECT_TRUE(target->AllEqual({channel.left + kGrooveCap, channel.top, thumb.left, grooveBottom},
                                 ColorToRGB(kGrooveMiddle)));
    EXPECT_TRUE(target->AllEqual({channel.right - kGrooveCap, channel.top, channel.right, grooveBottom},
                                 ColorToRGB(kGrooveEnd)));
    EXPECT_TRUE(ThumbShows(kThumb[1]));
}

TEST_F(TrackBarSkinTest, AVerticalBarUsesTheUprightGrooveAndThumb) {
    Make(30, 200, TBS_VERT);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
    ::GdiFlush();
    EXPECT_TRUE(ThumbShows(kThumbVert[1]));
    // The groove stands upright in the channel, however the control reports it.
    RECT channel = Channel();
    if (channel.right - channel.left > channel.bottom - channel.top) {
        std::swap(channel.left, channel.top);
        std::swap(channel.right, channel.bottom);
    }
    const int grooveRight = channel.left + kGrooveThickness;
    EXPECT_TRUE(target->AllEqual({channel.left, channel.top, grooveRight, channel.top + kGrooveCap},
                                 ColorToRGB(kGrooveStart)));
    EXPECT_TRUE(target->AllEqual({channel.left, channel.bottom - kGrooveCap, grooveRight, channel.bottom},
                                 ColorToRGB(kGrooveEnd)));
}

TEST_F(TrackBarSkinTest, ADetachedBarAnswersAsItsOwnAgain) {
    Make(200, 30);
    track->Unskin();
    track.reset();
    EXPECT_TRUE(host.skins.empty());
    EXPECT_EQ(Notify(kMsgReflectNotify, CDDS_PREPAINT, 0), 0);  // nobody answers it now
    EXPECT_EQ(target->CountOther({0, 0, 200, 30}, kSentinel), 0);
}

}  // namespace

namespace {

// A framework track bar on a form, whose custom-draw notices come back to it reflected.
class FrameworkTrackBarTest : public BoxSkinTest {
protected:
    void SetUp() override {
        BoxSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 300);
        bar = &form->Create<TTrackBar>();
        bar->SetParent(form);
        bar->SetMax(10);
        bar->SetPosition(3);
    }
    // The bar's own paint into a picture: the control asks its parent at every part.
    void Paint(DibSection& target) {
        target.Fill(kSentinel);
        ::SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        ::GdiFlush();
    }
    RECT Thumb() const {
        RECT r{};
        ::SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    TApplication app;
    TestHost host;
    TForm* form = nullptr;
    TTrackBar* bar = nullptr;
};

TEST_F(FrameworkTrackBarTest, ItsOwnPaintShowsTheSkinsGrooveAndThumbAcrossBothAxes) {
    for (const auto orientation : {TTrackBarOrientation::trHorizontal, TTrackBarOrientation::trVertical}) {
        bar->SetOrientation(orientation);
        bar->SetBounds(10, 10, orientation == TTrackBarOrientation::trHorizontal ? 200 : 30,
                       orientation == TTrackBarOrientation::trHorizontal ? 30 : 200);
        auto& skinned = bar->Create<TSkinTrackBar>();
        skinned.AttachControl(host, *skin, false, nullptr);
        DibSection target(bar->Width(), bar->Height());
        Paint(target);
        const bool vertical = orientation == TTrackBarOrientation::trVertical;
        const TColor* thumbs = vertical ? kThumbVert : kThumb;
        const RECT thumb = Thumb();
        EXPECT_EQ(target.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), ColorToRGB(thumbs[1]))
            << vertical;
        // The groove's start cap at the channel's start.
        RECT channel{};
        ::SendMessageW(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        if (vertical && channel.right - channel.left > channel.bottom - channel.top) {
            std::swap(channel.left, channel.top);
            std::swap(channel.right, channel.bottom);
        }
        EXPECT_EQ(target.Pixel(channel.left, channel.top), ColorToRGB(kGrooveStart)) << vertical;

        // Detached, the bar draws its own thumb again.
        skinned.Unskin();
        FreeComponent(&skinned);
        Paint(target);
        EXPECT_EQ(target.CountOther(thumb, ColorToRGB(thumbs[1])), (thumb.right - thumb.left) * (thumb.bottom - thumb.top))
            << vertical;
    }
}

}  // namespace
