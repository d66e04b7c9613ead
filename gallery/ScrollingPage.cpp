#include "gallery/ScrollingPage.h"

#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/core/StringList.h"
#include "framework/core/Strings.h"
#include "framework/win/Convert.h"
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

void AddDates(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 3, 316, 180, L"日期 Dates", kColumn - 30);
    Column column(owner, group, kGap, 22);
    // The fixed moment the controls page's status bar shows, not the clock's: the page
    // looks the same on every run, which its pictures rely on.
    const auto picker = [&]() -> TDateTimePicker& {
        auto& added = column.Add<TDateTimePicker>(L"", kColumn - 30 - 2 * kGap);
        added.SetDateTime({2026, 12, 8, 3, 12, 0, 0});
        return added;
    };
    picker();
    picker().SetDateFormat(TDTDateFormat::dfLong);
    picker().SetKind(TDateTimeKind::dtkTime);
    picker().SetBiDiMode(TBiDiMode::bdRightToLeft);
    picker().SetEnabled(false);
}

// A report of many rows under its header, a tree, and a box whose children reach past it.
void AddViews(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 0, 316, 250, L"视图 Views", 2 * kColumn + kGap);
    auto& report = owner.Create<TListView>();
    report.SetParent(&group);
    report.SetBounds(kGap, 22, kColumn - kGap, 218);
    report.SetViewStyle(TViewStyle::vsReport);
    report.SetRowSelect(true);
    report.SetReadOnly(true);
    for (const auto& [caption, width] : {std::pair{L"#", 40}, {L"音标", 60}, {L"Word", 70}, {L"Notes", 160}}) {
        TListColumn& column = report.Columns().Add();
        column.SetCaption(caption);
        column.SetWidth(width);
    }
    for (int i = 0; i < 200; ++i) {
        const auto& [symbol, word] = kSymbols[static_cast<size_t>(i) % kSymbols.size()];
        TListItem& item = report.Items().Add();
        item.SetCaption(std::to_wstring(i + 1));
        TStringList more;
        more.Add(symbol);
        more.Add(word);
        more.Add(u"a note wide enough to scroll the report across");
        item.SetSubItems(more);
    }

    auto& tree = owner.Create<TTreeView>();
    tree.SetParent(&group);
    tree.SetBounds(kColumn + kGap, 22, kColumn / 2 - kGap, 218);
    for (const wchar_t* kind : {L"元音 Vowels", L"双元音 Diphthongs", L"辅音 Consonants"}) {
        TTreeNode& top = tree.Items().AddChild(nullptr, kind);
        for (int i = 0; i < 8; ++i)
            tree.Items().AddChild(&top, ToWide(kSymbols[static_cast<size_t>(i) % kSymbols.size()].first));
        top.SetExpanded(true);
    }

    auto& box = owner.Create<TScrollBox>();
    box.SetParent(&group);
    box.SetBounds(kColumn + kColumn / 2 + kGap, 22, kColumn / 2 - kGap, 218);
    for (int i = 0; i < 12; ++i) {
        auto& panel = owner.Create<TPanel>();
        panel.SetParent(&box);
        panel.SetBounds(4 + (i % 2) * 140, 4 + (i / 2) * 50, 130, 44);
        panel.SetCaption(L"面板 panel " + std::to_wstring(i + 1));
    }
}

}  // namespace

void BuildScrollingPage(TComponent& owner, TWinControl& page) {
    AddEdits(owner, page);
    AddCombos(owner, page);
    AddLists(owner, page);
    AddScrollBars(owner, page);
    AddViews(owner, page);
    AddDates(owner, page);
}
