#include "skin/window/SkinManage.h"

#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

void TSkinManage::Install() noexcept {
    SetMaker([]() -> std::unique_ptr<SkinManagerLink> { return std::unique_ptr<TSkinManage>(new TSkinManage()); });
}

TSkinManage* TSkinManage::Instance() noexcept { return dynamic_cast<TSkinManage*>(SkinManagerLink::Instance()); }

TSkinManage& TSkinManage::CreateInstance() {
    Install();
    TSkinManage* manager = dynamic_cast<TSkinManage*>(SkinManagerLink::CreateInstance());
    // Another kind of manager made earlier (a test's) is not this module's window skinning.
    if (!manager) throw Exception(u"the module's skin manager is not the window-skinning one");
    return *manager;
}

void TSkinManage::DestroyInstance() noexcept { SkinManagerLink::DestroyInstance(); }

TSkinManage::~TSkinManage() {
    m_managerState = kDestroying;
    m_active = false;
    m_timer.Stop();
    if (m_actions) m_actions->ReleaseAll(*this);
    m_actions.reset();
    // The hook goes last: windows detached above may still be destroyed through it.
    m_hook.reset();
}

void TSkinManage::SetActions(std::unique_ptr<Actions> actions) noexcept { m_actions = std::move(actions); }

void TSkinManage::AddSkinData(TSkinData& skinData) {
    m_skinDatas.push_back(&skinData);
    if (!m_mainSkinData && skinData.SkinFormtype() == TSkinFormType::sfMainform) m_mainSkinData = &skinData;
}

void TSkinManage::RemoveSkinData(TSkinData& skinData) noexcept {
    const auto found = std::find(m_skinDatas.begin(), m_skinDatas.end(), &skinData);
    if (found != m_skinDatas.end()) m_skinDatas.erase(found);
    if (m_requestingSkinData == &skinData) m_requestingSkinData = nullptr;
    if (m_mainSkinData == &skinData) {
        // The next main-form component still registered takes over, as if it had come first.
        const auto next = std::find_if(m_skinDatas.begin(), m_skinDatas.end(), [](const TSkinData* data) {
            return data->SkinFormtype() == TSkinFormType::sfMainform;
        });
        m_mainSkinData = next != m_skinDatas.end() ? *next : nullptr;
    }
}

void TSkinManage::InstallHook() {
    if (m_hook) return;
    m_hook = std::make_unique<HookGuard>(WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) {
        OnHook(code, wParam, lParam);
    });
}

void TSkinManage::OnHook(int code, WPARAM wParam, LPARAM lParam) {
    // The first activation of any window makes the manager live: from then on requests
    // run on the timer instead of only switching Active.
    if (code == HCBT_ACTIVATE) {
        if (m_managerState == kNotLive) m_managerState = kLive;
        SkinWindow(reinterpret_cast<HWND>(wParam));
    }
    if (m_actions) m_actions->HookNotification(*this, code, wParam, lParam);
}

void TSkinManage::Request(TSkinAction action, uint32_t delayMs) {
    m_pendingAction = action;
    m_delayMs = delayMs;
    if (m_managerState == kNotLive) {
        if (action == TSkinAction::SkinAll) m_active = true;
        if (action == TSkinAction::UnskinAll) m_active = false;
        return;
    }
    // A running timer starts counting again, so a second request replaces the first.
    m_timer.Start(delayMs);
}

void TSkinManage::OnTimer() noexcept {
    try {
        RunRequest();
    } catch (...) {
        HandleApplicationException(nullptr);
    }
}

void TSkinManage::RunRequest() {
    m_timer.Stop();
    TSkinData* requester = m_requestingSkinData;
    if (!requester) return;
    switch (m_pendingAction) {
    case TSkinAction::SkinAll:
        m_active = true;
        m_forceChildren = true;
        try {
            if (m_actions) m_actions->Perform(*this, TSkinAction::SkinAll, *requester);
        } catch (...) {
            m_forceChildren = false;
            throw;
        }
        m_forceChildren = false;
        break;
    case TSkinAction::UnskinAll:
        m_active = false;
        if (m_actions) m_actions->Perform(*this, TSkinAction::UnskinAll, *requester);
        break;
    case TSkinAction::Refresh:
        if (m_actions) m_actions->Perform(*this, TSkinAction::Refresh, *requester);
        break;
    case TSkinAction::None: break;
    }
    // The component may have gone while the window work ran (its form was closed).
    if (m_requestingSkinData == requester) {
        m_requestingSkinData = nullptr;
        requester->SkinChanged();
    }
}

void TSkinManage::RefreshSkinForms() {
    if (m_actions && m_requestingSkinData) m_actions->RefreshSkinForms(*this, *m_requestingSkinData);
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!m_active || !m_actions) return false;
    return m_actions->SkinWindow(*this, window);
}
