#pragma once
// Skins one top-level window: its frame, caption and caption buttons come from the
// skin's pictures, its region follows the transparent parts of the frame, and every
// message of the window passes through FormWndProc first (for a framework form, also
// FormMessageHook in front of the form's own handler). The skin manager makes one per
// skinned window: a framework form owns its object as a component, a bare window's
// object belongs to the manager. Either way the manager frees it once its window is gone.
//
// The non-client side (frame sizes, hit test, painting, caption buttons and their
// mouse handling) is in NonClient.cpp, the message procedures in FormWndProc.cpp,
// control discovery, which gives the window's controls their skins, in ControlDiscovery.cpp,
// the tool-bar painters in FormToolBars.cpp, and the MDI frame's client window and the
// MDI children's looks in MdiSkin.cpp.

#include "framework/controls/Menus.h"
#include "framework/controls/ToolBar.h"
#include "framework/core/Component.h"
#include "framework/forms/Timer.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "framework/win/Subclasser.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/SkinControl.h"
#include "skin/window/CaptionButtons.h"
#include "skin/window/DiscoveryRules.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WindowRules.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

class TControl;
class TCustomForm;
class TDataSkinObject;
class TSkinData;
class TWinControl;
struct TMessage;

class TWinSkinForm : public TComponent, public ControlSkinHost {
    KESTRELLE_CLASS(TWinSkinForm, TComponent)

public:
    enum class SkinState : int32_t {
        Attached = 0,    // attached, not started
        Running = 1,
        Reapplying = 3,  // after a skin change
        Destroying = 4,  // its window is being destroyed
        Fitting = 5,     // the window is being fitted to the skin frame
        Finished = 6,    // the window is gone; the manager frees the object
    };

    TWinSkinForm();
    ~TWinSkinForm() override;

    // Set by the manager right after creation.
    void SetWindow(HWND window) noexcept { m_window = window; }
    HWND Window() const noexcept { return m_window; }
    void SetManagerModule(HMODULE module) noexcept { m_managerModule = module; }
    HMODULE ManagerModule() const noexcept { return m_managerModule; }

    // Skins a framework form (which owns this object) or a bare window. Throws when the
    // window cannot be subclassed; nothing is changed then.
    void AttachForm(TSkinData& skinData, TCustomForm& form);
    void AttachWindow(TSkinData& skinData);

    // Full detach, giving the window its size, procedure, region, caption style and
    // colour back (skinning switched off for a living window).
    void RestoreWindow() noexcept;
    // Detach without giving the look back (the window is going, or the program ends).
    void ReleaseWindow() noexcept;
    // Re-applies a changed skin.
    void RefreshSkin();
    // (Re)makes the window region from the frame pictures.
    void BuildRegion() noexcept;

    // --- MDI (MdiSkin.cpp) ----------------------------------------------------------------
    // An MDI child takes the maximised look (the system's frame, beyond the client's
    // edges, and no region) or its skinned frame back.
    void SetMdiLook(bool maximized) noexcept;
    // The MDI frame's client window while it is subclassed; null otherwise.
    HWND MdiClient() const noexcept { return m_mdiClientRouter ? m_mdiClient : nullptr; }
    // An MDI frame whose active child is maximised: its buttons are in the frame's bar.
    bool ActiveMdiChildMaximized() const noexcept;

    // The manager's refresh after a skin change: first every window drops what it drew
    // from the old skin and measures the new frame, then each re-applies its colours.
    void DropSkinImages() noexcept;
    void RecomputeFrame();
    void ReapplySkin();

    // Control skins registered by their attach; the window frees them when it lets go.
    // RegisterControl answers true when the skin was registered already.
    bool RegisterControl(TSkinControl& skin) override;
    void UnregisterControl(TSkinControl& skin) noexcept override;
    void SetHoverControl(TSkinControl* skin) noexcept override { m_hoverControl = skin; }
    TComponent& HostComponent() noexcept override { return *this; }
    // The live control skins, in the order they registered.
    std::vector<TSkinControl*> ControlSkins() const;
    // Frees the control skins whose controls are gone (before a new discovery run).
    void ReleaseFinishedControls() noexcept;
    // The canvas every control skin of this window is handed at attach.
    TCanvas& SpareCanvas() noexcept { return m_spareCanvas; }

    // --- control discovery (ControlDiscovery.cpp) ---------------------------------------
    // The walk of a framework form: the skins whose windows are gone are freed, the
    // form's components are given their skins, then every windowed control in tab order
    // that is not skinned yet (those another component owns). A control that fails is
    // logged and keeps its own look; the walk goes on.
    void DiscoverForm(TCustomForm& form);
    // The walk of a bare window's child windows, decided by their class and style.
    void DiscoverWindow(HWND parent);
    // The control answers the engine's query with 1, or a registered skin stands in for it.
    bool IsSkinned(TControl& control);
    // The registered control skin of a window, or null.
    TSkinControl* FindSkinByHandle(HWND window) const noexcept;
    // A scrolling control's window is being made anew: the skin registered for the old
    // window goes, and the control gets a new scroll-bar skin of the same kind.
    void ReplaceScrollSkin(HWND oldWindow) noexcept;
    // A windowed control with a scroll-bar style, or a list, memo, tree or scroll box:
    // one whose scroll bars a scroll-bar skin would paint.
    static bool IsScrollable(const TControl& control);

    SkinState State() const noexcept { return m_skinState; }
    TSkinData* SkinData() const noexcept { return m_skinData; }
    TCustomForm* Form() const noexcept { return m_form; }
    bool FrameSkinning() const noexcept { return m_frameSkinning; }
    BorderKind Border() const noexcept { return m_borderKind; }
    WindowState WindowStateNow() const noexcept { return m_windowState; }
    MdiKind Mdi() const noexcept { return m_mdiKind; }
    bool Active() const noexcept { return m_active; }
    bool IsDialog() const noexcept { return m_isDialog; }
    const Capabilities& Caps() const noexcept { return m_capabilities; }
    const FrameBorders& Borders() const noexcept { return m_borders; }
    int MenuBarHeight() const noexcept { return m_menuBarHeight; }
    // The window size before skinning minus its client size: given back at detach.
    core::Size StandardFrameExtra() const noexcept { return m_standardFrameExtra; }
    bool HasRegion() const noexcept { return m_hasRegion; }
    const std::wstring& ClassName() const noexcept { return m_className; }

    // --- frame and caption (NonClient.cpp) ---------------------------------------------
    // Frame sizes from the border pictures, and a caption button per skin button.
    void ReadBorderSizes();
    // Paints the whole frame into `dc`, or into the window's own DC when null. Composed
    // off-screen and put on the window in one transfer. False when nothing was painted.
    bool PaintNonClient(HDC dc) noexcept;
    // One caption button in `state` on the window's DC.
    void PaintSysButton(const TWinSysButton& button, int state) noexcept;
    // The hover check of the 250 ms timer.
    void MouseTimer();
    // A screen point in window coordinates (the frame's origin is the window's corner).
    core::Point ScreenToFrame(core::Point screen) const noexcept;
    // The caption button under a window point, or null.
    TWinSysButton* FindNCObject(core::Point framePoint) const noexcept;
    // The system-menu click: opens the window menu, or closes the window on a second
    // click within the double-click time while a caption button is hot.
    void ShowSysMenu(core::Point screen);
    const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const noexcept { return m_buttons; }
    TNCObject* HotObject() const noexcept { return m_hotObject; }
    void SetHotObject(TNCObject* object) noexcept { m_hotObject = object; }
    // Where the caption text lies (window coordinates), for buttons placed beside it.
    core::Rect CaptionTextBox() const noexcept { return m_captionTextBox; }
    // The window's icon at small-icon size, as the icon buttons draw it.
    const DibSection& IconBitmap() const noexcept { return m_iconBitmap; }

    // --- menus (FormMenus.cpp) --------------------------------------------------------------
    // The owner-drawn system menu built afresh from the window's own, for its state now;
    // held as a component of this object until the next build or the release.
    void BuildSysMenu();
    TPopupMenu* SysMenu() const noexcept { return m_sysMenu.Get(); }
    // Framework items drawn in the skin's look: one item tree; the popup menus among a
    // component's components (forms and frames entered); the items below the bars of
    // its main menus. Switching off removes only the skin's handlers.
    void SetItemOwnerDraw(TMenuItem& item, bool on);
    void SetMenuOwnerDraw(TComponent& component, bool on);
    void SetMainMenuOwnerDraw(TComponent& component, bool on);
    // The handlers those items get: widen what the item measured, and draw it.
    void MeasureMenuItem(TMenuItem& item, int& width);
    void MeasureSysMenuItem(TMenuItem& item, int& width);
    void DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected);
    // WM_MEASUREITEM and WM_DRAWITEM of the bar's popups (the window's plain menus and the
    // form's own items): true when the skin answered, false for the window's procedure.
    bool MeasureItemMessage(LPARAM lParam);
    bool DrawItemMessage(LPARAM lParam);

    // --- tool bars (FormToolBars.cpp) ------------------------------------------------------
    // The painters a skinned window gives its tool bars' OnCustomDraw and
    // OnCustomDrawButton: the skin's tool-bar background under the whole bar, and the
    // skin's button face under each button the state of which has one; the bar draws
    // images and captions over them.
    void PaintToolBar(TToolBar* sender, const RECT& rect, bool& defaultDraw);
    void PaintToolButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw);

    // --- the menu bar (FormMenuBar.cpp) ----------------------------------------------------
    // The skinned bar that stands for the window's menu bar, or null.
    TWinSkinMenu* MenuBar() const noexcept { return m_menuBar.Get(); }
    // Posts the button's command, then shows its submenu under it and tracks it until it
    // closes; keys and the mouse may move on to the neighbouring buttons meanwhile.
    // False when there is no button or it has no submenu.
    bool OpenMenuButton(TMenuBtn* button);
    // The first enabled, visible bar button with `key` as its accelerator, or null.
    TMenuBtn* FindAccelButton(wchar_t key) const;
    // A click on the button, posted: it reaches the bar once a menu loop running now ends.
    void ClickMenuButton(const TMenuBtn& button) const noexcept;
    bool TrackingMenu() const noexcept { return m_trackingMenu; }
    HMENU TrackedPopup() const noexcept { return m_trackedPopup; }

    static void Publish(TPublisher<TWinSkinForm>& p);

private:
    class Router;
    friend class Router;
    class MdiClientRouter;
    friend class MdiClientRouter;

    // The running Windows as the frame rules read it.
    static PlatformVersion RunningVersion() noexcept;
    void InitSkin(TSkinData& skinData);
    void StartSkin();
    void FitToSkin(bool useClient);
    void SetCaptionStyle(bool on) noexcept;
    void SetSysMenuStyle(bool remove) noexcept;
    void ReadWindowState() noexcept;
    void ReleaseControls() noexcept;
    void RestoreForm() noexcept;
    void Unhook() noexcept;
    void SetFormColour(bool skinned) noexcept;
    // --- menus (FormMenus.cpp) ---
    void SwitchOwnerDraw(TMenu& menu, bool on);
    void ReleaseMenus() noexcept;
    int MenuItemLeftWidth() const noexcept;
    // The framework item of the bar's own menu behind an owner-drawn item, or null.
    TMenuItem* BarItemOf(UINT command, ULONG_PTR itemData) const noexcept;
    // The skinned system menu at a screen point; false when the skin leaves it to the system.
    bool ShowSkinnedSysMenu(core::Point screen);

    // --- tool bars (FormToolBars.cpp) ---
    // A tool bar's unassigned custom-draw events get the painters, its menu (where its
    // class publishes one) owner-drawn items.
    void SkinToolBar(TToolBar& bar);
    // The item a tool button stands for and its sub-items owner-drawn.
    void SkinToolButtonMenu(TToolButton& button);
    // The painters and owner-drawn items skinning gave, taken back.
    void ReleaseToolBars() noexcept;

    // --- the menu bar (FormMenuBar.cpp) ---
    // The window has a menu and a skinned frame that can hold the skin's bar for it.
    bool WantsMenuBar() const noexcept;
    void CreateMenuBar();
    // The bar button under a screen point, or null.
    TMenuBtn* MenuButtonAt(core::Point screen) const noexcept;
    // Frees the bar; `giveBack`: the window gets its menu handle back first.
    void DropMenuBar(bool giveBack) noexcept;
    void GiveMenuBack() noexcept { DropMenuBar(true); }
    // Every item of `menu` and of its submenus owner-drawn; each one switched is noted.
    void MakeItemsOwnerDrawn(HMENU menu, int depth = 0);
    // Turns the noted items back as they were, where they are still there.
    void GiveItemsTheirDrawingBack() noexcept;
    // The form's menu changed: the bar shows it, or a new menu, or goes with the menu.
    void MenuChanged();
    // SC_KEYMENU: true when the bar took the key.
    bool KeyMenu(LPARAM character);
    // The framework's dialog character (Alt+letter): true when it opened a bar button.
    bool DialogChar(TMessage& message);

    // --- control discovery (ControlDiscovery.cpp) ---------------------------------------
    void SkinComponent(TControl& control, TComponent* container) noexcept;
    void DecideComponent(TControl& control, TComponent* container);
    bool AttachApplicationSkin(TControl& control, TComponent* container);
    bool ClassMapSkin(TControl& control);
    void SkinChildren(TWinControl& control);
    void SkinComponents(TComponent& component);
    void ApplyDecision(TControl& control, const SkinDecision& decision);
    void WalkChildren(TControl& control, ChildWalk walk, const std::optional<SkinChoice>& childSkin);
    void Prepare(TControl& control, ControlPreparation preparation);
    void AttachChoice(TControl& control, const SkinChoice& choice);
    void AttachNewSkin(TComponent& owner, const SkinChoice& choice, HWND window) noexcept;
    void SkinChildWindow(HWND window) noexcept;
    bool IsRegistered(const TSkinControl& skin) const noexcept;
    DiscoverySwitches Switches() const noexcept;

    // --- MDI (MdiSkin.cpp) ---
    void SubclassMdiClient();
    void ReleaseMdiClient() noexcept;
    LRESULT MdiClientWndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The maximised child's buttons, drawn into the frame's bar in `dc` (window coordinates).
    void PaintMdiButtons(HDC dc) noexcept;
    // The whole MDI frame is drawn again, once the messages before this one are handled.
    void PostMdiFrameRedraw() const noexcept;

    // --- message procedures (FormWndProc.cpp) -------------------------------------------
    LRESULT FormWndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FrameMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NonClientMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormMessageHook(TMessage& message);
    LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;
    LRESULT SizeChanged(WPARAM kind, LPARAM size);
    LRESULT Activate(WPARAM wParam, LPARAM lParam);
    void SetText(TMessage& message);
    bool SysCommand(WPARAM command);

    // --- non-client (NonClient.cpp) ------------------------------------------------------
    LRESULT NonClientSize(WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientPaint(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT NonClientRightButtonUp(WPARAM wParam, LPARAM lParam);
    void RunAction(const TWinSysButton& button);
    void MakeIconBitmap();
    HICON WindowIcon() const noexcept;
    bool PaintBorderPiece(int index, const RECT& rect, HDC dc) noexcept;
    // Paints the part of the frame in `strip` of a window of size `window` and puts it on
    // `target`; `captionPainted` says the caption (and its buttons' places) is done.
    bool PaintFrameStrip(HDC target, const FrameStrip& strip, core::Size window, bool& captionPainted) noexcept;
    void PaintCaption(HDC dc, int width, int height) noexcept;
    void PaintCaptionText(HDC dc, const RECT& caption) noexcept;
    void LayoutCaptionButtons(int width) noexcept;
    void PaintCaptionButton(HDC dc, const TWinSysButton& button, int frame) noexcept;
    CaptionFacts Facts() const;
    TDataSkinObject& BorderObject(int index) const noexcept;
    void StopMouseTimer() noexcept;
    void MakeCaptionFont() noexcept;
    int CaptionTextWidth() const noexcept;
    std::wstring WindowText() const;

    HWND m_window = nullptr;
    HMODULE m_managerModule = nullptr;
    TSkinData* m_skinData = nullptr;
    TCustomForm* m_form = nullptr;
    SubclasserPtr<Router> m_router;
    SubclasserPtr<MdiClientRouter> m_mdiClientRouter;
    HWND m_mdiClient = nullptr;
    // The skin data's MenuUpdate when the frame was skinned, given back once no child is left.
    bool m_savedMenuUpdate = true;
    // The form's own handler while FormMessageHook stands in front of it.
    std::function<void(TMessage&)> m_oldFormHandler;
    bool m_formHooked = false;
    TTimer* m_mouseTimer = nullptr;  // owned as a component
    FontHandle m_captionFont;
    std::wstring m_className;
    RECT m_clientRect{};
    DWORD m_lastSysMenuTime = 0;
    UINT m_doubleClickTime = 0;
    HWND m_ownerWindow = nullptr;
    FrameBorders m_borders;
    core::Rect m_captionTextBox;
    core::Size m_standardFrameExtra;
    int m_menuBarHeight = 0;
    bool m_rightToLeft = false;
    bool m_isDialog = false;
    bool m_isChild = false;
    HMENU m_systemMenu = nullptr;
    TColor m_savedFormColour = 0;
    bool m_formColourSaved = false;
    DWORD m_style = 0;
    TNCObject* m_hotObject = nullptr;
    bool m_hasRegion = false;
    std::vector<std::unique_ptr<TWinSysButton>> m_buttons;
    DibSection m_iconBitmap;
    DibSection m_frameBuffer;  // the frame's strips across the window
    DibSection m_sideBuffer;   // its strips down the sides
    std::vector<ComponentRef<TSkinControl>> m_controls;
    ComponentRef<TSkinControl> m_hoverControl;
    TCanvas m_spareCanvas;
    int m_regionWidth = 0;
    int m_regionHeight = 0;
    bool m_active = true;
    bool m_frameSkinning = false;
    MdiKind m_mdiKind = MdiKind::None;
    BorderKind m_borderKind = BorderKind::Single;
    Capabilities m_capabilities;
    WindowState m_windowState = WindowState::Normal;
    SkinState m_skinState = SkinState::Attached;
    ComponentRef<TPopupMenu> m_sysMenu;
    // The menus skinning made owner-drawn; only these are switched back.
    std::vector<ComponentRef<TMenu>> m_ownerDrawnMenus;
    // The tool bars that have the skin's painters, and the item trees skinning made
    // owner-drawn for tool bars and tool buttons; given back when skinning lets go.
    std::vector<ComponentRef<TToolBar>> m_paintedToolBars;
    std::vector<ComponentRef<TMenuItem>> m_ownerDrawnItems;
    ComponentRef<TWinSkinMenu> m_menuBar;  // owned as a component
    bool m_trackingMenu = false;
    HMENU m_trackedPopup = nullptr;
    // The bar's popup items the skin made owner-drawn (a plain menu draws nothing of them
    // once the skin is gone); the number checks that the position still holds the item.
    struct SwitchedItem {
        HMENU menu;
        UINT position;
        UINT id;
    };
    std::vector<SwitchedItem> m_switchedItems;
};
