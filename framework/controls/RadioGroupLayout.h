#pragma once
// Where a radio group puts its buttons: in columns of equal width, filled top to
// bottom, below the caption line. Platform-neutral, so the arithmetic is tested natively.

#include "framework/core/Geometry.h"

#include <vector>

struct RadioGroupLayoutInput {
    core::Size client;        // the group box, at origin
    int captionHeight = 0;    // the height of a line of the group's font
    int count = 0;            // buttons
    int columns = 1;          // below 1 counts as 1
    bool rightToLeft = false; // the first column on the right
};

// One rectangle per button, in item order. Each column holds as many buttons as the
// first (the last may hold fewer); the rows share the height below the caption, and
// what does not divide evenly is split above and below. Nothing gets a negative size.
std::vector<core::Rect> ArrangeRadioGroup(const RadioGroupLayoutInput& in);
