#pragma once
// Slice plans carried out on pixels in memory: the pictures a skin load composes (the
// combo-box states) are made this way instead of through many small GDI transfers.
// Stretching is nearest-neighbour, like COLORONCOLOR. Platform-neutral.

#include "framework/graphics/PixelView.h"
#include "skin/data/SliceGeometry.h"

#include <cstdint>
#include <optional>

// Copies every piece of `plan` from `source` into `target`, the plan's (0, 0) at
// (`x`, `y`) of the target. Stretched pieces map each target pixel to the source pixel
// under it; tiled ones repeat their source from the piece's top left. With `key`, source
// pixels of that colour (0x00RRGGBB, alpha ignored) are left out. Pixels outside either
// view are skipped.
void DrawPlan(const PixelView& target, int x, int y, const SlicePlan& plan, const PixelView& source,
              std::optional<uint32_t> key) noexcept;
