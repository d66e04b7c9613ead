#pragma once
// The skin manager: one per module, made by the first skin data component that
// finishes loading and destroyed at module shutdown. It keeps the module's skin data
// components, watches the UI thread's windows through a CBT hook, attaches a window
// skinning object (TWinSkinForm) to every window that qualifies when it is activated,
// keeps the menu windows that open, and carries out the components' requests (skin
// every window, unskin every window, refresh after a skin change) on a message-driven
// timer, never inside the call that asks.
//
// Ownership: a framework form owns its window skinning object as a component; a bare
// window's object (a message box, a system dialog) is owned by a component the manager
// keeps for them. The manager holds each through a ComponentRef and frees it with
// FreeComponent once its window is gone, and every one it still holds at shutdown.

#include "framework/core/Component.h"
#include "framework/win/HookGuard.h"
#include "framework/win/WindowTimer.h"
#include "skin/data/SkinManagerLink.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

class TCustomForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;
class TBitmap;

class TSkinManage final : public SkinManagerLink {
public:
    // The kinds of menu about to open.
    static constexpr int32_t kPopupMenu = 0;
    static constexpr int32_t kWindowMenu = 1;
    static constexpr int32_t kSystemMenu = 2;

    // A menu window of the thread that opened while skinning was on, with the skin data
    // it is drawn with and the object that skins it (owned).
    struct MenuWindow {
        HWND window = nullptr;
        TSkinData* skinData = nullptr;
        bool fromBar = false;
        std::unique_ptr<TWinSkinPopMenu> skin;
    };

    // Makes this the manager that skin data components make: the program calls it once
    // before its first form is read.
    static void Install() noexcept;
    // The module's manager, or null before the first skin data component made it.
    static TSkinManage* Instance() noexcept;
    // Installs and makes the module's manager if there is none yet; returns it.
    static TSkinManage& CreateInstance();
    // Module shutdown: every window skinning object is detached and freed, then the hook goes.
    static void DestroyInstance() noexcept;

    ~TSkinManage() override;

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
    // Attaches a window skinning object to `window` now if skinning is on and the window
    // qualifies; true when one was attached.
    bool SkinWindow(HWND window) override;
    // SkinWindow for a visible top-level or MDI child form.
    bool SkinForm(TCustomForm& form);
    // The skin data a window is skinned with, or null.
    TSkinData* ChooseSkinData(HWND window) const;

    // The window skinning objects, one per skinned window; FindSkinForm gives the one
    // of a window or null. RemoveSkinForm takes an object out without freeing it (its
    // destructor calls it) and does nothing while the manager is being destroyed.
    std::vector<TWinSkinForm*> SkinForms() const;
    TWinSkinForm* FindSkinForm(HWND window) const noexcept;
    void RemoveSkinForm(TWinSkinForm& form) noexcept;
    // What switching skinning off does to each window: detaches the object, repaints
    // the window at once and frees the object.
    void Unskin(TWinSkinForm& form) noexcept;

    // Menu windows: kept while they are open, when skinning allows their kind.
    bool SkinMenuWindow(HWND window);
    void ReleaseMenuWindow(HWND window) noexcept;
    const std::vector<MenuWindow>& PopupMenus() const noexcept { return m_popupMenus; }
    int32_t MenuKind() const noexcept { return m_menuKind; }
    void SetMenuKind(int32_t kind) noexcept { m_menuKind = kind; }
    bool MenuFromBar() const noexcept { return m_menuFromBar; }
    void SetMenuFromBar(bool value) noexcept { m_menuFromBar = value; }
    // The open menus come from a skinned menu bar.
    void MarkMenusFromBar() noexcept;
    // The newest menu window that does not know its menu yet shows `menu`.
    void AssignMenuHandle(HMENU menu) noexcept;
    // The background picture of the menu window that shows `menu`, or null; owned by
    // that window's object while the window lives.
    const TBitmap* MenuBitmapOf(HMENU menu) noexcept;

    // Whether the MDI children show maximised; switching it re-frames every MDI child.
    bool MdiMaximized() const noexcept { return m_mdiMaximized; }
    void SetMdiMaximized(bool value);
    HWND MdiClientWnd() const noexcept { return m_mdiClientWnd; }
    void SetMdiClient(HWND client, TCustomForm* frameForm) noexcept;
    TCustomForm* MdiFrameForm() const noexcept { return m_mdiFrameForm; }

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
    // The module whose windows this manager serves; null for the program's own.
    HMODULE ModuleInstance() const noexcept { return m_moduleInstance; }

private:
    TSkinManage();
    void OnTimer() noexcept;
    void RunRequest();
    void OnHook(int code, WPARAM wParam, LPARAM lParam);
    // Drops objects that are gone and frees those whose window is gone.
    void Purge() noexcept;
    void Free(TWinSkinForm& form) noexcept;
    void SkinAllForms();
    void UnskinAll(TSkinData* only);
    void Refresh(TSkinData& requester, bool firstOnly);

    std::vector<TSkinData*> m_skinDatas;
    TSkinData* m_mainSkinData = nullptr;
    TSkinData* m_requestingSkinData = nullptr;
    std::vector<ComponentRef<TWinSkinForm>> m_skinForms;
    // The owner of bare windows' objects, which no form owns.
    TComponent m_bareOwner;
    std::vector<MenuWindow> m_popupMenus;
    std::unique_ptr<HookGuard> m_hook;
    WindowTimer m_timer{[this] { OnTimer(); }};
    uint32_t m_delayMs = 100;
    TSkinAction m_pendingAction = TSkinAction::None;
    bool m_active = false;
    bool m_forceChildren = false;
    int32_t m_managerState = kNotLive;
    int32_t m_menuKind = kPopupMenu;
    bool m_menuFromBar = false;
    bool m_mdiMaximized = false;
    HWND m_mdiClientWnd = nullptr;
    TCustomForm* m_mdiFrameForm = nullptr;
    HMODULE m_moduleInstance = nullptr;
};
