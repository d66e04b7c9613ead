#pragma once
// How the gallery's pages place their controls: group boxes in columns, and controls
// top to bottom in a column of a parent.

#include "framework/controls/GroupBox.h"

#include <string_view>

namespace gallery {

constexpr int kColumn = 200, kRow = 30, kGap = 8;

class Column {
public:
    Column(TComponent& owner, TWinControl& parent, int left, int top) :
        m_owner(owner), m_parent(parent), m_left(left), m_top(top) {}

    template <class T>
    T& Add(std::wstring_view caption, int width = kColumn - 2 * kGap, int height = kRow - 6) {
        auto& control = m_owner.Create<T>();
        control.SetParent(&m_parent);
        control.SetCaption(caption);
        control.SetBounds(m_left, m_top, width, height);
        m_top += height + 4;
        return control;
    }
    void Skip(int pixels) { m_top += pixels; }
    int Top() const noexcept { return m_top; }

private:
    TComponent& m_owner;
    TWinControl& m_parent;
    int m_left, m_top;
};

// A group box in column `column` of `page`, from `top` down `height` pixels.
inline TGroupBox& AddGroup(TComponent& owner, TWinControl& page, int column, int top, int height,
                           std::wstring_view caption, int width = kColumn) {
    auto& group = owner.Create<TGroupBox>();
    group.SetParent(&page);
    group.SetCaption(caption);
    group.SetBounds(kGap + column * (kColumn + kGap), top, width, height);
    return group;
}

}  // namespace gallery
