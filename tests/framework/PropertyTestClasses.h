#pragma once
// Small published classes shared by the property, layout and registry tests: one of
// every property kind, an inherited table, a form with handlers.

#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Properties.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"
#include "framework/graphics/Colors.h"

#include <array>
#include <string>
#include <vector>

enum class TestAlign { None, Top, Bottom, Left, Right, Client };
inline std::span<const std::u16string_view> EnumIdents(TestAlign) {
    static constexpr std::array<std::u16string_view, 6> idents{u"alNone", u"alTop", u"alBottom",
                                                               u"alLeft", u"alRight", u"alClient"};
    return idents;
}

enum class TestStyle { Bold, Italic, Underline, StrikeOut };
inline std::span<const std::u16string_view> EnumIdents(TestStyle) {
    static constexpr std::array<std::u16string_view, 4> idents{u"fsBold", u"fsItalic", u"fsUnderline",
                                                               u"fsStrikeOut"};
    return idents;
}

class TTestFont : public TPersistent {
    KESTRELLE_CLASS(TTestFont, TPersistent)

public:
    std::u16string name = u"Default";
    int32_t height = -11;
    EnumSet<TestStyle> style;

    void Assign(const TPersistent& source) override {
        const auto* other = As<TTestFont>(&source);
        if (!other) return TPersistent::Assign(source);
        name = other->name;
        height = other->height;
        style = other->style;
    }

    static void Publish(TPublisher<TTestFont>& p) {
        p.String(u"Name", &TTestFont::name, &TTestFont::name).Default(u"Default");
        p.Integer(u"Height", &TTestFont::height, [](TTestFont& f, int32_t v) { f.height = v; });
        p.Set(u"Style", &TTestFont::style, [](TTestFont& f, EnumSet<TestStyle> s) { f.style = s; }).Default(EnumSet<TestStyle>{});
    }
};

class TTestPanel;

class TTestItem : public TCollectionItem {
    KESTRELLE_CLASS(TTestItem, TCollectionItem)

public:
    int32_t width = 50;
    std::u16string text;

    static void Publish(TPublisher<TTestItem>& p) {
        p.Integer(u"Width", &TTestItem::width, [](TTestItem& i, int32_t v) { i.width = v; }).Default(50);
        p.String(u"Text", &TTestItem::text, &TTestItem::text);
    }
};

// Everything a control of the framework publishes, in miniature. Strings go in and
// out as wide strings, as the Win32 classes keep them.
class TTestWidget : public TComponent {
    KESTRELLE_CLASS(TTestWidget, TComponent)

public:
    TTestWidget() : items(TCollection::Of<TTestItem>()) {}

    int32_t Left() const noexcept { return m_left; }
    void SetLeft(int32_t v) noexcept { m_left = v; }
    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring_view v) { m_caption = v; }
    TestAlign Align() const noexcept { return m_align; }
    void SetAlign(TestAlign v) noexcept { m_align = v; }
    bool Visible() const noexcept { return m_visible; }
    void SetVisible(bool v) noexcept { m_visible = v; }
    TColor Color() const noexcept { return m_color; }
    void SetColor(TColor v) noexcept { m_color = v; }
    TTestFont& Font() noexcept { return m_font; }
    TStringList& Lines() noexcept { return m_lines; }
    TCollection& Items() noexcept { return items; }
    TTestWidget* Buddy() const noexcept { return m_buddy; }
    void SetBuddy(TTestWidget* w) noexcept { m_buddy = w; }

    TNotifyEvent OnClick;
    std::function<void(TObject*, int32_t&)> OnMeasure;

    std::vector<std::byte> blob;
    TComponent* parent = nullptr;
    std::vector<std::u16string>* log = nullptr;  // what happened, for ordering tests

    TComponent* GetParentComponent() const noexcept override { return parent; }
    void SetParentComponent(TComponent* p) override { parent = p; }
    void Loaded() override {
        TComponent::Loaded();
        if (log) log->push_back(u"Loaded " + Name());
    }

    static void Publish(TPublisher<TTestWidget>& p) {
        p.Integer(u"Left", &TTestWidget::Left, &TTestWidget::SetLeft).Default(0);
        p.String(u"Caption", &TTestWidget::Caption, &TTestWidget::SetCaption);
        p.Enum(u"Align", &TTestWidget::Align, &TTestWidget::SetAlign).Default(TestAlign::None);
        p.Bool(u"Visible", &TTestWidget::Visible, &TTestWidget::SetVisible).Default(true);
        p.Colour(u"Color", &TTestWidget::Color, &TTestWidget::SetColor).Default(clBtnFace);
        p.Object(u"Font", &TTestWidget::Font);
        p.Object(u"Lines", &TTestWidget::Lines);
        p.Object(u"Items", &TTestWidget::Items);
        p.Reference(u"Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy);
        p.Event(u"OnClick", &TTestWidget::OnClick);
        p.Event(u"OnMeasure", &TTestWidget::OnMeasure);
        p.Binary(
            u"Blob",
            [](TTestWidget& w, TStream& s) {
                const int32_t size = s.ReadInt32();
                if (size < 0 || size > s.Remaining()) throw EReadError(u"Blob size exceeds the data");
                w.blob.assign(static_cast<size_t>(size), std::byte{0});
                s.ReadBuffer(w.blob);
                if (w.log) w.log->push_back(u"Blob " + w.Name());
            },
            [](const TTestWidget& w, TStream& s) {
                s.WriteInt32(static_cast<int32_t>(w.blob.size()));
                s.WriteBuffer(w.blob);
            })
            .Stored([](const TObject& o) { return !static_cast<const TTestWidget&>(o).blob.empty(); });
        p.String(u"Version", [](const TTestWidget&) { return std::u16string(u"1.0"); }, nullptr);
    }

private:
    int32_t m_left = 0;
    std::wstring m_caption;
    TestAlign m_align = TestAlign::None;
    bool m_visible = true;
    TColor m_color = clBtnFace;
    TTestFont m_font;
    TStringList m_lines;
    TCollection items;
    TTestWidget* m_buddy = nullptr;
};

// Adds a property and overrides an inherited default.
class TTestButton : public TTestWidget {
    KESTRELLE_CLASS(TTestButton, TTestWidget)

public:
    bool down = false;
    static void Publish(TPublisher<TTestButton>& p) {
        p.Bool(u"Down", &TTestButton::down, [](TTestButton& b, bool v) { b.down = v; }).Default(false);
    }
};

// Publishes nothing itself: inherits everything.
class TTestPlainButton : public TTestButton {
    KESTRELLE_CLASS(TTestPlainButton, TTestButton)
};

class TTestForm : public TTestWidget {
    KESTRELLE_CLASS(TTestForm, TTestWidget)

public:
    std::vector<std::u16string> clicks;

    void ButtonClick(TObject* sender) {
        const auto* c = As<TComponent>(sender);
        clicks.push_back(c ? c->Name() : u"?");
    }
    void Measure(TObject*, int32_t& size) { size = 42; }

    static void Publish(TPublisher<TTestForm>& p) {
        p.Method(u"ButtonClick", &TTestForm::ButtonClick);
        p.Method(u"Measure", &TTestForm::Measure);
    }
};
