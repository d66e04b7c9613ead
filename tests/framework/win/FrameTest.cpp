// Frames: containers made from a stored layout of their own, whose components are theirs.

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/core/ClassRegistry.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Its layout is the test program's resource TTESTFRAME.
class TTestFrame : public TFrame {
    KESTRELLE_CLASS(TTestFrame, TFrame)

public:
    TTestFrame() { InitializeFrame(); }
};

}  // namespace

TEST(Frame, OwnsAndParentsWhatItsLayoutMakesAndAFormStoresOnlyTheFrame) {
    TApplication app;
    RegisterComponentClasses<TTestFrame>();
    auto form = std::make_unique<TForm>();
    auto& frame = form->Create<TTestFrame>();
    frame.SetName(u"Frame1");
    frame.SetParent(form.get());
    frame.SetLeft(30);

    EXPECT_EQ(frame.Height(), 120);
    EXPECT_EQ(frame.Color(), clWindow);
    auto* button = As<TButton>(frame.FindComponent(u"Button1"));
    auto* box = As<TCheckBox>(frame.FindComponent(u"CheckBox1"));
    ASSERT_TRUE(button && box);
    EXPECT_EQ(button->Owner(), &frame);
    EXPECT_EQ(button->Parent(), &frame);
    EXPECT_EQ(box->Parent(), &frame);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(form->FindComponent(u"Button1"), nullptr);
    form->Show();
    EXPECT_EQ(::GetParent(button->Handle()), frame.Handle());
    EXPECT_EQ(GetParentForm(*button), form.get());

    // The form's layout holds the frame's own settings, not its components; read back,
    // the frame makes them again from its layout.
    const std::string text = WriteLayout(*form);
    EXPECT_NE(text.find("Frame1: TTestFrame"), std::string::npos);
    EXPECT_EQ(text.find("Button1"), std::string::npos);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, text);
    auto* copy = As<TTestFrame>(second->FindComponent(u"Frame1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Parent(), second.get());
    EXPECT_EQ(copy->Left(), 30);
    auto* copiedButton = As<TButton>(copy->FindComponent(u"Button1"));
    ASSERT_NE(copiedButton, nullptr);
    EXPECT_EQ(copiedButton->Caption(), L"播放");
    EXPECT_EQ(copiedButton->Parent(), copy);

    // A frame class without a layout of its own is an empty container.
    TFrame plain;
    plain.InitializeFrame();
    EXPECT_EQ(plain.ComponentCount(), 0);

    // The frame's components go with it.
    const ComponentRef<TButton> kept{button};
    form->DestroyComponent(frame);
    EXPECT_FALSE(kept);
    UnregisterComponentClass(TTestFrame::StaticClass());
}
