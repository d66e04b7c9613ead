// The gallery's control page under the skin: every control on it skinned, and the skin
// taken off and put on again a thousand times with nothing left behind.

#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <optional>

#include <windows.h>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// Every window of this thread, children included.
int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Components owned by `owner` and by what it owns: control skins belong to their controls.
int OwnedComponents(const TComponent& owner) {
    int count = owner.ComponentCount();
    for (int i = 0; i < owner.ComponentCount(); ++i) count += OwnedComponents(*owner.Components(i));
    return count;
}

class GalleryControlPage : public ::testing::Test {
protected:
    void SetUp() override {
        TSkinManage::Install();
        m_app.emplace();
        form = &m_app->CreateForm<TGalleryForm>();
        ASSERT_TRUE(form->Build({}, L"controls"));
        ASSERT_NE(form->Skin(), nullptr);
        ASSERT_FALSE(form->Skin()->NoSkin());
        form->Show();
        manager = TSkinManage::Instance();
        ASSERT_NE(manager, nullptr);
        ASSERT_TRUE(PumpUntil([&] {
            const TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
            return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
        }));
    }
    void TearDown() override {
        m_app.reset();
        TSkinManage::DestroyInstance();
    }

    TGalleryForm* form = nullptr;
    TSkinManage* manager = nullptr;

private:
    std::optional<TApplication> m_app;
};

TEST_F(GalleryControlPage, SkinOffAndOnAThousandTimesLeavesNoHandleBehind) {
    auto roundTrip = [&] {
        TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        ASSERT_NE(skinned, nullptr);
        manager->Unskin(*skinned);
        ASSERT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
        ASSERT_TRUE(manager->SkinForm(*form));
        // The start message walks the page's controls.
        ASSERT_TRUE(PumpUntil([&] {
            const TWinSkinForm* again = manager->FindSkinForm(form->Handle());
            return again && again->State() == TWinSkinForm::SkinState::Running;
        }));
    };
    // Painted trips are slow under Wine (a page paint is tens of milliseconds): fifty of
    // them shown, then the thousand with the window minimised, where the controls are
    // skinned and unskinned but not painted.
    const auto trips = [&](int count) {
        roundTrip();  // the first trip fills the caches that stay
        const int components = OwnedComponents(*form);
        const int windows = ThreadWindows();
        const int headroom = GdiHeadroom();
        for (int i = 0; i < count; ++i) {
            roundTrip();
            if (HasFatalFailure()) return;
        }
        EXPECT_LE(headroom - GdiHeadroom(), 8);  // a few handles of the system's own caches at most
        EXPECT_EQ(ThreadWindows(), windows);
        EXPECT_EQ(OwnedComponents(*form), components);  // every control skin of the old trips is freed
    };
    trips(50);
    ::ShowWindow(form->Handle(), SW_SHOWMINNOACTIVE);
    trips(1000);
}

}  // namespace
