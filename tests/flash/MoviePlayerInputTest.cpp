// A lesson in a running player under the real mouse (SendInput on the shared display):
// the pointer over a button shows a hand, a click on a symbol says it, and the
// movie's own buttons turn its pages.

#include "flash/MoviePlayer.h"
#include "tests/flash/LessonBytes.h"
#include "tests/flash/PlayerHost.h"
#include "tests/support/RealMouse.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

class LessonUnderTheMouse : public ::testing::Test {
protected:
    static constexpr int kLeft = 40, kTop = 30, kWidth = 810, kHeight = 660;  // the 540 x 440 stage at 1.5 times
    PlayerHost host{kLeft, kTop, kWidth, kHeight, true};
    WaveLog log;
    MoviePlayer player{host.Window(), LogTo(log)};
    std::wstring path;

    void SetUp() override {
        MoveTo({5, 5});  // away from the window first
        host.Attach(&player);
        path = WriteTempMovie(L"kestrelle-lesson-c.swf", LessonBytes('C'));
        ASSERT_TRUE(player.Load(path));
        player.Play();
        ASSERT_TRUE(host.PumpUntil([&] { return !player.IsPlaying(); }));  // the first page waits
    }
    void TearDown() override {
        host.Attach(nullptr);
        ::DeleteFileW(path.c_str());
    }

    const SwfPlacedObject* Find(const std::string& name) const {
        for (const auto& [depth, object] : player.Stage().Timeline().DisplayList())
            if (object.name == name) return &object;
        return nullptr;
    }

    // The screen point over the middle of a button's hit area.
    POINT ScreenPointOf(const SwfPlacedObject& object) const {
        const SwfMovie& movie = *player.Stage().Movie();
        const SwfButton* button = movie.FindButton(object.character);
        const SwfMatrix toView = ShowAllViewport(movie.FrameSize(), kWidth, kHeight).stageToView;
        for (const auto& record : button->records) {
            const SwfShape* hit = record.hitTest ? movie.FindShape(record.character) : nullptr;
            if (!hit) continue;
            const double x = (hit->bounds.xMin + hit->bounds.xMax) / 2.0, y = (hit->bounds.yMin + hit->bounds.yMax) / 2.0;
            const SwfMatrix m = record.matrix.Then(object.matrix).Then(toView);
            POINT p{static_cast<LONG>(m.MapX(x, y)), static_cast<LONG>(m.MapY(x, y))};
            ::ClientToScreen(host.Window(), &p);
            return p;
        }
        return {0, 0};
    }

    const SwfSound* PressSound(const SwfPlacedObject& object) const {
        const SwfMovie& movie = *player.Stage().Movie();
        return movie.FindSound(movie.FindButton(object.character)->sounds[2].sound);
    }

    void Click(POINT at) {
        MoveTo(at);
        host.PumpUntil([] { return false; }, 150);
        Button(MOUSEEVENTF_LEFTDOWN);
        host.PumpUntil([] { return false; }, 100);
        Button(MOUSEEVENTF_LEFTUP);
    }
};

TEST_F(LessonUnderTheMouse, AClickOnTheSymbolSaysItsSound) {
    const SwfPlacedObject* say = Find("say:i");
    ASSERT_NE(say, nullptr);
    const SwfSound* sound = PressSound(*say);
    ASSERT_NE(sound, nullptr);
    const int opened = log.opens;

    MoveTo(ScreenPointOf(*say));
    ASSERT_TRUE(host.PumpUntil([&] { return player.Stage().HotButton().has_value(); }));
    host.PumpUntil([] { return false; }, 100);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    Click(ScreenPointOf(*say));
    ASSERT_TRUE(host.PumpUntil([&] { return log.opens > opened && log.stream.size() >= 2000; }));
    // The press stopped the page's own greeting and started the symbol's sound afresh:
    // its samples, on both channels.
    for (size_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(log.stream[2 * i], sound->samples[i]) << i;
        ASSERT_EQ(log.stream[2 * i + 1], sound->samples[i]) << i;
    }
    EXPECT_EQ(player.CurrentFrame(), 5u);  // a symbol's button does not turn the page
}

TEST_F(LessonUnderTheMouse, TheNextButtonTurnsThePageAndTheWordsSpeak) {
    const SwfPlacedObject* next = Find("next");
    ASSERT_NE(next, nullptr);
    Click(ScreenPointOf(*next));
    ASSERT_TRUE(host.PumpUntil([&] { return Find("say:ɪ") != nullptr && !player.IsPlaying(); }));
    EXPECT_EQ(player.CurrentFrame(), 11u);

    const SwfPlacedObject* word = Find("word:sit");
    ASSERT_NE(word, nullptr);
    const SwfSound* sound = PressSound(*word);
    const int opened = log.opens;
    Click(ScreenPointOf(*word));
    ASSERT_TRUE(host.PumpUntil([&] { return log.opens > opened && log.stream.size() >= 200; }));
    EXPECT_EQ(log.stream[100], sound->samples[50]);
}

}  // namespace
