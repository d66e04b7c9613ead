#include "framework/controls/AlignLayout.h"

#include <algorithm>
#include <vector>

namespace {

// Position along the stacking direction, smaller = placed first.
int Order(const AlignItem& item) {
    switch (item.align) {
    case TAlign::alTop: return item.bounds.top;
    case TAlign::alBottom: return -item.bounds.bottom;
    case TAlign::alLeft: return item.bounds.left;
    case TAlign::alRight: return -item.bounds.right;
    default: return 0;
    }
}

void Place(AlignItem& item, core::Rect& room) {
    const int width = std::max(0, item.bounds.Width());
    const int height = std::max(0, item.bounds.Height());
    const int roomWidth = std::max(0, room.Width());
    const int roomHeight = std::max(0, room.Height());
    switch (item.align) {
    case TAlign::alTop:
        item.bounds = core::Rect::FromBounds(room.left, room.top, roomWidth, height);
        room.top += height;
        break;
    case TAlign::alBottom:
        item.bounds = core::Rect::FromBounds(room.left, room.bottom - height, roomWidth, height);
        room.bottom -= height;
        break;
    case TAlign::alLeft:
        item.bounds = core::Rect::FromBounds(room.left, room.top, width, roomHeight);
        room.left += width;
        break;
    case TAlign::alRight:
        item.bounds = core::Rect::FromBounds(room.right - width, room.top, width, roomHeight);
        room.right -= width;
        break;
    case TAlign::alClient:
        item.bounds = core::Rect::FromBounds(room.left, room.top, roomWidth, roomHeight);
        break;
    case TAlign::alNone: break;
    }
}

}  // namespace

core::Rect AlignItems(std::span<AlignItem> items, core::Rect client) {
    core::Rect room = client;
    std::vector<AlignItem*> group;
    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        group.clear();
        for (auto& item : items)
            if (item.visible && item.align == align) group.push_back(&item);
        std::stable_sort(group.begin(), group.end(),
                         [](const AlignItem* a, const AlignItem* b) { return Order(*a) < Order(*b); });
        for (AlignItem* item : group) Place(*item, room);
    }
    return room;
}

int SplitterNewSize(int startSize, int delta, int minSize, int maxSize, bool autoSnap) noexcept {
    const long long wanted = static_cast<long long>(startSize) + delta;
    int size = static_cast<int>(std::clamp<long long>(wanted, 0, std::max(0, maxSize)));
    if (size < minSize) size = (autoSnap && size < minSize / 2) ? 0 : std::min(minSize, std::max(0, maxSize));
    return size;
}

int SplitterMaxSize(int parentExtent, int othersExtent, int splitterThickness, int minSize) noexcept {
    return std::max(0, parentExtent - othersExtent - splitterThickness - minSize);
}
