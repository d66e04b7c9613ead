// The menu side of TWinSkinForm: the framework menus it makes owner-drawn and the
// handlers that measure and draw their items in the skin's look, and the skinned
// system menu.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Menus.h"
#include "framework/core/FailureLog.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Screen.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/MenuRules.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinMenu.h"

#include <algorithm>
#include <array>

namespace {

constexpr int32_t kSysMenuTag = 33333;

// The handlers given to framework items. They hold the window's object by reference,
// so an item that outlives it draws plain; and their type tells them from the
// program's own handlers when skinning lets go.
struct SkinDrawHandler {
    ComponentRef<TWinSkinForm> form;
    void operator()(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) const {
        auto* item = As<TMenuItem>(sender);
        if (!item) return;
        if (TWinSkinForm* owner = form.Get()) owner->DrawMenuItem(*item, canvas, rect, selected);
        else item->DrawPlainItem(canvas, rect, selected);
    }
};

enum class MeasureKind { Item, SysItem };
struct SkinMeasureHandler {
    ComponentRef<TWinSkinForm> form;
    MeasureKind kind = MeasureKind::Item;
    void operator()(TObject* sender, TCanvas&, int& width, int&) const {
        auto* item = As<TMenuItem>(sender);
        TWinSkinForm* owner = form.Get();
        if (!item || !owner) return;
        if (kind == MeasureKind::Item) owner->MeasureMenuItem(*item, width);
        else owner->MeasureSysMenuItem(*item, width);
    }
};

bool IsOurs(const TMenuDrawItemEvent& handler) noexcept { return handler.target<SkinDrawHandler>() != nullptr; }
bool IsOurs(const TMenuMeasureItemEvent& handler) noexcept { return handler.target<SkinMeasureHandler>() != nullptr; }

template <class F>
void ForEachBelow(TMenuItem& item, const F& f) {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* child = item.Items(i);
        f(*child);
        ForEachBelow(*child, f);
    }
}

bool HasImages(const TMenuItem& item) noexcept {
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->Images();
}

}  // namespace

// --- owner draw ------------------------------------------------------------------------------

void TWinSkinForm::SetItemOwnerDraw(TMenuItem& item, bool on) {
    // The program's own handlers stay; only the skin's go again.
    const auto apply = [&](TMenuItem& one) {
        if (on) {
            if (!one.OnDrawItem) one.OnDrawItem = SkinDrawHandler{this};
            if (!one.OnMeasureItem) one.OnMeasureItem = SkinMeasureHandler{this, MeasureKind::Item};
        } else {
            if (IsOurs(one.OnDrawItem)) one.OnDrawItem = nullptr;
            if (IsOurs(one.OnMeasureItem)) one.OnMeasureItem = nullptr;
        }
    };
    apply(item);
    ForEachBelow(item, apply);
    if (!on) return;
    const bool known = std::any_of(m_ownerDrawnItems.begin(), m_ownerDrawnItems.end(),
                                   [&](const ComponentRef<TMenuItem>& ref) { return ref.Get() == &item; });
    if (!known) m_ownerDrawnItems.emplace_back(&item);
    // The items' handlers only run once their menu asks the system for owner-drawn items.
    if (TMenu* menu = item.GetParentMenu()) SwitchOwnerDraw(*menu, true);
}

void TWinSkinForm::SwitchOwnerDraw(TMenu& menu, bool on) {
    const auto known = std::find_if(m_ownerDrawnMenus.begin(), m_ownerDrawnMenus.end(),
                                    [&](const ComponentRef<TMenu>& ref) { return ref.Get() == &menu; });
    if (on && !menu.OwnerDraw()) {
        menu.SetOwnerDraw(true);
        m_ownerDrawnMenus.emplace_back(&menu);
    } else if (!on && known != m_ownerDrawnMenus.end()) {
        // Only what skinning switched on goes off again.
        m_ownerDrawnMenus.erase(known);
        menu.SetOwnerDraw(false);
    }
}

void TWinSkinForm::SetMenuOwnerDraw(TComponent& component, bool on) {
    if (!m_skinData) return;
    const bool allowed = m_skinData->SkinControls().Contains(TSkinControlType::xcPopupMenu);
    for (int i = 0; i < component.ComponentCount(); ++i) {
        TComponent* child = component.Components(i);
        if (As<TCustomForm>(child) || As<TCustomFrame>(child)) {
            SetMenuOwnerDraw(*child, on);
            continue;
        }
        auto* popup = As<TPopupMenu>(child);
        if (!popup || popup == m_sysMenu.Get() || popup->Tag() == m_skinData->DisableTag()) continue;
        if (on && !allowed) continue;
        SwitchOwnerDraw(*popup, on);
        ForEachBelow(popup->Items(), [&](TMenuItem& item) {
            if (on) {
                item.OnDrawItem = SkinDrawHandler{this};
                if (!item.OnMeasureItem) item.OnMeasureItem = SkinMeasureHandler{this, MeasureKind::SysItem};
            } else {
                if (IsOurs(item.OnDrawItem)) item.OnDrawItem = nullptr;
                if (IsOurs(item.OnMeasureItem)) item.OnMeasureItem = nullptr;
            }
        });
    }
}

void TWinSkinForm::SetMainMenuOwnerDraw(TComponent& component, bool on) {
    for (int i = 0; i < component.ComponentCount(); ++i) {
        auto* menu = As<TMainMenu>(component.Components(i));
        if (!menu) continue;
        SwitchOwnerDraw(*menu, on);
        // The bar's own items are left to the bar.
        for (int top = 0; top < menu->Items().Count(); ++top) {
            ForEachBelow(*menu->Items().Items(top), [&](TMenuItem& item) {
                if (on && !item.OnDrawItem) {
                    item.OnDrawItem = SkinDrawHandler{this};
                    item.OnMeasureItem = SkinMeasureHandler{this, MeasureKind::Item};
                } else if (!on) {
                    if (IsOurs(item.OnDrawItem)) item.OnDrawItem = nullptr;
                    if (IsOurs(item.OnMeasureItem)) item.OnMeasureItem = nullptr;
                }
            });
        }
    }
}

void TWinSkinForm::ReleaseMenus() noexcept {
    ReleaseToolBars();
    try {
        if (m_form) {
            SetMenuOwnerDraw(*m_form, false);
            SetMainMenuOwnerDraw(*m_form, false);
        }
        for (const ComponentRef<TMenu>& ref : m_ownerDrawnMenus)
            if (TMenu* menu = ref.Get()) menu->SetOwnerDraw(false);
        m_ownerDrawnMenus.clear();
        if (TPopupMenu* sysMenu = m_sysMenu.Get()) FreeComponent(sysMenu);
    } catch (...) {
        // The menus keep the skin's handlers, which draw plain once this object is gone.
        LogCurrentException(u"the menus could not be given their own look back");
    }
}

// --- measuring and drawing ---------------------------------------------------------------------

int TWinSkinForm::MenuItemLeftWidth() const noexcept {
    const TDataSkinObject* object = m_skinData && !m_skinData->NoSkin() ? m_skinData->MenuItem() : nullptr;
    return object ? object->LeftWidth : 0;
}

void TWinSkinForm::MeasureMenuItem(TMenuItem& item, int& width) {
    width = SkinnedItemWidth(width, MenuItemLeftWidth(), HasImages(item));
}

void TWinSkinForm::MeasureSysMenuItem(TMenuItem& item, int& width) {
    width = SkinnedSysItemWidth(width, MenuItemLeftWidth(), HasImages(item));
}

void TWinSkinForm::DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) {
    TSkinManage* manager = TSkinManage::Instance();
    if (manager) manager->MarkMenusFromBar();
    if (!m_skinData) {
        item.DrawPlainItem(canvas, rect, selected);
        return;
    }
    const MenuItemFacts facts = FactsOfItem(item);
    HMENU parent = item.Parent() ? item.Parent()->HandleIfAllocated() : nullptr;
    if (manager) manager->AssignMenuHandle(parent);
    const TBitmap* background = manager ? manager->MenuBitmapOf(parent) : nullptr;
    if (!DrawSkinnedItem(canvas.Handle(), facts, selected, rect, *m_skinData, background, SeparatorLook::SkinLine))
        DrawPlainItem(canvas, facts, selected, rect, *m_skinData);
}

// --- the window's own owner-draw messages ---------------------------------------------------

namespace {

// Whether the skin draws a framework item of the bar: not one the program draws itself.
bool SkinDraws(const TMenuItem& item) noexcept { return !item.OnDrawItem || IsOurs(item.OnDrawItem); }

core::Size MenuTextSize(HDC dc, const std::wstring& text) {
    TCanvas canvas;
    const CanvasLock lock{canvas, dc};
    if (Screen) canvas.Font().Assign(Screen->MenuFont());
    RECT box{};
    canvas.DrawText(text.empty() ? L" " : text, box, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS);
    return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

TMenuItem* TWinSkinForm::BarItemOf(UINT command, ULONG_PTR itemData) const noexcept {
    TWinSkinMenu* bar = m_menuBar.Get();
    TMenuItem* item = FindMenuItemOf(command, itemData);
    return item && bar && bar->Menu() && item->GetParentMenu() == bar->Menu() ? item : nullptr;
}

bool TWinSkinForm::MeasureItemMessage(LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    TWinSkinMenu* bar = m_menuBar.Get();
    if (!measure || measure->CtlType != ODT_MENU || !bar || !m_skinData) return false;
    if (TSkinManage* manager = TSkinManage::Instance()) manager->MarkMenusFromBar();
    const WindowDc dc = WindowDc::Client(m_window);
    if (!dc) return false;
    if (TMenuItem* item = BarItemOf(measure->itemID, measure->itemData)) {
        if (item->OnMeasureItem && !IsOurs(item->OnMeasureItem)) return false;  // the program measures its own
        int width = 0, height = 0;
        {
            TCanvas canvas;
            const CanvasLock lock{canvas, dc.Get()};
            if (Screen) canvas.Font().Assign(Screen->MenuFont());
            item->MeasureItem(canvas, width, height);
        }
        if (!IsOurs(item->OnMeasureItem)) MeasureMenuItem(*item, width);
        measure->itemWidth = static_cast<UINT>(std::max(width, 0));
        measure->itemHeight = static_cast<UINT>(std::max(height, 0));
        return true;
    }
    // Another framework menu's item is the framework's to measure.
    if (FindMenuItemOf(measure->itemID, measure->itemData)) return false;
    // A plain menu's item, found by its number in the popup being tracked (or the bar's menu).
    HMENU menu = m_trackedPopup ? m_trackedPopup : bar->MenuHandle();
    std::array<wchar_t, 256> text{};
    const int length =
        menu ? ::GetMenuStringW(menu, measure->itemID, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND) : 0;
    const std::wstring caption(text.data(), static_cast<size_t>(std::max(length, 0)));
    const core::Size size = WindowMenuItemSize(MenuTextSize(dc.Get(), caption), caption.empty(), MenuItemLeftWidth());
    measure->itemWidth = static_cast<UINT>(size.width);
    measure->itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool TWinSkinForm::DrawItemMessage(LPARAM lParam) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!draw || draw->CtlType != ODT_MENU || !m_menuBar || !m_skinData) return false;
    HMENU menu = reinterpret_cast<HMENU>(draw->hwndItem);
    TSkinManage* manager = TSkinManage::Instance();
    if (manager) {
        manager->AssignMenuHandle(menu);
        manager->MarkMenusFromBar();
    }
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const SavedDc keep{draw->hDC};
    TCanvas canvas;
    const CanvasLock lock{canvas, draw->hDC};
    if (TMenuItem* item = BarItemOf(draw->itemID, draw->itemData)) {
        if (!SkinDraws(*item)) return false;  // the program draws its own
        DrawMenuItem(*item, canvas, draw->rcItem, selected);
        return true;
    }
    if (FindMenuItemOf(draw->itemID, draw->itemData)) return false;
    // A plain menu's item: the picture of its own menu window behind it, separators too.
    const MenuItemFacts facts = FactsOfMenuCommand(menu, draw->itemID);
    const TBitmap* background = manager ? manager->MenuBitmapOf(menu) : nullptr;
    if (!DrawSkinnedItem(draw->hDC, facts, selected, draw->rcItem, *m_skinData, background, SeparatorLook::ItemFrame))
        DrawPlainItem(canvas, facts, selected, draw->rcItem, *m_skinData);
    return true;
}

// --- the system menu -------------------------------------------------------------------------

void TWinSkinForm::BuildSysMenu() {
    if (TPopupMenu* old = m_sysMenu.Get()) FreeComponent(old);
    HMENU system = ::GetSystemMenu(m_window, FALSE);
    if (!system || !m_skinData) return;
    // The system tells a window its system menu is opening before it shows it; a program
    // that fills in its own items then must have done so before they are copied.
    ::SendMessageW(m_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    auto& popup = Create<TPopupMenu>();
    m_sysMenu = &popup;
    popup.SetTag(kSysMenuTag);
    popup.SetOwnerDraw(true);
    popup.SetImages(&m_skinData->MenuGlyphs());
    popup.SetAlignment(m_rightToLeft ? TPopupAlignment::paRight : TPopupAlignment::paLeft);

    ReadWindowState();
    const SysMenuFacts facts{m_windowState, m_capabilities.minimizeBox, m_capabilities.maximizeBox,
                             m_borderKind == BorderKind::Sizeable};
    // A program's submenus come along, a few levels deep, their commands reported as
    // the system reports them.
    constexpr int kMaxDepth = 4;
    const auto copy = [&](const auto& self, HMENU from, TMenuItem& into, int depth) -> void {
        const int count = ::GetMenuItemCount(from);
        for (int position = 0; position < count; ++position) {
            std::array<wchar_t, 80> text{};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size() - 1);
            if (!::GetMenuItemInfoW(from, static_cast<UINT>(position), TRUE, &info)) continue;
            std::wstring caption(text.data());
            auto& item = popup.Create<TMenuItem>();
            // The key the system shows after a tab becomes the item's shortcut.
            if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
                item.SetShortCut(TextToShortCut(FromWide(caption.substr(tab + 1))));
                caption.resize(tab);
            }
            item.SetCaption(caption.empty() ? L"-" : caption);
            item.SetTag(static_cast<int32_t>(info.wID));
            // A submenu's item number is its handle's, never one of the system's commands.
            const SysMenuItemRule rule = SysMenuItemFor(info.hSubMenu ? 0 : info.wID, info.fState, facts);
            item.SetImageIndex(rule.image);
            item.SetEnabled(rule.enabled);
            item.SetRadioItem((info.fType & MFT_RADIOCHECK) != 0);
            item.SetChecked(rule.checked);
            if (info.hSubMenu) {
                if (depth < kMaxDepth) self(self, info.hSubMenu, item, depth + 1);
            } else {
                HWND window = m_window;
                item.OnClick = [window](TObject* sender) {
                    if (auto* chosen = As<TMenuItem>(sender))
                        ::PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(static_cast<uint32_t>(chosen->Tag())), 0);
                };
            }
            item.OnDrawItem = SkinDrawHandler{this};
            item.OnMeasureItem = SkinMeasureHandler{this, MeasureKind::SysItem};
            into.Add(item);
        }
    };
    copy(copy, system, popup.Items(), 0);
}

bool TWinSkinForm::ShowSkinnedSysMenu(core::Point screen) {
    if (!m_skinData || !m_skinData->SkinControls().Contains(TSkinControlType::xcSystemMenu)) return false;
    BuildSysMenu();
    TPopupMenu* popup = m_sysMenu.Get();
    if (!popup || popup->Items().Count() == 0) return false;
    if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMenuKind(TSkinManage::kSystemMenu);
    popup->Popup(screen.x, screen.y);
    return true;
}
