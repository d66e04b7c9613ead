#pragma once
// The skin manager: one per module, made by the first skin data component that
// finishes loading and destroyed at module shutdown. It keeps the module's skin data
// components, watches the UI thread's windows through a CBT hook, and carries out the
// components' requests (skin every window, unskin every window, refresh after a skin
// change) on a message-driven timer, never inside the call that asks.
//
// The window work itself (attaching window skinning objects, detaching them, dropping
// their cached pictures) plugs in through TSkinManage::Actions, installed by the
// window-skinning layer. Without it the manager still keeps its own books: which
// components exist, whether skinning is on, the pending request, the live state, and
// the skin-changed notice each request ends with.

#include "framework/win/HookGuard.h"
#include "framework/win/WindowTimer.h"
#include "skin/data/SkinManagerLink.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

class TSkinData;

class TSkinManage final : public SkinManagerLink {
public:
    // Window skinning, as the manager calls it. Every call runs on the UI thread.
    class Actions {
    public:
        virtual ~Actions() = default;
        // The window work of a request, on the timer: `action` for the windows of
        // `requester` (its owner form only when its form type is sfOnlyThisForm).
        // Active is already switched when this runs.
        virtual void Perform(TSkinManage& manager, TSkinAction action, TSkinData& requester) = 0;
        // Attaches a window skinning object to `window` now if the window qualifies;
        // true when one was attached. Only called while the manager is active.
        virtual bool SkinWindow(TSkinManage& manager, HWND window) = 0;
        // Windows skinned with `requester` drop the skin pictures they cached.
        virtual void RefreshSkinForms(TSkinManage& manager, TSkinData& requester) = 0;
        // Every CBT notification of the thread (creation, activation, destruction),
        // after the manager's own handling of it.
        virtual void HookNotification(TSkinManage& manager, int code, WPARAM wParam, LPARAM lParam) = 0;
        // Module shutdown: detach and free every window skinning object.
        virtual void ReleaseAll(TSkinManage& manager) noexcept = 0;
    };

    // Makes this the manager that skin data components make: the program calls it once
    // before its first form is read.
    static void Install() noexcept;
    // The module's manager, or null before the first skin data component made it.
    static TSkinManage* Instance() noexcept;
    // Installs and makes the module's manager if there is none yet; returns it.
    static TSkinManage& CreateInstance();
    // Module shutdown. Window skinning calls it while its windows still exist; if nobody
    // does, the manager goes with the program's static objects.
    static void DestroyInstance() noexcept;

    ~TSkinManage() override;

    // Replaces the window-skinning actions (null removes them).
    void SetActions(std::unique_ptr<Actions> actions) noexcept;

    // Components in the order they were added (not owned). The first one added with form
    // type sfMainform is the main one; a component that goes away is forgotten
    // everywhere, so no request or filter reaches a destroyed component.
    void AddSkinData(TSkinData& skinData) override;
    void RemoveSkinData(TSkinData& skinData) noexcept override;
    const std::vector<TSkinData*>& SkinDatas() const noexcept override { return m_skinDatas; }
    TSkinData* MainSkinData() const noexcept { return m_mainSkinData; }

    // The CBT hook of the calling thread; a second call does nothing.
    void InstallHook() override;
    bool HookInstalled() const noexcept { return m_hook != nullptr; }

    // Schedules `action` `delayMs` milliseconds from now; a request made before the last
    // one ran replaces it. While the manager is not live, SkinAll and UnskinAll only
    // switch Active and nothing is scheduled. Throws Win32Error when no timer can be had.
    void Request(TSkinAction action, uint32_t delayMs) override;
    bool RequestPending() const noexcept { return m_timer.Running(); }
    TSkinAction PendingAction() const noexcept { return m_pendingAction; }
    uint32_t RequestDelay() const noexcept { return m_delayMs; }

    // Windows skinned with RequestingSkinData drop their cached pictures.
    void RefreshSkinForms() override;
    // Attaches to `window` now if skinning is on and the window qualifies.
    bool SkinWindow(HWND window) override;

    // Attaching is allowed only while active.
    bool Active() const noexcept override { return m_active; }
    void SetActive(bool value) noexcept override { m_active = value; }
    // Attach even to plain child windows: set while a request skins every form.
    bool ForceChildren() const noexcept { return m_forceChildren; }
    int32_t ManagerState() const noexcept override { return m_managerState; }
    void SetManagerState(int32_t value) noexcept override { m_managerState = value; }
    // The component whose request the timer carries out next.
    TSkinData* RequestingSkinData() const noexcept override { return m_requestingSkinData; }
    void SetRequestingSkinData(TSkinData* skinData) noexcept override { m_requestingSkinData = skinData; }

private:
    TSkinManage() = default;
    void OnTimer() noexcept;
    void RunRequest();
    void OnHook(int code, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Actions> m_actions;
    std::vector<TSkinData*> m_skinDatas;
    TSkinData* m_mainSkinData = nullptr;
    TSkinData* m_requestingSkinData = nullptr;
    std::unique_ptr<HookGuard> m_hook;
    WindowTimer m_timer{[this] { OnTimer(); }};
    uint32_t m_delayMs = 100;
    TSkinAction m_pendingAction = TSkinAction::None;
    bool m_active = false;
    bool m_forceChildren = false;
    int32_t m_managerState = kNotLive;
};
