#include "gallery/TabsPage.h"

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/TabControls.h"
#include "framework/controls/TabSet.h"
#include "gallery/PageLayout.h"
#include "skin/controls/TabSkins.h"
#include "skin/data/WinSkinData.h"

#include <string>

namespace {

using namespace gallery;

constexpr int kWidth = 272, kHeight = 148, kStep = kHeight + 10;
constexpr const char16_t* kKeptPage = u"KeptOpenSheet";

int ColumnLeft(int column) { return kGap + column * (kWidth + kGap); }

TTabSheet& AddSheet(TComponent& owner, TPageControl& pages, const std::wstring& caption, bool withControls) {
    auto& sheet = owner.Create<TTabSheet>();
    sheet.SetPageControl(&pages);
    sheet.SetCaption(caption);
    if (!withControls) return sheet;
    Column column(owner, sheet, kGap, kGap);
    column.Add<TButton>(L"按钮 Button", 120);
    column.Add<TCheckBox>(L"复选框 Check box", 160).SetChecked(true);
    column.Add<TEdit>(L"编辑 Edit", 160);
    return sheet;
}

TPageControl& AddPages(TComponent& owner, TWinControl& page, int column, int row, TTabPosition position,
                       std::initializer_list<const wchar_t*> captions) {
    auto& pages = owner.Create<TPageControl>();
    pages.SetParent(&page);
    pages.SetBounds(ColumnLeft(column), kGap + row * kStep, kWidth, kHeight);
    pages.SetTabPosition(position);
    bool first = true;
    for (const wchar_t* caption : captions) {
        AddSheet(owner, pages, caption, first);
        first = false;
    }
    pages.SetActivePageIndex(0);
    return pages;
}

}  // namespace

void BuildTabsPage(TComponent& owner, TWinControl& page) {
    AddPages(owner, page, 0, 0, TTabPosition::tpTop, {L"上 Top", L"第二 Second", L"第三 Third"});
    AddPages(owner, page, 0, 1, TTabPosition::tpBottom, {L"下 Bottom", L"第二 Second", L"第三 Third"});
    AddPages(owner, page, 0, 2, TTabPosition::tpLeft, {L"左 Left", L"Second"});
    AddPages(owner, page, 0, 3, TTabPosition::tpRight, {L"右 Right", L"Second"});

    // Tagged closable: every tab gets a close mark; the form keeps the first page.
    TPageControl& closable = AddPages(owner, page, 1, 0, TTabPosition::tpTop,
                                      {L"留下 Stays", L"关 Close", L"关 Close 2", L"关 Close 3"});
    closable.SetTag(kClosableTabsTag);
    closable.Pages(0)->SetName(kKeptPage);

    std::initializer_list<const wchar_t*> many = {L"一 One", L"二 Two", L"三 Three", L"四 Four", L"五 Five",
                                                  L"六 Six", L"七 Seven", L"八 Eight", L"九 Nine", L"十 Ten"};
    AddPages(owner, page, 1, 1, TTabPosition::tpTop, many);
    AddPages(owner, page, 1, 2, TTabPosition::tpTop, {L"从右到左", L"right to left"})
        .SetBiDiMode(TBiDiMode::bdRightToLeft);
    AddPages(owner, page, 1, 3, TTabPosition::tpTop, {L"按钮 Buttons", L"Second", L"Third"})
        .SetStyle(TTabStyle::tsButtons);

    auto& tabs = owner.Create<TTabControl>();
    tabs.SetParent(&page);
    tabs.SetBounds(ColumnLeft(2), kGap, kWidth, 100);
    for (const wchar_t* caption : {L"标签 Tab", L"Control", L"没有页 No pages"}) tabs.AddTab(caption);
    tabs.SetTabIndex(1);
    Column inside(owner, tabs, kGap, 36);
    inside.Add<TCheckBox>(L"在标签控件上 On the tabs", 200);

    auto& set = owner.Create<TTabSet>();
    set.SetParent(&page);
    set.SetBounds(ColumnLeft(2), kGap + 110, kWidth, 21);
    for (const wchar_t* caption : many) set.AddTab(caption);
    set.SetTabIndex(0);

    AddPages(owner, page, 2, 1, TTabPosition::tpTop, {L"禁用 Disabled", L"Second"}).SetEnabled(false);

    TSkinData* skin = nullptr;
    for (int i = 0; i < owner.ComponentCount() && !skin; ++i) skin = As<TSkinData>(owner.Components(i));
    if (!skin) return;
    // A page control that draws its tabs from pictures gets the skin's, by the class map.
    skin->Skin3rd().Add(u"TPicturePageControl=advpagecontrol");
    auto& pictures = owner.Create<TPicturePageControl>();
    pictures.SetParent(&page);
    pictures.SetBounds(ColumnLeft(2), kGap + 2 * kStep, kWidth, kHeight);
    for (const wchar_t* caption : {L"图片 Pictures", L"Second"}) AddSheet(owner, pictures, caption, false);
    pictures.SetActivePageIndex(0);

    // The same controls without the skin, to compare.
    Column below(owner, page, ColumnLeft(2), kGap + 3 * kStep);
    auto& skinned = below.Add<TCheckBox>(L"皮肤 Skin on");
    skinned.SetChecked(true);
    skinned.OnClick = [skin, &skinned](TObject*) { skin->SetActive(skinned.Checked()); };
}

LRESULT AnswerCloseTab(HWND tabs, int index) noexcept {
    const auto* pages = As<TPageControl>(TWinControl::FindControl(tabs));
    const TTabSheet* page = pages ? pages->TabPage(index) : nullptr;
    return page && page->Name() == kKeptPage ? 1 : 0;
}
