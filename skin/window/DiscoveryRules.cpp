#include "skin/window/DiscoveryRules.h"

#include "framework/core/Strings.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace {

using enum TSkinControlType;
using Skin = ControlSkinClass;

bool NameIs(const ControlFacts& control, std::initializer_list<std::u16string_view> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](std::u16string_view name) { return SameText(control.ClassName(), name); });
}

bool InheritsFromAny(const ControlFacts& control, std::initializer_list<std::u16string_view> names) {
    return std::any_of(names.begin(), names.end(), [&](std::u16string_view name) { return control.InheritsFrom(name); });
}

// Speed buttons have no window, and the scroll-bar skins lay windows of their own over
// the control: these skins attach their own way.
bool AttachesItsOwnWay(Skin skin) {
    switch (skin) {
    case Skin::SpeedButton:
    case Skin::ScrollBar:
    case Skin::SingleScrollBar:
    case Skin::ScrollBarControl:
    case Skin::ListView: return true;
    default: return false;
    }
}

SkinChoice Choice(Skin skin, bool recolour = false) {
    return {skin, recolour, AttachesItsOwnWay(skin) ? AttachWay::Own : AttachWay::Control};
}

SkinDecision Attach(Skin skin, bool recolour = false) {
    SkinDecision decision;
    decision.skin = Choice(skin, recolour);
    return decision;
}

SkinDecision Walk(ChildWalk after) {
    SkinDecision decision;
    decision.after = after;
    return decision;
}

// Kinds that attach one skin when one switch is on, and at most set "Transparent" first.
struct PlainKind {
    std::u16string_view kind;
    TSkinControlType needs;
    Skin skin;
    bool recolour = false;
    ControlPreparation prepare = ControlPreparation::None;
};
constexpr PlainKind kPlainKinds[] = {
    {u"combobox", xcCombo, Skin::ComboBox},
    {u"radiobutton", xcRadioButton, Skin::RadioButton},
    {u"panel", xcPanel, Skin::Box, true, ControlPreparation::Transparent},
    {u"trackbar", xcButton, Skin::TrackBar, false, ControlPreparation::Transparent},
    {u"button", xcButton, Skin::Button},
    {u"datetimepicker", xcCombo, Skin::DateTime},
    {u"mediaplayer", xcButton, Skin::MediaPlayer},
    {u"pngbitbtn", xcButton, Skin::PngBitButton},
    {u"menubtn", xcButton, Skin::MenuButton},
    {u"speedbutton", xcSpeedButton, Skin::SpeedButton},
    {u"progress", xcProgress, Skin::Progress},
    {u"singlescrollbar", xcScrollbar, Skin::SingleScrollBar},
    {u"groupbox", xcGroupBox, Skin::GroupBox, true},
    {u"advpagecontrol", xcTab, Skin::AdvPage, true},
    {u"checkbox", xcCheckBox, Skin::CheckBox},
};

// The buttons of a radio or check group of the library whose classes start "TRz" take
// the skin's glyphs through their own properties.
bool IsCustomGlyphLibrary(const ControlFacts& control) {
    return AsciiLower(control.ClassName()).find(u"trz") != std::u16string::npos;
}

}  // namespace

bool DisableTagPassesToChildren(std::u16string_view className) {
    const std::u16string lower = AsciiLower(className);
    return lower.find(u"radiogroup") != std::u16string::npos || lower.find(u"checkgroup") != std::u16string::npos;
}

std::optional<SkinDecision> ClassMapDecision(const BasicStringList<char16_t>& classMap, const ControlFacts& control,
                                             const DiscoverySwitches& switches) {
    const std::optional<std::u16string> kind = ClassMapKind(classMap, control.ClassName());
    if (!kind) return std::nullopt;
    return KindDecision(*kind, control, switches);
}

SkinDecision KindDecision(std::u16string_view kind, const ControlFacts& control, const DiscoverySwitches& switches) {
    const auto on = [&](TSkinControlType type) { return switches.controls.Contains(type); };
    for (const PlainKind& plain : kPlainKinds) {
        if (plain.kind != kind) continue;
        if (!on(plain.needs)) return {};
        SkinDecision decision = Attach(plain.skin, plain.recolour);
        decision.prepare = plain.prepare;
        return decision;
    }
    if (kind == u"edit") {
        // Only an edit with a border has a frame to paint.
        return on(xcEdit) && control.HasBorder() ? Attach(Skin::Edit) : SkinDecision{};
    }
    if (kind == u"bitbtn") {
        if (!on(xcButton)) return {};
        const bool dropDown = NameIs(control, {u"TcxButton"}) && control.EnumProp(u"Kind") == u"cxbkdropdownbutton";
        return Attach(dropDown ? Skin::MenuButton : Skin::BitButton);
    }
    if (kind == u"tab") return on(xcTab) && switches.tabObject ? Attach(Skin::Tab) : SkinDecision{};
    if (kind == u"scrollbar") {
        if (!on(xcScrollbar)) return {};
        SkinDecision decision = Attach(Skin::ScrollBar);
        decision.after = ChildWalk::Children;
        return decision;
    }
    if (kind == u"embedscrollbar") return on(xcScrollbar) ? Walk(ChildWalk::EmbeddedScrollBars) : SkinDecision{};
    if (kind == u"container") return Walk(ChildWalk::Children);
    if (kind == u"radiogroup" || kind == u"checkgroup") {
        const bool radio = kind == u"radiogroup";
        if (!on(radio ? xcGroupBox : xcPanel)) return {};
        SkinDecision decision;
        if (on(xcRadioButton)) {
            decision.before = ChildWalk::ChildSkin;
            decision.childSkin = IsCustomGlyphLibrary(control)
                                     ? Choice(radio ? Skin::ObjImageRadio : Skin::ObjImageCheck, true)
                                     : Choice(radio ? Skin::RadioButton : Skin::CheckBox);
        }
        if (on(xcGroupBox)) decision.skin = Choice(Skin::GroupBox, true);
        return decision;
    }
    return {};  // "nil", and kinds this program does not know
}

SkinDecision FrameworkDecision(const ControlFacts& control, const DiscoverySwitches& switches) {
    const auto on = [&](TSkinControlType type) { return switches.controls.Contains(type); };
    // Other libraries' controls that paint themselves in a way no skin can follow.
    if (NameIs(control, {u"TDBComboBoxEh", u"TfrDesignerPage", u"TfrPBox"})) return {};

    const bool tabs = on(xcTab) && switches.tabObject;
    if (control.InheritsFrom(u"TCustomTabControl") && tabs) {
        if (!control.InheritsFrom(u"TPageControl")) return Attach(Skin::TabControl);
        return Attach(control.EnumProp(u"Style") != u"tstabs" ? Skin::TabButtons : Skin::Tab);
    }
    if (control.InheritsFrom(u"TToolButton") && switches.frameSkinning) {
        SkinDecision decision;
        decision.prepare = ControlPreparation::ToolButtonMenu;
        return decision;
    }
    if (control.InheritsFrom(u"TCoolBar") && on(xcToolbar)) {
        SkinDecision decision;
        decision.prepare = ControlPreparation::CoolBarBands;
        return decision;
    }
    if (NameIs(control, {u"TTabSet"}) && tabs) return Attach(Skin::TabSet);
    if (control.InheritsFrom(u"TTabSheet") && tabs) return Attach(Skin::TabSheet);
    if (NameIs(control, {u"TTabbedNotebook"}) && tabs) return Attach(Skin::Tab);
    if (NameIs(control, {u"TMVCPanel"})) return Walk(ChildWalk::Children);
    if (control.InheritsFrom(u"THeaderControl") && on(xcPanel)) return Attach(Skin::Header);
    if (control.InheritsFrom(u"TCustomCheckBox") && on(xcCheckBox)) return Attach(Skin::CheckBox);
    if (control.InheritsFrom(u"TTrackBar") && on(xcTrackBar)) return Attach(Skin::TrackBar);
    if (NameIs(control, {u"TUpDown", u"TSpinButton"}) && on(xcSpin)) return Attach(Skin::UpDown);
    if (NameIs(control, {u"TMediaPlayer"}) && on(xcButton)) return Attach(Skin::MediaPlayer);
    if (control.InheritsFrom(u"TCustomRadioGroup") && on(xcRadioButton)) {
        SkinDecision decision = Attach(Skin::GroupBox, true);
        decision.before = ChildWalk::ChildSkin;
        decision.childSkin = Choice(Skin::RadioButton);
        return decision;
    }
    if (NameIs(control, {u"TDBNavigator"}) && on(xcPanel)) {
        SkinDecision decision = Attach(Skin::Box, true);
        decision.after = ChildWalk::ChildrenAlone;
        return decision;
    }
    if (NameIs(control, {u"TRzDBCheckBox", u"TRzCheckBox"}) && on(xcCheckBox)) return Attach(Skin::ObjImageCheck, true);
    if (NameIs(control, {u"TRzRadioButton", u"TRzDBRadioButton"}) && on(xcRadioButton))
        return Attach(Skin::ObjImageRadio, true);
    if (NameIs(control, {u"TcxDBCheckBox", u"TcxCheckBox"}) && on(xcCheckBox)) return Attach(Skin::ObjImageCheck3, true);
    if (control.InheritsFrom(u"TCustomGroupBox") && on(xcPanel)) {
        SkinDecision decision = Attach(Skin::GroupBox);
        decision.before = ChildWalk::Children;
        return decision;
    }
    if (control.InheritsFrom(u"TRadioButton") && on(xcRadioButton)) return Attach(Skin::RadioButton);
    if (control.InheritsFrom(u"TToolBar") && on(xcToolbar)) {
        SkinDecision decision = Attach(Skin::Box);
        decision.prepare = ControlPreparation::FlatToolBar;
        return decision;
    }
    if (control.InheritsFrom(u"TCustomStatusBar") && on(xcStatusBar)) return Attach(Skin::StatusBar);
    if (control.InheritsFrom(u"TProgressBar") && on(xcProgress)) return Attach(Skin::Progress);
    if (control.InheritsFrom(u"TScrollBar") && on(xcScrollbar)) return Attach(Skin::ScrollBarControl);
    if (NameIs(control, {u"TTntComboBox"}) && on(xcCombo)) return Attach(Skin::ComboBox);
    if (control.InheritsFrom(u"TCustomComboBox") && on(xcCombo)) return Attach(Skin::ComboBox);
    if (control.InheritsFrom(u"TDateTimePicker") && on(xcEdit)) {
        // A picker without its drop-down calendar is an edit with arrows.
        const bool plain = control.EnumProp(u"DateMode") == u"dmupdown" || control.EnumProp(u"Kind") == u"dtktime";
        return Attach(plain ? Skin::Edit : Skin::DateTime);
    }
    const bool scrollBars = on(xcScrollbar);
    if (scrollBars && NameIs(control, {u"TRichEdit", u"TwwDBRichEdit", u"TdxDBMemo"})) return Attach(Skin::ScrollBar);
    // Ahead of the push buttons it descends from, whatever the switch says.
    if (control.InheritsFrom(u"TBitBtn")) return on(xcBitBtn) ? Attach(Skin::BitButton) : SkinDecision{};
    if (control.InheritsFrom(u"TSpeedButton") && on(xcSpeedButton)) return Attach(Skin::SpeedButton);
    if (control.InheritsFrom(u"TCustomPanel") && on(xcPanel)) {
        SkinDecision decision = Attach(Skin::Box, true);
        decision.before = ChildWalk::Children;
        return decision;
    }
    if (scrollBars && NameIs(control, {u"TdxTreeList", u"TdxDBTreeList", u"TdxDBGrid"})) return Attach(Skin::ScrollBar);
    if (control.InheritsFrom(u"TCustomListView") && scrollBars) return Attach(Skin::ListView);
    if (scrollBars && InheritsFromAny(control, {u"TCustomMemo", u"TCustomGrid"})) return Attach(Skin::ScrollBar);
    if (scrollBars && IsScrollableControl(control)) return Attach(Skin::ScrollBar);
    if (control.InheritsFrom(u"TButton") && on(xcButton)) return Attach(Skin::Button);
    if (control.InheritsFrom(u"TCustomEdit") && on(xcEdit)) return Attach(Skin::Edit);
    if (!NameIs(control, {u"TDCEdit", u"TDCDBEdit"})) {
        if (control.InheritsFrom(u"TCustomFrame")) return Walk(ChildWalk::Components);
        if (control.InheritsFrom(u"TCustomForm")) {
            SkinDecision decision = Attach(Skin::Box, true);
            decision.after = ChildWalk::Components;
            return decision;
        }
        return {};
    }
    // An edit of that library is a combo box when it has one button and a plain edit
    // when it has none; the edit is skinned on its window, past the library's handler.
    switch (control.IntProp(u"NumButtons")) {
    case 1: return on(xcCombo) ? Attach(Skin::ComboBox) : SkinDecision{};
    case 0: {
        if (!on(xcEdit)) return {};
        SkinDecision decision;
        decision.skin = SkinChoice{Skin::Edit, false, AttachWay::Handle};
        return decision;
    }
    default: return {};
    }
}

bool IsScrollableControl(const ControlFacts& control) {
    if (control.Windowed() && (control.Style() & (discoverystyle::kHScroll | discoverystyle::kVScroll))) return true;
    return InheritsFromAny(control, {u"TListBox", u"TMemo", u"TCustomListBox", u"TCustomTreeView", u"TScrollBox"});
}

std::optional<SkinChoice> EmbeddedScrollBarChoice(const ControlFacts& child) {
    if (child.InheritsFrom(u"TScrollBar")) return Choice(Skin::ScrollBarControl);
    if (IsScrollableControl(child)) return Choice(Skin::ScrollBar);
    return std::nullopt;
}

bool OwnSkinWalksChildren(const ControlFacts& control) { return control.InheritsFrom(u"TCustomPanel"); }

WindowDecision ChildWindowDecision(std::u16string_view className, uint32_t style) {
    constexpr uint32_t kOwnerDraw = 0xB, kBitmap = 0x80, kGroupBox = 7;
    constexpr uint32_t kSimpleCombo = 1, kOwnerDrawTabs = 0x2000;
    const std::u16string name = AsciiLower(className);
    WindowDecision decision;
    const auto skin = [&](Skin chosen) {
        decision.skin = chosen;
        return decision;
    };
    if (name == u"button") {
        if ((style & 0xF) == kOwnerDraw) return decision;
        if ((style & kGroupBox) == kGroupBox || (style & kBitmap)) return decision;
        // Check boxes of two and three states, manual or automatic; then both radio kinds.
        if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) return skin(Skin::CheckBox);
        if ((style & 9) == 9 || (style & 4)) return skin(Skin::RadioButton);
        return skin(Skin::Button);
    }
    if (name == u"combobox") return (style & 3) == kSimpleCombo ? decision : skin(Skin::ComboBox);
    if (name == u"comboboxex32") {
        // The extended combo box draws through the plain combo box inside it.
        decision.toFirstChild = true;
        return skin(Skin::ComboBox);
    }
    // A scroll bar that takes no focus is a size grip.
    if (name == u"scrollbar") return style & discoverystyle::kTabStop ? decision : skin(Skin::Sizer);
    if (name == u"#32770") {
        if (style & discoverystyle::kTabStop) return decision;
        decision.walkChildren = true;
        return skin(Skin::BoxH);
    }
    if (name == u"tpanel" || name == u"ttntpanel.unicodeclass" || name == u"ttntsilentpaintpanel.unicodeclass") {
        decision.walkChildren = true;
        decision.colourOwner = true;
        return decision;
    }
    if (name == u"tsilentpaintpanel") {
        decision.colourOwner = true;
        return decision;
    }
    if (name == u"systabcontrol32") return style & kOwnerDrawTabs ? decision : skin(Skin::Tab);
    constexpr std::array<std::pair<std::u16string_view, Skin>, 5> kPlainClasses{{
        {u"tcheckbox", Skin::CheckBox},
        {u"tcombobox", Skin::ComboBox},
        {u"tbutton", Skin::Button},
        {u"tprogressbar", Skin::Progress},
        {u"edit", Skin::Edit},
    }};
    for (const auto& [plain, chosen] : kPlainClasses)
        if (name == plain) return skin(chosen);
    return decision;  // tree views and everything else keep their own look
}
