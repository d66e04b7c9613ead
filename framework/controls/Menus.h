#pragma once
// Menus on the system's menu handles: a tree of TMenuItem components under a TMainMenu
// (a form's menu bar) or a TPopupMenu (shown at a point). An item with sub-items keeps
// the popup handle that shows them and fills it again whenever anything under it
// changes, so the handles always mirror the items: text (caption, a tab, the shortcut),
// checked, radio, disabled, default, hidden items left out. Every item has a command
// number of its own in the program, which the system reports back (WM_COMMAND, owner
// draw); the item's record is also the menu item's item data. The components belong to
// their owner (usually the form) as controls do; the tree only links them.

#include "framework/controls/ShortCut.h"
#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/graphics/ImageList.h"
#include "framework/win/UtilityWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

class TCanvas;
class TMenu;
struct TMessage;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum class TPopupAlignment { paLeft, paRight, paCenter };
std::span<const std::u16string_view> EnumIdents(TPopupAlignment);

// `rect` is the item's area on `canvas`, which holds the system's DC while the event runs.
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected)>;
// `width` and `height` come in as the framework measured them.
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

class TMenuItem : public TComponent {
    KESTRELLE_CLASS(TMenuItem, TComponent)

public:
    TMenuItem();
    ~TMenuItem() override;

    // "&" marks the accelerator character; "-" makes the item a separator line.
    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring_view value);
    bool IsLine() const noexcept { return m_caption == L"-"; }
    TShortCut ShortCut() const noexcept { return m_shortCut; }
    void SetShortCut(TShortCut value);
    bool Checked() const noexcept { return m_checked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool value);
    bool RadioItem() const noexcept { return m_radioItem; }
    void SetRadioItem(bool value);
    int GroupIndex() const noexcept { return m_groupIndex; }
    void SetGroupIndex(int value);
    bool Enabled() const noexcept { return m_enabled; }
    void SetEnabled(bool value);
    // A hidden item is left out of the menu handle.
    bool Visible() const noexcept { return m_visible; }
    void SetVisible(bool value);
    // Shown bold; the one a double click on the menu's owner would choose.
    bool Default() const noexcept { return m_default; }
    void SetDefault(bool value);
    // The image of the menu's Images drawn beside an owner-drawn item; -1: none. An index
    // the list does not hold draws no image (lower values than -1 are taken as -1).
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int value);

    // The number the system reports for the item, unique among the program's items.
    int Command() const noexcept { return m_command; }
    // The popup menu of the sub-items, made when first asked for; owned by the item.
    // Throws Win32Error.
    HMENU Handle();
    HMENU HandleIfAllocated() const noexcept { return m_handle; }

    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    // Null outside the range.
    TMenuItem* Items(int index) const noexcept;
    int IndexOf(const TMenuItem* item) const noexcept;
    // Takes `item` (leaving its old parent) as the last sub-item, or at `index` (clamped).
    void Add(TMenuItem& item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem& item);
    void Remove(TMenuItem& item);
    // The item this one is a sub-item of; null for a menu's root item and a loose one.
    TMenuItem* Parent() const noexcept { return m_parent; }
    // The menu the tree belongs to; null while it is in none.
    TMenu* GetParentMenu() const noexcept;

    // This item or the first below it with that command, sub-menu handle or shortcut.
    TMenuItem* Find(int64_t value, TFindItemKind kind) noexcept;

    // Fires OnClick when the item is enabled.
    virtual void Click();
    // The framework's measure and paint of an owner-drawn item, or OnMeasureItem and
    // OnDrawItem where they are assigned. Both run on the system's DC.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
    // What the framework draws for an item without OnDrawItem; for owners that draw some
    // items themselves and leave the rest plain.
    void DrawPlainItem(TCanvas& canvas, const RECT& rect, bool selected);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Stored layouts nest an item in its menu's or parent item's entry.
    TComponent* GetParentComponent() const noexcept override;
    void SetParentComponent(TComponent* parent) override;

    static void Publish(TPublisher<TMenuItem>& p);

private:
    friend class TMenu;
    // Fills the handle again from the visible sub-items (when it exists).
    void RebuildHandle();
    void RebuildAll();
    // Something the parent's handle shows changed.
    void Changed();
    void UncheckGroup();
    TImageList* ImageList() const noexcept;
    void DestroyHandle() noexcept;

    std::wstring m_caption;
    TShortCut m_shortCut = scNone;
    bool m_checked = false;
    bool m_radioItem = false;
    int m_groupIndex = 0;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_default = false;
    int m_imageIndex = -1;
    int m_command = 0;
    HMENU m_handle = nullptr;
    TMenuItem* m_parent = nullptr;
    TMenu* m_menu = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> m_items;
};

class TMenu : public TComponent {
    KESTRELLE_CLASS(TMenu, TComponent)

public:
    TMenu();
    ~TMenu() override;

    // The root item; its sub-items are the menu's items.
    TMenuItem& Items() noexcept { return m_items; }
    // The root item's handle. Throws Win32Error.
    HMENU Handle() { return m_items.Handle(); }

    // Not owned; the menu lets go of it when it goes.
    TImageList* Images() const noexcept { return m_images.List(); }
    void SetImages(TImageList* value);
    // Every item is owner-drawn: the owner window's WM_MEASUREITEM and WM_DRAWITEM
    // reach MeasureItem and DrawItem of the item.
    bool OwnerDraw() const noexcept { return m_ownerDraw; }
    void SetOwnerDraw(bool value);

    TMenuItem* FindItem(int64_t value, TFindItemKind kind) noexcept { return m_items.Find(value, kind); }
    // Clicks the item with this command; false when the menu has none.
    bool DispatchCommand(int command);
    // Clicks the enabled, visible item with this shortcut; false when there is none.
    bool IsShortCut(TShortCut shortCut);

    static void Publish(TPublisher<TMenu>& p);

protected:
    friend class TMenuItem;
    // A menu bar or a popup menu.
    virtual HMENU CreateMenuHandle() const;
    // An item of the menu changed what its handle shows.
    virtual void MenuChanged() {}

private:
    TMenuItem m_items;
    ImageListLink m_images{[] {}};
    bool m_ownerDraw = false;
};

class TMainMenu : public TMenu {
    KESTRELLE_CLASS(TMainMenu, TMenu)

public:
    // The window whose bar shows the menu; the form sets it and clears it before its
    // window dies. Changes of the items redraw its bar and send it kMsgMenuChanged.
    HWND WindowHandle() const noexcept { return m_window; }
    void SetWindowHandle(HWND window) noexcept { m_window = window; }

protected:
    HMENU CreateMenuHandle() const override;
    void MenuChanged() override;

private:
    HWND m_window = nullptr;
};

class TPopupMenu : public TMenu {
    KESTRELLE_CLASS(TPopupMenu, TMenu)

public:
    TPopupMenu();
    ~TPopupMenu() override;

    // Shows the menu at a screen point and returns once it closed; the chosen item's
    // OnClick has run by then. Throws Win32Error when the menu cannot be shown.
    void Popup(int x, int y);
    // The component the menu was last opened for (a control's right click sets it).
    TComponent* PopupComponent() const noexcept { return m_popupComponent.Get(); }
    void SetPopupComponent(TComponent* value) { m_popupComponent = value; }
    // Whether a control's right click opens it.
    bool AutoPopup() const noexcept { return m_autoPopup; }
    void SetAutoPopup(bool value) noexcept { m_autoPopup = value; }
    TPopupAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TPopupAlignment value) noexcept { m_alignment = value; }

    // Before the menu shows (items may still change).
    TNotifyEvent OnPopup;

    static void Publish(TPublisher<TPopupMenu>& p);

private:
    ComponentRef<TComponent> m_popupComponent;
    bool m_autoPopup = true;
    TPopupAlignment m_alignment = TPopupAlignment::paLeft;
    // Owns the menu while it shows and takes its owner-draw messages.
    std::unique_ptr<UtilityWindow> m_window;
};

// Shows `item`'s sub-items as a popup menu at a screen point, owned by `owner` (which
// gets the owner-draw messages), and clicks the item chosen. Throws Win32Error.
void TrackMenuItem(TMenuItem& item, POINT at, UINT alignment, HWND owner);

// The framework's item behind an owner-drawn menu item's number and item data; null for
// an item of any other menu (the same number may belong to a menu of someone else's).
TMenuItem* FindMenuItemOf(UINT command, ULONG_PTR itemData) noexcept;

// WM_MEASUREITEM and WM_DRAWITEM of a framework menu item, for any window that owns a
// menu: runs the item's MeasureItem or DrawItem and answers true; false for anything
// else (other controls' items, menus that are not the framework's).
bool MenuItemMessage(TMessage& message) noexcept;
