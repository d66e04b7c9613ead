// The controls on common controls: progress and track bars, headers and tool bars.
// What the framework holds must be what the control shows, and what the user does to
// the control must come back to the framework.

#include "framework/controls/HeaderControl.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TrackBar.h"
#include "tests/framework/win/FormFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(window, message, wParam, lParam);
}

class CommonControls : public FormFixture {};

}  // namespace

TEST_F(CommonControls, AProgressPositionStaysWithinItsRangeAndReachesTheControl) {
    auto& bar = Make<TProgressBar>(form);
    bar.SetMax(200);
    bar.SetPosition(150);
    HWND window = bar.Handle();
    EXPECT_EQ(Send(window, PBM_GETPOS), 150);

    bar.SetPosition(500);
    EXPECT_EQ(bar.Position(), 200);
    EXPECT_EQ(Send(window, PBM_GETPOS), 200);
    bar.SetMin(-50);
    bar.SetPosition(-100);
    EXPECT_EQ(Send(window, PBM_GETPOS), -50);
    EXPECT_EQ(Send(window, PBM_GETRANGE, TRUE), -50);
    EXPECT_EQ(Send(window, PBM_GETRANGE, FALSE), 200);
    // A Max below the position takes it down.
    bar.SetPosition(100);
    bar.SetMax(60);
    EXPECT_EQ(Send(window, PBM_GETPOS), 60);

    // StepIt goes round; StepBy stops at the end.
    bar.SetMin(0);
    bar.SetMax(100);
    bar.SetPosition(90);
    bar.SetStep(30);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 20);
    EXPECT_EQ(Send(window, PBM_GETPOS), 20);
    bar.StepBy(500);
    EXPECT_EQ(Send(window, PBM_GETPOS), 100);

    // Turned upright the control is made again, with the values kept.
    bar.SetOrientation(TProgressBarOrientation::pbVertical);
    window = bar.Handle();
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & PBS_VERTICAL);
    EXPECT_EQ(Send(window, PBM_GETPOS), 100);
    EXPECT_EQ(Send(window, PBM_GETRANGE, FALSE), 100);
}

TEST_F(CommonControls, ATrackBarFollowsTheThumbTheUserMovesAndSaysSo) {
    auto& track = Make<TTrackBar>(form);
    track.SetBounds(10, 10, 200, 45);
    track.SetMax(20);
    track.SetPosition(5);
    std::vector<int> changes;
    track.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &track);
        changes.push_back(track.Position());
    };
    form.Show();
    HWND window = track.Handle();
    EXPECT_EQ(Send(window, TBM_GETPOS), 5);

    // The keys move the thumb; the control reports by scroll notices.
    Send(window, WM_KEYDOWN, VK_RIGHT, 1);
    Send(window, WM_KEYUP, VK_RIGHT, 0xC0000001);
    Send(window, WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(changes, (std::vector<int>{6, 20}));

    // By code: the control follows, OnChange stays silent.
    track.SetPosition(3);
    EXPECT_EQ(Send(window, TBM_GETPOS), 3);
    EXPECT_EQ(changes.size(), 2u);

    // Upright: the bounds turn, and the notices come as vertical scrolls.
    track.SetOrientation(TTrackBarOrientation::trVertical);
    EXPECT_EQ(track.Width(), 45);
    EXPECT_EQ(track.Height(), 200);
    window = track.Handle();
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_STYLE) & TBS_VERT);
    Send(window, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(changes, (std::vector<int>{6, 20, 4}));

    // A range far wider than the bar still gets a mark every so many positions, not one
    // for each.
    track.SetMax(2000000000);
    EXPECT_LE(Send(window, TBM_GETNUMTICS), 2000000000 / PositionRange::kMaxTickFrequency + 2);
    EXPECT_EQ(Send(window, TBM_GETRANGEMAX), 2000000000);
    track.SetMax(1000000);
    EXPECT_LE(Send(window, TBM_GETNUMTICS), PositionRange::kMaxAutoTicks + 2);
}

TEST_F(CommonControls, HeaderSectionsReachTheControlAndFollowTheUser) {
    auto& header = Make<THeaderControl>(form);
    const struct {
        int width;
        const wchar_t* text;
        TAlignment alignment;
    } sections[] = {{100, L"音标", TAlignment::taLeftJustify},
                    {150, L"例词", TAlignment::taRightJustify},
                    {80, L"", TAlignment::taCenter}};
    for (const auto& s : sections) {
        auto& section = header.Sections().Add();
        section.SetWidth(s.width);
        section.SetText(s.text);
        section.SetAlignment(s.alignment);
    }
    form.Show();
    HWND window = header.Handle();
    ASSERT_EQ(Send(window, HDM_GETITEMCOUNT), 3);
    auto rect = [&](int index) {
        RECT r{};
        Send(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    };
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        wchar_t text[16]{};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = 16;
        ASSERT_TRUE(Send(window, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(text, sections[i].text) << i;
        EXPECT_EQ(rect(i).left, left) << i;
        EXPECT_EQ(rect(i).right, left + sections[i].width) << i;
        left += sections[i].width;
        const int justify[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
        EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, justify[i]) << i;
    }

    // Changes by code.
    header.Sections().Items(1)->SetWidth(60);
    EXPECT_EQ(rect(1).right - rect(1).left, 60);
    header.Sections().Items(2)->SetWidth(-30);  // never below nothing
    EXPECT_EQ(rect(2).right - rect(2).left, 0);
    header.Sections().Delete(2);
    EXPECT_EQ(Send(window, HDM_GETITEMCOUNT), 2);

    // The user clicks a section and drags the divider after the first one.
    std::vector<THeaderSection*> clicked, resized;
    header.OnSectionClick = [&](TCustomHeaderControl*, THeaderSection* s) { clicked.push_back(s); };
    header.OnSectionResize = [&](TCustomHeaderControl*, THeaderSection* s) { resized.push_back(s); };
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, At(130, 5));
    Send(window, WM_LBUTTONUP, 0, At(130, 5));
    EXPECT_EQ(clicked, std::vector<THeaderSection*>{header.Sections().Items(1)});
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, At(99, 5));
    Send(window, WM_MOUSEMOVE, MK_LBUTTON, At(139, 5));
    Send(window, WM_LBUTTONUP, 0, At(139, 5));
    EXPECT_EQ(header.Sections().Items(0)->Width(), 140);
    EXPECT_EQ(rect(0).right, 140);
    ASSERT_FALSE(resized.empty());
    EXPECT_EQ(resized.back(), header.Sections().Items(0));
}

TEST_F(CommonControls, ToolButtonsReachTheBarAndClickFromItsCommands) {
    auto& bar = Make<TToolBar>(form);
    bar.SetShowCaptions(true);
    auto& open = Make<TToolButton>(bar);
    open.SetCaption(L"打开");
    auto& gap = Make<TToolButton>(bar);
    gap.SetButtonStyle(TToolButtonStyle::tbsSeparator);
    auto& mute = Make<TToolButton>(bar);
    mute.SetCaption(L"静音");
    mute.SetButtonStyle(TToolButtonStyle::tbsCheck);
    int opened = 0, muted = 0;
    open.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &open);
        ++opened;
    };
    mute.OnClick = [&](TObject*) { ++muted; };
    form.Show();
    HWND window = bar.Handle();
    ASSERT_EQ(Send(window, TB_BUTTONCOUNT), 3);
    wchar_t text[16]{};
    Send(window, TB_GETBUTTONTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"打开");
    EXPECT_TRUE(Send(window, TB_GETSTATE, 1) & TBSTATE_ENABLED);

    // A button's bounds are where the control put it; the control, not the framework,
    // takes the mouse there.
    auto centre = [&](int index) {
        RECT r{};
        Send(window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return core::Point{static_cast<int>((r.left + r.right) / 2), static_cast<int>((r.top + r.bottom) / 2)};
    };
    EXPECT_TRUE(open.BoundsRect().Contains(centre(0)));
    EXPECT_EQ(bar.ControlAtPos(centre(0)), nullptr);
    auto click = [&](int index) {
        const core::Point p = centre(index);
        Send(window, WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        Send(window, WM_LBUTTONUP, 0, At(p.x, p.y));
    };
    click(0);
    EXPECT_EQ(opened, 1);
    click(2);
    EXPECT_TRUE(mute.Down());
    EXPECT_TRUE(Send(window, TB_ISBUTTONCHECKED, 2));
    click(2);
    EXPECT_FALSE(mute.Down());
    EXPECT_EQ(muted, 2);

    // The buttons' own properties show on the bar.
    mute.SetEnabled(false);
    EXPECT_FALSE(Send(window, TB_ISBUTTONENABLED, 2));
    open.SetDown(true);
    EXPECT_TRUE(Send(window, TB_ISBUTTONCHECKED, 0));
    open.SetVisible(false);
    EXPECT_TRUE(Send(window, TB_ISBUTTONHIDDEN, 0));

    // A button that goes leaves the bar; the others keep clicking by their commands.
    form.DestroyComponent(gap);
    ASSERT_EQ(bar.ButtonCount(), 2);
    EXPECT_EQ(Send(window, TB_BUTTONCOUNT), 2);
    EXPECT_EQ(bar.Buttons(1), &mute);
    Send(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(opened, 2);
    Send(form.Handle(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(window));  // no such button
    EXPECT_EQ(opened + muted, 4);
}

TEST_F(CommonControls, AToolBarFollowsItsImageListAndDrawsThroughItsEvents) {
    auto& bar = Make<TToolBar>(form);
    auto& first = Make<TToolButton>(bar);
    first.SetImageIndex(0);
    auto& second = Make<TToolButton>(bar);
    auto& images = form.Create<TImageList>();
    bar.SetImages(&images);
    form.Show();
    HWND window = bar.Handle();
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(Send(window, TB_GETIMAGELIST)), images.Handle());
    images.SetSize(24, 24);  // a new list handle: the bar takes it
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(Send(window, TB_GETIMAGELIST)), images.Handle());

    std::vector<TToolButton*> drawn;
    int barDraws = 0;
    bar.OnCustomDraw = [&](TToolBar* sender, const RECT&, bool& defaultDraw) {
        EXPECT_NE(sender->Canvas().Handle(), nullptr);
        ++barDraws;
        defaultDraw = true;
    };
    bar.OnCustomDrawButton = [&](TToolBar* sender, TToolButton* button, TCustomDrawState, bool&) {
        EXPECT_NE(sender->Canvas().Handle(), nullptr);
        drawn.push_back(button);
    };
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(barDraws, 1);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), &first), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), &second), drawn.end());
    EXPECT_EQ(bar.Canvas().Handle(), nullptr);  // the paint's DC is not kept

    // The list goes first: the bar lets go of its handle.
    form.DestroyComponent(images);
    EXPECT_EQ(bar.Images(), nullptr);
    EXPECT_EQ(Send(window, TB_GETIMAGELIST), 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
