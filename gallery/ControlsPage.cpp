#include "gallery/ControlsPage.h"

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/StringList.h"
#include "gallery/PageLayout.h"

#include <string_view>

#include <windows.h>

namespace {

using namespace gallery;

void LoadGlyph(TBitmap& glyph, const wchar_t* name) {
    glyph.LoadFromResourceName(::GetModuleHandleW(nullptr), name);
}

void AddButtons(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 0, kGap, 260, L"按钮 Buttons");
    Column column(owner, group, kGap, 22);
    column.Add<TButton>(L"Normal");
    column.Add<TButton>(L"Default").SetDefault(true);
    column.Add<TButton>(L"Disabled").SetEnabled(false);
    auto& ok = column.Add<TBitBtn>(L"", kColumn - 2 * kGap, 28);
    ok.SetKind(TBitBtnKind::bkOK);
    ok.SetDefault(false);  // one default on the page is enough
    LoadGlyph(ok.Glyph(), L"GALLERYGLYPH");
    auto& glyph = column.Add<TBitBtn>(L"With a glyph", kColumn - 2 * kGap, 28);
    LoadGlyph(glyph.Glyph(), L"GALLERYGLYPH");
    auto& dim = column.Add<TBitBtn>(L"Glyph, disabled", kColumn - 2 * kGap, 28);
    LoadGlyph(dim.Glyph(), L"GALLERYGLYPH");
    dim.SetEnabled(false);
    column.Add<TButton>(L"从右到左 right to left").SetBiDiMode(TBiDiMode::bdRightToLeft);
}

void AddSpeedButtons(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 0, 276, 236, L"快捷按钮 Speed buttons");
    Column column(owner, group, kGap, 22);
    column.Add<TSpeedButton>(L"Up");
    auto& down = column.Add<TSpeedButton>(L"Down");
    down.SetGroupIndex(7);
    down.SetDown(true);
    column.Add<TSpeedButton>(L"Flat").SetFlat(true);
    column.Add<TSpeedButton>(L"Disabled").SetEnabled(false);
    // As the program's lesson buttons: a wide glyph with the caption on its left.
    auto& lesson = column.Add<TSpeedButton>(L"元音", kColumn - 2 * kGap, 33);
    LoadGlyph(lesson.Glyph(), L"GALLERYLESSON");
    lesson.SetLayout(TButtonLayout::blGlyphRight);
    auto& glyph = column.Add<TSpeedButton>(L"", kColumn - 2 * kGap, 33);
    LoadGlyph(glyph.Glyph(), L"GALLERYLESSON");
    glyph.SetFlat(true);
}

void AddChecks(TComponent& owner, TWinControl& page) {
    TGroupBox& group = AddGroup(owner, page, 1, kGap, 290, L"选择 Check and radio");
    Column column(owner, group, kGap, 22);
    column.Add<TCheckBox>(L"Unchecked");
    column.Add<TCheckBox>(L"Checked").SetChecked(true);
    auto& grayed = column.Add<TCheckBox>(L"Indeterminate");
    grayed.SetAllowGrayed(true);
    grayed.SetState(TCheckBoxState::cbGrayed);
    auto& dim = column.Add<TCheckBox>(L"Checked, disabled");
    dim.SetChecked(true);
    dim.SetEnabled(false);
    column.Add<TCheckBox>(L"Caption on the left").SetAlignment(TAlignment::taLeftJustify);
    column.Add<TCheckBox>(L"从右到左").SetBiDiMode(TBiDiMode::bdRightToLeft);
    column.Add<TRadioButton>(L"Radio, checked").SetChecked(true);
    column.Add<TRadioButton>(L"Radio");
    column.Add<TRadioButton>(L"Radio, disabled").SetEnabled(false);

    auto& radios = owner.Create<TRadioGroup>();
    radios.SetParent(&page);
    radios.SetCaption(L"单选组 Radio group");
    radios.SetBounds(kGap + (kColumn + kGap), 306, kColumn, 100);
    TStringList lines;
    for (const char16_t* line : {u"iː", u"ɪ", u"e", u"æ"}) lines.Add(line);
    radios.SetItems(lines);
    radios.SetColumns(2);
    radios.SetItemIndex(1);

    auto& panel = owner.Create<TPanel>();
    panel.SetParent(&page);
    panel.SetCaption(L"Raised panel");
    panel.SetBounds(kGap + (kColumn + kGap), 414, kColumn, 44);
    auto& inner = owner.Create<TPanel>();
    inner.SetParent(&page);
    inner.SetCaption(L"Lowered panel");
    inner.SetBevelOuter(TBevelCut::bvLowered);
    inner.SetBounds(kGap + (kColumn + kGap), 466, kColumn, 44);
}

void AddBars(TComponent& owner, TWinControl& page) {
    const int left = kGap + 2 * (kColumn + kGap);
    int top = kGap;
    for (int position : {0, 45, 100}) {
        auto& bar = owner.Create<TProgressBar>();
        bar.SetParent(&page);
        bar.SetBounds(left, top, kColumn + 40, 18);
        bar.SetPosition(position);
        top += 26;
    }
    auto& smooth = owner.Create<TProgressBar>();
    smooth.SetParent(&page);
    smooth.SetBounds(left, top, kColumn + 40, 18);
    smooth.SetSmooth(true);
    smooth.SetPosition(70);
    top += 30;

    auto& track = owner.Create<TTrackBar>();
    track.SetParent(&page);
    track.SetBounds(left, top, kColumn + 40, 36);
    track.SetMax(10);
    track.SetPosition(3);
    top += 44;

    auto& header = owner.Create<THeaderControl>();
    header.SetParent(&page);
    header.SetAlign(TAlign::alNone);
    header.SetBounds(left, top, kColumn + 40, 22);
    for (const wchar_t* text : {L"音标", L"Symbol", L"Word"}) {
        THeaderSection& section = header.Sections().Add();
        section.SetText(text);
        section.SetWidth(80);
    }
    top += 30;

    auto& tools = owner.Create<TPanel>();
    tools.SetParent(&page);
    tools.SetCaption(L"");
    tools.SetBounds(left, top, kColumn + 40, 30);
    auto& bar = owner.Create<TToolBar>();
    bar.SetParent(&tools);
    bar.SetShowCaptions(true);
    bar.SetFlat(true);
    for (const wchar_t* caption : {L"Play", L"Stop", L"Loop"}) {
        auto& button = owner.Create<TToolButton>();
        button.SetParent(&bar);
        button.SetCaption(caption);
        if (caption == std::wstring_view(L"Loop")) {
            button.SetButtonStyle(TToolButtonStyle::tbsCheck);
            button.SetDown(true);
        }
    }
    top += 38;

    auto& vertical = owner.Create<TProgressBar>();
    vertical.SetParent(&page);
    vertical.SetOrientation(TProgressBarOrientation::pbVertical);
    vertical.SetBounds(left, top, 18, 150);
    vertical.SetPosition(60);
    auto& upright = owner.Create<TTrackBar>();
    upright.SetParent(&page);
    upright.SetOrientation(TTrackBarOrientation::trVertical);
    upright.SetBounds(left + 30, top, 36, 150);
    upright.SetPosition(4);
    auto& disabled = owner.Create<TTrackBar>();
    disabled.SetParent(&page);
    disabled.SetBounds(left + 80, top, kColumn - 40, 36);
    disabled.SetPosition(7);
    disabled.SetEnabled(false);
}

void AddStatusBar(TComponent& owner, TWinControl& page) {
    auto& status = owner.Create<TStatusBar>();
    status.SetParent(&page);
    for (const auto& [text, width] : {std::pair{L"当前项目：元音", 180}, {L"2026-12-08", 100}, {L"星期二", 80}}) {
        TStatusPanel& panel = status.Panels().Add();
        panel.SetText(text);
        panel.SetWidth(width);
    }
    status.Panels().Add().SetText(L"12:00:00");
    status.SetSizeGrip(true);
}

}  // namespace

void BuildControlsPage(TComponent& owner, TWinControl& page) {
    AddButtons(owner, page);
    AddSpeedButtons(owner, page);
    AddChecks(owner, page);
    AddBars(owner, page);
    AddStatusBar(owner, page);
}
