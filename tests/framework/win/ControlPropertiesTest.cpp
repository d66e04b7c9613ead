// The controls' published properties, read and written by name as the skin engine
// and stored layouts do.

#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/core/Strings.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Timer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

TEST(ControlProperties, ReadByNameAcrossClassesWithNeutralAnswersForWhatIsMissing) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);
    button.SetCaption(L"元音");

    // One name, every class that publishes it.
    for (TObject* o : {static_cast<TObject*>(&form), static_cast<TObject*>(&panel), static_cast<TObject*>(&button)}) {
        EXPECT_TRUE(IsPublishedProp(o, u"Caption")) << ToUtf8(o->ClassName());
        EXPECT_NE(GetObjectProp<TFont>(o, u"Font"), nullptr);
        EXPECT_EQ(GetEnumProp(o, u"Enabled"), u"True");
    }
    EXPECT_EQ(GetStrProp(&button, u"caption"), u"元音");  // any letter case
    EXPECT_EQ(GetEnumProp(&button, u"Layout"), u"blGlyphLeft");
    EXPECT_EQ(GetIntProp(&button, u"Margin"), -1);
    EXPECT_EQ(GetIntProp(&button, u"Spacing"), 4);
    EXPECT_EQ(GetEnumProp(&button, u"Flat"), u"False");
    EXPECT_EQ(GetObjectProp<TBitmap>(&button, u"Glyph"), &button.Glyph());
    EXPECT_EQ(GetEnumProp(&panel, u"Alignment"), u"taCenter");
    EXPECT_EQ(GetEnumProp(&form, u"BorderStyle"), u"bsSizeable");
    EXPECT_EQ(GetPropText(&panel, u"Color"), u"clBtnFace");
    EXPECT_EQ(GetEnumProp(&button, u"ParentColor"), u"True");

    // Missing objects and properties, and properties of another kind.
    EXPECT_FALSE(GetIntProp(nullptr, u"Margin").has_value());
    EXPECT_FALSE(GetIntProp(&panel, u"Margin").has_value());
    EXPECT_FALSE(GetEnumProp(&panel, u"Caption").has_value());
    EXPECT_FALSE(GetStrProp(&button, u"Layout").has_value());
    EXPECT_EQ(GetObjectProp(&panel, u"Glyph"), nullptr);
    EXPECT_FALSE(SetPropText(&panel, u"Glyph", u"x"));
    EXPECT_FALSE(SetPropText(&form, u"AutoScroll", u"False"));
}

TEST(ControlProperties, WritingByNameActsOnTheControl) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    form.SetBounds(0, 0, 400, 300);
    auto& bar = form.Create<TStatusBar>();
    bar.SetParent(&form);
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);
    form.HandleNeeded();

    EXPECT_TRUE(SetPropText(&panel, u"Align", u"alClient"));
    EXPECT_EQ(panel.Align(), TAlign::alClient);
    EXPECT_EQ(panel.Height(), form.ClientHeight() - bar.Height());
    EXPECT_TRUE(SetPropText(&panel, u"BevelOuter", u"bvLowered"));
    EXPECT_EQ(panel.BevelOuter(), TBevelCut::bvLowered);
    EXPECT_TRUE(SetPropText(&button, u"Layout", u"blGlyphRight"));
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphRight);
    EXPECT_TRUE(SetPropText(&button, u"Caption", u"辅音"));
    EXPECT_EQ(button.Caption(), L"辅音");
    EXPECT_TRUE(SetPropText(&button, u"Font.Color", u"clRed"));
    EXPECT_EQ(button.Font().Color(), clRed);
    EXPECT_FALSE(button.ParentFont());
    EXPECT_TRUE(SetPropText(&form, u"BorderIcons", u"[biSystemMenu]"));
    EXPECT_EQ(form.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});
    EXPECT_TRUE(SetPropText(&form, u"Cursor", u"crHSplit"));
    EXPECT_EQ(form.Cursor(), crHSplit);
    EXPECT_EQ(GetPropText(&form, u"Cursor"), u"crHSplit");

    // Values the property cannot take are refused with the property's name.
    EXPECT_THROW(SetPropText(&button, u"Layout", u"blNowhere"), EConvertError);
    EXPECT_EQ(button.Layout(), TButtonLayout::blGlyphRight);
    EXPECT_THROW(SetPropText(&panel, u"Align", u"7"), EConvertError);

    // The panels of the status bar are a collection of items with their own properties.
    auto* panels = GetObjectProp<TCollection>(&bar, u"Panels");
    ASSERT_NE(panels, nullptr);
    auto& item = panels->Add();
    EXPECT_TRUE(SetPropText(&item, u"Width", u"120"));
    EXPECT_TRUE(SetPropText(&item, u"Text", u"星期二"));
    EXPECT_TRUE(SetPropText(&item, u"Alignment", u"taCenter"));
    EXPECT_EQ(bar.Panels().Items(0)->Width(), 120);
    EXPECT_EQ(bar.Panels().Items(0)->Text(), L"星期二");
    wchar_t text[32]{};
    ::SendMessageW(bar.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\t星期二");  // centred by the control
}

TEST(ControlProperties, ParentColorAndFontFlowDownUntilSetLocally) {
    TApplication app;
    auto& form = app.CreateForm<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    auto& button = form.Create<TSpeedButton>();
    button.SetParent(&panel);

    EXPECT_EQ(button.Color(), panel.Color());
    panel.SetColor(clYellow);
    EXPECT_EQ(button.Color(), clYellow);
    EXPECT_TRUE(button.ParentColor());
    button.SetColor(clAqua);
    EXPECT_FALSE(button.ParentColor());
    panel.SetColor(clLime);
    EXPECT_EQ(button.Color(), clAqua);
    button.SetParentColor(true);
    EXPECT_EQ(button.Color(), clLime);

    form.Font().SetName(L"SimSun");
    EXPECT_EQ(panel.Font().Name(), L"SimSun");
    EXPECT_EQ(button.Font().Name(), L"SimSun");
    EXPECT_TRUE(button.ParentFont());
    panel.Font().SetHeight(-15);
    EXPECT_FALSE(panel.ParentFont());
    EXPECT_EQ(button.Font().Height(), -15);
    form.Font().SetName(L"Tahoma");
    EXPECT_EQ(panel.Font().Name(), L"SimSun");
}

TEST(ControlProperties, TimerAndSplitterPublishTheirSettings) {
    TApplication app;
    auto& timer = app.Create<TTimer>();
    EXPECT_EQ(GetIntProp(&timer, u"Interval"), 1000);
    EXPECT_EQ(GetEnumProp(&timer, u"Enabled"), u"True");
    EXPECT_THROW(SetPropText(&timer, u"Interval", u"-5"), EConvertError);
    EXPECT_EQ(timer.Interval(), 1000u);

    TSplitter splitter;
    EXPECT_EQ(GetPropText(&splitter, u"Cursor"), u"crHSplit");
    EXPECT_EQ(GetIntProp(&splitter, u"MinSize"), 30);
    EXPECT_EQ(GetEnumProp(&splitter, u"ResizeStyle"), u"rsPattern");
}
