#include "skin/window/DiscoveryRules.h"

#include "framework/core/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

// Failures show decisions as numbers rather than bytes.
void PrintTo(const SkinDecision& d, std::ostream* out) {
    const auto choice = [&](const std::optional<SkinChoice>& c) {
        if (c) *out << static_cast<int>(c->skin) << (c->recolour ? "r" : "") << "/" << static_cast<int>(c->way);
        else *out << "-";
    };
    *out << "{prepare " << static_cast<int>(d.prepare) << " before " << static_cast<int>(d.before) << " child ";
    choice(d.childSkin);
    *out << " skin ";
    choice(d.skin);
    *out << " after " << static_cast<int>(d.after) << "}";
}

namespace {

using K = ControlSkinClass;
using enum TSkinControlType;

// A control as its class and ancestors (most derived first), its properties and its window.
struct Fake final : ControlFacts {
    Fake(std::initializer_list<std::u16string_view> classes, std::map<std::u16string_view, std::u16string_view> p = {})
        : chain(classes), props(std::move(p)) {}
    std::u16string_view ClassName() const override { return chain.front(); }
    bool InheritsFrom(std::u16string_view name) const override {
        return std::any_of(chain.begin(), chain.end(), [&](std::u16string_view c) { return SameText(c, name); });
    }
    std::u16string EnumProp(std::u16string_view name) const override {
        const auto found = props.find(name);
        return found == props.end() ? std::u16string{} : AsciiLower(found->second);
    }
    int32_t IntProp(std::u16string_view name) const override { return TryStrToInt(EnumProp(name)).value_or(-1); }
    bool Windowed() const override { return windowed; }
    uint32_t Style() const override { return style; }
    bool HasBorder() const override { return border; }

    std::vector<std::u16string_view> chain;
    std::map<std::u16string_view, std::u16string_view> props;
    bool windowed = true;
    uint32_t style = 0;
    bool border = false;
};

constexpr DiscoverySwitches kAll{TSkinControlTypes::FromBits((1u << (static_cast<int>(xcFastReport) + 1)) - 1), true, true};
DiscoverySwitches Without(TSkinControlType type) {
    DiscoverySwitches switches = kAll;
    switches.controls.Exclude(type);
    return switches;
}
SkinDecision S(K skin, bool recolour = false) { return {.skin = SkinChoice{skin, recolour}}; }
SkinDecision Own(K skin) { return {.skin = SkinChoice{skin, false, AttachWay::Own}}; }

// Every framework rule in table order: what it gives with every switch on, and what the
// control gets with the rule's own switch off (a later rule, or nothing).
TEST(DiscoveryRules, EveryFrameworkRuleWithAndWithoutItsSwitch) {
    struct Row {
        Fake control;
        std::optional<TSkinControlType> needs;
        SkinDecision on;
        SkinDecision off = {};
    };
    const SkinDecision groupBox{.before = ChildWalk::Children, .skin = SkinChoice{K::GroupBox}};
    const Row rows[] = {
        {{u"TTabControl", u"TCustomTabControl"}, xcTab, S(K::TabControl)},
        {{{u"TPageControl", u"TCustomTabControl"}, {{u"Style", u"tsButtons"}}}, xcTab, S(K::TabButtons)},
        {{{u"TPageControl", u"TCustomTabControl"}, {{u"Style", u"tsTabs"}}}, xcTab, S(K::Tab)},
        {{u"TCoolBar", u"TToolWindow"}, xcToolbar, {.prepare = ControlPreparation::CoolBarBands}},
        {{u"TTabSet", u"TCustomControl"}, xcTab, S(K::TabSet)},
        {{u"TTabSheet", u"TWinControl"}, xcTab, S(K::TabSheet)},
        {{u"TTabbedNotebook"}, xcTab, S(K::Tab)},
        {{u"TMVCPanel"}, std::nullopt, {.after = ChildWalk::Children}},
        {{u"THeaderControl", u"TCustomHeaderControl"}, xcPanel, S(K::Header)},
        {{u"TCheckBox", u"TCustomCheckBox"}, xcCheckBox, S(K::CheckBox)},
        {{u"TTrackBar"}, xcTrackBar, S(K::TrackBar)},
        {{u"TUpDown", u"TCustomUpDown"}, xcSpin, S(K::UpDown)},
        {{u"TSpinButton"}, xcSpin, S(K::UpDown)},
        {{u"TMediaPlayer"}, xcButton, S(K::MediaPlayer)},
        // Without its buttons' switch a radio group is still a group box.
        {{u"TRadioGroup", u"TCustomRadioGroup", u"TCustomGroupBox"}, xcRadioButton,
         {.before = ChildWalk::ChildSkin, .childSkin = SkinChoice{K::RadioButton}, .skin = SkinChoice{K::GroupBox, true}},
         groupBox},
        {{u"TDBNavigator", u"TCustomPanel"}, xcPanel, {.skin = SkinChoice{K::Box, true}, .after = ChildWalk::ChildrenAlone}},
        {{u"TRzCheckBox", u"TRzCustomCheckBox"}, xcCheckBox, S(K::ObjImageCheck, true)},
        {{u"TRzDBCheckBox"}, xcCheckBox, S(K::ObjImageCheck, true)},
        {{u"TRzRadioButton"}, xcRadioButton, S(K::ObjImageRadio, true)},
        {{u"TRzDBRadioButton"}, xcRadioButton, S(K::ObjImageRadio, true)},
        {{u"TcxCheckBox"}, xcCheckBox, S(K::ObjImageCheck3, true)},
        {{u"TcxDBCheckBox"}, xcCheckBox, S(K::ObjImageCheck3, true)},
        {{u"TGroupBox", u"TCustomGroupBox"}, xcPanel, groupBox},
        {{u"TRadioButton", u"TButtonControl"}, xcRadioButton, S(K::RadioButton)},
        {{u"TToolBar", u"TToolWindow"}, xcToolbar, {.prepare = ControlPreparation::FlatToolBar, .skin = SkinChoice{K::Box}}},
        {{u"TStatusBar", u"TCustomStatusBar"}, xcStatusBar, S(K::StatusBar)},
        {{u"TProgressBar"}, xcProgress, S(K::Progress)},
        {{u"TScrollBar"}, xcScrollbar, Own(K::ScrollBarControl)},
        {{u"TTntComboBox"}, xcCombo, S(K::ComboBox)},
        {{u"TComboBox", u"TCustomComboBox"}, xcCombo, S(K::ComboBox)},
        {{u"TDateTimePicker", u"TCommonCalendar"}, xcEdit, S(K::DateTime)},
        {{{u"TDateTimePicker"}, {{u"DateMode", u"dmUpDown"}}}, xcEdit, S(K::Edit)},
        {{{u"TDateTimePicker"}, {{u"Kind", u"dtkTime"}}}, xcEdit, S(K::Edit)},
        // Memos of these kinds are edits once their scroll bars are not skinned.
        {{u"TRichEdit", u"TCustomRichEdit", u"TCustomMemo", u"TCustomEdit"}, xcScrollbar, Own(K::ScrollBar), S(K::Edit)},
        {{u"TwwDBRichEdit"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TdxDBMemo"}, xcScrollbar, Own(K::ScrollBar)},
        // A bit button never falls through to the push buttons it descends from.
        {{u"TBitBtn", u"TButton"}, xcBitBtn, S(K::BitButton)},
        {{u"TSpeedButton", u"TGraphicControl"}, xcSpeedButton, Own(K::SpeedButton)},
        {{u"TPanel", u"TCustomPanel"}, xcPanel, {.before = ChildWalk::Children, .skin = SkinChoice{K::Box, true}}},
        {{u"TdxTreeList"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TdxDBTreeList"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TdxDBGrid"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TListView", u"TCustomListView"}, xcScrollbar, Own(K::ListView)},
        {{u"TMemo", u"TCustomMemo", u"TCustomEdit"}, xcScrollbar, Own(K::ScrollBar), S(K::Edit)},
        {{u"TStringGrid", u"TCustomGrid"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TDBListBox", u"TCustomListBox"}, xcScrollbar, Own(K::ScrollBar)},
        {{u"TButton", u"TButtonControl"}, xcButton, S(K::Button)},
        {{u"TEdit", u"TCustomEdit"}, xcEdit, S(K::Edit)},
        {{u"TFrame", u"TCustomFrame"}, std::nullopt, {.after = ChildWalk::Components}},
        {{u"TForm", u"TCustomForm"}, std::nullopt, {.skin = SkinChoice{K::Box, true}, .after = ChildWalk::Components}},
        {{u"TShockwaveFlash", u"TWinControl"}, std::nullopt, {}},
        {{{u"TDCEdit"}, {{u"NumButtons", u"1"}}}, xcCombo, S(K::ComboBox)},
        {{{u"TDCDBEdit"}, {{u"NumButtons", u"0"}}}, xcEdit, {.skin = SkinChoice{K::Edit, false, AttachWay::Handle}}},
        {{{u"TDCEdit"}, {{u"NumButtons", u"2"}}}, std::nullopt, {}},
        // Never skinned, though they descend from classes that would be.
        {{u"TDBComboBoxEh", u"TCustomComboBox"}, std::nullopt, {}},
        {{u"TfrDesignerPage", u"TCustomPanel"}, std::nullopt, {}},
        {{u"TFRPBOX", u"TCustomPanel"}, std::nullopt, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(ToUtf8(row.control.ClassName()));
        EXPECT_EQ(FrameworkDecision(row.control, kAll), row.on);
        if (row.needs) {
            EXPECT_EQ(FrameworkDecision(row.control, Without(*row.needs)), row.off);
        }
    }

    // Tabs need the skin's tab object, tool buttons a skinned frame.
    DiscoverySwitches plain = kAll;
    plain.tabObject = plain.frameSkinning = false;
    for (const Fake& control : {Fake{u"TTabControl", u"TCustomTabControl"}, Fake{u"TTabSet"}, Fake{u"TTabSheet"},
                                Fake{u"TTabbedNotebook"}, Fake{u"TToolButton"}})
        EXPECT_EQ(FrameworkDecision(control, plain), SkinDecision{}) << ToUtf8(control.ClassName());
    EXPECT_EQ(FrameworkDecision(Fake{u"TToolButton"}, kAll), SkinDecision{.prepare = ControlPreparation::ToolButtonMenu});
}

TEST(DiscoveryRules, ScrollableControlsAreScrollStyledWindowsOrListsMemosTreesAndScrollBoxes) {
    Fake plain{u"TMine", u"TWinControl"};
    EXPECT_FALSE(IsScrollableControl(plain));
    for (uint32_t bits : {discoverystyle::kHScroll, discoverystyle::kVScroll}) {
        plain.style = bits;
        EXPECT_TRUE(IsScrollableControl(plain));
        EXPECT_EQ(FrameworkDecision(plain, kAll), Own(K::ScrollBar));
    }
    plain.windowed = false;
    EXPECT_FALSE(IsScrollableControl(plain));
    for (const Fake& listed : {Fake{u"TListBox"}, Fake{u"TMemo"}, Fake{u"TTreeView", u"TCustomTreeView"}, Fake{u"TScrollBox"}})
        EXPECT_TRUE(IsScrollableControl(listed)) << ToUtf8(listed.ClassName());

    // Under a control that embeds its scroll bars: scroll-bar controls, then scrollable ones.
    EXPECT_EQ(EmbeddedScrollBarChoice(Fake{u"TScrollBar"}), (SkinChoice{K::ScrollBarControl, false, AttachWay::Own}));
    EXPECT_EQ(EmbeddedScrollBarChoice(Fake{u"TMemo"}), (SkinChoice{K::ScrollBar, false, AttachWay::Own}));
    EXPECT_EQ(EmbeddedScrollBarChoice(Fake{u"TButton"}), std::nullopt);
}

TEST(DiscoveryRules, ClassMapKindsAttachWhatTheirSwitchAllows) {
    const Fake other{u"TOther"};
    const std::tuple<std::u16string_view, TSkinControlType, SkinDecision> kinds[] = {
        {u"combobox", xcCombo, S(K::ComboBox)},
        {u"radiobutton", xcRadioButton, S(K::RadioButton)},
        {u"panel", xcPanel, {.prepare = ControlPreparation::Transparent, .skin = SkinChoice{K::Box, true}}},
        {u"trackbar", xcButton, {.prepare = ControlPreparation::Transparent, .skin = SkinChoice{K::TrackBar}}},
        {u"button", xcButton, S(K::Button)},
        {u"datetimepicker", xcCombo, S(K::DateTime)},
        {u"mediaplayer", xcButton, S(K::MediaPlayer)},
        {u"bitbtn", xcButton, S(K::BitButton)},
        {u"pngbitbtn", xcButton, S(K::PngBitButton)},
        {u"menubtn", xcButton, S(K::MenuButton)},
        {u"speedbutton", xcSpeedButton, Own(K::SpeedButton)},
        {u"tab", xcTab, S(K::Tab)},
        {u"progress", xcProgress, S(K::Progress)},
        {u"scrollbar", xcScrollbar, {.skin = SkinChoice{K::ScrollBar, false, AttachWay::Own}, .after = ChildWalk::Children}},
        {u"singlescrollbar", xcScrollbar, Own(K::SingleScrollBar)},
        {u"embedscrollbar", xcScrollbar, {.after = ChildWalk::EmbeddedScrollBars}},
        {u"groupbox", xcGroupBox, S(K::GroupBox, true)},
        {u"advpagecontrol", xcTab, S(K::AdvPage, true)},
        {u"checkbox", xcCheckBox, S(K::CheckBox)},
    };
    for (const auto& [kind, needs, on] : kinds) {
        SCOPED_TRACE(ToUtf8(kind));
        EXPECT_EQ(KindDecision(kind, other, kAll), on);
        EXPECT_EQ(KindDecision(kind, other, Without(needs)), SkinDecision{});
    }
    EXPECT_EQ(KindDecision(u"container", other, DiscoverySwitches{}), SkinDecision{.after = ChildWalk::Children});
    EXPECT_EQ(KindDecision(u"nil", other, kAll), SkinDecision{});
    EXPECT_EQ(KindDecision(u"wobble", other, kAll), SkinDecision{});
    DiscoverySwitches noTabObject = kAll;
    noTabObject.tabObject = false;
    EXPECT_EQ(KindDecision(u"tab", other, noTabObject), SkinDecision{});

    // Only an edit with a border is framed; that one library's drop-down button has a menu.
    Fake edit{u"TOtherEdit"};
    EXPECT_EQ(KindDecision(u"edit", edit, kAll), SkinDecision{});
    edit.border = true;
    EXPECT_EQ(KindDecision(u"edit", edit, kAll), S(K::Edit));
    EXPECT_EQ(KindDecision(u"edit", edit, Without(xcEdit)), SkinDecision{});
    EXPECT_EQ(KindDecision(u"bitbtn", Fake{{u"TcxButton"}, {{u"Kind", u"cxbkDropDownButton"}}}, kAll), S(K::MenuButton));
    EXPECT_EQ(KindDecision(u"bitbtn", Fake{{u"TcxButton"}, {{u"Kind", u"cxbkStandard"}}}, kAll), S(K::BitButton));
}

TEST(DiscoveryRules, RadioAndCheckGroupsSkinTheirButtonsFirst) {
    const auto group = [](std::optional<SkinChoice> buttons, bool groupBox) {
        SkinDecision d{.childSkin = buttons};
        if (buttons) d.before = ChildWalk::ChildSkin;
        if (groupBox) d.skin = SkinChoice{K::GroupBox, true};
        return d;
    };
    const Fake plain{u"TLMDRadioGroup"}, raize{u"TRzRadioGroup"};
    EXPECT_EQ(KindDecision(u"radiogroup", plain, kAll), group(SkinChoice{K::RadioButton}, true));
    EXPECT_EQ(KindDecision(u"radiogroup", raize, kAll), group(SkinChoice{K::ObjImageRadio, true}, true));
    EXPECT_EQ(KindDecision(u"radiogroup", plain, Without(xcRadioButton)), group(std::nullopt, true));
    EXPECT_EQ(KindDecision(u"radiogroup", plain, Without(xcGroupBox)), SkinDecision{});
    EXPECT_EQ(KindDecision(u"checkgroup", plain, kAll), group(SkinChoice{K::CheckBox}, true));
    EXPECT_EQ(KindDecision(u"checkgroup", raize, kAll), group(SkinChoice{K::ObjImageCheck, true}, true));
    // A check group needs the panels' switch; its group box has a switch of its own.
    EXPECT_EQ(KindDecision(u"checkgroup", plain, Without(xcGroupBox)), group(SkinChoice{K::CheckBox}, false));
    EXPECT_EQ(KindDecision(u"checkgroup", plain, Without(xcPanel)), SkinDecision{});

    // Such a group tagged to stay unskinned passes the tag to its buttons; other containers do not.
    for (std::u16string_view name : {u"TRadioGroup", u"TRzCheckGroup", u"TLMDDBRADIOGROUP"})
        EXPECT_TRUE(DisableTagPassesToChildren(name)) << ToUtf8(name);
    for (std::u16string_view name : {u"TGroupBox", u"TPanel", u"TRadioButton"})
        EXPECT_FALSE(DisableTagPassesToChildren(name)) << ToUtf8(name);
}

TEST(DiscoveryRules, TheClassMapDecidesForTheClassesItNamesWhatTheKindSays) {
    BasicStringList<char16_t> map;
    for (std::u16string_view line : DefaultClassMap()) map.Add(line);
    map.Add(u"TButton=nil");
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TRzButton"}, kAll), S(K::Button));
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TLMDGROUPBOX"}, kAll), S(K::GroupBox, true));  // the first line wins
    // Named with "nil", or with a kind switched off: decided, and nothing attached.
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TButton", u"TButtonControl"}, kAll), SkinDecision{});
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TRzButton"}, Without(xcButton)), SkinDecision{});
    // Only the whole class name before "=" counts.
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TRzButtonEx"}, kAll), std::nullopt);
    EXPECT_EQ(ClassMapDecision(map, Fake{u"TPanel", u"TCustomPanel"}, kAll), std::nullopt);

    EXPECT_TRUE(OwnSkinWalksChildren(Fake{u"TPanel", u"TCustomPanel"}));
    EXPECT_FALSE(OwnSkinWalksChildren(Fake{u"TButton"}));
}

TEST(DiscoveryRules, ChildWindowsOfBareWindowsAreDecidedByClassAndStyle) {
    const auto skin = [](std::optional<K> s, bool walk = false, bool colour = false, bool first = false) {
        return WindowDecision{s, first, walk, colour};
    };
    // Button styles 0 to 15: push Button, Check box, Radio button, or nothing (group box 7,
    // owner-drawn 11, and 15, which holds the group-box bits).
    const std::string_view buttons = "BBCCRCC-BRC-RCC-";
    for (uint32_t style = 0; style < 16; ++style) {
        const char c = buttons[style];
        const std::optional<K> expected = c == 'B' ? std::optional{K::Button}
                                          : c == 'C' ? std::optional{K::CheckBox}
                                          : c == 'R' ? std::optional{K::RadioButton}
                                                     : std::nullopt;
        EXPECT_EQ(ChildWindowDecision(u"Button", style | 0x50010000).skin, expected) << style;
    }
    const std::tuple<std::u16string_view, uint32_t, WindowDecision> windows[] = {
        {u"Button", 0x80, skin(std::nullopt)},  // BS_BITMAP
        {u"ComboBox", 1, skin(std::nullopt)},    // CBS_SIMPLE
        {u"ComboBox", 2, skin(K::ComboBox)},
        {u"ComboBox", 3, skin(K::ComboBox)},
        {u"ComboBoxEx32", 2, skin(K::ComboBox, false, false, true)},
        {u"ScrollBar", 3, skin(K::Sizer)},
        {u"ScrollBar", discoverystyle::kTabStop, skin(std::nullopt)},
        {u"#32770", 0x40000000, skin(K::BoxH, true)},
        {u"#32770", discoverystyle::kTabStop, skin(std::nullopt)},
        {u"TPanel", 0, skin(std::nullopt, true, true)},
        {u"TTntPanel.UnicodeClass", 0, skin(std::nullopt, true, true)},
        {u"TTntSilentPaintPanel.UnicodeClass", 0, skin(std::nullopt, true, true)},
        {u"TSilentPaintPanel", 0, skin(std::nullopt, false, true)},
        {u"TCheckBox", 0, skin(K::CheckBox)},
        {u"TComboBox", 0, skin(K::ComboBox)},
        {u"TButton", 0, skin(K::Button)},
        {u"TProgressBar", 0, skin(K::Progress)},
        {u"SysTabControl32", 0, skin(K::Tab)},
        {u"SysTabControl32", 0x2000, skin(std::nullopt)},  // TCS_OWNERDRAWFIXED
        {u"Edit", 0, skin(K::Edit)},
        {u"SysTreeView32", 0, skin(std::nullopt)},
        {u"Static", 0, skin(std::nullopt)},
    };
    for (const auto& [name, style, expected] : windows)
        EXPECT_TRUE(ChildWindowDecision(name, style) == expected) << ToUtf8(name) << " " << style;
}

}  // namespace
