#pragma once
// What a skin data component asks of the module's skin manager. The manager skins
// windows with the skin data, so it lives above it (skin/window) and implements this;
// it makes itself known through SetMaker before the first skin data component loads.
// Without a maker the skin data still loads and draws, but no window is skinned.
// The one manager is owned here, made on the first request and destroyed at module
// shutdown (or by DestroyInstance).

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

class TSkinData;

// What a skin data component asks the manager to do, on its timer.
enum class TSkinAction { None = 0, SkinAll = 1, UnskinAll = 2, Refresh = 3 };

class SkinManagerLink {
public:
    // The manager's states: not yet live, live (a window was activated or a component
    // made it so; components of other form types count it up), and being destroyed.
    static constexpr int32_t kNotLive = 0;
    static constexpr int32_t kLive = 1;
    static constexpr int32_t kDestroying = 4;

    using Maker = std::unique_ptr<SkinManagerLink> (*)();

    // The module's manager, or null before it was made.
    static SkinManagerLink* Instance() noexcept;
    // Makes the module's manager with the maker if there is none yet; null without a maker.
    static SkinManagerLink* CreateInstance();
    static void DestroyInstance() noexcept;
    static void SetMaker(Maker maker) noexcept;

    SkinManagerLink() = default;
    SkinManagerLink(const SkinManagerLink&) = delete;
    SkinManagerLink& operator=(const SkinManagerLink&) = delete;
    virtual ~SkinManagerLink() = default;

    // Components in the order they were added (not owned).
    virtual void AddSkinData(TSkinData& skinData) = 0;
    virtual void RemoveSkinData(TSkinData& skinData) noexcept = 0;
    virtual const std::vector<TSkinData*>& SkinDatas() const noexcept = 0;
    // The CBT hook of the calling thread; a second call does nothing.
    virtual void InstallHook() = 0;
    // Schedules `action` `delayMs` milliseconds from now (see TSkinManage).
    virtual void Request(TSkinAction action, uint32_t delayMs) = 0;
    // Windows skinned with RequestingSkinData drop their cached pictures.
    virtual void RefreshSkinForms() = 0;
    // Attaches to `window` now if skinning is on and the window qualifies.
    virtual bool SkinWindow(HWND window) = 0;
    virtual bool Active() const noexcept = 0;
    virtual void SetActive(bool value) noexcept = 0;
    virtual int32_t ManagerState() const noexcept = 0;
    virtual void SetManagerState(int32_t value) noexcept = 0;
    virtual TSkinData* RequestingSkinData() const noexcept = 0;
    virtual void SetRequestingSkinData(TSkinData* skinData) noexcept = 0;
};
