// The menu bar side of TWinSkinForm: the skinned bar made in place of the window's own,
// the bar buttons opening their submenus, and the message-filter hook that lets the
// keys and the mouse move from one bar button to the next while a submenu is open.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Messages.h"
#include "framework/core/FailureLog.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/HookGuard.h"
#include "skin/window/MenuRules.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WindowQueries.h"

#include <memory>

namespace {

// Only one bar popup can be open in the program: the state of the one being tracked.
struct BarTracking {
    ComponentRef<TWinSkinForm> form;
    int index = -1;              // the bar button whose popup is open
    POINT lastMouse{};
    bool firstMessage = false;   // the menu loop's first message was seen
    std::unique_ptr<HookGuard> hook;
};
BarTracking g_tracking;

// The item highlighted deepest down from the tracked popup, read back from the menus:
// the menu loop sends WM_MENUSELECT, which a message filter never sees.
MenuSelection SelectionIn(HMENU popup) noexcept {
    MenuSelection selection;
    HMENU menu = popup;
    for (int depth = 0; menu && depth < 16; ++depth) {
        const int count = ::GetMenuItemCount(menu);
        HMENU opens = nullptr;
        bool found = false;
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE | MIIM_SUBMENU;
            if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || !(info.fState & MFS_HILITE)) continue;
            selection = {true, depth == 0, info.hSubMenu != nullptr};
            opens = info.hSubMenu;
            found = true;
            break;
        }
        if (!found) break;
        // Deeper only when the submenu shows a selection of its own.
        menu = opens;
    }
    return selection;
}

void MoveToButton(TWinSkinForm& form, const TMenuBtn* target) noexcept {
    if (!target || target->Index() == g_tracking.index) return;
    // The open loop ends first; the posted click then opens the target's popup.
    ::EndMenu();
    form.ClickMenuButton(*target);
}

LRESULT BarFilter(int code, WPARAM, LPARAM lParam, const HookGuard::Next& next) {
    TWinSkinForm* form = g_tracking.form.Get();
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    const bool rightToLeft = form && form->MenuBar() && form->MenuBar()->RightToLeft();
    const WPARAM typed = msg.wParam;
    // A right-to-left menu runs the other way: the menu loop reads the arrow keys swapped.
    if (rightToLeft && code == MSGF_MENU && msg.message == WM_KEYDOWN && (typed == VK_LEFT || typed == VK_RIGHT))
        msg.wParam = typed == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const LRESULT answer = next();
    if (answer != 0 || code != MSGF_MENU || !form || !form->MenuBar()) return answer;
    TWinSkinMenu& bar = *form->MenuBar();
    if (!g_tracking.firstMessage) {
        g_tracking.firstMessage = true;
        // The first item starts selected, so that the keys work at once.
        ::PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    const TMenuBtn* target = nullptr;
    switch (msg.message) {
    case WM_KEYDOWN:
        target = bar.KeyTarget(static_cast<uint32_t>(typed), SelectionIn(form->TrackedPopup()), rightToLeft,
                               g_tracking.index);
        break;
    case WM_MOUSEMOVE: {
        // WINE: a move left queued from before the switch reaches the next popup's loop with
        // the old point and would open the old button again; only a move to where the
        // pointer is now counts.
        POINT cursor{};
        const bool current = ::GetCursorPos(&cursor) && cursor.x == msg.pt.x && cursor.y == msg.pt.y;
        if (current && (msg.pt.x != g_tracking.lastMouse.x || msg.pt.y != g_tracking.lastMouse.y)) {
            g_tracking.lastMouse = msg.pt;
            target = bar.FindMenuButton(form->ScreenToFrame({msg.pt.x, msg.pt.y}));
            // Passing over a button that opens nothing must not run its command.
            if (target && (!target->Enabled || !target->Submenu)) target = nullptr;
        }
        break;
    }
    default: break;
    }
    MoveToButton(*form, target);
    return answer;
}

}  // namespace

bool TWinSkinForm::WantsMenuBar() const noexcept {
    return m_frameSkinning && ::GetMenu(m_window) && m_mdiKind != MdiKind::Child &&
           m_borderKind != BorderKind::NoCaption;
}

void TWinSkinForm::CreateMenuBar() {
    auto& bar = Create<TWinSkinMenu>();
    m_menuBar = &bar;
    bar.Setup(*this, *m_skinData, m_form ? m_form->Menu() : nullptr);
    m_menuBarHeight = ::GetSystemMetrics(SM_CYMENU);
    bar.ReadMenu();
}

void TWinSkinForm::MakeItemsOwnerDrawn(HMENU menu, int depth) {
    if (depth == 0) {
        // Items gone since (a menu rebuilt or destroyed) are forgotten.
        std::erase_if(m_switchedItems, [](const SwitchedItem& noted) {
            return ::GetMenuItemID(noted.menu, static_cast<int>(noted.position)) != noted.id;
        });
    }
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        // WINE: MIIM_FTYPE, not MIIM_TYPE, which would put the item data in place of the
        // text that the measuring reads back.
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            MENUITEMINFOW change{};
            change.cbSize = sizeof change;
            change.fMask = MIIM_FTYPE;
            change.fType = info.fType | MFT_OWNERDRAW;
            if (::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &change))
                m_switchedItems.push_back({menu, static_cast<UINT>(position), info.hSubMenu ? UINT(-1) : info.wID});
        }
        if (info.hSubMenu && depth < 16) MakeItemsOwnerDrawn(info.hSubMenu, depth + 1);
    }
}

void TWinSkinForm::GiveItemsTheirDrawingBack() noexcept {
    for (const SwitchedItem& noted : m_switchedItems) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (::GetMenuItemID(noted.menu, static_cast<int>(noted.position)) != noted.id ||
            !::GetMenuItemInfoW(noted.menu, noted.position, TRUE, &info))
            continue;
        info.fType &= ~MFT_OWNERDRAW;
        ::SetMenuItemInfoW(noted.menu, noted.position, TRUE, &info);
    }
    m_switchedItems.clear();
}

void TWinSkinForm::DropMenuBar(bool giveBack) noexcept {
    GiveItemsTheirDrawingBack();
    TWinSkinMenu* bar = m_menuBar.Get();
    if (!bar) return;
    if (HMENU menu = bar->MenuHandle(); giveBack && menu && ::IsWindow(m_window) && !::GetMenu(m_window))
        ::SetMenu(m_window, menu);
    if (m_hotObject && As<TMenuBtn>(m_hotObject)) m_hotObject = nullptr;
    m_menuBarHeight = 0;
    FreeComponent(bar);  // made by Create: it has this object as its owner, so this cannot throw
}

void TWinSkinForm::MenuChanged() {
    TMainMenu* menu = m_form ? m_form->Menu() : nullptr;
    TWinSkinMenu* bar = m_menuBar.Get();
    if (bar && menu && bar->Menu() == menu) {
        // The same menu with other items.
        bar->RebuildMenu();
        PaintNonClient(nullptr);
        return;
    }
    if (!bar && !menu) return;
    // Another menu, or none: the form has set the window's menu already (or taken it
    // away), so the old bar's handle is not the window's any more.
    DropMenuBar(false);
    if (menu && WantsMenuBar()) CreateMenuBar();
    // The window keeps its size, as with the system's bar: the client area gives way.
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

TMenuBtn* TWinSkinForm::FindAccelButton(wchar_t key) const {
    TWinSkinMenu* bar = m_menuBar.Get();
    return bar ? bar->FindAccelButton(key) : nullptr;
}

void TWinSkinForm::ClickMenuButton(const TMenuBtn& button) const noexcept {
    RECT window{};
    ::GetWindowRect(m_window, &window);
    const int x = window.left + button.Bounds.left + 1, y = window.top + button.Bounds.top + 1;
    ::PostMessageW(m_window, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

bool TWinSkinForm::OpenMenuButton(TMenuBtn* button) {
    if (!button) return false;
    // A framework item runs its click handler; a plain window's popup item has no command
    // of its own (its identifier may be any number), so only an item without a submenu posts one.
    if (!button->Submenu || button->MenuItem()) ::PostMessageW(m_window, WM_COMMAND, button->Command, 0);
    if (!button->Submenu) return false;
    if (TMenuItem* item = button->MenuItem()) {
        const int index = button->Index();
        std::vector<MenuEntry> entries;
        for (int i = 0; i < item->Count(); ++i) entries.push_back({item->Items(i)->IsLine(), item->Items(i)->Visible()});
        const std::vector<bool> visible = TidySeparators(entries);
        for (int i = 0; i < item->Count(); ++i)
            if (entries[static_cast<size_t>(i)].line) item->Items(i)->SetVisible(visible[static_cast<size_t>(i)]);
        // A separator shown or hidden changes the form's menu, and the bar reads its
        // buttons afresh: the button is looked up again rather than used after it went.
        TWinSkinMenu* bar = m_menuBar.Get();
        button = bar ? bar->Button(index) : nullptr;
        if (!button || !button->Submenu) return false;
    }
    if (g_tracking.hook) return false;  // a bar popup is open already
    m_trackingMenu = true;
    m_trackedPopup = button->Submenu;
    RECT window{};
    ::GetWindowRect(m_window, &window);
    const int x = (m_rightToLeft ? button->Bounds.right : button->Bounds.left) + window.left;
    const int y = button->Bounds.bottom + window.top;
    if (TSkinManage* manager = TSkinManage::Instance()) {
        manager->SetMenuKind(TSkinManage::kWindowMenu);
        manager->SetMenuFromBar(true);
    }
    // The skin measures and draws the popup's items (Windows NT 4 has no owner-drawn menus
    // that the menu loop lays out right).
    if (const PlatformVersion version = RunningVersion(); !(version.ntFamily && version.major == 4)) {
        try {
            MakeItemsOwnerDrawn(button->Submenu);
        } catch (...) {
            LogCurrentException(u"the menu's items keep the system's look");
        }
    }
    g_tracking.form = this;
    g_tracking.index = button->Index();
    g_tracking.firstMessage = false;
    ::GetCursorPos(&g_tracking.lastMouse);
    try {
        g_tracking.hook = std::make_unique<HookGuard>(WH_MSGFILTER, HookGuard::Filter{BarFilter});
    } catch (...) {
        // The popup still opens; only the moves between bar buttons are lost.
        LogCurrentException(u"the menu-bar hook could not be installed");
    }
    const ComponentRef<TWinSkinForm> self{this};
    if (button->Enabled) {
        const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | (m_rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
        ::TrackPopupMenu(button->Submenu, flags, x, y, 0, m_window, nullptr);
    }
    g_tracking.hook.reset();
    g_tracking.form = nullptr;
    g_tracking.index = -1;
    g_tracking.firstMessage = false;
    if (!self) return true;  // the window went while its menu was open
    m_trackingMenu = false;
    m_trackedPopup = nullptr;
    if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMenuFromBar(false);
    return true;
}

bool TWinSkinForm::KeyMenu(LPARAM character) {
    TWinSkinMenu* bar = m_menuBar.Get();
    if (!bar || m_trackingMenu || ::GetCapture()) return false;
    if (character == L' ' || character == L'-') return false;
    TMenuBtn* button = nullptr;
    if (character) button = bar->FindAccelButton(static_cast<wchar_t>(character));
    else button = bar->Neighbour(-1, 1);  // F10 or a lone Alt: the first bar button
    if (character && !button) return false;
    if (!button) return true;  // a bar without a button that can open still takes the key
    button->MouseDown();
    const ComponentRef<TWinSkinForm> self{this};
    OpenMenuButton(button);
    if (self && m_hotObject == button) button->MouseLeave();
    return true;
}

bool TWinSkinForm::DialogChar(TMessage& message) {
    // Exactly Alt held: Alt with a letter reaches the form as a dialog character too.
    const bool alt = ::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
    if (TMenuBtn* button = alt ? FindAccelButton(static_cast<wchar_t>(message.WParam)) : nullptr) {
        ClickMenuButton(*button);
        message.Result = 1;
        return true;
    }
    // An MDI child's Alt+letter is meant for its frame's bar; a secondary window's may be
    // meant for the main window's.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    const ComponentRef<TWinSkinForm> self{this};
    if (const TSkinManage* manager = TSkinManage::Instance(); m_form && m_mdiKind == MdiKind::Child && manager) {
        if (TCustomForm* frame = manager->MdiFrameForm(); frame && frame != m_form)
            if (const LRESULT answer = frame->Perform(kMsgDialogChar, message.WParam, message.LParam)) {
                message.Result = answer;
                return true;
            }
        if (!self) return true;
    }
    if (!m_form || !main || main == m_form) return false;
    if (const LRESULT answer = main->Perform(kMsgDialogChar, message.WParam, message.LParam)) {
        message.Result = answer;
        return true;
    }
    if (!self) return true;  // the main window's answer closed this one
    message.Result = 0;
    m_oldFormHandler(message);
    return message.Result != 0;
}
