#include "framework/controls/WinControl.h"

#include <algorithm>
#include <vector>

// Tab order among windowed siblings, and focus.

int TWinControl::TabOrder() const noexcept {
    if (!Parent()) return -1;
    const auto& list = Parent()->m_tabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (IsLoading()) {
        // Siblings read later are not there yet; placed once the layout is read.
        m_pendingTabOrder = value;
        return;
    }
    if (!Parent()) return;
    auto& list = Parent()->m_tabList;
    std::erase(list, this);
    const size_t at = static_cast<size_t>(std::clamp(value, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop) return;
    m_tabStop = value;
    if (value)
        UpdateStyle(WS_TABSTOP, 0, false);
    else
        UpdateStyle(0, WS_TABSTOP, false);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const noexcept {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const noexcept { return m_handle && ::GetFocus() == m_handle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const auto count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start >= count) start = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((forward ? start + step : start - step) % count + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
    }
    return nullptr;
}
