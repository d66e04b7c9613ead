#include "framework/core/Component.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(group.InheritsFrom(u"TCOMPONENT"));
    EXPECT_TRUE(group.InheritsFrom(u"TObject"));
    // Whole names only, and never a class further down or beside.
    EXPECT_FALSE(group.InheritsFrom(u"TCustomGroup"));
    EXPECT_FALSE(group.InheritsFrom(u"TCustomGroupBoxes"));
    EXPECT_FALSE(group.InheritsFrom(u""));
    EXPECT_FALSE(TCustomGroupBox().InheritsFrom(u"TCustomRadioGroup"));
    EXPECT_FALSE(TGroupBoxEx().InheritsFrom(u"TCustomGroupBox"));
    EXPECT_TRUE(TCustomRadioGroup::StaticClass().InheritsFrom(u"tcustomgroupbox"));
}

}  // namespace
