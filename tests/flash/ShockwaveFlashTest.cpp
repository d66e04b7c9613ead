#include "flash/ShockwaveFlash.h"

#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "tests/flash/SwfTestMovies.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr COLORREF kRedRef = RGB(255, 0, 0), kGreenRef = RGB(0, 255, 0), kWhiteRef = RGB(255, 255, 255);
constexpr COLORREF kSentinel = RGB(1, 2, 3);

// The control on a hidden form, 200 x 100 pixels: twice the test movie's stage.
struct Stage {
    Stage() : flash{form.Create<TShockwaveFlash>()} {
        form.SetBounds(0, 0, 320, 240);
        flash.SetBounds(0, 0, 200, 100);
        flash.SetParent(&form);
    }
    // The control's painting of its window, into a DIB the size of the control.
    void PaintInto(DibSection& dib) {
        dib.Fill(kSentinel);
        ::SendMessageW(flash.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
        ::GdiFlush();
    }
    TForm form;
    TShockwaveFlash& flash;
};

}  // namespace

TEST(ShockwaveFlash, StartsInItsStoredStateAndRefusesPresentationsItCannotGive) {
    TShockwaveFlash flash;
    EXPECT_EQ(GetStrProp(&flash, u"WMode"), u"Window");
    EXPECT_EQ(GetStrProp(&flash, u"Quality"), u"High");
    EXPECT_EQ(GetStrProp(&flash, u"ScaleMode"), u"ShowAll");
    EXPECT_EQ(GetEnumProp(&flash, u"Playing"), u"True");
    EXPECT_EQ(GetEnumProp(&flash, u"Loop"), u"True");
    EXPECT_EQ(GetStrProp(&flash, u"Movie"), u"");
    EXPECT_FALSE(flash.HasMovie());

    EXPECT_TRUE(SetStrProp(&flash, u"scalemode", u"showall"));
    EXPECT_EQ(flash.ScaleMode(), L"ShowAll");  // kept in its stored spelling
    EXPECT_THROW(SetStrProp(&flash, u"ScaleMode", u"NoBorder"), EConvertError);
    EXPECT_THROW(SetStrProp(&flash, u"Quality", u"Low"), EConvertError);
    EXPECT_THROW(SetStrProp(&flash, u"WMode", u"Transparent"), EConvertError);
    EXPECT_EQ(flash.Quality(), L"High");
    EXPECT_EQ(flash.WMode(), L"Window");
}

TEST(ShockwaveFlash, PlaysItsMovieInItsOwnWindowScaledToShowAll) {
    const std::wstring path = TempFile(L"kestrelle-control.swf");
    WriteBytes(path, ThreeFrames());
    Stage stage;
    // Set before the control has a window: loaded now, played once the window exists.
    stage.flash.SetMovie(path);
    ASSERT_TRUE(stage.flash.HasMovie());
    EXPECT_EQ(stage.flash.Movie(), path);
    EXPECT_EQ(stage.flash.FrameCount(), 3u);
    EXPECT_TRUE(stage.flash.Playing());

    stage.flash.HandleNeeded();
    EXPECT_TRUE(PumpUntil([&] { return stage.flash.CurrentFrame() == 2; }));
    EXPECT_TRUE(PumpUntil([&] { return stage.flash.CurrentFrame() == 0; }));  // looping

    // A window made anew takes the timeline with it.
    stage.flash.RecreateWnd();
    stage.flash.HandleNeeded();
    EXPECT_TRUE(PumpUntil([&] { return stage.flash.CurrentFrame() == 1; }));

    // Loading again starts at the first frame; StopPlay holds it there.
    stage.flash.SetMovie(path);
    stage.flash.StopPlay();
    EXPECT_FALSE(stage.flash.Playing());
    EXPECT_EQ(stage.flash.CurrentFrame(), 0u);
    DibSection first{200, 100};
    stage.PaintInto(first);
    EXPECT_TRUE(first.AllEqual({22, 22, 78, 78}, kRedRef));
    EXPECT_TRUE(first.AllEqual({122, 22, 178, 78}, kWhiteRef));
    EXPECT_TRUE(first.AllEqual({0, 0, 200, 18}, kWhiteRef));  // the stage's background fills the control

    stage.flash.Advance();
    DibSection second{200, 100};
    stage.PaintInto(second);
    EXPECT_TRUE(second.AllEqual({122, 22, 178, 78}, kGreenRef));
    EXPECT_TRUE(second.AllEqual({22, 22, 78, 78}, kWhiteRef));

    stage.flash.Play();
    EXPECT_TRUE(PumpUntil([&] { return stage.flash.CurrentFrame() == 0; }));
    ::DeleteFileW(path.c_str());
}

TEST(ShockwaveFlash, AMovieThatCannotBeReadLeavesAnEmptyPlayerWithoutThrowing) {
    const std::wstring good = TempFile(L"kestrelle-control-good.swf");
    const std::wstring bad = TempFile(L"kestrelle-control-bad.swf");
    WriteBytes(good, ThreeFrames());
    auto truncated = ThreeFrames();
    truncated.resize(truncated.size() - 9);
    Stage stage;
    stage.flash.HandleNeeded();

    const std::vector<std::vector<uint8_t>> contents = {{}, {'F', 'W', 'S'}, {'M', 'Z', 0x90, 0, 3}, truncated};
    for (const auto& bytes : contents) {
        stage.flash.SetMovie(good);
        ASSERT_TRUE(stage.flash.HasMovie());
        WriteBytes(bad, bytes);
        stage.flash.StopPlay();
        EXPECT_NO_THROW(stage.flash.SetMovie(bad));
        stage.flash.Play();  // nothing to play
        EXPECT_FALSE(stage.flash.HasMovie()) << bytes.size();
        EXPECT_EQ(stage.flash.FrameCount(), 0u);
        EXPECT_FALSE(stage.flash.LastError().empty());
        DibSection empty{200, 100};
        stage.PaintInto(empty);
        EXPECT_TRUE(empty.AllEqual({0, 0, 200, 100}, ::GetSysColor(COLOR_WINDOW)));
    }
    EXPECT_NO_THROW(stage.flash.SetMovie(TempFile(L"kestrelle-no-such-movie.swf")));
    EXPECT_FALSE(stage.flash.HasMovie());

    // The next good movie plays as if nothing had happened.
    stage.flash.SetMovie(good);
    EXPECT_TRUE(stage.flash.LastError().empty());
    EXPECT_TRUE(PumpUntil([&] { return stage.flash.CurrentFrame() == 2; }));
    stage.flash.SetMovie(L"");
    EXPECT_FALSE(stage.flash.HasMovie());
    ::DeleteFileW(good.c_str());
    ::DeleteFileW(bad.c_str());
}

TEST(ShockwaveFlash, ItsWindowPassesTheMouseToTheMoviesButtons) {
    // One frame-stopping button over the left half of the stage; a click on it steps on.
    SwfWriter writer{{0, 2000, 0, 1000}, 50};
    writer.DefineShape(1, RectShape(0, 0, 1000, 1000, {255, 0, 0}));
    SwfButton button = ShapeButton(2, 1, 1, 1, 1);
    button.actions = {{kOverDownToOverUp, {SwfAction{SwfActionCode::NextFrame, 0, {}}}}};
    writer.DefineButton2(button);
    writer.PlaceObject2(NewPlace(1, 2));
    writer.DoAction({SwfAction{SwfActionCode::Stop, 0, {}}});
    writer.ShowFrame();
    writer.DoAction({SwfAction{SwfActionCode::Stop, 0, {}}});
    writer.ShowFrame();
    const std::wstring path = TempFile(L"kestrelle-control-button.swf");
    WriteBytes(path, writer.Finish());
    Stage stage;
    stage.flash.SetMovie(path);
    stage.flash.HandleNeeded();
    PumpUntil([] { return false; });  // the first frame's own action holds it
    ASSERT_EQ(stage.flash.CurrentFrame(), 0u);
    const HWND window = stage.flash.Handle();

    // A click on the right half misses the button.
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(150, 50));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
    EXPECT_EQ(stage.flash.CurrentFrame(), 0u);

    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(::GetCapture(), window);  // held on the button, the release is ours wherever it comes
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    EXPECT_EQ(stage.flash.CurrentFrame(), 1u);
    EXPECT_NE(::GetCapture(), window);
    ::DeleteFileW(path.c_str());
}
