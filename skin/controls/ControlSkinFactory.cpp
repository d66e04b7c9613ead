#include "skin/controls/ControlSkinFactory.h"

#include "framework/core/Component.h"
#include "framework/core/FailureLog.h"
#include "skin/controls/BoxSkins.h"
#include "skin/controls/ButtonSkins.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/ComboSkin.h"
#include "skin/controls/DateTimeSkin.h"
#include "skin/controls/EditSkins.h"
#include "skin/controls/GroupBoxSkin.h"
#include "skin/controls/HeaderSkin.h"
#include "skin/controls/MediaPlayerSkin.h"
#include "skin/controls/ObjImageSkin.h"
#include "skin/controls/ProgressSkin.h"
#include "skin/controls/ScrollBarSkins.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SpeedButtonSkin.h"
#include "skin/controls/StatusBarSkin.h"
#include "skin/controls/TabSkins.h"
#include "skin/controls/TrackBarSkin.h"
#include "skin/controls/UpDownSkin.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr std::array<std::u16string_view, 33> kNames{
    u"Button",     u"BitButton",       u"PngBitButton",  u"MenuButton",     u"SpeedButton", u"CheckBox",
    u"RadioButton", u"Box",            u"BoxH",          u"GroupBox",       u"StatusBar",   u"Header",
    u"Progress",   u"TrackBar",        u"Sizer",         u"ObjImageCheck",  u"ObjImageRadio", u"ObjImageCheck3",
    u"Tab",        u"TabButtons",      u"TabSet",        u"TabSheet",       u"AdvPage",     u"ComboBox",
    u"Edit",       u"DateTime",        u"UpDown",        u"MediaPlayer",    u"ScrollBar",   u"SingleScrollBar",
    u"ScrollBarControl", u"ListView",        u"TabControl"};
static_assert(kNames.size() == static_cast<size_t>(ControlSkinClass::TabControl) + 1);

template <class T>
TSkinControl* Make(TComponent& owner) {
    return &owner.Create<T>();
}

TSkinObjImage& MakeObjImageSkin(TComponent& owner, int32_t kind) {
    auto& skin = owner.Create<TSkinObjImage>();
    skin.SetImageKind(kind);
    return skin;
}

// Skins that come with later work attach nothing; each class is reported once.
TSkinControl* NotYet(ControlSkinClass kind) {
    static std::array<bool, kNames.size()> reported{};
    const auto index = static_cast<size_t>(kind);
    if (index < reported.size() && !reported[index]) {
        reported[index] = true;
        LogFailure(u"no control skin of class " + std::u16string(kNames[index]) + u" yet; such controls keep their own look");
    }
    return nullptr;
}

ControlSkinMaker& TestMaker() {
    static ControlSkinMaker maker;
    return maker;
}

}  // namespace

ControlSkinMaker SetControlSkinMaker(ControlSkinMaker maker) { return std::exchange(TestMaker(), std::move(maker)); }

TSkinControl* MakeControlSkin(ControlSkinClass kind, TComponent& owner) {
    if (const ControlSkinMaker& maker = TestMaker()) return maker(kind, owner);
    switch (kind) {
    // Each family of control skins makes its classes here.
    case ControlSkinClass::Button: return Make<TSkinButton>(owner);
    case ControlSkinClass::BitButton: return Make<TSkinBitButton>(owner);
    case ControlSkinClass::PngBitButton: {
        auto& skin = owner.Create<TSkinBitButton>();
        skin.SetGlyphPropName(u"PngImage");
        return &skin;
    }
    case ControlSkinClass::MenuButton: return Make<TSkinMenuButton>(owner);
    case ControlSkinClass::SpeedButton: return Make<TSkinSpeedButton>(owner);
    case ControlSkinClass::CheckBox: return Make<TSkinCheckBox>(owner);
    case ControlSkinClass::RadioButton: return Make<TSkinRadioButton>(owner);
    case ControlSkinClass::Box: return Make<TSkinBox>(owner);
    case ControlSkinClass::BoxH: return Make<TSkinBoxH>(owner);
    case ControlSkinClass::GroupBox: return Make<TSkinGroupBox>(owner);
    case ControlSkinClass::StatusBar: return Make<TSkinStatusBar>(owner);
    case ControlSkinClass::Header: return Make<TSkinHeader>(owner);
    case ControlSkinClass::Progress: return Make<TSkinProgress>(owner);
    case ControlSkinClass::TrackBar: return Make<TSkinTrackBar>(owner);
    case ControlSkinClass::Sizer: return Make<TSkinSizer>(owner);
    case ControlSkinClass::ComboBox: return Make<TSkinComBox>(owner);
    case ControlSkinClass::Edit: return Make<TSkinEdit>(owner);
    case ControlSkinClass::DateTime: return Make<TSkinDateTime>(owner);
    case ControlSkinClass::UpDown: return Make<TSkinUpDown>(owner);
    case ControlSkinClass::ScrollBar: return Make<TSkinScrollbar>(owner);
    case ControlSkinClass::SingleScrollBar: return &MakeSingleScrollBarSkin(owner);
    case ControlSkinClass::ScrollBarControl: return Make<TSkinScControl>(owner);
    case ControlSkinClass::ListView: return Make<TSkinListView>(owner);
    case ControlSkinClass::Tab: return Make<TSkinTab>(owner);
    case ControlSkinClass::TabControl: {
        auto& skin = owner.Create<TSkinTab>();
        skin.SetTabMode(2);
        return &skin;
    }
    case ControlSkinClass::TabButtons: return Make<TSkinTabBtn>(owner);
    case ControlSkinClass::TabSet: return Make<TSkinTab31>(owner);
    case ControlSkinClass::TabSheet: return Make<TSkinTabSheet>(owner);
    case ControlSkinClass::AdvPage: {
        auto& skin = owner.Create<TSkinAdvPage>();
        skin.SetPageMode(4);
        return &skin;
    }
    case ControlSkinClass::MediaPlayer: return Make<TSkinMP>(owner);
    case ControlSkinClass::ObjImageCheck: return &MakeObjImageSkin(owner, 1);
    case ControlSkinClass::ObjImageRadio: return &MakeObjImageSkin(owner, 2);
    case ControlSkinClass::ObjImageCheck3: return &MakeObjImageSkin(owner, 3);
    default: break;
    }
    return NotYet(kind);
}
