#include "flash/Rasterizer.h"
#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"
#include "flash/authoring/SwfWriter.h"
#include "tests/flash/SwfTestMovies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr uint32_t kSentinel = 0xFF123456;

struct Canvas {
    Canvas(int w, int h) : pixels(static_cast<size_t>(w) * h, kSentinel), view{w, h, w, pixels} {}
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * view.width + x]; }
    // Every pixel of [x0, x1) x [y0, y1) has `colour`.
    bool AllEqual(int x0, int y0, int x1, int y1, uint32_t colour) const {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(x, y) != colour) return false;
        return true;
    }
    std::vector<uint32_t> pixels;
    PixelView view;
};

// One frame movie of a 100 x 100 pixel stage on white, with the given shapes at depths 1, 2, ...
struct OneFrame {
    explicit OneFrame(std::vector<SwfShapeBuilder> shapes, std::vector<SwfPlace> places = {}) {
        SwfWriter writer{{0, 2000, 0, 2000}, 12};
        writer.SetBackground({255, 255, 255});
        for (size_t i = 0; i < shapes.size(); ++i) {
            const auto id = static_cast<uint16_t>(i + 1);
            writer.DefineShape(id, shapes[i]);
            if (places.empty()) writer.PlaceObject2(NewPlace(id, id));
        }
        for (const auto& place : places) writer.PlaceObject2(place);
        writer.ShowFrame();
        movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(writer.Finish()));
        timeline = SwfTimeline{movie};
    }
    Canvas Render(int w = 100, int h = 100) const {
        Canvas canvas{w, h};
        SwfRenderer renderer;
        EXPECT_TRUE(renderer.Render(*movie, timeline.DisplayList(), canvas.view));
        return canvas;
    }
    std::shared_ptr<const SwfMovie> movie;
    SwfTimeline timeline;
};

TEST(SwfRenderer, FillsShapesAtTheirPixelsWithBackgroundAround) {
    // 20..60 px square in red, on white.
    const OneFrame frame{{RectShape(400, 400, 1200, 1200, {255, 0, 0})}};
    const Canvas c = frame.Render();
    EXPECT_TRUE(c.AllEqual(20, 20, 60, 60, kRed));
    EXPECT_TRUE(c.AllEqual(0, 0, 100, 20, kWhite));
    EXPECT_TRUE(c.AllEqual(0, 60, 100, 100, kWhite));
    EXPECT_TRUE(c.AllEqual(60, 20, 100, 60, kWhite));
}

TEST(SwfRenderer, ShowAllKeepsTheAspectAndCentresTheStage) {
    const OneFrame frame{{RectShape(0, 0, 2000, 2000, {0, 0, 255})}};
    // A 300 x 100 view: the stage becomes 100 x 100 in the middle third.
    const Canvas wide = frame.Render(300, 100);
    EXPECT_TRUE(wide.AllEqual(100, 0, 200, 100, kBlue));
    EXPECT_TRUE(wide.AllEqual(0, 0, 100, 100, kWhite));
    EXPECT_TRUE(wide.AllEqual(200, 0, 300, 100, kWhite));
    // A 50 x 150 view: 50 x 50 in the middle.
    const Canvas tall = frame.Render(50, 150);
    EXPECT_TRUE(tall.AllEqual(0, 50, 50, 100, kBlue));
    EXPECT_TRUE(tall.AllEqual(0, 0, 50, 50, kWhite));
    EXPECT_TRUE(tall.AllEqual(0, 100, 50, 150, kWhite));
    // Shapes outside the stage are cut at its border.
    const OneFrame outside{{RectShape(-2000, 0, 4000, 2000, {0, 0, 255})}};
    const Canvas cut = outside.Render(300, 100);
    EXPECT_TRUE(cut.AllEqual(0, 0, 100, 100, kWhite));
    EXPECT_TRUE(cut.AllEqual(100, 0, 200, 100, kBlue));
}

TEST(SwfRenderer, FillSidesHolesAndCurves) {
    // Outer square and inner square drawn with the same fill on one side: a hole.
    SwfShapeBuilder ring;
    const uint16_t red = ring.AddFill({255, 0, 0});
    ring.MoveTo(200, 200);
    ring.SetStyles(red, 0, 0);
    for (const auto& [x, y] : {std::pair{1800, 200}, {1800, 1800}, {200, 1800}, {200, 200}}) ring.LineTo(x, y);
    ring.MoveTo(800, 800);
    for (const auto& [x, y] : {std::pair{1200, 800}, {1200, 1200}, {800, 1200}, {800, 800}}) ring.LineTo(x, y);
    // Two squares sharing an edge that carries both fills: no seam, no gap.
    SwfShapeBuilder pair;
    const uint16_t g = pair.AddFill({0, 255, 0}), b = pair.AddFill({0, 0, 255});
    pair.MoveTo(1000, 0);
    pair.SetStyles(g, b, 0);
    pair.LineTo(1000, 400);
    pair.SetStyles(0, g, 0);
    for (const auto& [x, y] : {std::pair{0, 400}, {0, 0}, {1000, 0}}) pair.LineTo(x, y);
    pair.SetStyles(b, 0, 0);
    pair.MoveTo(1000, 0);
    for (const auto& [x, y] : {std::pair{2000, 0}, {2000, 400}, {1000, 400}}) pair.LineTo(x, y);
    const OneFrame frame{{std::move(ring), std::move(pair)}};
    const Canvas c = frame.Render();
    EXPECT_TRUE(c.AllEqual(25, 25, 35, 35, kRed));
    EXPECT_TRUE(c.AllEqual(42, 42, 58, 58, kWhite));  // the hole
    EXPECT_TRUE(c.AllEqual(0, 0, 50, 20, kGreen));
    EXPECT_TRUE(c.AllEqual(50, 0, 100, 20, kBlue));

    // A circle of four curves: the centre filled, the corners of its box not, and
    // the rim anti-aliased (some pixels between background and fill).
    SwfShapeBuilder circle;
    const uint16_t fill = circle.AddFill({0, 0, 0});
    circle.MoveTo(1800, 1000);
    circle.SetStyles(0, fill, 0);
    circle.CurveTo(1800, 1800, 1000, 1800);
    circle.CurveTo(200, 1800, 200, 1000);
    circle.CurveTo(200, 200, 1000, 200);
    circle.CurveTo(1800, 200, 1800, 1000);
    const Canvas round = OneFrame{{std::move(circle)}}.Render();
    EXPECT_TRUE(round.AllEqual(40, 40, 60, 60, 0xFF000000));
    EXPECT_TRUE(round.AllEqual(10, 10, 14, 14, kWhite));
    EXPECT_TRUE(round.AllEqual(86, 86, 90, 90, kWhite));
    int partial = 0;
    for (const uint32_t p : round.pixels) partial += (p != kWhite && p != 0xFF000000);
    EXPECT_GT(partial, 20);
    EXPECT_EQ(std::count(round.pixels.begin(), round.pixels.end(), kSentinel), 0);
}

TEST(SwfRenderer, StrokesLinesWithTheirWidth) {
    SwfShapeBuilder line;
    const uint16_t style = line.AddLine(200, {0, 0, 255});  // 10 px wide
    line.MoveTo(200, 1000);
    line.SetStyles(0, 0, style);
    line.LineTo(1800, 1000);
    line.LineTo(1800, 1800);  // a corner: the join must not leave a notch
    const Canvas c = OneFrame{{std::move(line)}}.Render();
    EXPECT_TRUE(c.AllEqual(12, 46, 88, 54, kBlue));
    EXPECT_TRUE(c.AllEqual(86, 50, 94, 88, kBlue));
    EXPECT_TRUE(c.AllEqual(12, 0, 88, 40, kWhite));
    EXPECT_TRUE(c.AllEqual(12, 60, 80, 100, kWhite));
    EXPECT_TRUE(c.AllEqual(90, 47, 93, 50, kBlue));  // the round join fills the outer corner
}

TEST(SwfRenderer, DepthMatrixAndColourTransformApply) {
    SwfPlace top = NewPlace(9, 2, Translate(600, 600));
    SwfColourTransform half;
    half.multA = 128;
    top.colourTransform = half;
    SwfPlace mask = NewPlace(20, 1, {2, 0, 0, 2, 0, 0});
    mask.clipDepth = 30;
    const OneFrame frame{{RectShape(0, 0, 1000, 1000, {255, 0, 0}), RectShape(0, 0, 1000, 1000, {0, 0, 255})},
                         {NewPlace(1, 1), top, mask}};
    const Canvas c = frame.Render();
    EXPECT_TRUE(c.AllEqual(0, 0, 30, 30, kRed));      // only the bottom square
    const uint32_t overWhite = c.At(65, 65);  // half blue over white
    EXPECT_TRUE(c.AllEqual(50, 50, 80, 80, overWhite));
    EXPECT_NEAR(static_cast<int>((overWhite >> 16) & 0xFF), 128, 2);
    EXPECT_EQ(overWhite & 0xFF, 0xFFu);
    const uint32_t mixed = c.At(40, 40);                   // half blue over red
    EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 127, 2);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 2);
    EXPECT_TRUE(c.AllEqual(80, 0, 100, 100, kWhite));  // the mask layer is not drawn
}

TEST(Rasterizer, WindingRulesDifferOnlyWhereFiguresOverlap) {
    for (const FillRule rule : {FillRule::EvenOdd, FillRule::NonZero}) {
        Canvas c{40, 20};
        Rasterizer r;
        for (const double x : {0.0, 10.0}) {  // two squares, same turn, overlapping in 10..20
            r.MoveTo(x, 0);
            r.LineTo(x + 20, 0);
            r.LineTo(x + 20, 20);
            r.LineTo(x, 20);
        }
        ASSERT_TRUE(r.Fill(c.view, {0, 0, 40, 20}, kRed, rule));
        EXPECT_TRUE(c.AllEqual(0, 0, 10, 20, kRed));
        EXPECT_TRUE(c.AllEqual(10, 0, 20, 20, rule == FillRule::NonZero ? kRed : kSentinel));
        EXPECT_TRUE(c.AllEqual(30, 0, 40, 20, kSentinel));
    }
    // Half-pixel edges give half coverage; a clip keeps paint inside it; hostile
    // coordinates neither crash nor paint outside the clip.
    Canvas c{10, 10};
    Rasterizer r;
    r.MoveTo(2.5, 0);
    r.LineTo(1e300, 0);
    r.LineTo(1e300, 10);
    r.LineTo(2.5, 10);
    r.MoveTo(0, 0);
    r.LineTo(0.0 / 0.0, 5);
    ASSERT_TRUE(r.Fill(c.view, {0, 0, 8, 10}, 0xFF000000, FillRule::NonZero));
    EXPECT_EQ(c.At(2, 5), 0xFF091A2B);  // half of the sentinel
    EXPECT_TRUE(c.AllEqual(3, 0, 8, 10, 0xFF000000));
    EXPECT_TRUE(c.AllEqual(8, 0, 10, 10, kSentinel));
    EXPECT_FALSE(r.Fill(PixelView{}, {0, 0, 1, 1}, kRed, FillRule::NonZero));
}

}  // namespace
