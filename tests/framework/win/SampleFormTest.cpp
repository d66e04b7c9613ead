#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/sample/SampleForm.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

std::string_view LayoutResource() {
    HRSRC found = ::FindResourceW(nullptr, L"TSAMPLEFORM", MAKEINTRESOURCEW(10));
    if (!found) return {};
    return {static_cast<const char*>(::LockResource(::LoadResource(nullptr, found))), ::SizeofResource(nullptr, found)};
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) noexcept {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::vector<TSpeedButton*> Buttons(const TSampleForm& form) {
    std::vector<TSpeedButton*> buttons;
    for (int i = 0; i < form.Panel1->ControlCount(); ++i)
        if (auto* b = As<TSpeedButton>(form.Panel1->Controls(i))) buttons.push_back(b);
    return buttons;
}

}  // namespace

TEST(SampleForm, OpensFromItsStoredLayout) {
    TApplication app;
    auto& form = app.CreateForm<TSampleForm>();
    ASSERT_NE(form.Panel1, nullptr);
    ASSERT_NE(form.StatusBar1, nullptr);
    ASSERT_NE(form.Timer1, nullptr);
    EXPECT_EQ(form.Caption(), L"Kestrelle framework sample");
    EXPECT_EQ(app.Title(), L"Kestrelle");                     // FormCreate ran
    EXPECT_FALSE(form.Icon().Empty());
    EXPECT_EQ(app.Icon(), form.Icon().Handle());
    EXPECT_FALSE(form.Showing());                              // shown by Run, not by reading

    // Parents, owners and alignment as stored: the splitter between the two panels.
    EXPECT_EQ(form.Panel1->Parent(), &form);
    EXPECT_EQ(form.Panel1->Owner(), &form);
    EXPECT_EQ(form.ClientWidth(), 688);
    EXPECT_EQ(form.Splitter1->BoundsRect(), core::Rect::FromBounds(225, 0, 3, 483));
    EXPECT_EQ(form.Panel2->BoundsRect(), core::Rect::FromBounds(228, 0, 460, 483));
    EXPECT_EQ(form.StatusBar1->BoundsRect(), core::Rect::FromBounds(0, 483, 688, 24));
    EXPECT_EQ(form.Splitter1->ResizeControl(), form.Panel1);

    const auto buttons = Buttons(form);
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0]->Glyph().Width(), 137);
    EXPECT_EQ(buttons[0]->Glyph().TransparentColor(), RgbColour(0xFF, 0xCF, 0x00));  // the yellow ground
    EXPECT_EQ(buttons[1]->Caption(), L"元音");
    EXPECT_EQ(buttons[1]->Layout(), TButtonLayout::blGlyphRight);
    EXPECT_EQ(buttons[3]->Glyph().Width(), 20);

    auto& panels = form.StatusBar1->Panels();
    ASSERT_EQ(panels.Count(), 5);
    EXPECT_EQ(panels.Items(0)->Text(), L"当前项目：无");
    EXPECT_EQ(panels.Items(1)->Width(), 250);
    EXPECT_EQ(panels.Items(2)->Text().size(), 12u);  // "  yyyy-mm-dd", from FormCreate

    // Events are bound to the form's handlers by name.
    buttons[1]->Click();
    EXPECT_EQ(form.lessonClicks, 1);
    EXPECT_EQ(panels.Items(0)->Text(), L"当前项目：元音");
    EXPECT_TRUE(form.Timer1->OnTimer);
}

TEST(SampleForm, EveryTruncatedLayoutFailsCleanly) {
    const std::string_view layout = LayoutResource();
    ASSERT_GT(layout.size(), 1000u);
    // Cut at every line end and at a spread of places inside lines and binary blocks.
    std::vector<size_t> cuts;
    for (size_t i = 0; i < layout.size(); ++i)
        if (layout[i] == '\n') cuts.push_back(i);
    for (size_t i = 0; i < layout.size(); i += 997) cuts.push_back(i);

    TApplication app;
    const int windows = ThreadWindows();
    for (size_t cut : cuts) {
        if (cut + 2 >= layout.size()) continue;  // the closing brace and what follows
        TSampleForm form;
        EXPECT_THROW(ReadLayout(form, layout.substr(0, cut)), Exception) << "cut at " << cut;
        EXPECT_EQ(form.ComponentCount(), 0) << "cut at " << cut;
        EXPECT_EQ(form.ControlCount(), 0) << "cut at " << cut;
        EXPECT_FALSE(form.HandleAllocated());
    }
    EXPECT_EQ(ThreadWindows(), windows);  // nothing half-built was ever put on screen
}

TEST(SampleForm, AThousandPaintsLeaveTheGdiHandlesInUseUnchanged) {
    TApplication app;
    app.SetShowHint(false);  // wherever the pointer happens to be
    auto& form = app.CreateForm<TSampleForm>();
    form.Show();
    HWND window = form.Handle();
    const auto buttons = Buttons(form);
    const UINT everything = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME;
    // The first paint makes what is kept: the form's buffer, the fonts, the glyph copies.
    ::RedrawWindow(window, nullptr, nullptr, everything);
    // WINE: the first inactive frame keeps an object too; without this paint, another
    // test program that takes the activation during the loop shows as a leak here.
    ::SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    ::RedrawWindow(window, nullptr, nullptr, everything);
    ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    app.ProcessMessages();

    const int before = GdiHeadroom();
    ASSERT_GT(before, 1000);
    for (int i = 0; i < 1000; ++i) {
        // Hovered buttons and changing panel texts paint differently.
        auto* button = buttons[static_cast<size_t>(i) % buttons.size()];
        button->Perform(i % 2 ? kMsgMouseEnter : kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(button));
        form.StatusBar1->Panels().Items(4)->SetText(std::to_wstring(i));
        ::RedrawWindow(window, nullptr, nullptr, everything);
    }
    app.ProcessMessages();
    EXPECT_EQ(GdiHeadroom(), before);
}
