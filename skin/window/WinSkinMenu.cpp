#include "skin/window/WinSkinMenu.h"

#include "framework/controls/Menus.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/win/Convert.h"
#include "skin/data/SharedScratch.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuRules.h"
#include "skin/window/WinSkinForm.h"

#include <algorithm>
#include <array>
#include <cwchar>

namespace {

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_EXPANDTABS;
constexpr size_t kTextLimit = 80;

// The item's text as the menu holds it; a framework item's own caption replaces it later.
struct BarItem {
    std::wstring text;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    bool read = false;
    bool bitmap = false;  // a picture item, such as a maximised MDI child's icon and buttons
};

BarItem ReadBarItem(HMENU menu, int position) {
    std::array<wchar_t, kTextLimit + 1> text{};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    // WINE: MIIM_FTYPE and MIIM_STRING rather than MIIM_TYPE, which loses the text of
    // owner-drawn items.
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(kTextLimit);
    BarItem item;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return item;
    item.read = true;
    item.text.assign(text.data(), std::min<size_t>(info.cch, kTextLimit));
    item.text.resize(std::wcslen(item.text.c_str()));
    item.state = info.fState;
    item.id = info.wID;
    item.submenu = info.hSubMenu;
    item.bitmap = (info.fType & MFT_BITMAP) != 0;
    return item;
}

bool Disabled(UINT state) noexcept { return (state & (MFS_GRAYED | MFS_DISABLED)) != 0; }

}  // namespace

// --- TMenuBtn -------------------------------------------------------------------------------

void TMenuBtn::Paint() {
    if (Form().State() == TWinSkinForm::SkinState::Finished) return;
    const WindowDc dc = WindowDc::Whole(Form().Window());
    if (dc) m_bar->PaintButton(dc.Get(), *this);
}

// --- TWinSkinMenu ---------------------------------------------------------------------------

void TWinSkinMenu::Publish(TPublisher<TWinSkinMenu>&) {}

void TWinSkinMenu::Setup(TWinSkinForm& form, TSkinData& skinData, TMainMenu* menu) noexcept {
    m_form = &form;
    m_skinData = &skinData;
    m_menu = menu;
    MakeFont();
}

TMainMenu* TWinSkinMenu::Menu() const noexcept { return m_menu.Get(); }

TMenuBtn* TWinSkinMenu::Button(int index) const noexcept {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return nullptr;
    return m_buttons[static_cast<size_t>(index)].get();
}

void TWinSkinMenu::MakeFont() noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_font = FontHandle{::CreateFontIndirectW(&metrics.lfMenuFont)};
}

bool TWinSkinMenu::RightToLeft() const noexcept {
    return m_form && (::GetWindowLongPtrW(m_form->Window(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
}

void TWinSkinMenu::ReadMenu() {
    if (m_form && m_form->Form() && !m_menu) return;
    ReadButtons(Reading::First);
}

void TWinSkinMenu::RebuildMenu() {
    ReadButtons(Reading::Again);
    LayoutMenuBar();
}

void TWinSkinMenu::ReadButtons(Reading reading) {
    if (!m_form) return;
    HWND window = m_form->Window();
    if (HMENU current = ::GetMenu(window)) m_menuHandle = current;  // the old one is kept otherwise
    if (!m_menuHandle) return;
    if (TNCObject* hot = m_form->HotObject(); hot && As<TMenuBtn>(hot)) m_form->SetHotObject(nullptr);
    m_buttons.clear();
    const int count = ::GetMenuItemCount(m_menuHandle);
    for (int position = 0; position < std::max(count, 0); ++position) {
        const BarItem item = ReadBarItem(m_menuHandle, position);
        auto button = std::make_unique<TMenuBtn>(*m_form, *this, position);
        // The system's MDI pictures have the skin's own buttons in their stead.
        button->Visible = !item.bitmap;
        button->Submenu = item.submenu;
        button->Enabled = !Disabled(item.state);
        button->Command = item.id;
        button->Caption = item.text;
        // A framework item may show another caption than its handle (a shortcut is
        // appended there); the item knows its own. Read again, an item without text keeps
        // what the menu says.
        const bool lookUp = reading == Reading::First ? item.read : !item.text.empty();
        TMainMenu* menu = m_menu.Get();
        if (TMenuItem* found = menu && lookUp ? menu->FindItem(item.id, TFindItemKind::fkCommand) : nullptr) {
            button->Caption = found->Caption();
            button->Enabled = found->Enabled();
            if (reading == Reading::Again) button->Command = static_cast<UINT>(found->Command());
            button->SetMenuItem(found);
            button->Submenu = found->Count() > 0 ? found->Handle() : nullptr;
        }
        m_buttons.push_back(std::move(button));
    }
    ::SetMenu(window, nullptr);
}

std::vector<core::Rect> TWinSkinMenu::Layout(HDC dc, int width, int height) const {
    const TDataSkinObject* picture = m_skinData ? m_skinData->MenuBarSkin() : nullptr;
    MenuBarPicture facts;
    if (picture && !picture->Image.Empty()) facts = {true, picture->LeftWidth, picture->RightWidth};
    const bool rightToLeft = RightToLeft();
    std::vector<MenuBarButtonFacts> buttons;
    buttons.reserve(m_buttons.size());
    for (const auto& button : m_buttons) {
        MenuBarButtonFacts f;
        f.visible = button->Visible;
        f.emptyCaption = button->Caption.empty();
        if (!f.emptyCaption) {
            RECT measured{0, 0, 0, 0};
            ::DrawTextW(dc, button->Caption.c_str(), static_cast<int>(button->Caption.size()), &measured,
                        DT_CALCRECT | DT_NOCLIP | kCaptionFormat);
            f.textWidth = measured.right - measured.left;
        }
        buttons.push_back(f);
    }
    return LayoutMenuBarButtons(buttons, width, height, MenuBarStart(width, facts, rightToLeft), rightToLeft);
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const noexcept {
    if (button.Caption.empty() || !m_skinData) return;
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    const TColor colour = button.Enabled ? m_skinData->Colours().MenuBarText : clBtnShadow;
    ::SetTextColor(dc, ColorToRGB(colour));
    // The measured block centred in the cell, the halves truncated toward zero.
    RECT measured{0, 0, 0, 0};
    ::DrawTextW(dc, button.Caption.c_str(), static_cast<int>(button.Caption.size()), &measured,
                DT_CALCRECT | DT_NOCLIP | kCaptionFormat);
    const int dx = ((cell.right - cell.left) - (measured.right - measured.left)) / 2;
    const int dy = ((cell.bottom - cell.top) - (measured.bottom - measured.top)) / 2;
    RECT box{cell.left + dx, cell.top + dy, cell.left + dx + measured.right - measured.left,
             cell.top + dy + measured.bottom - measured.top};
    UINT format = kCaptionFormat | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    if (RightToLeft()) format |= DT_RTLREADING;
    ::DrawTextW(dc, button.Caption.c_str(), static_cast<int>(button.Caption.size()), &box, format);
}

bool TWinSkinMenu::PaintMenuBar(HDC dc, const RECT& rect) noexcept {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!m_form || !m_skinData || width <= 0 || height <= 0) return false;
    TBitmap* scratch = SharedScratchBitmap(width, height);
    if (!scratch || !scratch->Dc()) return false;
    bool painted = false;
    try {
        HDC bar = scratch->Dc();
        const RECT whole{0, 0, width, height};
        const TDataSkinObject* picture = m_skinData->MenuBarSkin();
        bool drawn = false;
        if (picture && !picture->Image.Empty()) {
            const int frame = m_form->Active() ? 1 : 2;
            // The bar's own rule: Tile 1 stretches the picture's middle between its fixed
            // ends; anything else repeats the middle at its own width.
            if (picture->Tile == 1)
                drawn = DrawSliced(bar, whole, picture->Image, FrameLayout::Vertical, MiddleMode::Stretch,
                                   Transparency::Opaque, 2, frame, picture->Margins());
            else
                drawn = DrawThreePart(scratch->Canvas(), whole, picture->Image, FrameLayout::Vertical,
                                      Transparency::Opaque, 2, frame, picture->Margins());
        }
        if (!drawn) {
            BrushHandle fill{::CreateSolidBrush(ColorToRGB(m_skinData->Colours().Menubar))};
            ::FillRect(bar, &whole, fill.Get());
        }
        m_barRect = FromRECT(rect);
        if (m_background.EnsureSize(width, height)) ::BitBlt(m_background.Dc(), 0, 0, width, height, bar, 0, 0, SRCCOPY);

        {
            SelectScope useFont{bar, m_font ? static_cast<HGDIOBJ>(m_font.Get()) : ::GetStockObject(DEFAULT_GUI_FONT)};
            const std::vector<core::Rect> cells = Layout(bar, width, height);
            for (size_t i = 0; i < m_buttons.size(); ++i) {
                TMenuBtn& button = *m_buttons[i];
                if (!button.Visible) {
                    button.Bounds = {};
                    continue;
                }
                DrawCaption(bar, button, ToRECT(cells[i]));
                button.Bounds = cells[i].Offset(rect.left, rect.top);
            }
        }
        painted = ::BitBlt(dc, rect.left, rect.top, width, height, bar, 0, 0, SRCCOPY) != FALSE;
    } catch (...) {
        LogCurrentException(u"the menu bar could not be painted");
    }
    return painted;
}

void TWinSkinMenu::LayoutMenuBar() {
    if (!m_form || m_barRect.IsEmpty()) return;
    MemoryDc measure;
    if (!measure) return;
    SelectScope useFont{measure.Get(), m_font ? static_cast<HGDIOBJ>(m_font.Get()) : ::GetStockObject(DEFAULT_GUI_FONT)};
    const std::vector<core::Rect> cells = Layout(measure.Get(), m_barRect.Width(), m_barRect.Height());
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->Bounds = m_buttons[i]->Visible ? cells[i].Offset(m_barRect.left, m_barRect.top) : core::Rect{};
}

bool TWinSkinMenu::PaintButton(HDC dc, const TMenuBtn& button) noexcept {
    if (!m_skinData || !button.Visible || button.Bounds.IsEmpty() || m_barRect.IsEmpty()) return false;
    try {
        const RECT bounds = ToRECT(button.Bounds);
        const int width = bounds.right - bounds.left;
        // The button's column of the bar background, captions left out.
        ::BitBlt(dc, bounds.left, m_barRect.top, width, m_barRect.Height(), m_background.Dc(),
                 bounds.left - m_barRect.left, 0, SRCCOPY);
        if (button.State == TNCObject::kPressed || button.State == TNCObject::kHot) {
            BrushHandle frame{::CreateSolidBrush(ColorToRGB(m_skinData->Colours().ButtonHilight))};
            ::FrameRect(dc, &bounds, frame.Get());
        }
        SelectScope useFont{dc, m_font ? static_cast<HGDIOBJ>(m_font.Get()) : ::GetStockObject(DEFAULT_GUI_FONT)};
        DrawCaption(dc, button, bounds);
        return true;
    } catch (...) {
        LogCurrentException(u"a menu-bar button could not be painted");
        return false;
    }
}

TMenuBtn* TWinSkinMenu::FindMenuButton(core::Point framePoint) const noexcept {
    for (const auto& button : m_buttons)
        if (button->Visible && !button->Caption.empty() && button->Bounds.Contains(framePoint)) return button.get();
    return nullptr;
}

namespace {

std::vector<MenuBarEntry> Entries(const std::vector<std::unique_ptr<TMenuBtn>>& buttons,
                                  std::vector<std::u16string>& texts) {
    texts.clear();
    texts.reserve(buttons.size());
    for (const auto& b : buttons) texts.push_back(FromWide(b->Caption));
    std::vector<MenuBarEntry> entries;
    entries.reserve(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i)
        entries.push_back({texts[i], buttons[i]->Enabled, buttons[i]->Visible, buttons[i]->Submenu != nullptr});
    return entries;
}

}  // namespace

TMenuBtn* TWinSkinMenu::FindAccelButton(wchar_t key) const {
    std::vector<std::u16string> texts;
    const auto entries = Entries(m_buttons, texts);
    return Button(FindAccelIndex(entries, static_cast<char16_t>(key)));
}

TMenuBtn* TWinSkinMenu::Neighbour(int index, int step) const {
    std::vector<std::u16string> texts;
    const auto entries = Entries(m_buttons, texts);
    return Button(NeighbourMenuButton(index, step, entries));
}

TMenuBtn* TWinSkinMenu::KeyTarget(uint32_t virtualKey, const MenuSelection& selection, bool rightToLeft,
                                  int current) const {
    std::vector<std::u16string> texts;
    const auto entries = Entries(m_buttons, texts);
    return Button(MenuBarKeyTarget(virtualKey, selection, rightToLeft, current, entries));
}
