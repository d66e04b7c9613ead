#include "gallery/ScrollingPage.h"

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/UpDown.h"
#include "framework/core/StringList.h"
#include "framework/core/Strings.h"
#include "gallery/PageLayout.h"

#include <array>
#include <string>
#include <string_view>

namespace {

using namespace gallery;

// The symbols and a word for each, to fill the long lists.
constexpr std::array<std::pair<const char16_t*, const char16_t*>, 20> kSymbols{{
    {u"iː", u"see"},  {u"ɪ", u"sit"},   {u"e", u"bed"},    {u"æ", u"cat"},   {u"ʌ", u"cup"},
    {u"ɑː", u"car"},  {u"ɒ", u"hot"},   {u"ɔː", u"saw"},   {u"ʊ", u"put"},   {u"uː", u"too"},
    {u"ɜː", u"bird"}, {u"ə", u"about"}, {u"eɪ", u"day"},   {u"aɪ", u"my"},   {u"ɔɪ", u"boy"},
    {u"aʊ", u"now"},  {u"əʊ", u"go"},   {u"ɪə", u"near"},  {u"eə", u"hair"}, {u"ʊə", u"pure"},
}};

// `count` lines "n  /symbol/  word", going round the symbols.
TStringList Lines(int count) {
    TStringList lines;
    for (int i = 0; i < count; ++i) {
        const auto& [symbol, word] = kSymbols[static_cast<size_t>(i) % kSymbols.size()];
        lines.Add(FromUtf8(std::to_string(i + 1)) + u"  /" + symbol + u"/  " + word);
    }
    return lines;
}

void AddEdits(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 0, kGap, 300, L"文本 Edits");
    Column column(owner, group, kGap, 22);
    column.Add<TEdit>(L"Type here 在这里输入");
    column.Add<TEdit>(L"Disabled").SetEnabled(false);
    column.Add<TEdit>(L"Read only").SetReadOnly(true);
    column.Add<TEdit>(L"secret").SetPasswordChar(L'*');
    column.Add<TEdit>(L"Without a border").SetBorderStyle(TBorderStyle::bsNone);
    column.Add<TEdit>(L"从右到左 right to left").SetBiDiMode(TBiDiMode::bdRightToLeft);
    // An up-down beside its edit, and both orientations on their own.
    auto& count = column.Add<TEdit>(L"", kColumn - 2 * kGap - 20);
    auto& spin = owner.Create<TUpDown>();
    spin.SetParent(&group);
    spin.SetMax(99);
    spin.SetPosition(12);
    spin.SetAssociate(&count);
    auto& vertical = column.Add<TUpDown>(L"", 18, 40);
    vertical.SetMax(10);
    auto& horizontal = owner.Create<TUpDown>();
    horizontal.SetParent(&group);
    horizontal.SetOrientation(TUDOrientation::udHorizontal);
    horizontal.SetBounds(kGap + 30, vertical.Top(), 40, 20);
    auto& dim = owner.Create<TUpDown>();
    dim.SetParent(&group);
    dim.SetBounds(kGap + 80, vertical.Top(), 18, 40);
    dim.SetEnabled(false);
}

void AddCombos(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 1, kGap, 300, L"组合框 Combo boxes");
    Column column(owner, group, kGap, 22);
    const TStringList lines = Lines(40);
    const auto combo = [&](TComboBoxStyle style, int height = kRow - 6) -> TComboBox& {
        auto& box = column.Add<TComboBox>(L"", kColumn - 2 * kGap, height);
        box.SetComboStyle(style);
        box.SetItems(lines);
        box.SetItemIndex(3);
        return box;
    };
    combo(TComboBoxStyle::csDropDown);
    combo(TComboBoxStyle::csDropDownList);
    combo(TComboBoxStyle::csDropDown).SetBiDiMode(TBiDiMode::bdRightToLeft);
    combo(TComboBoxStyle::csDropDownList).SetEnabled(false);
    // Always open: its own list scrolls.
    combo(TComboBoxStyle::csSimple, 130);
}

void AddLists(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 2, kGap, 560, L"列表 Lists");
    Column column(owner, group, kGap, 22);
    auto& list = column.Add<TListBox>(L"", kColumn - 2 * kGap, 170);
    list.SetItems(Lines(500));
    list.SetItemIndex(0);
    auto& memo = column.Add<TMemo>(L"", kColumn - 2 * kGap, 170);
    TStringList text = Lines(300);
    for (int i = 0; i < text.Count(); i += 7)
        text.Set(i, text[i] + u"  — a longer line, to scroll across as well as down");
    memo.SetLines(text);
    memo.SetScrollBars(TScrollStyle::ssBoth);
    memo.SetWordWrap(false);
    auto& dim = column.Add<TListBox>(L"", kColumn - 2 * kGap, 150);
    dim.SetItems(Lines(30));
    dim.SetEnabled(false);
}

void AddScrollBars(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 3, kGap, 300, L"滚动条 Scroll bars", kColumn - 30);
    Column column(owner, group, kGap, 22);
    auto& across = column.Add<TScrollBar>(L"", kColumn - 30 - 2 * kGap, 17);
    across.SetMax(100);
    across.SetPosition(30);
    across.SetPageSize(20);
    auto& dim = column.Add<TScrollBar>(L"", kColumn - 30 - 2 * kGap, 17);
    dim.SetPosition(50);
    dim.SetEnabled(false);
    // Too short for two whole arrows.
    column.Add<TScrollBar>(L"", 24, 17);
    // A new kind turns the bar round (width and height swap): the kind comes first.
    auto& down = owner.Create<TScrollBar>();
    down.SetParent(&group);
    down.SetKind(TScrollBarKind::sbVertical);
    down.SetBounds(kGap, column.Top(), 17, 180);
    down.SetMax(1000);
    down.SetPageSize(100);
    down.SetPosition(700);
}

}  // namespace

void BuildScrollingPage(TComponent& owner, TWinControl& page) {
    AddEdits(owner, page);
    AddCombos(owner, page);
    AddLists(owner, page);
    AddScrollBars(owner, page);
}
