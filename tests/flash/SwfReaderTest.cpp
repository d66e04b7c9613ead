#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"
#include "flash/SwfMovie.h"
#include "flash/SwfTimeline.h"
#include "flash/authoring/SwfWriter.h"
#include "tests/flash/SwfTestMovies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

std::vector<uint8_t> TwoFrameMovie() {
    SwfWriter writer{{0, 4000, 0, 3000}, 12};
    writer.SetBackground({10, 20, 30});
    writer.DefineShape(1, RectShape(0, 0, 200, 200, {255, 0, 0}), 1);
    writer.DefineShape(2, RectShape(0, 0, 100, 100, {0, 0, 255, 128}), 3);
    writer.PlaceObject2(NewPlace(1, 1));
    writer.ShowFrame();
    const uint8_t unknown[] = {1, 2, 3};
    writer.Tag(777, unknown);
    writer.PlaceObject2(NewPlace(2, 2, Translate(40, 60)));
    writer.ShowFrame();
    return writer.Finish();
}

TEST(SwfBitReader, ReadsFieldsAcrossBytesAndChecksTheEnd) {
    const uint8_t bytes[] = {0b1011'0011, 0b1100'0000, 0x34, 0x12};
    SwfBitReader in{bytes};
    EXPECT_EQ(in.UB(3), 0b101u);
    EXPECT_EQ(in.SB(7), -49);  // 1001111 in two's complement
    in.Align();               // skips the six unread bits of the second byte
    EXPECT_EQ(in.U16(), 0x1234);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.SB(0), 0);
    EXPECT_THROW(in.UB(1), ESwfError);
    SwfBitReader wide{bytes};
    EXPECT_THROW(wide.UB(33), ESwfError);
    EXPECT_EQ(SwfBitReader{bytes}.U32(), 0x1234C0B3u);
}

// A value cut to its field would read back as another (a step index of 70 in 6 bits
// is 6): the writer refuses it and writes nothing of it.
TEST(SwfBitWriter, AValueThatDoesNotFitItsFieldIsRefused) {
    SwfBitWriter out;
    out.UB(0b101, 3);
    EXPECT_THROW(out.UB(70, 6), ESwfError);
    EXPECT_THROW(out.UB(64, 6), ESwfError);
    EXPECT_THROW(out.UB(1, 0), ESwfError);
    EXPECT_THROW(out.UB(0, 33), ESwfError);
    EXPECT_THROW(out.SB(32, 6), ESwfError);
    EXPECT_THROW(out.SB(-33, 6), ESwfError);
    EXPECT_THROW(out.SB(-1, 0), ESwfError);
    out.UB(63, 6);
    out.SB(-32, 6);
    out.SB(31, 6);
    out.UB(0, 0);
    out.SB(0, 0);
    out.UB(0xFFFFFFFFu, 32);
    out.SB(INT32_MIN, 32);
    SwfBitReader in{out.Data()};
    EXPECT_EQ(in.UB(3), 0b101u);  // the refused values left no bits behind
    EXPECT_EQ(in.UB(6), 63u);
    EXPECT_EQ(in.SB(6), -32);
    EXPECT_EQ(in.SB(6), 31);
    EXPECT_EQ(in.UB(32), 0xFFFFFFFFu);
    EXPECT_EQ(in.SB(32), INT32_MIN);

    // Records whose own counts do not fit: a rectangle needing 32-bit coordinates (its
    // 5-bit size field holds 31 at most), a style index beyond the shape's styles.
    SwfBitWriter rect;
    EXPECT_THROW(WriteRect(rect, {INT32_MIN, 0, 0, 0}), ESwfError);
    SwfShapeBuilder shape;
    shape.AddFill({255, 0, 0});
    shape.MoveTo(0, 0);
    shape.SetStyles(0, 2, 0);
    shape.LineTo(100, 0);
    EXPECT_THROW((void)shape.Body(1, 3), ESwfError);
}

TEST(SwfRecords, MatrixAndColourTransformSurviveWriteAndRead) {
    const SwfMatrix matrix{1.5, -0.25, 0.5, -2, -1234, 56789};
    SwfColourTransform colours;
    colours.multA = 128;
    colours.addR = -255;
    colours.addB = 17;
    for (const bool withAlpha : {false, true}) {
        SwfBitWriter out;
        WriteMatrix(out, matrix);
        WriteColourTransform(out, colours, withAlpha);
        WriteRect(out, {-20, 13000, 0, 8000});
        SwfBitReader in{out.Data()};
        EXPECT_EQ(ReadMatrix(in), matrix);
        const SwfColourTransform back = ReadColourTransform(in, withAlpha);
        EXPECT_EQ(back.addR, -255);
        EXPECT_EQ(back.addB, 17);
        EXPECT_EQ(back.multA, withAlpha ? 128 : 256);
        EXPECT_EQ(ReadRect(in), (SwfRect{-20, 13000, 0, 8000}));
        EXPECT_TRUE(in.AtEnd());
    }
    const SwfRgba half = colours.Apply({200, 100, 50, 255});
    EXPECT_EQ(half, (SwfRgba{0, 100, 67, 127}));
}

TEST(SwfShape, EdgesAndStylesReadBackAsWritten) {
    SwfShapeBuilder builder;
    const uint16_t red = builder.AddFill({255, 0, 0});
    const uint16_t green = builder.AddFill({0, 255, 0});
    const uint16_t line = builder.AddLine(40, {0, 0, 0});
    builder.MoveTo(100, 100);
    builder.SetStyles(red, green, line);
    builder.LineTo(300, 100);             // horizontal
    builder.LineTo(300, 200);             // vertical
    builder.CurveTo(200, 300, 100, 200);  // curved
    builder.SetStyles(0, red, 0);
    builder.LineTo(100, 100);               // general, after a style change
    builder.LineTo(100 + 200000, 100);      // longer than one record: split in four
    for (const int version : {1, 2, 3}) {
        const auto body = builder.Body(7, version);
        SwfBitReader in{body};
        const SwfShape shape = ReadShape(in, version, 100);
        ASSERT_EQ(shape.groups.size(), 1u);
        const auto& group = shape.groups[0];
        ASSERT_EQ(group.fills.size(), 2u);
        EXPECT_EQ(group.fills[1].colour, (SwfRgba{0, 255, 0}));
        ASSERT_EQ(group.lines.size(), 1u);
        EXPECT_EQ(group.lines[0].width, 40);
        ASSERT_EQ(group.edges.size(), 8u);
        EXPECT_EQ(group.edges[0].from, (SwfPoint{100, 100}));
        EXPECT_EQ(group.edges[1].to, (SwfPoint{300, 200}));
        EXPECT_TRUE(group.edges[2].curved);
        EXPECT_EQ(group.edges[2].control, (SwfPoint{200, 300}));
        EXPECT_EQ(group.edges[2].fill1, green);
        EXPECT_EQ(group.edges[3].fill0, 0);
        EXPECT_EQ(group.edges[3].line, 0);
        EXPECT_EQ(group.edges[3].to, (SwfPoint{100, 100}));
        EXPECT_EQ(group.edges[7].to, (SwfPoint{200100, 100}));
        EXPECT_EQ(shape.id, 7);
    }
}

TEST(SwfShape, HostileShapeRecordsAreContained) {
    // Style indices past the arrays select nothing; edge counts are capped.
    SwfShapeBuilder builder;
    builder.AddFill({1, 2, 3});
    builder.MoveTo(0, 0);
    builder.SetStyles(1, 1, 0);
    for (int i = 0; i < 10; ++i) builder.LineTo(i * 10, 10 - i % 2 * 10);
    auto body = builder.Body(1, 2);
    {
        SwfBitReader in{body};
        EXPECT_THROW(ReadShape(in, 2, 5), ESwfError);
    }
    // A fill count of 200 with only a few bytes behind it.
    const uint8_t truncated[] = {1, 0, 0x00, 200, 0x00, 1, 2};
    SwfBitReader in{truncated};
    EXPECT_THROW(ReadShape(in, 1, 100), ESwfError);
    // An unknown fill style type.
    const uint8_t badFill[] = {1, 0, 0x00, 1, 0x77, 0, 0, 0, 0, 0};
    SwfBitReader bad{badFill};
    EXPECT_THROW(ReadShape(bad, 1, 100), ESwfError);
}

TEST(SwfMovie, ReadsHeaderFramesAndSkipsUnknownTags) {
    const auto bytes = TwoFrameMovie();
    const SwfMovie movie = SwfMovie::Parse(bytes);
    EXPECT_EQ(movie.Version(), 5);
    EXPECT_EQ(movie.FileLength(), bytes.size());
    EXPECT_EQ(movie.FrameSize(), (SwfRect{0, 4000, 0, 3000}));
    EXPECT_DOUBLE_EQ(movie.FrameRate(), 12.0);
    EXPECT_EQ(movie.HeaderFrameCount(), 2);
    EXPECT_EQ(movie.FrameCount(), 2u);
    EXPECT_EQ(movie.Background(), (SwfRgba{10, 20, 30}));
    EXPECT_EQ(movie.ShapeCount(), 2u);
    EXPECT_EQ(movie.SkippedTags(), 1u);
    ASSERT_NE(movie.FindShape(2), nullptr);
    EXPECT_EQ(movie.FindShape(2)->groups[0].fills[0].colour.a, 128);
    EXPECT_EQ(movie.FindShape(3), nullptr);

    // Bytes after the header's length are not part of the movie.
    auto longer = bytes;
    longer.insert(longer.end(), {0xFF, 0xFF, 0xFF});
    EXPECT_EQ(SwfMovie::Parse(longer).FrameCount(), 2u);

    // Padded to an exact size, the padding is one more skipped tag.
    SwfWriter writer{{0, 100, 0, 100}, 12};
    writer.ShowFrame();
    for (const size_t size : {writer.Size() + 2, writer.Size() + 5, writer.Size() + 6, writer.Size() + 1000}) {
        const auto padded = writer.Finish(size);
        ASSERT_EQ(padded.size(), size);
        const SwfMovie movie2 = SwfMovie::Parse(padded);
        EXPECT_EQ(movie2.FileLength(), size);
        EXPECT_EQ(movie2.SkippedTags(), 1u);
    }
    EXPECT_THROW((void)writer.Finish(writer.Size() + 1), ESwfError);
    EXPECT_THROW((void)writer.Finish(writer.Size() - 1), ESwfError);
}

TEST(SwfMovie, RejectsMalformedFilesWithAClearError) {
    const auto good = TwoFrameMovie();
    const auto expectError = [](std::vector<uint8_t> bytes, const char* why) {
        try {
            (void)SwfMovie::Parse(bytes);
            ADD_FAILURE() << "accepted: " << why;
        } catch (const ESwfError& e) {
            EXPECT_FALSE(e.Message().empty()) << why;
        }
    };
    expectError({}, "empty");
    expectError({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, "not a movie");
    auto compressed = good;
    compressed[0] = 'C';
    expectError(compressed, "compressed");
    auto longHeader = good;
    longHeader[4] += 1;  // length one more than the bytes
    expectError(longHeader, "header length past the end");
    auto hugeHeader = good;
    hugeHeader[7] = 0x7F;
    expectError(hugeHeader, "length past the size limit");

    // Every truncation either fails cleanly or, cut at a tag boundary after its
    // length was fixed up, still parses.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        if (part.size() >= 8)
            for (int i = 0; i < 4; ++i) part[4 + i] = static_cast<uint8_t>(cut >> (8 * i));
        try {
            const SwfMovie movie = SwfMovie::Parse(part);
            EXPECT_LE(movie.FrameCount(), 2u);
        } catch (const ESwfError&) {
        }
    }

    SwfLimits limits;
    limits.maxFrames = 1;
    EXPECT_THROW((void)SwfMovie::Parse(good, limits), ESwfError);
    limits = {};
    limits.maxEdges = 7;  // the two rectangles have eight
    EXPECT_THROW((void)SwfMovie::Parse(good, limits), ESwfError);
}

TEST(SwfTimeline, PlacesMovesRemovesAndLoops) {
    SwfWriter writer{{0, 2000, 0, 2000}, 12};
    writer.DefineShape(1, RectShape(0, 0, 100, 100, {255, 0, 0}));
    writer.DefineShape(2, RectShape(0, 0, 100, 100, {0, 255, 0}));
    writer.PlaceObject2(NewPlace(5, 1, Translate(10, 20)));
    writer.PlaceObject2(NewPlace(3, 2));
    writer.ShowFrame();  // 0
    SwfPlace move;
    move.depth = 5;
    move.move = true;
    move.matrix = Translate(30, 40);
    writer.PlaceObject2(move);
    SwfPlace swap = move;
    swap.depth = 3;
    swap.matrix.reset();
    swap.character = 1;
    SwfColourTransform fade;
    fade.multA = 64;
    swap.colourTransform = fade;
    writer.PlaceObject2(swap);
    SwfPlace moveNothing;
    moveNothing.depth = 9;
    moveNothing.move = true;
    moveNothing.matrix = Translate(1, 1);
    writer.PlaceObject2(moveNothing);
    writer.ShowFrame();  // 1
    writer.RemoveObject2(5);
    writer.RemoveObject2(77);
    writer.ShowFrame();  // 2
    const auto movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(writer.Finish()));

    SwfTimeline timeline{movie};
    ASSERT_EQ(timeline.FrameCount(), 3u);
    ASSERT_EQ(timeline.DisplayList().size(), 2u);
    EXPECT_EQ(timeline.DisplayList().begin()->first, 3);  // depth order
    EXPECT_DOUBLE_EQ(timeline.DisplayList().at(5).matrix.tx, 10);

    timeline.NextFrame();
    const auto& list = timeline.DisplayList();
    EXPECT_EQ(list.size(), 2u);  // moving an empty depth adds nothing
    EXPECT_DOUBLE_EQ(list.at(5).matrix.tx, 30);
    EXPECT_EQ(list.at(5).character, 1);
    EXPECT_EQ(list.at(3).character, 1);                   // character replaced
    EXPECT_EQ(list.at(3).colourTransform.multA, 64);      // transform set
    EXPECT_DOUBLE_EQ(list.at(3).matrix.tx, 0);            // matrix kept

    timeline.NextFrame();
    EXPECT_EQ(timeline.DisplayList().count(5), 0u);
    timeline.NextFrame();  // loops: frame 0 again, replayed from scratch
    EXPECT_EQ(timeline.CurrentFrame(), 0u);
    EXPECT_EQ(timeline.DisplayList().at(3).character, 2);
    EXPECT_DOUBLE_EQ(timeline.DisplayList().at(5).matrix.tx, 10);
    timeline.GotoFrame(99);  // clamped to the last frame
    EXPECT_EQ(timeline.CurrentFrame(), 2u);
}

}  // namespace
