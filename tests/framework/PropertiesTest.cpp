#include "framework/core/Properties.h"

#include "PropertyTestClasses.h"

#include <gtest/gtest.h>

namespace {

TEST(Properties, LookupIgnoresCaseAndFollowsTheClassChain) {
    TTestPlainButton button;  // publishes nothing itself
    EXPECT_NE(FindPropInfo(&button, u"caption"), nullptr);
    EXPECT_NE(FindPropInfo(&button, u"DOWN"), nullptr);
    EXPECT_NE(FindPropInfo(&button, u"tag"), nullptr);  // from TComponent
    EXPECT_EQ(FindPropInfo(TTestWidget::StaticClass(), u"Down"), nullptr);

    // Base properties come first, each once, in declaration order.
    const auto all = PublishedProps(TTestButton::StaticClass());
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0]->name, u"Name");
    EXPECT_EQ(all[1]->name, u"Tag");
    EXPECT_EQ(all.back()->name, u"Down");
}

// Its table cannot be built, and its object property cannot be had.
class TTestBroken : public TComponent {
    KESTRELLE_CLASS(TTestBroken, TComponent)

public:
    static void Publish(TPublisher<TTestBroken>&) { throw EConvertError(u"no table for TTestBroken"); }
};
class TTestBrokenHolder : public TComponent {
    KESTRELLE_CLASS(TTestBrokenHolder, TComponent)

public:
    static void Publish(TPublisher<TTestBrokenHolder>& p) {
        p.Object(u"Font", [](TTestBrokenHolder&) -> TTestFont& { throw EConvertError(u"no font to be had"); });
    }
};

TEST(Properties, ALookupThatCannotBeDoneThrowsRatherThanFindingNothing) {
    TTestBroken broken;
    EXPECT_THROW(FindPropInfo(TTestBroken::StaticClass(), u"Tag"), EConvertError);
    EXPECT_THROW(FindMethodInfo(TTestBroken::StaticClass(), u"Click"), EConvertError);
    EXPECT_THROW(IsPublishedProp(&broken, u"Tag"), EConvertError);
    TTestBrokenHolder holder;
    EXPECT_THROW(GetStrProp(&holder, u"Font.Name"), EConvertError);
    EXPECT_TRUE(IsPublishedProp(&holder, u"Font"));  // the property itself is there
}

TEST(Properties, MissingObjectOrPropertyGivesTheNeutralAnswer) {
    TTestWidget widget;
    TTestWidget* none = nullptr;
    EXPECT_FALSE(GetIntProp(none, u"Left"));
    EXPECT_FALSE(GetIntProp(&widget, u"NoSuchThing"));
    EXPECT_FALSE(GetIntProp(&widget, u"Caption"));  // another kind
    EXPECT_FALSE(GetEnumProp(&widget, u"Left"));
    EXPECT_FALSE(GetStrProp(&widget, u"Font.NoSuch"));
    EXPECT_FALSE(GetStrProp(&widget, u"Left.Name"));  // not an object on the way
    EXPECT_FALSE(GetPropText(none, u"Caption"));
    EXPECT_EQ(GetObjectProp(&widget, u"Caption"), nullptr);
    EXPECT_EQ(GetObjectProp<TTestWidget>(&widget, u"Font"), nullptr);  // wrong class
    EXPECT_FALSE(SetIntProp(none, u"Left", 1));
    EXPECT_FALSE(SetStrProp(&widget, u"Left", u"x"));
    EXPECT_FALSE(SetPropText(&widget, u"Nothing", u"1"));
    EXPECT_FALSE(SetStrProp(&widget, u"Version", u"2.0"));  // read-only
    EXPECT_FALSE(IsEventAssigned(&widget, u"OnNothing"));
    EXPECT_FALSE(GetBinaryProp(&widget, u"Caption"));
    EXPECT_FALSE(SetPropText(&widget, u"OnClick", u"ButtonClick"));  // no root to bind against
    EXPECT_EQ(widget.Left(), 0);
}

TEST(Properties, EveryOrdinalKindThroughTypedAccessAndText) {
    TTestButton w;
    ASSERT_TRUE(SetIntProp(&w, u"left", -7));
    EXPECT_EQ(w.Left(), -7);
    EXPECT_EQ(GetPropText(&w, u"Left"), u"-7");
    ASSERT_TRUE(SetPropText(&w, u"Left", u"$10"));
    EXPECT_EQ(GetIntProp(&w, u"Left"), 16);

    ASSERT_TRUE(SetEnumProp(&w, u"Align", u"ALCLIENT"));
    EXPECT_EQ(w.Align(), TestAlign::Client);
    EXPECT_EQ(GetEnumProp(&w, u"Align"), u"alClient");
    EXPECT_EQ(GetOrdProp(&w, u"Align"), 5);

    ASSERT_TRUE(SetPropText(&w, u"Visible", u"false"));
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(GetEnumProp(&w, u"Visible"), u"False");
    ASSERT_TRUE(SetOrdProp(&w, u"Down", 1));
    EXPECT_TRUE(w.down);

    // Colours: by name where the colour has one, by number otherwise.
    ASSERT_TRUE(SetPropText(&w, u"Color", u"clWindowText"));
    EXPECT_EQ(w.Color(), clWindowText);
    EXPECT_EQ(GetPropText(&w, u"Color"), u"clWindowText");
    ASSERT_TRUE(SetPropText(&w, u"Color", u"65295"));
    EXPECT_EQ(GetPropText(&w, u"Color"), u"65295");

    // Sets, through a nested path.
    ASSERT_TRUE(SetPropText(&w, u"Font.Style", u"[ fsItalic , FSBOLD ]"));
    EXPECT_TRUE(w.Font().style.Contains(TestStyle::Bold));
    EXPECT_TRUE(w.Font().style.Contains(TestStyle::Italic));
    EXPECT_EQ(GetPropText(&w, u"Font.Style"), u"[fsBold,fsItalic]");
    ASSERT_TRUE(SetPropText(&w, u"Font.Style", u"[]"));
    EXPECT_TRUE(w.Font().style.Empty());
}

TEST(Properties, BadValuesAreRejectedAndLeaveTheOldValue) {
    TTestWidget w;
    w.SetAlign(TestAlign::Top);
    EXPECT_THROW(SetEnumProp(&w, u"Align", u"alMiddle"), EConvertError);
    EXPECT_THROW(SetOrdProp(&w, u"Align", 6), EConvertError);
    EXPECT_THROW(SetOrdProp(&w, u"Align", -1), EConvertError);
    EXPECT_THROW(SetPropText(&w, u"Visible", u"yes"), EConvertError);
    EXPECT_THROW(SetPropText(&w, u"Left", u"12px"), EConvertError);
    EXPECT_THROW(SetPropText(&w, u"Left", u"99999999999"), EConvertError);
    EXPECT_THROW(SetOrdProp(&w, u"Left", int64_t{1} << 40), EConvertError);
    EXPECT_THROW(SetPropText(&w, u"Font.Style", u"[fsBold,]"), EConvertError);
    EXPECT_THROW(SetPropText(&w, u"Font.Style", u"fsBold"), EConvertError);
    EXPECT_THROW(SetOrdProp(&w, u"Font.Style", 16), EConvertError);  // a fifth member
    EXPECT_THROW(SetPropText(&w, u"Blob", u"0A0"), EConvertError);
    EXPECT_EQ(w.Align(), TestAlign::Top);
    EXPECT_TRUE(w.Visible());
    EXPECT_TRUE(w.Font().style.Empty());
}

TEST(Properties, StringsCrossBetweenUtf16AndWideSetters) {
    TTestWidget w;
    const std::u16string text = u"元音 ɑr \U0001F600";  // a surrogate pair too
    ASSERT_TRUE(SetStrProp(&w, u"Caption", text));
    EXPECT_EQ(GetStrProp(&w, u"Caption"), text);
    EXPECT_EQ(GetPropText(&w, u"caption"), text);
    ASSERT_TRUE(SetStrProp(&w, u"Font.Name", u"MS Sans Serif"));
    EXPECT_EQ(w.Font().name, u"MS Sans Serif");
}

TEST(Properties, OwnedObjectsAreAssignedIntoAndReferencesPointAtComponents) {
    TTestWidget w;
    TTestFont other;
    other.name = u"Tahoma";
    other.height = -13;
    EXPECT_EQ(GetObjectProp<TTestFont>(&w, u"Font"), &w.Font());
    ASSERT_TRUE(SetObjectProp(&w, u"Font", &other));
    EXPECT_EQ(w.Font().name, u"Tahoma");
    EXPECT_EQ(w.Font().height, -13);
    EXPECT_THROW(SetObjectProp(&w, u"Font", &w.Lines()), EConvertError);
    EXPECT_FALSE(GetPropText(&w, u"Font"));

    TTestForm form;
    form.SetName(u"Form1");
    auto& a = form.Create<TTestWidget>();
    a.SetName(u"A");
    auto& b = form.Create<TTestWidget>();
    b.SetName(u"B");
    ASSERT_TRUE(SetPropText(&a, u"Buddy", u"b", &form));
    EXPECT_EQ(a.Buddy(), &b);
    EXPECT_EQ(GetPropText(&a, u"Buddy"), u"B");
    EXPECT_THROW(SetPropText(&a, u"Buddy", u"Nobody", &form), EConvertError);
    EXPECT_THROW(SetObjectProp(&a, u"Buddy", &form.Lines()), EConvertError);
    ASSERT_TRUE(SetPropText(&a, u"Buddy", u"", &form));
    EXPECT_EQ(a.Buddy(), nullptr);
}

TEST(Properties, EventsBindToTheRootFormsMethodsByName) {
    TTestForm form;
    auto& button = form.Create<TTestButton>();
    button.SetName(u"Button1");

    ASSERT_TRUE(BindEventProp(&button, u"onclick", form, u"buttonclick"));
    ASSERT_TRUE(IsEventAssigned(&button, u"OnClick"));
    Fire(button.OnClick, &button);
    EXPECT_EQ(form.clicks, std::vector<std::u16string>{u"Button1"});
    EXPECT_EQ(GetPropText(&button, u"OnClick"), u"ButtonClick");  // the published spelling

    ASSERT_TRUE(SetPropText(&button, u"OnMeasure", u"Measure", &form));
    int32_t size = 0;
    button.OnMeasure(&button, size);
    EXPECT_EQ(size, 42);

    EXPECT_THROW(BindEventProp(&button, u"OnClick", form, u"Missing"), EConvertError);
    EXPECT_THROW(BindEventProp(&button, u"OnClick", form, u"Measure"), EConvertError);  // wrong signature
    EXPECT_TRUE(IsEventAssigned(&button, u"OnClick"));  // the failed binds left it alone

    // A handler set by code has no name to store.
    ASSERT_TRUE(SetEventProp(&button, u"OnClick", TNotifyEvent([](TObject*) {})));
    EXPECT_EQ(GetEventHandlerName(&button, u"OnClick"), u"");
    EXPECT_FALSE(SetEventProp(&button, u"OnClick", 5));  // not an event handler
    ASSERT_TRUE(BindEventProp(&button, u"OnClick", form, u""));
    EXPECT_FALSE(IsEventAssigned(&button, u"OnClick"));
}

TEST(Properties, BinaryPropertiesGoThroughTheirStreamCallbacks) {
    TTestWidget w;
    const std::vector<std::byte> bytes{std::byte{1}, std::byte{2}, std::byte{0xAB}};
    std::vector<std::byte> stream{std::byte{3}, std::byte{0}, std::byte{0}, std::byte{0}};
    stream.insert(stream.end(), bytes.begin(), bytes.end());
    ASSERT_TRUE(SetBinaryProp(&w, u"Blob", stream));
    EXPECT_EQ(w.blob, bytes);
    EXPECT_EQ(GetBinaryProp(&w, u"Blob"), stream);
    EXPECT_EQ(GetPropText(&w, u"Blob"), u"0300000001" u"02AB");
    ASSERT_TRUE(SetPropText(&w, u"Blob", u"01000000 ff"));
    EXPECT_EQ(w.blob, std::vector<std::byte>{std::byte{0xFF}});
    // A count larger than the data is the callback's to refuse.
    EXPECT_THROW(SetPropText(&w, u"Blob", u"05000000FF"), EReadError);
}

TEST(Properties, StoredFollowsDefaultsAndPredicates) {
    TTestButton w;
    auto stored = [&](std::u16string_view path) {
        auto [holder, info] = ResolveProp(&w, path);
        return info->IsStored(*holder);
    };
    EXPECT_FALSE(stored(u"Left"));
    EXPECT_FALSE(stored(u"Color"));
    EXPECT_FALSE(stored(u"Caption"));
    EXPECT_FALSE(stored(u"Blob"));
    EXPECT_FALSE(stored(u"Name"));
    EXPECT_FALSE(stored(u"Version"));  // read-only
    EXPECT_FALSE(stored(u"Font.Name"));
    w.SetLeft(3);
    w.SetColor(clRed);
    w.SetCaption(L"x");
    w.blob.push_back(std::byte{1});
    w.Font().name.clear();  // empty differs from the default, so it is stored
    EXPECT_TRUE(stored(u"Font.Name"));
    EXPECT_TRUE(stored(u"Left"));
    EXPECT_TRUE(stored(u"Color"));
    EXPECT_TRUE(stored(u"Caption"));
    EXPECT_TRUE(stored(u"Blob"));
}

TEST(Properties, AssignPublishedCopiesValuesAndOwnedObjects) {
    TTestButton a, b;
    a.SetLeft(5);
    a.SetCaption(L"cap");
    a.Font().name = u"Arial";
    a.Lines().Add(u"one");
    a.down = true;
    a.blob = {std::byte{9}};
    a.Items().Add();
    AssignPublished(b, a);
    EXPECT_EQ(b.Left(), 5);
    EXPECT_EQ(b.Caption(), L"cap");
    EXPECT_EQ(b.Font().name, u"Arial");
    EXPECT_EQ(b.Lines().Count(), 1);
    EXPECT_EQ(b.Items().Count(), 1);
    EXPECT_TRUE(b.down);
    EXPECT_EQ(b.blob, a.blob);
}

}  // namespace
