#include "framework/core/Component.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records its own destruction and what its owner was told.
class Probe : public TComponent {
    KESTRELLE_CLASS(Probe, TComponent)

public:
    Probe(std::vector<std::u16string>& log, std::u16string name) : m_log(log) { SetName(name); }
    ~Probe() override {
        DestroyComponents();  // so that this owner still hears of each removal
        m_log.push_back(u"~" + Name());
    }

protected:
    void Notification(TComponent& component, Operation operation) override {
        m_log.push_back((operation == Operation::Insert ? u"+" : u"-") + component.Name());
    }

private:
    std::vector<std::u16string>& m_log;
};

class DerivedProbe : public Probe {
    KESTRELLE_CLASS(DerivedProbe, Probe)

public:
    using Probe::Probe;
};

TEST(Component, OwnerDestroysWhatItOwnsLastCreatedFirst) {
    std::vector<std::u16string> log;
    {
        Probe owner(log, u"owner");
        owner.Create<Probe>(log, u"a");
        auto& b = owner.Create<Probe>(log, u"b");
        b.Create<Probe>(log, u"b1");
        EXPECT_EQ(owner.ComponentCount(), 2);
        log.clear();
    }
    const std::vector<std::u16string> expected{u"-b", u"-b1", u"~b1", u"~b", u"-a", u"~a", u"~owner"};
    EXPECT_EQ(log, expected);
}

TEST(Component, DestroyingAnOwnedComponentRemovesItFromItsOwner) {
    std::vector<std::u16string> log;
    Probe owner(log, u"owner");
    auto& a = owner.Create<Probe>(log, u"a");
    owner.Create<Probe>(log, u"b");
    owner.DestroyComponent(a);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.FindComponent(u"a"), nullptr);
    ASSERT_NE(owner.Components(0), nullptr);
    EXPECT_EQ(owner.Components(0)->Name(), u"b");
    EXPECT_EQ(owner.Components(1), nullptr);
    EXPECT_EQ(owner.Components(-1), nullptr);

    auto released = owner.RemoveComponent(*owner.Components(0));
    ASSERT_NE(released, nullptr);
    EXPECT_EQ(released->Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, FindsByNameWithoutRegardToCase) {
    std::vector<std::u16string> log;
    Probe owner(log, u"owner");
    auto& button = owner.Create<Probe>(log, u"SpeedButton28");
    EXPECT_EQ(owner.FindComponent(u"speedbutton28"), &button);
    EXPECT_EQ(owner.FindComponent(u"SpeedButton2"), nullptr);
    EXPECT_EQ(owner.FindComponent(u""), nullptr);
}

TEST(Component, ClassTestsIncludeDescendants) {
    std::vector<std::u16string> log;
    DerivedProbe derived(log, u"d");
    Probe plain(log, u"p");
    EXPECT_EQ(derived.ClassName(), u"DerivedProbe");
    EXPECT_TRUE(derived.Is<Probe>());
    EXPECT_TRUE(derived.Is<TComponent>());
    EXPECT_TRUE(derived.Is<TObject>());
    EXPECT_FALSE(plain.Is<DerivedProbe>());
    EXPECT_EQ(As<DerivedProbe>(&plain), nullptr);
    EXPECT_EQ(As<Probe>(&derived), &derived);
    EXPECT_EQ(As<Probe>(static_cast<TObject*>(nullptr)), nullptr);
}

// Small stand-ins for controls of other libraries that rules name by class.
class TCustomGroupBox : public TComponent {
    KESTRELLE_CLASS(TCustomGroupBox, TComponent)
};
class TCustomRadioGroup : public TCustomGroupBox {
    KESTRELLE_CLASS(TCustomRadioGroup, TCustomGroupBox)
};
class TGroupBoxEx : public TComponent {
    KESTRELLE_CLASS(TGroupBoxEx, TComponent)
};

TEST(Component, ClassTestsByNameWalkTheChainIgnoringCase) {
    const TCustomRadioGroup group;
    EXPECT_TRUE(group.InheritsFrom(u"TCustomRadioGroup"));
    EXPECT_TRUE(group.InheritsFrom(u"tcustomgroupbox"));
    EXPECT_TRUE(group.InheritsFrom(u"TOBJECT"));
    // Whole names only, and never a class further down or beside.
    EXPECT_FALSE(group.InheritsFrom(u"TCustomGroup"));
    EXPECT_FALSE(group.InheritsFrom(u""));
    EXPECT_FALSE(TCustomGroupBox().InheritsFrom(u"TCustomRadioGroup"));
    EXPECT_FALSE(TGroupBoxEx().InheritsFrom(u"TCustomGroupBox"));
}

// Counts lives, so that a component freed twice (or never) shows; ASan sees the memory.
struct Lives {
    int made = 0;
    int freed = 0;
    std::vector<std::u16string> order;
};

class Counted : public TComponent {
    KESTRELLE_CLASS(Counted, TComponent)

public:
    Counted(Lives& lives, std::u16string name) : m_lives{lives} {
        SetName(name);
        ++m_lives.made;
    }
    ~Counted() override {
        ++m_lives.freed;
        m_lives.order.push_back(Name());
    }

private:
    Lives& m_lives;
};

// A holder that owns nothing but may free what it holds: a window skin and its control
// skins, or the skin manager and its window skins. Frees what is left when it goes.
class Holder : public Counted {
    KESTRELLE_CLASS(Holder, Counted)

public:
    using Counted::Counted;
    ~Holder() override { FreeAll(); }
    void Hold(TComponent& component) { m_held.emplace_back(&component); }
    void FreeAll() {
        for (auto& held : m_held) FreeComponent(held.Get());
        m_held.clear();
    }
    int Alive() const {
        return static_cast<int>(std::count_if(m_held.begin(), m_held.end(), [](const auto& held) { return !!held; }));
    }

private:
    std::vector<ComponentRef<TComponent>> m_held;
};

TEST(Component, WindowAndControlSkinsEndOnceInEveryOrder) {
    // A form owns two controls; each control owns its control skin; the form owns the
    // window skin, which holds (and frees) the control skins; the manager holds (and
    // frees) the window skin. `skinFirst` makes the window skin before the controls, so
    // that the form's own end reaches the controls first.
    for (const bool skinFirst : {false, true})
        for (const bool managerFirst : {false, true}) {
            SCOPED_TRACE(std::string("skin first ") + (skinFirst ? "yes" : "no") + ", manager first " +
                         (managerFirst ? "yes" : "no"));
            Lives lives;
            {
                Holder manager(lives, u"manager");
                {
                    Counted form(lives, u"form");
                    Holder* windowSkin = skinFirst ? &form.Create<Holder>(lives, u"windowSkin") : nullptr;
                    auto& button = form.Create<Counted>(lives, u"button");
                    auto& edit = form.Create<Counted>(lives, u"edit");
                    if (!windowSkin) windowSkin = &form.Create<Holder>(lives, u"windowSkin");
                    manager.Hold(*windowSkin);
                    windowSkin->Hold(button.Create<Counted>(lives, u"buttonSkin"));
                    windowSkin->Hold(edit.Create<Counted>(lives, u"editSkin"));
                    // A control skin whose control dies early leaves no dangling entry.
                    form.DestroyComponent(edit);
                    EXPECT_EQ(windowSkin->Alive(), 1);

                    if (managerFirst) {
                        manager.FreeAll();  // unskins the window while the form lives on
                        EXPECT_EQ(manager.Alive(), 0);
                        EXPECT_EQ(form.ComponentCount(), 1);  // the form no longer lists it
                        EXPECT_EQ(button.ComponentCount(), 0);
                    }
                }
                EXPECT_EQ(manager.Alive(), 0);
            }
            EXPECT_EQ(lives.made, 7);
            EXPECT_EQ(lives.freed, 7);
            for (const auto* name : {u"form", u"windowSkin", u"button", u"buttonSkin", u"edit", u"editSkin"})
                EXPECT_EQ(std::count(lives.order.begin(), lives.order.end(), name), 1) << ToUtf8(name);
        }
}

TEST(Component, FreeingLeavesUnownedAndDyingComponentsAlone) {
    Lives lives;
    Counted loose(lives, u"loose");
    EXPECT_THROW(FreeComponent(&loose), EInvalidOperation);  // its holder frees it
    EXPECT_EQ(lives.freed, 0);
    FreeComponent(nullptr);

    // A component that frees itself and a sibling while its owner is destroying it:
    // neither is freed twice, and the owner's loop goes on without the sibling.
    class Eager : public Counted {
        KESTRELLE_CLASS(Eager, Counted)

    public:
        using Counted::Counted;
        TComponent* sibling = nullptr;
        ~Eager() override {
            FreeComponent(this);
            FreeComponent(sibling);
        }
    };
    ComponentRef<Counted> sibling;
    {
        Counted owner(lives, u"owner");
        sibling = &owner.Create<Counted>(lives, u"sibling");
        owner.Create<Eager>(lives, u"eager").sibling = sibling.Get();
        owner.Create<Counted>(lives, u"last");
    }
    EXPECT_FALSE(sibling);
    EXPECT_EQ(lives.made, 5);
    EXPECT_EQ(lives.freed, 4);  // all but `loose`, which the test itself holds
    EXPECT_EQ(lives.order, (std::vector<std::u16string>{u"owner", u"last", u"sibling", u"eager"}));
}

}  // namespace
