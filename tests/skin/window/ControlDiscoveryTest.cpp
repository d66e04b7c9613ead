#include "skin/window/WinSkinForm.h"

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "skin/controls/ControlSkinFactory.h"
#include "skin/data/SkinMessages.h"
#include "skin/window/WindowQueries.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/FailureLogCapture.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

// Stand-ins for control classes of other libraries that the rules know by name, and for
// controls that behave in ways the tests need.
#define FAKE_CONTROL(Name, Base) \
    class Name : public Base {   \
        KESTRELLE_CLASS(Name, Base) \
    };
namespace fake {
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
// A control whose window gets extra style bits, to see the rules read the window.
class TStyled : public TCustomControl {
    KESTRELLE_CLASS(TStyled, TCustomControl)

public:
    DWORD extraStyle = 0;

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.style |= extraStyle;
    }
};
FAKE_CONTROL(TFramedEdit, TStyled)
FAKE_CONTROL(TBareEdit, TStyled)
// A control whose window cannot be made while `refuse` holds.
class TRefusing : public TCustomControl {
    KESTRELLE_CLASS(TRefusing, TCustomControl)

public:
    static inline bool refuse = false;

protected:
    void CreateWindowHandle(const TCreateParams& params) override {
        if (refuse) throw Exception(u"no window for this control");
        TCustomControl::CreateWindowHandle(params);
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
    friend void PrintTo(const Request& r, std::ostream* out) {
        *out << "{" << static_cast<int>(r.kind) << " " << ToUtf8(r.owner->ClassName()) << "}";
    }
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

    TApplication& App() { return *m_app; }

    std::vector<Request> requests;

private:
    std::optional<TApplication> m_app;
};

TEST_F(ControlDiscoveryTest, AFormsControlsGetTheirSkinsOnceInWalkOrder) {
    TForm& form = NewForm();
    auto& panel = Place<TPanel>(form, form, 10);
    auto& inPanel = Place<TButton>(form, panel, 2);
    auto& check = Place<TCheckBox>(form, form, 40);
    auto& tagged = Place<TButton>(form, form, 70);
    tagged.SetTag(skin->DisableTag());
    Place<fake::TSkinnedButton>(form, form, 100);
    auto& speed = Place<TSpeedButton>(form, form, 130);
    auto& late = Place<TButton>(form, form, 160);
    // Parented on the form, owned elsewhere: only the tab-order pass reaches it.
    TComponent elsewhere;
    auto& foreign = Place<TButton>(elsewhere, form, 190);
    form.HandleNeeded();
    foreign.HandleNeeded();
    late.DestroyHandle();  // discovery makes its window again

    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
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
    auto& inPanel = Place<TButton>(form, panel, 2);
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
    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
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
    TStringList lines;
    lines.Add(u"One");
    lines.Add(u"Two");
    auto& group = Place<TRadioGroup>(form, form, 10);
    group.SetItems(lines);
    auto& box = Place<TGroupBox>(form, form, 40);
    auto& inBox = Place<TCheckBox>(form, box, 2);
    auto& tagged = Place<TRadioGroup>(form, form, 150);
    tagged.SetTag(skin->DisableTag());
    tagged.SetItems(lines);
    ASSERT_NE(group.Buttons(1), nullptr);
    ASSERT_NE(tagged.Buttons(0), nullptr);
    ASSERT_NE(SkinAndStart(form.Handle()), nullptr);

    // A radio group's buttons, then the group, recoloured; a group box's children, then
    // the box in its own colour.
    using K = ControlSkinClass;
    EXPECT_EQ(requests, (std::vector<Request>{{K::RadioButton, group.Buttons(0)},
                                              {K::RadioButton, group.Buttons(1)},
                                              {K::GroupBox, &group},
                                              {K::CheckBox, &inBox},
                                              {K::GroupBox, &box}}));
    EXPECT_TRUE(SkinOf(group)->Recolour());
    EXPECT_FALSE(SkinOf(box)->Recolour());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(tagged.Buttons(i)->Tag(), skin->DisableTag());
        EXPECT_EQ(SkinOf(*tagged.Buttons(i)), nullptr);
    }
}

TEST_F(ControlDiscoveryTest, TheFrameworksControlsGetTheSkinsTheirRulesChoose) {
    TForm& form = NewForm();
    auto& bitButton = Place<TBitBtn>(form, form, 10);
    auto& progress = Place<TProgressBar>(form, form, 35);
    auto& track = Place<TTrackBar>(form, form, 60);
    auto& header = Place<THeaderControl>(form, form, 85);
    auto& radio = Place<TRadioButton>(form, form, 110);
    auto& toolBar = Place<TToolBar>(form, form, 135);
    auto& toolButton = form.Create<TToolButton>();
    toolButton.SetParent(&toolBar);
    auto& status = Place<TStatusBar>(form, form, 160);
    // A frame owns what sits on it: only the walk of its own components reaches its
    // windowless speed button.
    auto& frame = Place<TFrame>(form, form, 185);
    frame.SetHeight(60);
    auto& inFrame = Place<TButton>(frame, frame, 2);
    auto& speedInFrame = Place<TSpeedButton>(frame, frame, 30);
    ASSERT_FALSE(toolBar.Flat());
    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
    ASSERT_NE(skinForm, nullptr);

    using K = ControlSkinClass;
    const std::vector<Request> expected{{K::BitButton, &bitButton}, {K::Progress, &progress}, {K::TrackBar, &track},
                                        {K::Header, &header},       {K::RadioButton, &radio}, {K::Box, &toolBar},
                                        {K::StatusBar, &status},    {K::Button, &inFrame},    {K::SpeedButton, &speedInFrame}};
    EXPECT_EQ(requests, expected);
    EXPECT_TRUE(toolBar.Flat());       // tool bars are drawn flat on the skin
    EXPECT_EQ(SkinOf(toolButton), nullptr);  // their buttons are painted by the bar
    EXPECT_EQ(SkinOf(frame), nullptr);
    EXPECT_EQ(SkinOf(speedInFrame)->way, AttachWay::Own);
    for (const Request& request : expected) EXPECT_TRUE(skinForm->IsSkinned(*As<TControl>(request.owner)));

    // Without its own switch a bit button gets nothing, though it is a push button too.
    manager->Unskin(*skinForm);
    requests.clear();
    TSkinControlTypes controls = skin->SkinControls();
    controls.Exclude(TSkinControlType::xcBitBtn);
    skin->SetSkinControls(controls);
    ASSERT_NE(SkinAndStart(form.Handle()), nullptr);
    EXPECT_EQ(SkinOf(bitButton), nullptr);
    EXPECT_EQ(requests.size(), expected.size() - 1);
}

TEST_F(ControlDiscoveryTest, ClassMappedControlsHaveTheirPropertiesSetFirstAndSomeAreSkinnedOnTheirWindow) {
    skin->Skin3rd().Add(u"TFlatPanel=Panel");
    skin->Skin3rd().Add(u"TMutedButton=nil");
    TForm& form = NewForm();
    auto& flat = Place<fake::TFlatPanel>(form, form, 10);
    auto& edit = Place<fake::TDCEdit>(form, form, 70);
    auto& muted = Place<fake::TMutedButton>(form, form, 100);
    ASSERT_NE(SkinAndStart(form.Handle()), nullptr);

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
    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
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

TEST_F(ControlDiscoveryTest, AScrollingControlWhoseWindowIsMadeAnewGetsANewScrollBarSkin) {
    TForm& form = NewForm();
    auto& list = Place<TListBox>(form, form, 10);
    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
    ASSERT_NE(skinForm, nullptr);
    const ComponentRef<TTestSkin> old{SkinOf(list)};
    ASSERT_TRUE(old);
    EXPECT_EQ(old->kind, ControlSkinClass::ScrollBar);
    EXPECT_EQ(old->way, AttachWay::Own);
    const HWND oldWindow = list.Handle();
    requests.clear();

    ::SendMessageW(form.Handle(), WMX_REPLACESCROLLSKIN, reinterpret_cast<WPARAM>(oldWindow), 0);
    EXPECT_FALSE(old);
    ASSERT_NE(SkinOf(list), nullptr);
    EXPECT_EQ(SkinOf(list)->way, AttachWay::Own);
    EXPECT_EQ(requests, (std::vector<Request>{{ControlSkinClass::ScrollBar, &list}}));
    EXPECT_EQ(skinForm->ControlSkins(), std::vector<TSkinControl*>{SkinOf(list)});
    // The new skin stands in for the control's own handler, which is there once only.
    EXPECT_EQ(list.Perform(WMX_ISSKINNED), 1);
    ::SendMessageW(form.Handle(), WMX_REPLACESCROLLSKIN, 0x1234, 0);  // no such window: nothing happens
    EXPECT_EQ(skinForm->ControlSkins().size(), 1u);
}

TEST_F(ControlDiscoveryTest, WhatTheRulesReadOfAControlComesFromItsWindow) {
    skin->Skin3rd().Add(u"TFramedEdit=Edit");
    skin->Skin3rd().Add(u"TBareEdit=Edit");
    TForm& form = NewForm();
    auto& scrolled = Place<fake::TStyled>(form, form, 10);
    scrolled.extraStyle = WS_VSCROLL;
    auto& plain = Place<fake::TStyled>(form, form, 40);
    auto& framed = Place<fake::TFramedEdit>(form, form, 70);
    framed.extraStyle = WS_BORDER;
    auto& bare = Place<fake::TBareEdit>(form, form, 100);
    form.HandleNeeded();
    EXPECT_TRUE(TWinSkinForm::IsScrollable(scrolled));
    EXPECT_FALSE(TWinSkinForm::IsScrollable(plain));
    ASSERT_NE(SkinAndStart(form.Handle()), nullptr);

    // A scroll-styled window gets scroll bars laid over it; of the two edits the class
    // map names, only the one whose window has a border is framed.
    using K = ControlSkinClass;
    EXPECT_EQ(requests, (std::vector<Request>{{K::ScrollBar, &scrolled}, {K::Edit, &framed}}));
    EXPECT_EQ(SkinOf(scrolled)->way, AttachWay::Own);
    EXPECT_EQ(SkinOf(plain), nullptr);
    EXPECT_EQ(SkinOf(bare), nullptr);
}

TEST_F(ControlDiscoveryTest, AControlThatFailsIsPassedOverAndTheWalkGoesOn) {
    TForm& form = NewForm();
    auto& refusing = Place<fake::TRefusing>(form, form, 10);
    auto& rejected = Place<TButton>(form, form, 40);
    auto& after = Place<TButton>(form, form, 70);
    form.HandleNeeded();
    refusing.DestroyHandle();
    std::vector<std::u16string> shown;
    App().OnException = [&](TObject* sender, const Exception& error) {
        EXPECT_EQ(sender, manager->FindSkinForm(form.Handle()));
        shown.push_back(error.Message());
    };
    skin->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::wstring&, TComponent*&) {
        if (control == &rejected) throw Exception(u"the application refuses this one");
    };
    FailureLogCapture log;
    fake::TRefusing::refuse = true;
    TWinSkinForm* skinForm = SkinAndStart(form.Handle());
    fake::TRefusing::refuse = false;
    ASSERT_NE(skinForm, nullptr);

    // The window that could not be made is logged; the event's failure goes to the
    // application's handler, as any event's does; both controls keep their own look.
    EXPECT_EQ(log.Count(u"no window for this control"), 1u);
    // (The tab-order pass asks again for a control the first pass left unskinned.)
    EXPECT_FALSE(shown.empty());
    for (const std::u16string& text : shown) EXPECT_EQ(text, u"the application refuses this one");
    EXPECT_EQ(SkinOf(refusing), nullptr);
    EXPECT_EQ(SkinOf(rejected), nullptr);
    EXPECT_EQ(requests, (std::vector<Request>{{ControlSkinClass::Button, &after}}));
}

// A dialog template made in memory, as a resource compiler would lay it out: the
// dialog, then its items, each on a four-byte boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, const wchar_t* title, short width, short height) {
        Dword(style);
        Dword(0);
        m_words.push_back(0);  // the item count, set by Get
        for (short value : {short{0}, short{0}, width, height}) m_words.push_back(static_cast<WORD>(value));
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // the dialog class
        Text(title);
    }
    // An item of a predefined class (0x80 button ... 0x85 combo box), one row per call.
    void Item(WORD classAtom, DWORD style, WORD id) {
        if (m_words.size() % 2) m_words.push_back(0);
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        const short top = static_cast<short>(4 + 14 * m_items++);
        for (short value : {short{4}, top, short{90}, short{12}}) m_words.push_back(static_cast<WORD>(value));
        m_words.push_back(id);
        m_words.push_back(0xFFFF);
        m_words.push_back(classAtom);
        Text(L"x");
        m_words.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* Get() {
        m_words[4] = m_items;
        return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
    }

private:
    void Dword(DWORD value) {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        for (; *text; ++text) m_words.push_back(static_cast<WORD>(*text));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
    WORD m_items = 0;
};

constexpr WORD kButtonClass = 0x80, kEditClass = 0x81, kStaticClass = 0x82, kScrollBarClass = 0x84, kComboClass = 0x85;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) noexcept { return FALSE; }

TEST_F(ControlDiscoveryTest, ARealDialogsChildWindowsAreSkinnedByClassAndStyleInTheirOrder) {
    DialogTemplate outer{WS_POPUP | WS_CAPTION | WS_SYSMENU, L"Dialog", 200, 200};
    outer.Item(kButtonClass, BS_PUSHBUTTON, 1);
    outer.Item(kButtonClass, BS_AUTOCHECKBOX, 2);
    outer.Item(kButtonClass, BS_AUTORADIOBUTTON, 3);
    outer.Item(kButtonClass, BS_GROUPBOX, 4);
    outer.Item(kComboClass, CBS_SIMPLE, 5);
    outer.Item(kComboClass, CBS_DROPDOWNLIST, 6);
    outer.Item(kEditClass, WS_BORDER, 7);
    outer.Item(kStaticClass, SS_LEFT, 8);
    outer.Item(kScrollBarClass, SBS_SIZEGRIP, 9);
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    HWND dialog = ::CreateDialogIndirectParamW(module, outer.Get(), nullptr, &PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    // A dialog inside the dialog, as property sheets and file dialogs nest theirs.
    DialogTemplate inner{WS_CHILD | WS_VISIBLE | DS_CONTROL, L"", 100, 40};
    inner.Item(kButtonClass, BS_DEFPUSHBUTTON, 1);
    inner.Item(kButtonClass, BS_3STATE, 2);
    HWND nested = ::CreateDialogIndirectParamW(module, inner.Get(), dialog, &PlainDialogProc, 0);
    ASSERT_NE(nested, nullptr);
    ASSERT_FALSE(::GetWindowLongPtrW(nested, GWL_STYLE) & WS_TABSTOP);
    TWinSkinForm* skinForm = SkinAndStart(dialog);
    ASSERT_NE(skinForm, nullptr);

    using K = ControlSkinClass;
    const std::pair<HWND, K> skinned[] = {
        {::GetDlgItem(dialog, 1), K::Button},   {::GetDlgItem(dialog, 2), K::CheckBox},
        {::GetDlgItem(dialog, 3), K::RadioButton}, {::GetDlgItem(dialog, 6), K::ComboBox},
        {::GetDlgItem(dialog, 7), K::Edit},     {::GetDlgItem(dialog, 9), K::Sizer},
        {::GetDlgItem(nested, 1), K::Button},   {::GetDlgItem(nested, 2), K::CheckBox},
        {nested, K::BoxH},
    };
    std::vector<Request> expected;
    for (const auto& [window, kind] : skinned) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto* made = As<TTestSkin>(skinForm->FindSkinByHandle(window));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->kind, kind);
        EXPECT_EQ(made->way, AttachWay::Handle);
        EXPECT_EQ(made->Owner(), skinForm);
        EXPECT_EQ(::SendMessageW(window, WMX_ISSKINNED, 0, 0), 1);
        expected.push_back({kind, skinForm});
    }
    // Child windows in their order; a nested dialog's own children before the dialog.
    EXPECT_EQ(requests, expected);
    // Group boxes, simple combo boxes, static texts and the simple combo's own edit stay plain.
    for (HWND plain : {::GetDlgItem(dialog, 4), ::GetDlgItem(dialog, 5), ::GetDlgItem(dialog, 8),
                       ::GetWindow(::GetDlgItem(dialog, 5), GW_CHILD)})
        EXPECT_EQ(skinForm->FindSkinByHandle(plain), nullptr);

    // Walked again, the dialog asks for nothing more.
    skinForm->DiscoverWindow(dialog);
    EXPECT_EQ(requests.size(), expected.size());

    // A gone child's skin answers for no window (a new one may get the same handle), and
    // the next walk frees it.
    HWND gone = ::GetDlgItem(dialog, 1);
    const ComponentRef<TSkinControl> goneSkin{skinForm->FindSkinByHandle(gone)};
    ::DestroyWindow(gone);
    ASSERT_TRUE(goneSkin);
    EXPECT_EQ(goneSkin->State(), TSkinControl::kWindowGone);
    EXPECT_EQ(skinForm->FindSkinByHandle(gone), nullptr);
    skinForm->DiscoverWindow(dialog);
    EXPECT_FALSE(goneSkin);
    ::DestroyWindow(dialog);
}

// What the message box test saw of the box while it was open.
struct BoxChild {
    std::wstring className;
    int id = 0;
    std::optional<ControlSkinClass> skin;
};
struct BoxSeen {
    bool running = false;
    bool failed = false;
    std::vector<BoxChild> children;
};
constexpr wchar_t kBoxCaption[] = L"Discovered box";
TSkinManage* s_boxManager = nullptr;
BoxSeen s_boxSeen;
int s_boxTicks = 0;

void CALLBACK WatchMessageBox(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    HWND box = ::FindWindowW(L"#32770", kBoxCaption);
    TWinSkinForm* form = box ? s_boxManager->FindSkinForm(box) : nullptr;
    const bool running = form && form->State() == TWinSkinForm::SkinState::Running;
    if (running) {
        s_boxSeen.running = true;
        try {
            for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                BoxChild seen{ClassNameOf(child), ::GetDlgCtrlID(child), std::nullopt};
                if (auto* made = As<TTestSkin>(form->FindSkinByHandle(child))) seen.skin = made->kind;
                s_boxSeen.children.push_back(std::move(seen));
            }
        } catch (...) {
            s_boxSeen.failed = true;  // the test fails on it; nothing may unwind into user32
        }
    }
    // Never left open: a box the skin does not reach is closed after a while all the same.
    if (running || ++s_boxTicks > 200) {
        ::KillTimer(nullptr, timer);
        if (box) ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST_F(ControlDiscoveryTest, AMessageBoxsButtonsAreSkinnedWhenItOpensAndItsTextsKeepTheirLook) {
    manager->InstallHook();
    manager->SetManagerState(SkinManagerLink::kLive);
    s_boxManager = manager;
    s_boxSeen = {};
    s_boxTicks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &WatchMessageBox);
    ::MessageBoxW(nullptr, L"Skinned by its activation", kBoxCaption, MB_YESNOCANCEL | MB_ICONINFORMATION);
    ::KillTimer(nullptr, timer);

    ASSERT_TRUE(s_boxSeen.running);
    EXPECT_FALSE(s_boxSeen.failed);
    std::vector<int> buttons;
    int texts = 0;
    for (const BoxChild& child : s_boxSeen.children) {
        SCOPED_TRACE(child.className);
        if (_wcsicmp(child.className.c_str(), L"Button") == 0) {
            EXPECT_EQ(child.skin, ControlSkinClass::Button);
            buttons.push_back(child.id);
        } else {
            EXPECT_EQ(_wcsicmp(child.className.c_str(), L"Static"), 0);
            EXPECT_EQ(child.skin, std::nullopt);
            ++texts;
        }
    }
    for (int id : {IDYES, IDNO, IDCANCEL}) EXPECT_NE(std::find(buttons.begin(), buttons.end(), id), buttons.end()) << id;
    EXPECT_GE(texts, 1);  // the message (and the icon)
}

// The window properties a window carries.
BOOL CALLBACK CountProperty(HWND, LPWSTR, HANDLE, ULONG_PTR count) noexcept {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
int PropertyCount(HWND window) {
    int count = 0;
    ::EnumPropsExW(window, &CountProperty, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(ControlDiscoveryTest, SwitchingTheSkinOffAndOnWalksAgainAndLeaksNothing) {
    TForm& form = NewForm();
    auto& panel = Place<TPanel>(form, form, 10);
    auto& inPanel = Place<TButton>(form, panel, 2);
    auto& check = Place<TCheckBox>(form, form, 40);
    auto& edit = Place<fake::TDCEdit>(form, form, 70);  // skinned on its window
    form.SetVisible(true);
    const std::vector<TControl*> controls{&panel, &inPanel, &check, &edit};
    HWND window = form.Handle();
    const auto running = [&] {
        TWinSkinForm* skinned = manager->FindSkinForm(window);
        return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
    };
    const auto skinsOf = [](TControl& control) {
        int count = 0;
        for (int i = 0; i < control.ComponentCount(); ++i) count += As<TTestSkin>(control.Components(i)) != nullptr;
        return count;
    };
    const LONG_PTR editProcedure = ::GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC);
    const int editProperties = PropertyCount(edit.Handle());

    // The skin data's switch, as the program turns it: each request runs on the manager's timer.
    manager->SetManagerState(SkinManagerLink::kLive);
    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil(running));
    ASSERT_EQ(requests.size(), controls.size());
    skin->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return !manager->FindSkinForm(window); }));
    for (TControl* control : controls) {
        EXPECT_EQ(skinsOf(*control), 0) << ToUtf8(control->ClassName());
        EXPECT_NE(control->Perform(WMX_ISSKINNED), 1) << ToUtf8(control->ClassName());
    }
    EXPECT_EQ(::GetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC), editProcedure);
    EXPECT_EQ(PropertyCount(edit.Handle()), editProperties);
    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil(running));
    EXPECT_EQ(requests.size(), 2 * controls.size());  // every control asked for its skin again
    for (TControl* control : controls) EXPECT_EQ(skinsOf(*control), 1) << ToUtf8(control->ClassName());

    // What the requests do, many times over: no handle of either table stays behind.
    const auto roundTrip = [&] {
        if (TWinSkinForm* skinned = manager->FindSkinForm(window)) manager->Unskin(*skinned);
        manager->SkinForm(form);
        PumpUntil(running);
    };
    const int gdi = GdiHeadroom(), user = UserHeadroom();
    for (int i = 0; i < 20; ++i) roundTrip();
    EXPECT_LE(gdi - GdiHeadroom(), 8);
    EXPECT_LE(user - UserHeadroom(), 8);
    EXPECT_EQ(requests.size(), 22 * controls.size());
    for (TControl* control : controls) EXPECT_EQ(skinsOf(*control), 1) << ToUtf8(control->ClassName());
    ASSERT_NE(manager->FindSkinForm(window), nullptr);
    EXPECT_EQ(manager->FindSkinForm(window)->ControlSkins().size(), controls.size());
}

}  // namespace
