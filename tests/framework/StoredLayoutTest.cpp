#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"

#include "PropertyTestClasses.h"
#include "framework/core/ClassRegistry.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts how often the owner hears of changes, to check that a read batches them.
class TTestPanels : public TCollection {
    KESTRELLE_CLASS(TTestPanels, TCollection)

public:
    TTestPanels() : TCollection(Of<TTestItem>()) {}
    int updates = 0;

protected:
    void Update(TCollectionItem*) override { ++updates; }
};

class TTestStatus : public TTestWidget {
    KESTRELLE_CLASS(TTestStatus, TTestWidget)

public:
    TTestPanels panels;
    static void Publish(TPublisher<TTestStatus>& p) {
        p.Object(u"Panels", [](TTestStatus& s) -> TTestPanels& { return s.panels; });
    }
};

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterComponentClasses<TTestWidget, TTestButton, TTestPlainButton, TTestStatus>();
        form.log = &log;
    }
    TTestWidget& Widget(std::u16string_view name) {
        auto* w = As<TTestWidget>(form.FindComponent(name));
        if (!w) throw std::runtime_error("missing " + ToUtf8(name));
        return *w;
    }

    TTestForm form;
    std::vector<std::u16string> log;
};

constexpr std::string_view kEveryKind = R"(// every kind of value
Form1: TTestForm {
    Caption = "Kestrelle \"音标\" \u0001\n"
    Left = -2
    Tag = $10
    Color = clWindowText
    Align = alClient
    Visible = False
    Font.Name = "MS Sans Serif"
    Font.Height = -11
    Font.Style = [fsBold, fsItalic]
    Lines = ["TCategoryButtons=scrollbar", "元音" ""]
    OnClick = ButtonClick
    Panel1: TTestWidget {
        Align = alLeft
        Buddy = Status
        Button1: TTestButton {
            Down = True
            Color = 65295
            OnClick = buttonclick
            OnMeasure = Measure
            Blob = <03000000 0102
                    AB>
        }
    }
    Status: TTestStatus {
        Panels = [
            { Width = 200 Text = "当前项目：无" }
            { }
            { Text = "x" }
        ]
    }
}
)";

TEST_F(LayoutTest, ReadsEveryValueKindIntoTheRightComponents) {
    ReadLayout(form, kEveryKind);
    EXPECT_EQ(form.Name(), u"Form1");
    EXPECT_EQ(form.Caption(), L"Kestrelle \"音标\" \x01\n");
    EXPECT_EQ(form.Left(), -2);
    EXPECT_EQ(form.Tag(), 16);
    EXPECT_EQ(form.Color(), clWindowText);
    EXPECT_EQ(form.Align(), TestAlign::Client);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.Font().name, u"MS Sans Serif");
    EXPECT_EQ(form.Font().height, -11);
    EXPECT_EQ(form.Font().style, (EnumSet<TestStyle>{TestStyle::Bold, TestStyle::Italic}));
    ASSERT_EQ(form.Lines().Count(), 3);
    EXPECT_EQ(form.Lines()[1], u"元音");

    auto& panel = Widget(u"Panel1");
    auto& button = Widget(u"Button1");
    auto& status = *As<TTestStatus>(&Widget(u"Status"));
    EXPECT_EQ(panel.parent, &form);
    EXPECT_EQ(button.parent, &panel);
    EXPECT_EQ(button.Owner(), &form);
    EXPECT_EQ(panel.Buddy(), &status);  // a reference to an entry further down
    EXPECT_TRUE(As<TTestButton>(&button)->down);
    EXPECT_EQ(button.Color(), 65295);
    EXPECT_EQ(button.blob, (std::vector<std::byte>{std::byte{1}, std::byte{2}, std::byte{0xAB}}));

    Fire(form.OnClick, &form);
    Fire(button.OnClick, &button);
    EXPECT_EQ(form.clicks, (std::vector<std::u16string>{u"Form1", u"Button1"}));
    int32_t size = 0;
    button.OnMeasure(&button, size);
    EXPECT_EQ(size, 42);

    ASSERT_EQ(status.panels.Count(), 3);
    EXPECT_EQ(status.panels.ItemAs<TTestItem>(0)->width, 200);
    EXPECT_EQ(status.panels.ItemAs<TTestItem>(0)->text, u"当前项目：无");
    EXPECT_EQ(status.panels.ItemAs<TTestItem>(1)->width, 50);
    EXPECT_EQ(status.panels.updates, 1);  // one batch, not one per item
}

TEST_F(LayoutTest, PublishedValuesSurviveARoundTrip) {
    ReadLayout(form, kEveryKind);
    Widget(u"Button1").SetCaption(std::wstring(L"lone \xD800 tab\t back\\slash"));
    Widget(u"Panel1").blob.assign(100, std::byte{0x5A});  // more than one line of hex
    const std::string text = WriteLayout(form);

    TTestForm copy;
    ReadLayout(copy, text);
    EXPECT_EQ(WriteLayout(copy), text);
    EXPECT_EQ(As<TTestWidget>(copy.FindComponent(u"Button1"))->Caption(), L"lone \xD800 tab\t back\\slash");
    EXPECT_EQ(As<TTestWidget>(copy.FindComponent(u"Panel1"))->blob.size(), 100u);
    EXPECT_EQ(As<TTestWidget>(copy.FindComponent(u"Button1"))->parent, copy.FindComponent(u"Panel1"));
    EXPECT_EQ(copy.Lines(), form.Lines());
    // Defaults are left out, values that differ from them are not.
    EXPECT_EQ(text.find("Down = False"), std::string::npos);
    EXPECT_NE(text.find("Visible = False"), std::string::npos);
    EXPECT_EQ(text.find("Version"), std::string::npos);
}

// A component that logs while it is read, to see what it knows at that moment.
class TTestLogger : public TTestWidget {
    KESTRELLE_CLASS(TTestLogger, TTestWidget)

public:
    static inline std::vector<std::u16string>* sink = nullptr;
    TTestLogger() { log = sink; }
    void Loaded() override {
        log->push_back(u"Loaded " + Name() + (IsLoading() ? u" (was loading)" : u""));
        TComponent::Loaded();
    }
};

TEST_F(LayoutTest, PropertiesActWhileReadingAndLoadedFollowsRootFirst) {
    RegisterComponentClasses<TTestLogger>();
    TTestLogger::sink = &log;
    ReadLayout(form, R"(F: TTestForm {
        A: TTestLogger { Blob = <00000000> }
        B: TTestLogger { Blob = <00000000> }
    })");
    TTestLogger::sink = nullptr;
    EXPECT_EQ(log, (std::vector<std::u16string>{u"Blob A", u"Blob B", u"Loaded F", u"Loaded A (was loading)",
                                                u"Loaded B (was loading)"}));
    EXPECT_FALSE(form.IsLoading());
    EXPECT_FALSE(form.FindComponent(u"A")->IsLoading());
}

TEST_F(LayoutTest, ErrorsNameTheLineAndTheCauseAndLeaveNothingBehind) {
    auto& kept = form.Create<TTestWidget>();  // constructed by the form's code
    kept.SetName(u"Kept");
    struct Case {
        std::string_view text;
        int line;
        std::u16string_view cause;
    };
    const Case cases[] = {
        {"F: TTestForm {\n A: TTestWidget {}\n B: TNoSuch {}\n}", 3, u"unknown class \"TNoSuch\""},
        {"F: TTestForm {\n A: TTestWidget {\n  Lfet = 1\n }\n}", 3, u"unknown property \"Lfet\" of A"},
        {"F: TTestForm {\n Font.Nme = \"x\"\n}", 2, u"unknown property \"Font.Nme\""},
        {"F: TTestForm {\n Left.X = 1\n}", 2, u"Left is not an object"},
        {"F: TTestForm {\n A: TTestWidget {}\n Align = alMiddle\n}", 3, u"\"alMiddle\" is not a valid value of Align"},
        {"F: TTestForm {\n Font.Style = [fsBold, fsHuge]\n}", 2, u"\"fsHuge\" is not a member of Font.Style"},
        {"F: TTestForm {\n Left = \"1\"\n}", 2, u"expected a number for Left"},
        {"F: TTestForm {\n Left = 4294967296\n}", 2, u"is not a 32-bit integer"},
        {"F: TTestForm {\n Caption = 7\n}", 2, u"expected a string for Caption"},
        {"F: TTestForm {\n Version = \"2\"\n}", 2, u"Version is read-only"},
        {"F: TTestForm {\n Font = \"x\"\n}", 2, u"Font is an object"},
        {"F: TTestForm {\n OnClick = Nothing\n}", 2, u"TTestForm has no handler \"Nothing\""},
        {"F: TTestForm {\n OnClick = Measure\n}", 2, u"handler \"Measure\" does not fit OnClick"},
        {"F: TTestForm {\n A: TTestWidget {\n  Buddy = Nobody }\n}", 3, u"no component named \"Nobody\""},
        {"F: TTestForm {\n A: TTestWidget {}\n A: TTestWidget {}\n}", 3, u"\"A\" is already in the layout"},
        {"F: TTestForm {\n Kept: TTestButton {}\n}", 2, u"\"Kept\" is a TTestWidget, not a TTestButton"},
        {"F: TTestForm {\n A: TTestWidget {\n  Blob = <05000000FF>\n }\n}", 3, u"Blob: "},
        {"F: TTestForm {\n Blob = <0F0>\n}", 2, u"odd number of hexadecimal digits"},
        {"F: TTestForm {\n Blob = <0F\n 0G>\n}", 3, u"not a hexadecimal digit"},
        {"F: TTestForm {\n Blob = <0f\n 00\n", 4, u"unterminated binary data"},
        {"F: TTestForm {\n Blob = <0100\n 0000ab>\n Lfet = 1\n}", 4, u"unknown property \"Lfet\""},
        {"F: TTestForm {\n Caption = \"abc\n}", 2, u"unterminated string"},
        {"F: TTestForm {\n Caption = \"\xC3\x28\"\n}", 2, u"invalid UTF-8"},
        {"F: TTestForm {\n Caption = \"\xE0\x80\xAF\"\n}", 2, u"invalid UTF-8"},  // overlong "/"
        {"F: TTestForm {\n Caption = \"\\q\"\n}", 2, u"unknown escape"},
        {"F: TTestForm {\n A: TTestWidget {\n", 3, u"the layout ends before \"}\" closes A"},
        {"F: TTestForm {\n Status: TTestStatus { Panels = [ { Width = 1 ", 2, u"the layout ends inside Panels"},
        {"F: TTestForm {\n Left =", 2, u"expected a number for Left, found the end of the layout"},
        {"F: TTestButton {\n}", 1, u"the layout is for a TTestButton, not a TTestForm"},
        {"F: TTestForm {\n}\n}", 3, u"unexpected text after the end of the form"},
        {"F: TTestForm {\n A: TTestWidget { Items = [ { B: TTestWidget {} } ] }\n}", 2,
         u"unknown property \"B\" of TTestItem"},
        {"F: TTestForm {\n Left = 1 # 2\n}", 2, u"unexpected character \"#\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        try {
            ReadLayout(form, c.text);
            ADD_FAILURE() << "read without error";
        } catch (const ELayoutError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(e.Message().find(c.cause), std::u16string::npos) << e.what();
            EXPECT_EQ(e.Message().rfind(u"Line " + FromUtf8(std::to_string(c.line)) + u": ", 0), 0u);
        }
        ASSERT_EQ(form.ComponentCount(), 1);
        EXPECT_EQ(form.Components(0), &kept);
        EXPECT_FALSE(form.IsLoading());
        EXPECT_FALSE(kept.IsLoading());
    }
}

class TTestTimer : public TComponent {
    KESTRELLE_CLASS(TTestTimer, TComponent)
};

TEST_F(LayoutTest, AFailedReadLeavesNoReferenceToWhatItDestroyed) {
    RegisterComponentClasses<TTestTimer>();
    auto& kept = form.Create<TTestWidget>();
    kept.SetName(u"Kept");
    try {
        ReadLayout(form, "F: TTestForm {\n Kept: TTestWidget { Buddy = A }\n A: TTestWidget {}\n"
                         " T: TTestTimer {}\n C: TTestWidget { Buddy = T }\n}");
        ADD_FAILURE() << "read without error";
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Line(), 5);
        EXPECT_NE(e.Message().find(u"Cannot assign TTestTimer to a TTestWidget"), std::u16string::npos) << e.what();
    }
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(kept.Buddy(), nullptr);
}

// Fails where a read error's clean-up calls it: its panels cannot end an update, and
// its partner cannot be cleared.
class TTestStubborn : public TTestWidget {
    KESTRELLE_CLASS(TTestStubborn, TTestWidget)

public:
    class Panels : public TCollection {
    public:
        Panels() : TCollection(Of<TTestItem>()) {}

    protected:
        void Update(TCollectionItem*) override { throw EConvertError(u"panels stay as they are"); }
    };
    Panels panels;
    TTestWidget* Partner() const noexcept { return m_partner; }
    void SetPartner(TTestWidget* w) {
        if (!w) throw EConvertError(u"a partner stays");
        m_partner = w;
    }
    static void Publish(TPublisher<TTestStubborn>& p) {
        p.Object(u"Panels", [](TTestStubborn& s) -> TCollection& { return s.panels; });
        p.Reference(u"Partner", &TTestStubborn::Partner, &TTestStubborn::SetPartner);
    }

private:
    TTestWidget* m_partner = nullptr;
};

TEST_F(LayoutTest, ACleanUpThatFailsAfterAReadErrorIsLoggedAndTheReadErrorThrown) {
    RegisterComponentClasses<TTestStubborn, TTestTimer>();
    FailureLogCapture log;
    const std::string_view layouts[] = {
        "F: TTestForm {\n S: TTestStubborn { Panels = [ { Nothing = 1 } ] }\n}",
        "F: TTestForm {\n S: TTestStubborn { Partner = A }\n A: TTestWidget {}\n"
        " T: TTestTimer {}\n C: TTestWidget { Buddy = T }\n}",
    };
    const int lines[] = {2, 5};
    const std::u16string_view logged[] = {u"Ending a collection's update after a read error failed: panels stay",
                                          u"A reference could not be cleared while undoing a layout: a partner stays"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        try {
            ReadLayout(form, layouts[i]);
            ADD_FAILURE() << "read without error";
        } catch (const ELayoutError& e) {
            EXPECT_EQ(e.Line(), lines[i]) << e.what();
        }
        EXPECT_EQ(log.Count(logged[i]), 1u);
        EXPECT_EQ(form.ComponentCount(), 0);  // the undo went on past the failure
    }
}

TEST_F(LayoutTest, EveryTruncationOfALayoutFailsCleanly) {
    const size_t last = kEveryKind.rfind('}');
    for (size_t n = 0; n <= last; ++n) {
        TTestForm fresh;
        EXPECT_THROW(ReadLayout(fresh, kEveryKind.substr(0, n)), ELayoutError) << n;
        EXPECT_EQ(fresh.ComponentCount(), 0) << n;
    }
}

TEST_F(LayoutTest, EntriesForComponentsTheFormAlreadyOwnsAreReadIntoThem) {
    auto& existing = form.Create<TTestButton>();
    existing.SetName(u"Ok");
    ReadLayout(form, "F: TTestForm {\n Ok: TTestButton { Left = 5 Down = True }\n}");
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(existing.Left(), 5);
    EXPECT_TRUE(existing.down);
}

TEST_F(LayoutTest, UnnamedComponentsAndBomAreAccepted) {
    ReadLayout(form, "\xEF\xBB\xBF: TTestForm {\n : TTestWidget { Left = 3 }\n}");
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(As<TTestWidget>(form.Components(0))->Left(), 3);
    TTestForm copy;
    ReadLayout(copy, WriteLayout(form));
    ASSERT_EQ(copy.ComponentCount(), 1);
}

TEST(ClassRegistry, FindsByNameWithoutCaseAndRefusesATakenName) {
    RegisterComponentClasses<TTestWidget>();
    RegisterComponentClasses<TTestWidget>();  // again: nothing happens
    const RegisteredClass* found = FindComponentClass(u"ttestwidget");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->cls, &TTestWidget::StaticClass());
    EXPECT_TRUE(found->make()->Is<TTestWidget>());
    EXPECT_EQ(FindComponentClass(u"TNothing"), nullptr);

    static const TClass impostor{u"TTestWidget", &TComponent::StaticClass()};
    EXPECT_THROW(RegisterComponentClass(impostor, nullptr), EConvertError);
}

}  // namespace
