#include "framework/Application.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"
#include "tests/framework/sample/SampleForm.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(SampleForm, AThousandPaintsLeaveTheGdiHandlesInUseUnchanged) {
    TApplication app;
    app.SetShowHint(false);  // wherever the pointer happens to be
    auto& form = app.CreateForm<TSampleForm>();
    form.Show();
    HWND window = form.Handle();
    const UINT everything = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME;
    // The first paint makes what is kept: the form's buffer, the fonts, the glyph copies.
    ::RedrawWindow(window, nullptr, nullptr, everything);
    app.ProcessMessages();

    const int before = GdiHeadroom();
    ASSERT_GT(before, 1000);
    for (int i = 0; i < 1000; ++i) {
        // Pressed and hovered buttons and changing panel texts paint differently.
        auto* button = form.Buttons[static_cast<size_t>(i) % form.Buttons.size()];
        button->Perform(i % 2 ? kMsgMouseEnter : kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(button));
        form.StatusBar1->Panels().Items(4)->SetText(std::to_wstring(i));
        ::RedrawWindow(window, nullptr, nullptr, everything);
    }
    app.ProcessMessages();
    EXPECT_EQ(GdiHeadroom(), before);
}
