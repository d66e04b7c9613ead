#include "framework/controls/WinControl.h"

#include "framework/controls/AlignLayout.h"

#include <vector>

// Aligning the children: top ones first, then bottom, left, right, and the client one.

void TWinControl::EnableAlign() {
    if (m_alignDisabled > 0 && --m_alignDisabled == 0 && m_alignPending) Realign();
}

void TWinControl::Realign() {
    if (m_aligning) return;
    if (m_alignDisabled > 0 || IsLoading()) {
        m_alignPending = true;
        return;
    }
    m_alignPending = false;
    AlignChildren();
}

void TWinControl::AlignChildren() {
    std::vector<TControl*> aligned;
    std::vector<AlignItem> items;
    for (TControl* c : m_controls)
        if (c->Align() != TAlign::alNone) {
            aligned.push_back(c);
            items.push_back({c->Align(), c->BoundsRect(), c->Visible()});
        }
    if (aligned.empty()) {
        ControlsAligned(AdjustClientRect(ClientRect()));
        return;
    }
    ++m_aligning;
    core::Rect rest;
    try {
        rest = AlignItems(items, AdjustClientRect(ClientRect()));
        for (size_t i = 0; i < aligned.size(); ++i) {
            const core::Rect& r = items[i].bounds;
            if (r != aligned[i]->BoundsRect()) aligned[i]->SetBounds(r.left, r.top, r.Width(), r.Height());
        }
    } catch (...) {
        --m_aligning;
        throw;
    }
    --m_aligning;
    ControlsAligned(rest);
}
