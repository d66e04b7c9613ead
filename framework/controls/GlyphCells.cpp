#include "framework/controls/GlyphCells.h"

int GlyphCell(GlyphStripKind kind, TCheckBoxState state, bool hot, bool enabled) noexcept {
    const int row = !enabled ? 2 : hot ? 1 : 0;
    switch (kind) {
    case GlyphStripKind::Check: return row * 3 + static_cast<int>(state);
    case GlyphStripKind::Radio: return row * 2 + (state == TCheckBoxState::cbChecked ? 1 : 0);
    case GlyphStripKind::CompactCheck: return (row == 1 ? 3 : 0) + static_cast<int>(state);
    }
    return 0;
}
