#include "flash/MoviePlayer.h"

#include "flash/authoring/SwfWriter.h"
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

// A hidden host window that paints through the player, as the framework control will.
class Host {
public:
    Host() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MoviePlayerTestHost";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                     wc.hInstance, nullptr);
    }
    ~Host() { ::DestroyWindow(m_window); }
    HWND Window() const { return m_window; }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) noexcept {
        if (m == WM_PAINT) {
            PaintScope paint{w};  // the tests paint into their own DIBs
            return 0;
        }
        return ::DefWindowProcW(w, m, wp, lp);
    }
    HWND m_window = nullptr;
};

TEST(MoviePlayer, PaintsTheCurrentFrameScaledIntoTheArea) {
    const std::wstring path = TempFile(L"kestrelle-player.swf");
    WriteBytes(path, ThreeFrames());
    Host host;
    MoviePlayer player{host.Window()};
    ASSERT_TRUE(player.Load(path)) << std::string(player.LastError().begin(), player.LastError().end());
    EXPECT_EQ(player.FrameCount(), 3u);
    EXPECT_EQ(player.FrameInterval(), 20u);

    // 200 x 100 area, offset by (10, 20) in a larger DIB: the stage scales by 2.
    DibSection dib{220, 130};
    dib.Fill(RGB(1, 2, 3));
    ASSERT_TRUE(player.Paint(dib.Dc(), {10, 20, 210, 120}));
    ::GdiFlush();
    EXPECT_TRUE(dib.AllEqual({10 + 20, 20 + 20, 10 + 44, 20 + 44}, kRedRef));
    EXPECT_TRUE(dib.AllEqual({10 + 130, 20 + 20, 10 + 160, 20 + 44}, kWhiteRef));
    EXPECT_TRUE(dib.AllEqual({0, 0, 220, 20}, RGB(1, 2, 3)));  // nothing outside the area

    player.Advance();
    ASSERT_TRUE(player.Paint(dib.Dc(), {10, 20, 210, 120}));
    ::GdiFlush();
    EXPECT_TRUE(dib.AllEqual({10 + 124, 20 + 20, 10 + 164, 20 + 44}, kGreenRef));
    EXPECT_TRUE(dib.AllEqual({10 + 20, 20 + 20, 10 + 44, 20 + 44}, kWhiteRef));
    ::DeleteFileW(path.c_str());
}

TEST(MoviePlayer, RunsOnItsTimerAndLoops) {
    const std::wstring path = TempFile(L"kestrelle-timer.swf");
    WriteBytes(path, ThreeFrames());
    Host host;
    MoviePlayer player{host.Window()};
    ASSERT_TRUE(player.Load(path));
    // The file is read whole and released: it can go while the movie plays.
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
    player.Play();
    ASSERT_TRUE(player.IsPlaying());
    EXPECT_TRUE(PumpUntil([&] { return player.CurrentFrame() == 2; }));
    EXPECT_TRUE(PumpUntil([&] { return player.CurrentFrame() == 0; }));  // looped
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());

    player.SetLoop(false);
    player.Play();
    EXPECT_TRUE(PumpUntil([&] { return !player.IsPlaying(); }));  // stops on the last frame
    EXPECT_EQ(player.CurrentFrame(), 2u);
}

TEST(MoviePlayer, BadFilesLeaveAnEmptyPlayer) {
    Host host;
    MoviePlayer player{host.Window()};
    const std::wstring good = TempFile(L"kestrelle-good.swf");
    WriteBytes(good, ThreeFrames());
    ASSERT_TRUE(player.Load(good));
    player.Play();

    auto truncated = ThreeFrames();
    truncated.resize(truncated.size() / 2);
    auto wrongLength = ThreeFrames();
    wrongLength[5] = 0x10;
    const std::vector<std::vector<uint8_t>> bad = {{}, {'M', 'Z', 0x90, 0}, truncated, wrongLength};
    const std::wstring path = TempFile(L"kestrelle-bad.swf");
    for (const auto& bytes : bad) {
        WriteBytes(path, bytes);
        EXPECT_FALSE(player.Load(path));
        EXPECT_FALSE(player.LastError().empty());
        EXPECT_FALSE(player.HasMovie());
        EXPECT_FALSE(player.IsPlaying());  // the old movie stopped too
        player.Play();                     // nothing to play
        EXPECT_FALSE(player.IsPlaying());
        DibSection dib{50, 40};
        dib.Fill(RGB(1, 2, 3));
        EXPECT_TRUE(player.Paint(dib.Dc(), {0, 0, 50, 40}));
        ::GdiFlush();
        EXPECT_TRUE(dib.AllEqual({0, 0, 50, 40}, ::GetSysColor(COLOR_WINDOW)));
    }
    EXPECT_FALSE(player.Load(TempFile(L"kestrelle-missing-movie.swf")));
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(good.c_str());
}

}  // namespace
