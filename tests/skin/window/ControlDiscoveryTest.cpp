#include "skin/window/WinSkinForm.h"

#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include <windows.h>

// Stand-ins for control classes the rules know by name and this program does not have.
#define FAKE_CONTROL(Name, Base) \
    class Name : public Base {   \
        KESTRELLE_CLASS(Name, Base) \
    };
namespace fake {
FAKE_CONTROL(TButton, TWinControl)
FAKE_CONTROL(TCustomCheckBox, TWinControl)
FAKE_CONTROL(TCheckBox, TCustomCheckBox)
FAKE_CONTROL(TRadioButton, TWinControl)
FAKE_CONTROL(TCustomGroupBox, TCustomControl)
FAKE_CONTROL(TCustomRadioGroup, TCustomGroupBox)
FAKE_CONTROL(TRadioGroup, TCustomRadioGroup)
// Named "nil" in the class map: it stays unskinned though the button rule would match.
FAKE_CONTROL(TMutedButton, TButton)
// Skinned by another module: it answers the engine's query itself.
class TSkinnedButton : public TButton {
    KESTRELLE_CLASS(TSkinnedButton, TButton)

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WMX_ISSKINNED) message.Result = 1;
        else TButton::WndProc(message);
    }
};
// A control of another library that the class map names, with a switch to see through.
class TFlatPanel : public TCustomControl {
    KESTRELLE_CLASS(TFlatPanel, TCustomControl)

public:
    bool transparent = false;
    static void Publish(TPublisher<TFlatPanel>& p) {
        p.Bool(u"Transparent", [](const TFlatPanel& c) { return c.transparent; },
               [](TFlatPanel& c, bool v) { c.transparent = v; });
    }
};
// An edit of a library whose plain edits are skinned on their window.
class TDCEdit : public TCustomControl {
    KESTRELLE_CLASS(TDCEdit, TCustomControl)

public:
    static void Publish(TPublisher<TDCEdit>& p) {
        p.Integer(u"NumButtons", [](const TDCEdit&) { return 0; }, nullptr);
    }
};
}  // namespace fake

namespace {

using window_skin::SkinnedTest;

// A control skin that only notes how it was attached.
class TTestSkin final : public TSkinControl {
    KESTRELLE_CLASS(TTestSkin, TSkinControl)

public:
    ControlSkinClass kind = ControlSkinClass::Button;
    AttachWay way = AttachWay::Control;

    void AttachControl(ControlSkinHost& form, TSkinData& data, bool recolour, TCanvas* canvas) override {
        way = AttachWay::Control;
        TSkinControl::AttachControl(form, data, recolour, canvas);
    }
    void AttachHandle(HWND handle, TSkinData& data, ControlSkinHost& form, TCanvas* canvas) override {
        way = AttachWay::Handle;
        TSkinControl::AttachHandle(handle, data, form, canvas);
    }
    void AttachOwn(ControlSkinHost& form, TSkinData& data, TCanvas* canvas) override {
        way = AttachWay::Own;
        TSkinControl::AttachControl(form, data, false, canvas);
    }
};

struct Request {
    ControlSkinClass kind;
    TComponent* owner;
    friend bool operator==(const Request&, const Request&) = default;
};

class ControlDiscoveryTest : public SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        m_app.emplace();
        SetControlSkinMaker([this](ControlSkinClass kind, TComponent& owner) -> TSkinControl* {
            requests.push_back({kind, &owner});
            auto& made = owner.Create<TTestSkin>();
            made.kind = kind;
            return &made;
        });
    }
    void TearDown() override {
        m_app.reset();  // the forms go while the manager and the skin data still live
        SetControlSkinMaker(nullptr);
        SkinnedTest::TearDown();
    }

    TForm& NewForm() {
        auto& form = m_app->CreateForm<TForm>();
        form.SetBounds(30, 30, 300, 300);
        return form;
    }

    TWinSkinForm* Skin(HWND window) {
        EXPECT_TRUE(manager->SkinWindow(window));
        TWinSkinForm* form = manager->FindSkinForm(window);
        EXPECT_TRUE(form && PumpUntil([&] { return form->State() == TWinSkinForm::SkinState::Running; }));
        return form;
    }

    template <class T>
    static T& Place(TComponent& owner, TWinControl& parent, int top) {
        auto& control = owner.Create<T>();
        control.SetParent(&parent);
        control.SetBounds(10, top, 80, 20);
        return control;
    }

    // The test skin a control owns, or null.
    static TTestSkin* SkinOf(TControl& control) {
        for (int i = 0; i < control.ComponentCount(); ++i)
            if (auto* skin = As<TTestSkin>(control.Components(i))) return skin;
        return nullptr;
    }

    std::vector<Request> requests;

private:
    std::optional<TApplication> m_app;
};

TEST_F(ControlDiscoveryTest, AFormsControlsGetTheirSkinsOnceInWalkOrder) {
    TForm& form = NewForm();
    auto& panel = Place<TPanel>(form, form, 10);
    auto& inPanel = Place<fake::TButton>(form, panel, 2);
    auto& check = Place<fake::TCheckBox>(form, form, 40);
    auto& tagged = Place<fake::TButton>(form, form, 70);
    tagged.SetTag(skin->DisableTag());
    Place<fake::TSkinnedButton>(form, form, 100);
    auto& speed = Place<TSpeedButton>(form, form, 130);
    auto& late = Place<fake::TButton>(form, form, 160);
    // Parented on the form, owned elsewhere: only the tab-order pass reaches it.
    TComponent elsewhere;
    auto& foreign = Place<fake::TButton>(elsewhere, form, 190);
    form.HandleNeeded();
    foreign.HandleNeeded();
    late.DestroyHandle();  // discovery makes its window again

    TWinSkinForm* skinForm = Skin(form.Handle());
    ASSERT_NE(skinForm, nullptr);
    using K = ControlSkinClass;
    // A panel's children come before the panel itself; tagged and already skinned
    // controls are passed over.
    const std::vector<Request> expected{{K::Button, &inPanel}, {K::Box, &panel},   {K::CheckBox, &check},
                                        {K::SpeedButton, &speed}, {K::Button, &late}, {K::Button, &foreign}};
    EXPECT_EQ(requests, expected);
    EXPECT_TRUE(SkinOf(panel)->Recolour());
    EXPECT_FALSE(SkinOf(check)->Recolour());
    EXPECT_EQ(SkinOf(speed)->way, AttachWay::Own);
    ASSERT_TRUE(late.HandleAllocated());
    EXPECT_EQ(SkinOf(late)->Handle(), late.HandleIfAllocated());
    EXPECT_EQ(skinForm->ControlSkins().size(), expected.size());
    for (TControl* control : std::vector<TControl*>{&inPanel, &panel, &check, &speed, &late, &foreign})
        EXPECT_TRUE(skinForm->IsSkinned(*control)) << ToUtf8(control->ClassName());

    // A second walk finds everything skinned.
    skinForm->DiscoverForm(form);
    EXPECT_EQ(requests.size(), expected.size());
}

TEST_F(ControlDiscoveryTest, TheApplicationMaySupplyASkinOfItsOwn) {
    TForm& form = NewForm();
    auto& panel = Place<TPanel>(form, form, 10);
    auto& inPanel = Place<fake::TButton>(form, panel, 2);
    std::vector<std::wstring> asked;
    TTestSkin* supplied = nullptr;
    skin->OnSkinControl = [&](TComponent* sender, TSkinData* data, TControl* container, TControl* control,
                              const std::wstring& className, TComponent*& skinned) {
        EXPECT_EQ(data, skin.get());
        EXPECT_EQ(sender, manager->FindSkinForm(form.Handle()));
        EXPECT_EQ(container, control == &inPanel ? static_cast<TControl*>(&panel) : &form);
        asked.push_back(className);
        if (control == &panel) skinned = supplied = &panel.Create<TTestSkin>();
    };
    TWinSkinForm* skinForm = Skin(form.Handle());
    ASSERT_NE(skinForm, nullptr);
    ASSERT_NE(supplied, nullptr);
    EXPECT_TRUE(supplied->Attached());
    EXPECT_EQ(skinForm->ControlSkins().front(), supplied);
    // The panel's children are still walked; the rules make the rest.
    EXPECT_EQ(requests, (std::vector<Request>{{ControlSkinClass::Button, &inPanel}}));
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"TPANEL", L"TBUTTON"}));
}

TEST_F(ControlDiscoveryTest, GroupsSkinTheirButtonsFirstAndATaggedGroupPassesItsTagOn) {
    TForm& form = NewForm();
    auto& group = Place<fake::TRadioGroup>(form, form, 10);
    auto& first = Place<fake::TRadioButton>(form, group, 2);
    auto& second = Place<fake::TRadioButton>(form, group, 24);
    auto& tagged = Place<fake::TRadioGroup>(form, form, 150);
    tagged.SetTag(skin->DisableTag());
    auto& taggedButton = Place<fake::TRadioButton>(form, tagged, 2);
    ASSERT_NE(Skin(form.Handle()), nullptr);

    using K = ControlSkinClass;
    EXPECT_EQ(requests, (std::vector<Request>{{K::RadioButton, &first}, {K::RadioButton, &second}, {K::GroupBox, &group}}));
    EXPECT_TRUE(SkinOf(group)->Recolour());
    EXPECT_EQ(taggedButton.Tag(), skin->DisableTag());
    EXPECT_EQ(SkinOf(taggedButton), nullptr);
}

TEST_F(ControlDiscoveryTest, ClassMappedControlsHaveTheirPropertiesSetFirstAndSomeAreSkinnedOnTheirWindow) {
    skin->Skin3rd().Add(u"TFlatPanel=Panel");
    skin->Skin3rd().Add(u"TMutedButton=nil");
    TForm& form = NewForm();
    auto& flat = Place<fake::TFlatPanel>(form, form, 10);
    auto& edit = Place<fake::TDCEdit>(form, form, 70);
    auto& muted = Place<fake::TMutedButton>(form, form, 100);
    ASSERT_NE(Skin(form.Handle()), nullptr);

    EXPECT_TRUE(flat.transparent);
    EXPECT_TRUE(SkinOf(flat)->Recolour());
    // That edit is skinned on its window, past its own handler.
    ASSERT_NE(SkinOf(edit), nullptr);
    EXPECT_EQ(SkinOf(edit)->way, AttachWay::Handle);
    EXPECT_EQ(SkinOf(edit)->Handle(), edit.HandleIfAllocated());
    EXPECT_EQ(SkinOf(muted), nullptr);
    EXPECT_EQ(requests.size(), 2u);
}

TEST_F(ControlDiscoveryTest, SkinsOfGoneWindowsAreFreedAtTheNextWalk) {
    TForm& form = NewForm();
    auto& panel = Place<TPanel>(form, form, 10);
    TWinSkinForm* skinForm = Skin(form.Handle());
    ASSERT_NE(skinForm, nullptr);
    const ComponentRef<TTestSkin> old{SkinOf(panel)};
    ASSERT_TRUE(old);

    panel.DestroyHandle();
    EXPECT_EQ(old->State(), TSkinControl::kWindowGone);
    skinForm->DiscoverForm(form);
    EXPECT_FALSE(old);
    ASSERT_NE(SkinOf(panel), nullptr);
    EXPECT_EQ(SkinOf(panel)->Handle(), panel.HandleIfAllocated());
    EXPECT_EQ(skinForm->ControlSkins(), std::vector<TSkinControl*>{SkinOf(panel)});
}

HWND Child(HWND parent, const wchar_t* className, DWORD style, int top) {
    HWND child = ::CreateWindowExW(0, className, L"x", WS_CHILD | WS_VISIBLE | style, 10, top, 100, 20, parent, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(child, nullptr);
    return child;
}

TEST_F(ControlDiscoveryTest, ABareDialogsChildWindowsAreSkinnedByClassAndStyle) {
    HWND dialog = ::CreateWindowExW(0, L"#32770", L"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, 50, 50, 300, 260,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND push = Child(dialog, L"Button", BS_PUSHBUTTON, 10);
    HWND check = Child(dialog, L"Button", BS_AUTOCHECKBOX, 35);
    HWND radio = Child(dialog, L"Button", BS_AUTORADIOBUTTON, 60);
    HWND groupBox = Child(dialog, L"Button", BS_GROUPBOX, 85);
    HWND simple = Child(dialog, L"ComboBox", CBS_SIMPLE, 110);
    HWND dropDown = Child(dialog, L"ComboBox", CBS_DROPDOWNLIST, 135);
    TWinSkinForm* skinForm = Skin(dialog);
    ASSERT_NE(skinForm, nullptr);

    const auto skinOf = [&](HWND window) { return As<TTestSkin>(skinForm->FindSkinByHandle(window)); };
    const std::pair<HWND, ControlSkinClass> skinned[] = {{push, ControlSkinClass::Button},
                                                          {check, ControlSkinClass::CheckBox},
                                                          {radio, ControlSkinClass::RadioButton},
                                                          {dropDown, ControlSkinClass::ComboBox}};
    for (const auto& [window, kind] : skinned) {
        TTestSkin* made = skinOf(window);
        ASSERT_NE(made, nullptr) << static_cast<int>(kind);
        EXPECT_EQ(made->kind, kind);
        EXPECT_EQ(made->way, AttachWay::Handle);
        EXPECT_EQ(made->Owner(), skinForm);
        EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 1);
    }
    EXPECT_EQ(skinOf(groupBox), nullptr);
    EXPECT_EQ(skinOf(simple), nullptr);
    EXPECT_EQ(requests.size(), 4u);
    ::DestroyWindow(dialog);
}

}  // namespace
