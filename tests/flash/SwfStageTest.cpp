// Buttons, actions and frame labels: how they are read, and how a running stage
// answers its timer and the pointer.

#include "flash/SwfError.h"
#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfStage.h"
#include "flash/authoring/SwfWriter.h"
#include "tests/flash/SwfTestMovies.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Code = SwfActionCode;
SwfAction Act(Code code) { return {code, 0, {}}; }
SwfAction Goto(uint16_t frame) { return {Code::GotoFrame, frame, {}}; }
SwfAction Label(const char* label, Code code = Code::GotoLabel) { return {code, 0, label}; }

std::shared_ptr<const SwfMovie> Parse(const std::vector<uint8_t>& bytes) {
    return std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
}

// Two buttons on a 200 x 150 pixel stage. Button 10 (depth 5) is a 50-pixel square
// at (50, 50) that is hit only in its top-left quarter; button 11 (depth 6) is the
// same at (70, 50), over it. Button 10 stops the sounds and says sound 20 on a
// press, and goes to "next" and plays on a click. Frame 1 is "next", without button 11.
std::vector<uint8_t> ButtonMovie() {
    SwfWriter writer{{0, 4000, 0, 3000}, 12};
    writer.SetBackground({255, 255, 255});
    writer.DefineShape(1, RectShape(0, 0, 1000, 1000, {255, 0, 0}));
    writer.DefineShape(2, RectShape(0, 0, 1000, 1000, {0, 255, 0}));
    writer.DefineShape(3, RectShape(0, 0, 1000, 1000, {0, 0, 255}));
    writer.DefineShape(4, RectShape(0, 0, 500, 500, {0, 0, 0}));
    const std::vector<int16_t> samples(100, 1000);
    writer.DefineSound(20, SwfSoundFormat::PcmLittleEndian, 2, true, 1, 100,
                       {reinterpret_cast<const uint8_t*>(samples.data()), samples.size() * 2});
    SwfButton button = ShapeButton(10, 1, 2, 3, 4);
    button.actions = {{kOverUpToOverDown, {Act(Code::StopSounds)}},
                      {kOverDownToOverUp | kOverDownToIdle, {Label("NEXT"), Act(Code::Play)}}};
    writer.DefineButton2(button);
    writer.DefineButtonSound(10, {SwfButtonSound{}, SwfButtonSound{}, SwfButtonSound{20, {}}, SwfButtonSound{}});
    writer.DefineButton2(ShapeButton(11, 1, 2, 3, 4));
    writer.PlaceObject2(NewPlace(5, 10, Translate(1000, 1000)));
    writer.PlaceObject2(NewPlace(6, 11, Translate(1400, 1000)));
    writer.DoAction({Act(Code::Stop)});
    writer.ShowFrame();
    writer.FrameLabel("next");
    writer.RemoveObject2(6);
    writer.DoAction({Act(Code::Stop)});
    writer.ShowFrame();
    return writer.Finish();
}

TEST(SwfButtons, ButtonsActionsSoundsAndLabelsReadBackAsWritten) {
    const auto movie = Parse(ButtonMovie());
    EXPECT_EQ(movie->ButtonCount(), 2u);
    EXPECT_EQ(movie->SoundCount(), 1u);
    EXPECT_EQ(movie->MalformedTags(), 0u);
    const SwfButton* button = movie->FindButton(10);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->records, ShapeButton(10, 1, 2, 3, 4).records);
    ASSERT_EQ(button->actions.size(), 2u);
    EXPECT_EQ(button->actions[1].conditions, kOverDownToOverUp | kOverDownToIdle);
    EXPECT_EQ(button->actions[1].actions, (SwfActions{Label("NEXT"), Act(Code::Play)}));
    EXPECT_EQ(button->sounds[2].sound, 20);
    EXPECT_EQ(button->sounds[0].sound, 0);
    EXPECT_EQ(movie->FindLabel("Next"), 1u);
    EXPECT_FALSE(movie->FindLabel("nex"));
    EXPECT_EQ(movie->Frame(0).actions, (SwfActions{Act(Code::Stop)}));

    // Records come out by depth, whatever order they were stored in; actions the
    // player does not run (here a push and a call) are left out.
    SwfWriter writer{{0, 200, 0, 200}, 12};
    SwfButton shuffled = ShapeButton(1, 0, 0, 0, 0);
    std::swap(shuffled.records[0], shuffled.records[3]);
    writer.DefineButton2(shuffled);
    const uint8_t mixed[] = {0x96, 3, 0, 0, 'a', 0, 0x0A, 0x07, 0x81, 2, 0, 9, 0, 0};
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DoAction), mixed);
    writer.ShowFrame();
    const auto other = Parse(writer.Finish());
    EXPECT_EQ(other->FindButton(1)->records[0].depth, 1);
    EXPECT_EQ(other->Frame(0).actions, (SwfActions{Act(Code::Stop), Goto(9)}));
}

TEST(SwfButtons, MalformedRecordsAreDroppedAndTheMovieStillPlays) {
    SwfWriter writer{{0, 200, 0, 200}, 12};
    writer.DefineShape(1, RectShape(0, 0, 100, 100, {255, 0, 0}));
    const uint8_t cutButton[] = {5, 0, 0, 0, 0, 0x0F, 1, 0};       // record ends inside its character id
    const uint8_t strayAction[] = {0x81, 9, 0, 1};                 // body longer than the tag
    const uint8_t shortCondition[] = {6, 0, 0, 3, 0, 0, 3, 0};     // condition record of size 3
    const uint8_t nobodysSound[] = {77, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // no button 77
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DefineButton2), cutButton);
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DoAction), strayAction);
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DefineButton2), shortCondition);
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DefineButtonSound), nobodysSound);
    writer.Tag(static_cast<uint16_t>(SwfTagCode::StartSound), {});
    writer.PlaceObject2(NewPlace(1, 1));
    writer.ShowFrame();
    const auto movie = Parse(writer.Finish());
    EXPECT_EQ(movie->MalformedTags(), 5u);
    EXPECT_EQ(movie->ButtonCount(), 0u);
    EXPECT_TRUE(movie->Frame(0).actions.empty());
    EXPECT_EQ(movie->FindShape(1)->id, 1);
    SwfStage stage{movie};
    stage.Play();
    stage.Tick();
    EXPECT_EQ(stage.CurrentFrame(), 0u);

    // The action budget bounds what a movie of tiny records can make the player hold.
    SwfWriter many{{0, 200, 0, 200}, 12};
    many.DoAction(SwfActions(50, Act(Code::Play)));
    many.ShowFrame();
    SwfLimits limits;
    limits.maxActions = 49;
    EXPECT_EQ(SwfMovie::Parse(many.Finish(), limits).MalformedTags(), 1u);
}

// Six frames: 1 stops, 3 goes back to "Loop" (frame 2), 4 steps on to 5, which
// stops the sounds; frames 0 and 5 start sound 1.
std::vector<uint8_t> ActionMovie() {
    SwfWriter writer{{0, 200, 0, 200}, 12};
    const uint8_t silence[4] = {};
    writer.DefineSound(1, SwfSoundFormat::PcmLittleEndian, 2, true, 1, 2, silence);
    writer.StartSound(1);
    writer.ShowFrame();
    writer.DoAction({Act(Code::Stop)});
    writer.ShowFrame();
    writer.FrameLabel("Loop");
    writer.ShowFrame();
    writer.DoAction({Label("loop")});
    writer.ShowFrame();
    writer.DoAction({Act(Code::NextFrame)});
    writer.ShowFrame();
    writer.StartSound(1);
    writer.DoAction({Label("other", Code::SetTarget), Act(Code::Stop), Label("", Code::SetTarget), Act(Code::StopSounds)});
    writer.ShowFrame();
    return writer.Finish();
}

TEST(SwfStage, FrameActionsStopJumpAndStep) {
    SwfStage stage{Parse(ActionMovie())};
    EXPECT_TRUE(stage.TakeSoundRequests().empty());  // nothing runs before play
    stage.Play();
    ASSERT_EQ(stage.TakeSoundRequests().size(), 1u);  // frame 0's sound
    stage.Tick();
    EXPECT_EQ(stage.CurrentFrame(), 1u);
    EXPECT_FALSE(stage.IsPlaying());
    stage.Tick();
    EXPECT_EQ(stage.CurrentFrame(), 1u);

    stage.Play();
    stage.Tick();
    stage.Tick();  // frame 3 sends it back to frame 2, still playing
    EXPECT_EQ(stage.CurrentFrame(), 2u);
    EXPECT_TRUE(stage.IsPlaying());

    stage.GotoFrame(4);  // steps on to frame 5 and stops there; the stop for another target is ignored
    EXPECT_EQ(stage.CurrentFrame(), 5u);
    EXPECT_FALSE(stage.IsPlaying());
    const auto requests = stage.TakeSoundRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].kind, SwfSoundRequest::Kind::Start);
    EXPECT_EQ(requests[1].kind, SwfSoundRequest::Kind::StopAll);

    stage.SetLoop(false);
    stage.Play();
    stage.Tick();  // the last frame: no loop, so it stops where it is
    EXPECT_EQ(stage.CurrentFrame(), 5u);
    EXPECT_FALSE(stage.IsPlaying());
    stage.SetLoop(true);
    stage.Play();
    stage.Tick();
    EXPECT_EQ(stage.CurrentFrame(), 0u);
}

TEST(SwfStage, FramesThatJumpToEachOtherDoNotHang) {
    SwfWriter writer{{0, 200, 0, 200}, 12};
    const uint8_t silence[2] = {};
    writer.DefineSound(1, SwfSoundFormat::PcmLittleEndian, 2, true, 1, 1, silence);
    writer.StartSound(1);
    writer.DoAction({Goto(1)});
    writer.ShowFrame();
    writer.DoAction({Goto(0)});
    writer.ShowFrame();
    SwfStage stage{Parse(writer.Finish())};
    stage.Play();
    stage.Tick();
    EXPECT_LE(stage.TakeSoundRequests().size(), 64u);
}

TEST(SwfStage, PointerHoversPressesAndClicksButtons) {
    const auto movie = Parse(ButtonMovie());
    SwfStage stage{movie};
    stage.Play();
    EXPECT_FALSE(stage.IsPlaying());
    const auto stateAt = [&](uint16_t depth) { return stage.Timeline().DisplayList().at(depth).buttonState; };

    stage.PointerMove(1100, 1100, false);
    EXPECT_EQ(stage.HotButton(), 5);
    EXPECT_EQ(stateAt(5), SwfButtonState::Over);
    stage.PointerMove(1800, 1700, false);  // on the up shape but off the hit area
    EXPECT_FALSE(stage.HotButton());
    EXPECT_EQ(stateAt(5), SwfButtonState::Up);
    stage.PointerMove(1450, 1100, false);  // both hit areas: the upper button takes it
    EXPECT_EQ(stage.HotButton(), 6);

    // Rendered, the hovered button shows its over state and the other its up state.
    std::vector<uint32_t> pixels(200 * 150);
    SwfRenderer renderer;
    ASSERT_TRUE(renderer.Render(*movie, stage.Timeline().DisplayList(), PixelView(200, 150, 200, pixels)));
    EXPECT_EQ(pixels[75 * 200 + 55], 0xFFFF0000u);   // button 10, up: red
    EXPECT_EQ(pixels[75 * 200 + 115], 0xFF00FF00u);  // button 11, over: green

    // Dragged off before the release: no click.
    stage.TakeSoundRequests();
    stage.PointerDown(1100, 1100);
    EXPECT_EQ(stateAt(5), SwfButtonState::Down);
    const auto pressed = stage.TakeSoundRequests();
    ASSERT_EQ(pressed.size(), 2u);
    EXPECT_EQ(pressed[0].kind, SwfSoundRequest::Kind::StopAll);  // the press's actions come first
    EXPECT_EQ(pressed[1].sound, 20);
    stage.PointerMove(3000, 2500, true);
    EXPECT_EQ(stateAt(5), SwfButtonState::Up);
    stage.PointerUp(3000, 2500);
    EXPECT_EQ(stage.CurrentFrame(), 0u);
    EXPECT_FALSE(stage.IsPressing());

    // A click: the release runs the button's actions; frame 1 stops again.
    stage.PointerDown(1100, 1100);
    stage.PointerUp(1100, 1100);
    EXPECT_EQ(stage.CurrentFrame(), 1u);
    EXPECT_FALSE(stage.IsPlaying());
    EXPECT_EQ(stage.HotButton(), 5);
    EXPECT_EQ(stateAt(5), SwfButtonState::Over);
    EXPECT_EQ(stage.Timeline().DisplayList().count(6), 0u);

    // Going back builds the display list afresh; the pointer's button lights up again.
    stage.GotoFrame(0);
    EXPECT_EQ(stateAt(5), SwfButtonState::Over);
    stage.PointerLeave();
    EXPECT_FALSE(stage.HotButton());
    EXPECT_EQ(stateAt(5), SwfButtonState::Up);
}

// The player's window is wider or taller than the stage it shows; beside the stage
// nothing is drawn, so a button whose hit area reaches past the edge is not under the
// pointer there.
TEST(SwfStage, APointerOffTheStageIsOverNoButton) {
    SwfWriter writer{{0, 2000, 0, 1000}, 12};
    writer.DefineShape(1, RectShape(0, 0, 1000, 1000, {255, 0, 0}));
    writer.DefineButton2(ShapeButton(10, 1, 1, 1, 1));
    writer.PlaceObject2(NewPlace(5, 10, Translate(1500, 500)));  // x 1500..2500, y 500..1500
    writer.DoAction({Act(Code::Stop)});
    writer.ShowFrame();
    SwfStage stage{Parse(writer.Finish())};
    stage.Play();
    const auto state = [&] { return stage.Timeline().DisplayList().at(5).buttonState; };

    stage.PointerMove(1900, 900, false);
    EXPECT_EQ(stage.HotButton(), 5);
    for (const auto& [x, y] : {std::pair{2100.0, 900.0}, {1900.0, 1100.0}, {2000.0, 900.0}, {1900.0, 1000.0}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        stage.PointerMove(1900, 900, false);
        stage.PointerMove(x, y, false);
        EXPECT_FALSE(stage.HotButton());
        EXPECT_EQ(state(), SwfButtonState::Up);
        EXPECT_FALSE(stage.ButtonUnder(x, y));
    }

    // A press dragged off the stage is off its button; released there, it is no click.
    stage.PointerDown(1900, 900);
    EXPECT_EQ(state(), SwfButtonState::Down);
    stage.PointerMove(2100, 900, true);
    EXPECT_EQ(state(), SwfButtonState::Up);
    stage.PointerUp(2100, 900);
    EXPECT_FALSE(stage.IsPressing());
    EXPECT_FALSE(stage.HotButton());
}

}  // namespace
