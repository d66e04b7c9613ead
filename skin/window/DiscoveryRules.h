#pragma once
// Control discovery's decisions that are only names, styles and switches: which control
// skin a framework control gets (from the class map's kinds, then from the framework
// rules, the first that matches deciding), which of its properties are set first and
// what happens to its children; and which skin a child window of a bare window gets
// from its class and style. The window skinning object reads the control or the window,
// asks here and applies the answer; these touch nothing. Platform-neutral: the window
// style bits are restated here, and the skin classes come from the factory's list,
// which holds no Win32 either.

#include "framework/core/StringList.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/data/SkinDataTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace discoverystyle {
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kHScroll = 0x00100000;
constexpr uint32_t kVScroll = 0x00200000;
}  // namespace discoverystyle

// A framework control as the rules see it. The window skinning object answers from the
// control's class information, its published properties and its window; tests from lists.
class ControlFacts {
public:
    virtual std::u16string_view ClassName() const = 0;
    // The class or one of its ancestors is called `className` (ASCII case ignored).
    virtual bool InheritsFrom(std::u16string_view className) const = 0;
    // An enumerated property's identifier in lower case; empty when there is none.
    virtual std::u16string EnumProp(std::u16string_view name) const = 0;
    // An integer property; -1 when there is none.
    virtual int32_t IntProp(std::u16string_view name) const = 0;
    // A control with a window of its own, and that window's style (0 without one).
    virtual bool Windowed() const = 0;
    virtual uint32_t Style() const = 0;
    // The window's outer and client rectangles differ in size: it has a border.
    virtual bool HasBorder() const = 0;

protected:
    ~ControlFacts() = default;
};

// What the skin data allows: its SkinControls switches, whether the skin has a tab
// object (every tab skin needs one), and whether frames are skinned.
struct DiscoverySwitches {
    TSkinControlTypes controls;
    bool tabObject = false;
    bool frameSkinning = false;
};

// How a skin is attached to a framework control: in front of its handler (recoloured or
// not), by the skin's own way (windowless speed buttons, scroll-bar overlays, list
// views), or by subclassing the control's window as if it were a bare one.
enum class AttachWay : uint8_t { Control, Own, Handle };

struct SkinChoice {
    ControlSkinClass skin = ControlSkinClass::Button;
    bool recolour = false;
    AttachWay way = AttachWay::Control;
    friend bool operator==(const SkinChoice&, const SkinChoice&) = default;
};

// Set on a control before its skin is attached.
enum class ControlPreparation : uint8_t {
    None,
    Transparent,     // the published "Transparent" := True
    FlatToolBar,     // "Flat" := True; the skin's tool-bar painters and owner-drawn menu items
    ToolButtonMenu,  // the tool button's menu item and its sub-items owner-drawn
    CoolBarBands,    // every band's "Color" := the skin's form colour
};

// What happens to a control's children (or, for frames and forms, its components).
enum class ChildWalk : uint8_t {
    None,
    Children,            // each child control is decided like any control, in index order
    ChildrenAlone,       // the same without a container for the application's event
    ChildSkin,           // each child control gets the decision's childSkin
    EmbeddedScrollBars,  // scroll-bar children and scrollable children get scroll-bar skins
    Components,          // the owned components are walked like a form's
};

// The whole decision for one control: preparation, the children walked before the
// control's own skin, that skin, the children walked after it. An empty decision leaves
// the control alone.
struct SkinDecision {
    ControlPreparation prepare = ControlPreparation::None;
    ChildWalk before = ChildWalk::None;
    std::optional<SkinChoice> childSkin{};
    std::optional<SkinChoice> skin{};
    ChildWalk after = ChildWalk::None;
    friend bool operator==(const SkinDecision&, const SkinDecision&) = default;
};

// A control tagged with the skin data's DisableTag is never skinned; a radio or check
// group so tagged passes the tag to its buttons, which would be skinned on their own.
bool DisableTagPassesToChildren(std::u16string_view className);

// The class map: nothing when no line names the control's class (the framework rules
// decide then); otherwise what its kind says. A kind that is unknown or switched off
// gives an empty decision, which still keeps the framework rules away.
std::optional<SkinDecision> ClassMapDecision(const BasicStringList<char16_t>& classMap, const ControlFacts& control,
                                             const DiscoverySwitches& switches);
// One kind of the class map ("panel", "radiogroup", ...: lower case) for `control`.
SkinDecision KindDecision(std::u16string_view kind, const ControlFacts& control, const DiscoverySwitches& switches);

// The framework rules for a control the class map does not name, the first matching
// rule deciding; a few classes of other libraries are never skinned.
SkinDecision FrameworkDecision(const ControlFacts& control, const DiscoverySwitches& switches);

// A control whose content scrolls: a window with a scroll-bar style, or a list, memo,
// tree or scroll box.
bool IsScrollableControl(const ControlFacts& control);
// A child of a control whose scroll bars are embedded: a scroll-bar control gets its
// control skin, any other scrollable child scroll bars; others nothing.
std::optional<SkinChoice> EmbeddedScrollBarChoice(const ControlFacts& child);
// A skin the application supplied for a panel leaves the panel's children to be walked.
bool OwnSkinWalksChildren(const ControlFacts& control);

// A child window of a bare window (a message box's, a system dialog's), by its class
// name (any case) and style: the skin for the window itself (or, for an extended combo
// box, for its first child), whether its own children are walked first, and whether the
// framework control that owns it takes the skin's form colour.
struct WindowDecision {
    std::optional<ControlSkinClass> skin{};
    bool toFirstChild = false;
    bool walkChildren = false;
    bool colourOwner = false;
    friend bool operator==(const WindowDecision&, const WindowDecision&) = default;
};
WindowDecision ChildWindowDecision(std::u16string_view className, uint32_t style);
