#include "framework/controls/ListLines.h"

#include "framework/win/Convert.h"

#include <algorithm>
#include <numeric>
#include <vector>

int CompareListText(std::u16string_view a, std::u16string_view b) noexcept {
    const int order = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                                       static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                                       static_cast<int>(b.size()));
    return order == 0 ? a.compare(b) : order - CSTR_EQUAL;
}

int ListLines::PlaceFor(std::u16string_view text) const noexcept {
    int place = lines.Count();
    if (sorted)
        while (place > 0 && CompareListText(lines[place - 1], text) > 0) --place;
    return place;
}

void ListLines::Sort() {
    std::vector<int> order(static_cast<size_t>(lines.Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return CompareListText(lines[a], lines[b]) < 0; });
    TStringList inOrder;
    for (int i : order) inOrder.Add(lines[i], lines.Data(i));
    lines.Assign(inOrder);
}

void ListLines::SendTo(HWND window, UINT reset, UINT add) const {
    if (!window) return;
    ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(window, reset, 0, 0);
    for (int i = 0; i < lines.Count(); ++i)
        ::SendMessageW(window, add, 0, reinterpret_cast<LPARAM>(ToWide(lines[i]).c_str()));
    ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
}
