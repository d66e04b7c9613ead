#include "skin/window/SkinManage.h"

#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "tests/skin/data/TestSkins.h"
#include "tests/support/PumpMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kPatience = 5000;  // the manager's requests wait on a timer

void PumpPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

// Records what the manager asks of window skinning.
struct Recorder {
    struct Performed {
        TSkinAction action;
        TSkinData* requester;
        bool active;
        bool forceChildren;
    };
    std::vector<Performed> performed;
    std::vector<HWND> skinWindow;
    std::vector<TSkinData*> refreshed;
    int activations = 0;
    int released = 0;
};

class RecordingActions : public TSkinManage::Actions {
public:
    explicit RecordingActions(Recorder& log) : m_log(log) {}
    void Perform(TSkinManage& manager, TSkinAction action, TSkinData& requester) override {
        m_log.performed.push_back({action, &requester, manager.Active(), manager.ForceChildren()});
    }
    bool SkinWindow(TSkinManage&, HWND window) override {
        m_log.skinWindow.push_back(window);
        return true;
    }
    void RefreshSkinForms(TSkinManage&, TSkinData& requester) override { m_log.refreshed.push_back(&requester); }
    void HookNotification(TSkinManage&, int code, WPARAM, LPARAM) override {
        if (code == HCBT_ACTIVATE) ++m_log.activations;
    }
    void ReleaseAll(TSkinManage&) noexcept override { ++m_log.released; }

private:
    Recorder& m_log;
};

class SkinManageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = TSkinReader::SetNotifier([](std::u16string_view) {});
        manager = &TSkinManage::CreateInstance();
        manager->SetActions(std::make_unique<RecordingActions>(log));
    }
    void TearDown() override {
        TSkinManage::DestroyInstance();
        TSkinReader::SetNotifier(std::move(m_previous));
    }

    static void LoadShippedSkin(TSkinData& data) {
        SetBinaryProp(&data, u"SkinStream", test_skins::PropertyBlock(test_skins::ShippedSkin()));
    }

    Recorder log;
    TSkinManage* manager = nullptr;

private:
    TSkinReader::Notifier m_previous;
};

}  // namespace

TEST_F(SkinManageTest, TheFirstMainFormComponentIsTheMainOneUntilItGoes) {
    EXPECT_EQ(TSkinManage::Instance(), manager);
    EXPECT_EQ(&TSkinManage::CreateInstance(), manager);  // one per module

    auto dialog = std::make_unique<TSkinData>();
    dialog->SetSkinFormtype(TSkinFormType::sfDialog);
    auto first = std::make_unique<TSkinData>();
    TSkinData second;
    manager->AddSkinData(*dialog);
    manager->AddSkinData(*first);
    manager->AddSkinData(second);
    EXPECT_EQ(manager->MainSkinData(), first.get());
    EXPECT_EQ(manager->SkinDatas().size(), 3u);

    manager->SetRequestingSkinData(first.get());
    first.reset();  // its destructor leaves the manager
    EXPECT_EQ(manager->SkinDatas().size(), 2u);
    EXPECT_EQ(manager->MainSkinData(), &second);
    EXPECT_EQ(manager->RequestingSkinData(), nullptr);
    dialog.reset();
    EXPECT_EQ(manager->SkinDatas(), std::vector<TSkinData*>{&second});
}

TEST_F(SkinManageTest, BeforeAnyWindowIsActiveRequestsOnlySwitchSkinning) {
    TSkinData data;
    manager->SetRequestingSkinData(&data);
    manager->Request(TSkinAction::SkinAll, 250);
    EXPECT_TRUE(manager->Active());
    EXPECT_FALSE(manager->RequestPending());
    manager->Request(TSkinAction::UnskinAll, 250);
    EXPECT_FALSE(manager->Active());
    EXPECT_FALSE(manager->RequestPending());
    PumpPending();
    EXPECT_TRUE(log.performed.empty());
}

TEST_F(SkinManageTest, ARequestRunsOnceLaterOnTheTimerAndTheLastOneWins) {
    TSkinData data;
    int changed = 0;
    data.OnSkinChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, &data);
        EXPECT_EQ(manager->RequestingSkinData(), nullptr);  // cleared before the notice
        ++changed;
    };
    manager->SetManagerState(TSkinManage::kLive);
    manager->SetRequestingSkinData(&data);
    manager->Request(TSkinAction::Refresh, 250);
    manager->Request(TSkinAction::SkinAll, 250);  // replaces the refresh
    EXPECT_TRUE(manager->RequestPending());
    EXPECT_EQ(manager->RequestDelay(), 250u);
    PumpPending();
    EXPECT_TRUE(log.performed.empty());  // never inside the call, nor at once

    ASSERT_TRUE(PumpUntil([&] { return !log.performed.empty(); }, kPatience));
    EXPECT_FALSE(PumpUntil([&] { return log.performed.size() > 1; }, 600));  // once
    ASSERT_EQ(log.performed.size(), 1u);
    EXPECT_EQ(log.performed[0].action, TSkinAction::SkinAll);
    EXPECT_EQ(log.performed[0].requester, &data);
    EXPECT_TRUE(log.performed[0].active);
    EXPECT_TRUE(log.performed[0].forceChildren);  // only while every form is skinned
    EXPECT_FALSE(manager->ForceChildren());
    EXPECT_FALSE(manager->RequestPending());
    EXPECT_EQ(changed, 1);

    // Unskinning switches skinning off before the windows are detached.
    manager->SetRequestingSkinData(&data);
    manager->Request(TSkinAction::UnskinAll, 10);
    ASSERT_TRUE(PumpUntil([&] { return log.performed.size() == 2; }, kPatience));
    EXPECT_FALSE(log.performed[1].active);
    EXPECT_FALSE(manager->Active());
    EXPECT_EQ(changed, 2);
}

TEST_F(SkinManageTest, ARequestWhoseComponentWentAwayEndsQuietly) {
    auto data = std::make_unique<TSkinData>();
    manager->AddSkinData(*data);
    manager->SetManagerState(TSkinManage::kLive);
    manager->SetRequestingSkinData(data.get());
    manager->Request(TSkinAction::SkinAll, 10);
    data.reset();
    EXPECT_TRUE(PumpUntil([&] { return !manager->RequestPending(); }, kPatience));
    EXPECT_TRUE(log.performed.empty());
}

TEST_F(SkinManageTest, TheFirstActivationMakesTheManagerLiveAndSkinsTheWindow) {
    manager->InstallHook();
    manager->InstallHook();  // a second call keeps the one hook
    EXPECT_TRUE(manager->HookInstalled());
    EXPECT_EQ(manager->ManagerState(), TSkinManage::kNotLive);

    const HWND window = ::CreateWindowExW(0, L"STATIC", L"skinned", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::SetActiveWindow(window);
    PumpPending();
    EXPECT_GE(log.activations, 1);
    EXPECT_EQ(manager->ManagerState(), TSkinManage::kLive);
    EXPECT_TRUE(log.skinWindow.empty());  // skinning is not on yet

    manager->SetActive(true);
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(other, SW_SHOW);
    ::SetActiveWindow(other);
    PumpPending();
    EXPECT_NE(std::find(log.skinWindow.begin(), log.skinWindow.end(), other), log.skinWindow.end());
    ::DestroyWindow(other);
    ::DestroyWindow(window);
}

TEST_F(SkinManageTest, TheSkinDataComponentRequestsThroughTheManager) {
    TSkinData data;
    LoadShippedSkin(data);
    data.SetLoading(true);  // as while its form is read: Loaded acts on the setting
    data.SetActive(true);
    EXPECT_EQ(manager->PendingAction(), TSkinAction::None);
    data.Loaded();
    EXPECT_TRUE(manager->HookInstalled());
    EXPECT_EQ(manager->MainSkinData(), &data);
    EXPECT_TRUE(manager->Active());  // not live yet: the request only switched skinning on
    EXPECT_FALSE(manager->RequestPending());

    int changed = 0;
    data.OnSkinChanged = [&](TObject*) { ++changed; };
    manager->SetManagerState(TSkinManage::kLive);
    data.SetActive(false);
    EXPECT_TRUE(manager->RequestPending());
    ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, kPatience));
    EXPECT_EQ(log.performed.back().action, TSkinAction::UnskinAll);
    EXPECT_FALSE(manager->Active());

    data.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return changed == 2; }, kPatience));
    EXPECT_EQ(log.performed.back().action, TSkinAction::SkinAll);
    EXPECT_TRUE(manager->Active());

    // A new skin: the skinned windows drop their pictures now and are refreshed later.
    data.ApplySkin();
    EXPECT_EQ(log.refreshed, std::vector<TSkinData*>{&data});
    ASSERT_TRUE(PumpUntil([&] { return changed == 3; }, kPatience));
    EXPECT_EQ(log.performed.back().action, TSkinAction::Refresh);

    // Without a skin a component of the main form cannot switch skinning on.
    TSkinData empty;
    empty.Loaded();
    empty.SetActive(true);
    EXPECT_FALSE(empty.Active());
    EXPECT_FALSE(manager->RequestPending());
}

TEST_F(SkinManageTest, ModuleShutdownReleasesTheWindowsAndTheHook) {
    manager->InstallHook();
    TSkinManage::DestroyInstance();
    EXPECT_EQ(TSkinManage::Instance(), nullptr);
    EXPECT_EQ(log.released, 1);
    EXPECT_EQ(HookGuard::Current(WH_CBT), nullptr);
}
