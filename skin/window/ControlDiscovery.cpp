// Control discovery: when the window starts, every control the skin can paint gets its
// control skin. What each control gets is DiscoveryRules' decision; this file reads the
// controls and windows for it, applies the answer, and keeps one failing control from
// stopping the walk.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/ToolBar.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Collection.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/Convert.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WindowQueries.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A framework control as the rules read it: its class information, its published
// properties and its window.
class FrameworkControl final : public ControlFacts {
public:
    explicit FrameworkControl(const TControl& control) noexcept
        : m_control{control}, m_windowed{As<TWinControl>(&control)} {}

    std::u16string_view ClassName() const override { return m_control.ClassName(); }
    bool InheritsFrom(std::u16string_view className) const override { return m_control.InheritsFrom(className); }
    std::u16string EnumProp(std::u16string_view name) const override { return TSkinControl::GetEnumName(&m_control, name); }
    int32_t IntProp(std::u16string_view name) const override { return TSkinControl::GetIntProp(&m_control, name); }
    bool Windowed() const override { return m_windowed != nullptr; }
    uint32_t Style() const override {
        HWND window = Window();
        return window ? static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE)) : 0;
    }
    bool HasBorder() const override {
        HWND window = Window();
        RECT outer{}, client{};
        if (!window || !::GetWindowRect(window, &outer) || !::GetClientRect(window, &client)) return false;
        return outer.right - outer.left != client.right || outer.bottom - outer.top != client.bottom;
    }

private:
    HWND Window() const noexcept { return m_windowed ? m_windowed->HandleIfAllocated() : nullptr; }

    const TControl& m_control;
    const TWinControl* m_windowed;
};

// The engine's query: a skin in front of the control's handler or on its window answers 1.
bool AnswersSkinned(TControl& control) {
    auto* windowed = As<TWinControl>(&control);
    if (windowed && windowed->HandleAllocated())
        return ::SendMessageW(windowed->HandleIfAllocated(), WMX_ISSKINNED, 0, 0) == 1;
    return control.Perform(WMX_ISSKINNED) == 1;
}

std::wstring UpperClassName(const TControl& control) {
    std::wstring name = ToWide(control.ClassName());
    for (wchar_t& c : name)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
    return name;
}

void FreeSkin(TSkinControl* skin) noexcept {
    try {
        FreeComponent(skin);
    } catch (...) {
        LogCurrentException(u"a control skin that could not be attached could not be freed either");
    }
}

}  // namespace

// --- framework forms --------------------------------------------------------------------

void TWinSkinForm::DiscoverForm(TCustomForm& form) {
    if (!m_skinData) return;
    // A gone window's skin still names its control, which would then count as skinned.
    ReleaseFinishedControls();
    SkinComponents(form);
    std::vector<TWinControl*> tabOrder;
    form.GetTabOrderList(tabOrder);
    // Held by reference: a skin's attach or the application's event may free a control.
    const std::vector<ComponentRef<TWinControl>> controls(tabOrder.begin(), tabOrder.end());
    for (const ComponentRef<TWinControl>& ref : controls) {
        TWinControl* control = ref.Get();
        if (!control || !control->HandleAllocated() || control->Tag() == m_skinData->DisableTag()) continue;
        if (AnswersSkinned(*control)) continue;
        SkinComponent(*control, &form);
    }
}

void TWinSkinForm::SkinComponents(TComponent& component) {
    // Counted afresh each time: a skin may add components (an overlay) while this runs.
    for (int i = 0; i < component.ComponentCount(); ++i)
        if (auto* control = As<TControl>(component.Components(i))) SkinComponent(*control, &component);
    SetMenuOwnerDraw(component, true);
}

void TWinSkinForm::SkinChildren(TWinControl& control) {
    for (int i = 0; i < control.ControlCount(); ++i)
        if (TControl* child = control.Controls(i)) SkinComponent(*child, &control);
}

void TWinSkinForm::SkinComponent(TControl& control, TComponent* container) noexcept {
    try {
        DecideComponent(control, container);
    } catch (...) {
        LogCurrentException(u"a control could not be skinned and keeps its own look");
    }
}

void TWinSkinForm::DecideComponent(TControl& control, TComponent* container) {
    const int32_t disableTag = m_skinData->DisableTag();
    if (control.Tag() == disableTag) {
        auto* group = As<TWinControl>(&control);
        if (group && DisableTagPassesToChildren(control.ClassName()))
            for (int i = 0; i < group->ControlCount(); ++i) group->Controls(i)->SetTag(disableTag);
        return;
    }
    if (!control.Parent() || IsSkinned(control)) return;
    // Throws when the window cannot be made: the control is left alone then.
    if (auto* windowed = As<TWinControl>(&control)) windowed->HandleNeeded();
    if (m_skinData->OnSkinControl && AttachApplicationSkin(control, container)) return;
    if (ClassMapSkin(control)) return;
    ApplyDecision(control, FrameworkDecision(FrameworkControl{control}, Switches()));
}

bool TWinSkinForm::AttachApplicationSkin(TControl& control, TComponent* container) {
    TComponent* supplied = nullptr;
    try {
        m_skinData->OnSkinControl(this, m_skinData, As<TControl>(container), &control, UpperClassName(control), supplied);
    } catch (...) {
        // As for any event: the application's handler shows it; the control is left alone.
        HandleApplicationException(this);
        return true;
    }
    auto* skin = As<TSkinControl>(supplied);
    if (!skin) return false;
    if (!IsRegistered(*skin)) skin->AttachControl(*this, *m_skinData, skin->Recolour(), &m_spareCanvas);
    if (auto* panel = As<TWinControl>(&control); panel && OwnSkinWalksChildren(FrameworkControl{control}))
        SkinChildren(*panel);
    return true;
}

bool TWinSkinForm::ClassMapSkin(TControl& control) {
    const std::optional<SkinDecision> decision = ClassMapDecision(m_skinData->Skin3rd(), FrameworkControl{control}, Switches());
    if (!decision) return false;
    ApplyDecision(control, *decision);
    return true;
}

void TWinSkinForm::ApplyDecision(TControl& control, const SkinDecision& decision) {
    try {
        Prepare(control, decision.prepare);
    } catch (...) {
        // A property of another kind than expected refuses the word; the skin still goes on.
        LogCurrentException(u"a control's properties could not be set for its skin");
    }
    WalkChildren(control, decision.before, decision.childSkin);
    if (decision.skin) AttachChoice(control, *decision.skin);
    WalkChildren(control, decision.after, decision.childSkin);
}

void TWinSkinForm::Prepare(TControl& control, ControlPreparation preparation) {
    switch (preparation) {
    case ControlPreparation::None: break;
    case ControlPreparation::Transparent:
        // A see-through control shows the skinned parent behind it.
        TSkinControl::SetPropText(&control, u"Transparent", u"True");
        break;
    case ControlPreparation::FlatToolBar:
        TSkinControl::SetPropText(&control, u"Flat", u"True");
        if (auto* bar = As<TToolBar>(&control)) SkinToolBar(*bar);
        break;
    case ControlPreparation::ToolButtonMenu:
        if (auto* button = As<TToolButton>(&control)) SkinToolButtonMenu(*button);
        break;
    case ControlPreparation::CoolBarBands: {
        auto* bands = As<TCollection>(GetObjectProp(&control, u"Bands"));
        if (!bands) break;
        const std::u16string face = FromUtf8(std::to_string(m_skinData->Colours().ButtonFace));
        for (int i = 0; i < bands->Count(); ++i) TSkinControl::SetPropText(bands->Items(i), u"Color", face);
        break;
    }
    }
}

void TWinSkinForm::WalkChildren(TControl& control, ChildWalk walk, const std::optional<SkinChoice>& childSkin) {
    if (walk == ChildWalk::None) return;
    if (walk == ChildWalk::Components) {
        SkinComponents(control);
        return;
    }
    auto* parent = As<TWinControl>(&control);
    if (!parent) return;
    if (walk == ChildWalk::Children) {
        SkinChildren(*parent);
        return;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child) continue;
        if (walk == ChildWalk::ChildrenAlone) {
            SkinComponent(*child, nullptr);
            continue;
        }
        // The buttons of a group, or the scroll-bar children of a control that embeds them.
        const std::optional<SkinChoice> choice =
            walk == ChildWalk::ChildSkin ? childSkin : EmbeddedScrollBarChoice(FrameworkControl{*child});
        if (!choice || child->Tag() == m_skinData->DisableTag() || IsSkinned(*child)) continue;
        AttachChoice(*child, *choice);
    }
}

void TWinSkinForm::AttachChoice(TControl& control, const SkinChoice& choice) {
    HWND window = nullptr;
    if (choice.way == AttachWay::Handle) {
        auto* windowed = As<TWinControl>(&control);
        if (!windowed) return;
        window = windowed->Handle();
    }
    AttachNewSkin(control, choice, window);
}

void TWinSkinForm::AttachNewSkin(TComponent& owner, const SkinChoice& choice, HWND window) noexcept {
    TSkinControl* skin = nullptr;
    try {
        skin = MakeControlSkin(choice.skin, owner);
        if (!skin) return;  // a skin this program does not have yet; the factory said so
        switch (choice.way) {
        case AttachWay::Control: skin->AttachControl(*this, *m_skinData, choice.recolour, &m_spareCanvas); break;
        case AttachWay::Own: skin->AttachOwn(*this, *m_skinData, &m_spareCanvas); break;
        case AttachWay::Handle: skin->AttachHandle(window, *m_skinData, *this, &m_spareCanvas); break;
        }
    } catch (...) {
        LogCurrentException(u"a control skin could not be attached; its control keeps its own look");
        FreeSkin(skin);
    }
}

// --- bare windows -----------------------------------------------------------------------

void TWinSkinForm::DiscoverWindow(HWND parent) {
    if (!m_skinData) return;
    ReleaseFinishedControls();
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

void TWinSkinForm::SkinChildWindow(HWND window) noexcept {
    try {
        if (FindSkinByHandle(window)) return;
        const auto style = static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE));
        const WindowDecision decision = ChildWindowDecision(FromWide(ClassNameOf(window)), style);
        if (decision.walkChildren) DiscoverWindow(window);
        if (decision.colourOwner)
            if (TWinControl* owner = TWinControl::FindControl(window)) owner->SetColor(m_skinData->Colours().ButtonFace);
        if (!decision.skin) return;
        HWND target = decision.toFirstChild ? ::GetWindow(window, GW_CHILD) : window;
        if (!target || FindSkinByHandle(target)) return;
        AttachNewSkin(*this, SkinChoice{*decision.skin, false, AttachWay::Handle}, target);
    } catch (...) {
        LogCurrentException(u"a child window could not be skinned and keeps its own look");
    }
}

// --- what is skinned already --------------------------------------------------------------

bool TWinSkinForm::IsSkinned(TControl& control) {
    if (AnswersSkinned(control)) return true;
    return std::any_of(m_controls.begin(), m_controls.end(), [&](const ComponentRef<TSkinControl>& ref) {
        const TSkinControl* skin = ref.Get();
        return skin && (skin->Control() == &control || skin->HostControl() == &control);
    });
}

TSkinControl* TWinSkinForm::FindSkinByHandle(HWND window) const noexcept {
    // A gone window's skin is kept until the next walk; its handle may name a new window by then.
    for (const ComponentRef<TSkinControl>& ref : m_controls)
        if (TSkinControl* skin = ref.Get();
            skin && skin->Handle() == window && skin->State() != TSkinControl::kWindowGone)
            return skin;
    return nullptr;
}

void TWinSkinForm::ReplaceScrollSkin(HWND oldWindow) noexcept {
    const auto found = std::find_if(m_controls.rbegin(), m_controls.rend(), [&](const ComponentRef<TSkinControl>& ref) {
        return ref.Get() && ref.Get()->Handle() == oldWindow;
    });
    if (found == m_controls.rend() || !m_skinData) return;
    TSkinControl* old = found->Get();
    // Held by reference: freeing the old skin may take the control with it.
    const ComponentRef<TControl> control{old->Control()};
    const ControlSkinClass kind = old->InheritsFrom(u"TSkinListView") ? ControlSkinClass::ListView : ControlSkinClass::ScrollBar;
    // Freed first: it gives the control its handler back, which the new skin then replaces.
    FreeSkin(old);
    if (TControl* target = control.Get()) AttachNewSkin(*target, SkinChoice{kind, false, AttachWay::Own}, nullptr);
}

bool TWinSkinForm::IsScrollable(const TControl& control) { return IsScrollableControl(FrameworkControl{control}); }

bool TWinSkinForm::IsRegistered(const TSkinControl& skin) const noexcept {
    return std::any_of(m_controls.begin(), m_controls.end(),
                       [&](const ComponentRef<TSkinControl>& ref) { return ref.Get() == &skin; });
}

DiscoverySwitches TWinSkinForm::Switches() const noexcept {
    return {m_skinData->SkinControls(), m_skinData->Tabs() != nullptr, m_frameSkinning};
}
