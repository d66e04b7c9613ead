#include "framework/controls/Menus.h"

#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Strings.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "framework/win/Win32Error.h"

#include <algorithm>

namespace {

// WM_COMMAND carries the command in 16 bits; 0 means "none" to TrackPopupMenu.
constexpr size_t kMaxCommand = 0xFFFF;

// Item by command, for the whole program (UI thread only): index = command.
std::vector<TMenuItem*>& CommandTable() {
    static std::vector<TMenuItem*> table(1, nullptr);
    return table;
}

int AllocateCommand(TMenuItem& item) {
    auto& table = CommandTable();
    auto free = std::find(table.begin() + 1, table.end(), nullptr);
    if (free != table.end()) {
        *free = &item;
        return static_cast<int>(free - table.begin());
    }
    if (table.size() > kMaxCommand) throw EInvalidOperation(u"The program has no menu command number left");
    table.push_back(&item);
    return static_cast<int>(table.size() - 1);
}

TMenuItem* ItemOfCommand(UINT command) noexcept {
    const auto& table = CommandTable();
    return command < table.size() ? table[command] : nullptr;
}

// Width of the glyph column and the gaps of an item the framework draws.
constexpr int kGlyphSize = 16;
constexpr int kTextGap = 3;
constexpr int kShortCutGap = 16;
constexpr int kRightMargin = 11;

TFont* MenuFont() noexcept { return Screen ? &Screen->MenuFont() : nullptr; }

}  // namespace

std::span<const std::u16string_view> EnumIdents(TPopupAlignment) {
    static constexpr std::u16string_view idents[] = {u"paLeft", u"paRight", u"paCenter"};
    return idents;
}

// ---- items ---------------------------------------------------------------------------

TMenuItem::TMenuItem() : m_command{AllocateCommand(*this)} {}

TMenuItem::~TMenuItem() {
    CommandTable()[static_cast<size_t>(m_command)] = nullptr;
    try {
        if (m_parent) m_parent->Remove(*this);
    } catch (...) {  // a destructor: the item is gone from the tree; only the parent's handle lags
        LogCurrentException(u"A menu could not be filled again after an item went");
    }
    // Sub-items outliving the item are in no menu.
    for (TMenuItem* item : m_items) item->m_parent = nullptr;
    m_items.clear();
    DestroyHandle();
}

void TMenuItem::DestroyHandle() noexcept {
    if (!m_handle) return;
    // The sub-items' own popups are theirs to destroy: take them out first.
    while (::GetMenuItemCount(m_handle) > 0)
        if (!::RemoveMenu(m_handle, 0, MF_BYPOSITION)) break;
    ::DestroyMenu(m_handle);
    m_handle = nullptr;
}

HMENU TMenuItem::Handle() {
    if (!m_handle) {
        m_handle = m_menu ? m_menu->CreateMenuHandle() : ::CreatePopupMenu();
        if (!m_handle) throw Win32Error::Last(u"CreatePopupMenu");
        RebuildHandle();
    }
    return m_handle;
}

TMenuItem* TMenuItem::Items(int index) const noexcept {
    if (index < 0 || index >= Count()) return nullptr;
    return m_items[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const noexcept {
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TMenuItem::Insert(int index, TMenuItem& item) {
    for (const TMenuItem* p = this; p; p = p->m_parent)
        if (p == &item) throw EInvalidOperation(u"A menu item cannot be a sub-item of itself");
    if (item.m_parent) item.m_parent->Remove(item);
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, &item);
    item.m_parent = this;
    RebuildAll();
}

void TMenuItem::Remove(TMenuItem& item) {
    const int index = IndexOf(&item);
    if (index < 0) return;
    m_items.erase(m_items.begin() + index);
    item.m_parent = nullptr;
    RebuildAll();
}

TMenu* TMenuItem::GetParentMenu() const noexcept {
    const TMenuItem* root = this;
    while (root->m_parent) root = root->m_parent;
    return root->m_menu;
}

TImageList* TMenuItem::ImageList() const noexcept {
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

TMenuItem* TMenuItem::Find(int64_t value, TFindItemKind kind) noexcept {
    bool match = false;
    switch (kind) {
    case TFindItemKind::fkCommand: match = m_command == value; break;
    case TFindItemKind::fkHandle: match = m_handle && reinterpret_cast<intptr_t>(m_handle) == value; break;
    case TFindItemKind::fkShortCut: match = m_shortCut != scNone && m_shortCut == value; break;
    }
    if (match && m_parent) return this;
    for (TMenuItem* item : m_items)
        if (TMenuItem* found = item->Find(value, kind)) return found;
    // A menu's root item answers only for its handle; it is no item of the menu.
    return match && kind == TFindItemKind::fkHandle ? this : nullptr;
}

void TMenuItem::RebuildHandle() {
    if (!m_handle) return;
    while (::GetMenuItemCount(m_handle) > 0)
        if (!::RemoveMenu(m_handle, 0, MF_BYPOSITION)) break;
    const TMenu* menu = GetParentMenu();
    const bool ownerDraw = menu && menu->OwnerDraw();
    UINT position = 0;
    for (TMenuItem* item : m_items) {
        if (!item->m_visible) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        // WINE: MIIM_FTYPE, not MIIM_TYPE: an owner-drawn item keeps its text that way,
        // which the skins read back with GetMenuStringW.
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        info.fType = item->IsLine() ? MFT_SEPARATOR : 0;
        if (item->m_radioItem) info.fType |= MFT_RADIOCHECK;
        if (ownerDraw) info.fType |= MFT_OWNERDRAW;
        if (item->m_checked) info.fState |= MFS_CHECKED;
        if (!item->m_enabled) info.fState |= MFS_GRAYED;
        if (item->m_default) info.fState |= MFS_DEFAULT;
        info.wID = static_cast<UINT>(item->m_command);
        info.hSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        std::wstring text = ToWide(MenuItemText(FromWide(item->m_caption), item->m_shortCut));
        if (!item->IsLine()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        if (!::InsertMenuItemW(m_handle, position, TRUE, &info)) throw Win32Error::Last(u"InsertMenuItemW");
        ++position;
    }
}

void TMenuItem::RebuildAll() {
    RebuildHandle();
    // The parent's entry for this item gains or loses its popup with the first or last sub-item.
    if (m_parent) m_parent->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::Changed() {
    if (m_parent) m_parent->RebuildAll();
}

void TMenuItem::SetCaption(std::wstring_view value) {
    if (value == m_caption) return;
    m_caption = value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == m_shortCut) return;
    m_shortCut = value;
    Changed();
}

void TMenuItem::UncheckGroup() {
    if (!m_parent || !m_radioItem) return;
    for (TMenuItem* sibling : m_parent->m_items)
        if (sibling != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex)
            sibling->m_checked = false;
}

void TMenuItem::SetChecked(bool value) {
    if (value == m_checked) return;
    m_checked = value;
    if (value && !IsLoading()) UncheckGroup();
    Changed();
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == m_radioItem) return;
    m_radioItem = value;
    if (m_checked && !IsLoading()) UncheckGroup();
    Changed();
}

void TMenuItem::SetGroupIndex(int value) {
    if (value == m_groupIndex) return;
    m_groupIndex = value;
    if (m_checked && !IsLoading()) UncheckGroup();
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (value == m_default) return;
    m_default = value;
    Changed();
}

void TMenuItem::SetImageIndex(int value) {
    value = std::max(value, -1);
    if (value == m_imageIndex) return;
    m_imageIndex = value;
    Changed();
}

void TMenuItem::Click() {
    if (m_enabled) Fire(OnClick, this);
}

TComponent* TMenuItem::GetParentComponent() const noexcept {
    if (!m_parent) return nullptr;
    if (m_parent->m_menu) return m_parent->m_menu;
    return m_parent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = As<TMenu>(parent)) menu->Items().Add(*this);
    else if (auto* item = As<TMenuItem>(parent)) item->Add(*this);
    else throw EConvertError(u"A menu item belongs in a menu or another menu item");
}

// ---- owner draw --------------------------------------------------------------------------

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    if (TFont* font = MenuFont()) canvas.Font().Assign(*font);
    if (IsLine()) {
        width = kGlyphSize;
        height = ::GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        const TImageList* images = ImageList();
        const int glyph = images ? std::max(kGlyphSize, images->Width()) : kGlyphSize;
        RECT box{0, 0, 0, 0};
        canvas.DrawText(m_caption.empty() ? L" " : m_caption, box, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
        width = 1 + glyph + kTextGap + (box.right - box.left) + kRightMargin;
        if (const auto keys = ShortCutToText(m_shortCut); !keys.empty())
            width += kShortCutGap + canvas.TextWidth(ToWide(keys));
        height = std::max<int>(box.bottom - box.top + 4, (images ? std::max(kGlyphSize, images->Height()) : kGlyphSize) + 2);
    }
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
    if (OnDrawItem) OnDrawItem(this, canvas, rect, selected);
    else DrawPlainItem(canvas, rect, selected);
}

void TMenuItem::DrawPlainItem(TCanvas& canvas, const RECT& rect, bool selected) {
    if (TFont* font = MenuFont()) canvas.Font().Assign(*font);
    canvas.Brush().SetColor(selected ? clHighlight : clMenu);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(rect);
    HDC dc = canvas.Handle();
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TImageList* images = ImageList();
    const int glyph = images ? std::max(kGlyphSize, images->Width()) : kGlyphSize;
    RECT glyphBox{rect.left + 1, rect.top + 1, rect.left + 1 + glyph, rect.top + 1 + glyph};
    if (images && m_imageIndex >= 0 && m_imageIndex < images->Count()) {
        if (m_checked) ::DrawEdge(dc, &glyphBox, BDR_SUNKENOUTER, BF_RECT);
        images->Draw(canvas, glyphBox.left, glyphBox.top, m_imageIndex, m_enabled);
    } else if (m_checked) {
        ::DrawFrameControl(dc, &glyphBox, DFC_MENU, m_radioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(!m_enabled ? clGrayText : selected ? clHighlightText : clMenuText);
    if (m_default) canvas.Font().SetStyle(canvas.Font().Style() | TFontStyles{TFontStyle::fsBold});
    RECT text{glyphBox.right + kTextGap, rect.top, rect.right - 1, rect.bottom};
    canvas.DrawText(m_caption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (const auto keys = ShortCutToText(m_shortCut); !keys.empty()) {
        RECT right{text.left, rect.top, rect.right - kRightMargin, rect.bottom};
        canvas.DrawText(ToWide(keys), right, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

TMenuItem* FindMenuItemOf(UINT command, ULONG_PTR itemData) noexcept {
    TMenuItem* item = ItemOfCommand(command);
    // Item data tells the framework's items from another menu's with the same number.
    return item && itemData == reinterpret_cast<ULONG_PTR>(item) ? item : nullptr;
}

bool MenuItemMessage(TMessage& message) noexcept {
    if (message.Msg != WM_MEASUREITEM && message.Msg != WM_DRAWITEM) return false;
    try {
        if (message.Msg == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
            if (!measure || measure->CtlType != ODT_MENU) return false;
            TMenuItem* item = FindMenuItemOf(measure->itemID, measure->itemData);
            if (!item) return false;
            const WindowDc screen = WindowDc::Client(nullptr);
            if (!screen) return false;
            TCanvas canvas;
            int width = 0;
            int height = 0;
            {
                const CanvasLock lock{canvas, screen.Get()};
                item->MeasureItem(canvas, width, height);
            }
            measure->itemWidth = static_cast<UINT>(std::max(width, 0));
            measure->itemHeight = static_cast<UINT>(std::max(height, 0));
        } else {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            if (!draw || draw->CtlType != ODT_MENU) return false;
            TMenuItem* item = FindMenuItemOf(draw->itemID, draw->itemData);
            if (!item) return false;
            // The system's DC goes back as it came: colours, mode and objects.
            const SavedDc keep{draw->hDC};
            TCanvas canvas;
            const CanvasLock lock{canvas, draw->hDC};
            item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
        }
        message.Result = TRUE;
        return true;
    } catch (...) {
        // A paint path: nothing may leave it. The item stays undrawn (or unmeasured) and
        // the developer hears of it.
        LogCurrentException(u"A menu item could not be measured or drawn");
        return false;
    }
}

// ---- menus ---------------------------------------------------------------------------------

TMenu::TMenu() { m_items.m_menu = this; }

TMenu::~TMenu() {
    // Items outliving the menu keep their links to each other but belong to no menu.
    m_items.m_menu = nullptr;
}

HMENU TMenu::CreateMenuHandle() const { return ::CreatePopupMenu(); }

void TMenu::SetImages(TImageList* value) { m_images.SetList(value); }

void TMenu::SetOwnerDraw(bool value) {
    if (value == m_ownerDraw) return;
    m_ownerDraw = value;
    // Every handle of the tree shows the new item type.
    std::vector<TMenuItem*> pending{&m_items};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        item->RebuildHandle();
        pending.insert(pending.end(), item->m_items.begin(), item->m_items.end());
    }
    MenuChanged();
}

bool TMenu::DispatchCommand(int command) {
    TMenuItem* item = FindItem(command, TFindItemKind::fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* item = FindItem(shortCut, TFindItemKind::fkShortCut);
    // A hidden or disabled item (or one under such an item) takes no keys.
    for (TMenuItem* p = item; p && p->Parent(); p = p->Parent())
        if (!p->Enabled() || !p->Visible()) return false;
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::Publish(TPublisher<TMenu>& p) {
    p.Reference(u"Images", &TMenu::Images, &TMenu::SetImages);
    p.Bool(u"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(false);
}

HMENU TMainMenu::CreateMenuHandle() const { return ::CreateMenu(); }

void TMainMenu::MenuChanged() {
    if (!m_window || !::IsWindow(m_window)) return;
    ::DrawMenuBar(m_window);
    if (TWinControl* form = TWinControl::FindControl(m_window)) form->Perform(kMsgMenuChanged);
}

TPopupMenu::TPopupMenu() = default;
TPopupMenu::~TPopupMenu() = default;

void TrackMenuItem(TMenuItem& item, POINT at, UINT alignment, HWND owner) {
    HMENU menu = item.Handle();
    // TPM_RETURNCMD: the choice comes back here rather than as a posted WM_COMMAND, so
    // the click runs before Popup returns.
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        menu, alignment | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    if (command == 0) return;
    if (TMenuItem* chosen = item.Find(command, TFindItemKind::fkCommand)) chosen->Click();
}

void TPopupMenu::Popup(int x, int y) {
    Fire(OnPopup, this);
    if (!m_window) {
        // A hidden top-level window: a message-only one cannot own a menu.
        m_window = std::make_unique<UtilityWindow>(
            [](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                TMessage m{message, wParam, lParam, 0};
                if (!MenuItemMessage(m)) return false;
                result = m.Result;
                return true;
            },
            L"KestrellePopupMenu", WS_POPUP);
    }
    const UINT align = m_alignment == TPopupAlignment::paRight    ? TPM_RIGHTALIGN
                       : m_alignment == TPopupAlignment::paCenter ? TPM_CENTERALIGN
                                                                  : TPM_LEFTALIGN;
    TrackMenuItem(Items(), POINT{x, y}, align, m_window->Handle());
}

void TPopupMenu::Publish(TPublisher<TPopupMenu>& p) {
    p.Bool(u"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    p.Enum(u"Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(TPopupAlignment::paLeft);
    p.Event(u"OnPopup", &TPopupMenu::OnPopup);
}

void TMenuItem::Publish(TPublisher<TMenuItem>& p) {
    p.String(u"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    // Stored as the text menus show; text that names no key leaves no shortcut.
    p.String(
         u"ShortCut", [](const TMenuItem& item) { return ShortCutToText(item.ShortCut()); },
         [](TMenuItem& item, std::u16string_view text) {
             const TShortCut value = TextToShortCut(text);
             if (value == scNone && !text.empty())
                 LogFailure(u"Menu item " + item.Name() + u": no shortcut \"" + std::u16string(text) + u"\"; none is set");
             item.SetShortCut(value);
         });
    p.Bool(u"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    p.Bool(u"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
    p.Integer(u"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    p.Bool(u"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    p.Bool(u"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    p.Bool(u"Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
    p.Integer(u"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
    p.Event(u"OnClick", &TMenuItem::OnClick);
    p.Event(u"OnDrawItem", &TMenuItem::OnDrawItem);
    p.Event(u"OnMeasureItem", &TMenuItem::OnMeasureItem);
}
