#pragma once
// The gallery's main window built and skinned for a test, and what the gallery tests
// count to find what a round of skinning left behind.

#include "framework/forms/Application.h"
#include "gallery/GalleryForm.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <windows.h>

namespace gallery_test {

inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// Every window of this thread, children included.
inline int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Components owned by `owner` and by what it owns: control skins belong to their controls.
inline int OwnedComponents(const TComponent& owner) {
    int count = owner.ComponentCount();
    for (int i = 0; i < owner.ComponentCount(); ++i) count += OwnedComponents(*owner.Components(i));
    return count;
}

class GalleryPage : public ::testing::Test {
protected:
    void Open(const wchar_t* page) {
        TSkinManage::Install();
        m_app.emplace();
        form = &m_app->CreateForm<TGalleryForm>();
        ASSERT_TRUE(form->Build({}, page));
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
    bool Running() const {
        const TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        return skinned && skinned->State() == TWinSkinForm::SkinState::Running;
    }
    // The skin off and on again; the start message walks the page's controls.
    void Reskin() {
        TWinSkinForm* skinned = manager->FindSkinForm(form->Handle());
        ASSERT_NE(skinned, nullptr);
        manager->Unskin(*skinned);
        ASSERT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
        ASSERT_TRUE(manager->SkinForm(*form));
        ASSERT_TRUE(PumpUntil([&] { return Running(); }));
    }
    // `trip` repeated `count` times after a first one (which fills the caches that stay)
    // leaves no GDI handle, window or component behind.
    void Repeat(int count, const std::function<void()>& trip) {
        trip();
        const int components = OwnedComponents(*form);
        const int windows = ThreadWindows();
        const int headroom = GdiHeadroom();
        for (int i = 0; i < count; ++i) {
            trip();
            if (HasFatalFailure()) return;
        }
        EXPECT_LE(headroom - GdiHeadroom(), 8);  // a few handles of the system's own caches at most
        EXPECT_EQ(ThreadWindows(), windows);
        EXPECT_EQ(OwnedComponents(*form), components);  // every skin object of the old trips is freed
    }
    // The skin off and on, the page painted at once, and as many control skins as the
    // first trip made (`controlSkins` 0: this is the first).
    void PaintedTrip(size_t& controlSkins) {
        Reskin();
        if (HasFatalFailure()) return;
        // Painted now, not at some later pump: a paint may find parts that get skins of
        // their own (a spin button inside an edit).
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const size_t skins = manager->FindSkinForm(form->Handle())->ControlSkins().size();
        if (controlSkins == 0) controlSkins = skins;
        ASSERT_EQ(skins, controlSkins);  // every trip skins the pages' controls again
    }
    // The control skins of the form whose class is `className`.
    size_t SkinsOf(std::u16string_view className) const {
        const auto skins = manager->FindSkinForm(form->Handle())->ControlSkins();
        return static_cast<size_t>(std::count_if(skins.begin(), skins.end(), [&](const TSkinControl* skin) {
            return skin && skin->ClassName() == className;
        }));
    }
    void TearDown() override {
        m_app.reset();
        TSkinManage::DestroyInstance();
    }

    TApplication& App() { return *m_app; }

    TGalleryForm* form = nullptr;
    TSkinManage* manager = nullptr;

private:
    std::optional<TApplication> m_app;
};

}  // namespace gallery_test
