#pragma once
// Small movies built with the writer, shared by the player's tests.

#include "flash/authoring/SwfWriter.h"

#include <cstdint>
#include <vector>

// A filled axis-aligned rectangle in twips.
inline SwfShapeBuilder RectShape(int32_t x0, int32_t y0, int32_t x1, int32_t y1, SwfRgba colour) {
    SwfShapeBuilder shape;
    const uint16_t fill = shape.AddFill(colour);
    shape.MoveTo(x0, y0);
    shape.SetStyles(0, fill, 0);
    shape.LineTo(x1, y0);
    shape.LineTo(x1, y1);
    shape.LineTo(x0, y1);
    shape.LineTo(x0, y0);
    return shape;
}

inline SwfPlace NewPlace(uint16_t depth, uint16_t character, SwfMatrix matrix = {}) {
    SwfPlace place;
    place.depth = depth;
    place.character = character;
    place.matrix = matrix;
    return place;
}

inline SwfMatrix Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }

// Three frames at 50 per second on a 100 x 50 pixel stage: a red square on the left,
// then a green one on the right, then the red one again.
inline std::vector<uint8_t> ThreeFrames() {
    SwfWriter writer{{0, 2000, 0, 1000}, 50};
    writer.SetBackground({255, 255, 255});
    writer.DefineShape(1, RectShape(0, 0, 600, 600, {255, 0, 0}));
    writer.DefineShape(2, RectShape(0, 0, 600, 600, {0, 255, 0}));
    writer.PlaceObject2(NewPlace(1, 1, Translate(200, 200)));
    writer.ShowFrame();
    writer.RemoveObject2(1);
    writer.PlaceObject2(NewPlace(2, 2, Translate(1200, 200)));
    writer.ShowFrame();
    writer.RemoveObject2(2);
    writer.PlaceObject2(NewPlace(1, 1, Translate(200, 200)));
    writer.ShowFrame();
    return writer.Finish();
}

// A button showing `up`, `over` and `down` in their states, hit where `hit` lies.
inline SwfButton ShapeButton(uint16_t id, uint16_t up, uint16_t over, uint16_t down, uint16_t hit) {
    SwfButton button;
    button.id = id;
    const auto record = [](uint16_t character, uint16_t depth) {
        SwfButtonRecord r;
        r.character = character;
        r.depth = depth;
        return r;
    };
    button.records = {record(up, 1), record(over, 2), record(down, 3), record(hit, 4)};
    button.records[0].up = button.records[1].over = button.records[2].down = button.records[3].hitTest = true;
    return button;
}
