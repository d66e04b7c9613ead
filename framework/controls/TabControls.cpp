#include "framework/controls/TabControls.h"

#include "framework/win/Convert.h"
#include "framework/win/Handles.h"

#include <algorithm>

#include <commctrl.h>

// ---- the tab row --------------------------------------------------------------------------

TCustomTabControl::TCustomTabControl() {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = WC_TABCONTROLW;
    params.commonControls = ICC_TAB_CLASSES;
    params.style |= WS_CLIPCHILDREN;
    switch (m_tabPosition) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: params.style |= TCS_BOTTOM; break;
    case TTabPosition::tpLeft: params.style |= TCS_VERTICAL; break;
    case TTabPosition::tpRight: params.style |= TCS_VERTICAL | TCS_RIGHT; break;
    }
    // The control lays tabs at a side only in rows.
    if (m_multiLine || m_tabPosition == TTabPosition::tpLeft || m_tabPosition == TTabPosition::tpRight)
        params.style |= TCS_MULTILINE;
    if (m_style == TTabStyle::tsButtons) params.style |= TCS_BUTTONS;
    if (m_style == TTabStyle::tsFlatButtons) params.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TCustomTabControl::InitializeWindow() {
    ::SendMessageW(HandleIfAllocated(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendTabs();
}

void TCustomTabControl::DestroyWnd() {
    if (HandleAllocated() && !IsDestroying()) m_tabIndex = TabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::SendTabs() {
    HWND tabs = HandleIfAllocated();
    if (!tabs) return;
    ::SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0);
    const std::vector<std::wstring> texts = TabTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(texts[i].c_str());
        ::SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    if (m_tabIndex >= static_cast<int>(texts.size())) m_tabIndex = static_cast<int>(texts.size()) - 1;
    ::SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(m_tabIndex), 0);
    // More or fewer rows of tabs move the display area.
    Realign();
    Invalidate();
}

int TCustomTabControl::TabIndex() const noexcept {
    if (HWND tabs = HandleIfAllocated()) return static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    return m_tabIndex;
}

void TCustomTabControl::SetTabIndex(int value) {
    // A stored layout may give the index before the tabs; Loaded checks it then.
    if (!IsLoading() && (value < -1 || value >= TabCount())) value = -1;
    m_tabIndex = value;
    if (HWND tabs = HandleIfAllocated()) ::SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
    if (value == m_tabPosition) return;
    m_tabPosition = value;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle value) {
    if (value == m_style) return;
    m_style = value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (value == m_multiLine) return;
    m_multiLine = value;
    RecreateWnd();
}

core::Rect TCustomTabControl::TabRect(int index) const {
    RECT r{};
    HWND tabs = HandleIfAllocated();
    if (!tabs || !::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        return {};
    return FromRECT(r);
}

core::Rect TCustomTabControl::DisplayRect() const { return AdjustClientRect(ClientRect()); }

core::Rect TCustomTabControl::AdjustClientRect(core::Rect rect) const {
    HWND tabs = HandleIfAllocated();
    if (!tabs) return rect;
    RECT r = ToRECT(rect);
    ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return FromRECT(r);
}

void TCustomTabControl::TabChosen(int index) {
    m_tabIndex = index;
    Fire(OnChange, this);
}

void TCustomTabControl::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectNotify && message.LParam) {
        const UINT code = reinterpret_cast<const NMHDR*>(message.LParam)->code;
        if (code == TCN_SELCHANGING) {
            bool allow = true;
            Fire(OnChanging, this, allow);
            message.Result = allow ? FALSE : TRUE;  // TRUE keeps the tab selected now
            return;
        }
        if (code == TCN_SELCHANGE) {
            TabChosen(TabIndex());
            message.Result = 0;
            return;
        }
    }
    TWinControl::WndProc(message);
}

void TCustomTabControl::Publish(TPublisher<TCustomTabControl>& p) {
    p.Enum(u"TabPosition", &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition)
        .Default(TTabPosition::tpTop);
    p.Enum(u"Style", &TCustomTabControl::Style, &TCustomTabControl::SetStyle).Default(TTabStyle::tsTabs);
    p.Bool(u"MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine).Default(false);
    p.Event(u"OnChanging", &TCustomTabControl::OnChanging);
    p.Event(u"OnChange", &TCustomTabControl::OnChange);
}

// ---- tabs without pages ------------------------------------------------------------------

void TTabControl::SetTabs(const TStringList& value) {
    m_tabs.Assign(value);
    SendTabs();
}

int TTabControl::AddTab(std::wstring_view text) {
    const int index = m_tabs.Add(FromWide(text));
    SendTabs();
    return index;
}

std::vector<std::wstring> TTabControl::TabTexts() const {
    std::vector<std::wstring> texts;
    for (int i = 0; i < m_tabs.Count(); ++i) texts.push_back(ToWide(m_tabs[i]));
    return texts;
}

void TTabControl::Loaded() {
    TCustomTabControl::Loaded();
    if (m_tabIndex < -1 || m_tabIndex >= m_tabs.Count()) m_tabIndex = -1;
    SendTabs();
}

void TTabControl::Publish(TPublisher<TTabControl>& p) {
    p.Object(u"Tabs", [](TTabControl& t) -> TStringList& { return t.m_tabs; }, &TTabControl::SetTabs);
    p.Integer(u"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
}

// ---- pages -------------------------------------------------------------------------------

TTabSheet::TTabSheet() {
    SetAlign(TAlign::alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    // Its tab goes with it.
    if (TPageControl* pages = m_pageControl.Get()) pages->RemovePage(*this);
}

TPageControl* TTabSheet::PageControl() const noexcept { return m_pageControl.Get(); }

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent) {
    TPageControl* old = m_pageControl.Get();
    TWinControl::SetParent(parent);
    auto* pages = As<TPageControl>(Parent());
    if (pages == old) return;
    m_pageControl = pages;
    if (old) old->RemovePage(*this);
    if (pages) pages->InsertPage(*this);
}

int TTabSheet::PageIndex() const noexcept {
    const TPageControl* pages = m_pageControl.Get();
    if (!pages) return -1;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetPageIndex(int value) {
    if (TPageControl* pages = m_pageControl.Get()) pages->MovePage(*this, value);
}

int TTabSheet::TabIndex() const noexcept {
    const TPageControl* pages = m_pageControl.Get();
    if (!m_tabVisible || !pages) return -1;
    int tab = 0;
    for (int i = 0; i < pages->PageCount(); ++i) {
        const TTabSheet* page = pages->Pages(i);
        if (page == this) return tab;
        if (page->TabVisible()) ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == m_tabVisible) return;
    m_tabVisible = value;
    if (TPageControl* pages = m_pageControl.Get()) pages->PagesChanged();
}

void TTabSheet::SetImageIndex(int value) { m_imageIndex = value; }

void TTabSheet::CaptionChanged() {
    TWinControl::CaptionChanged();
    if (TPageControl* pages = m_pageControl.Get()) pages->PagesChanged();
}

void TTabSheet::Publish(TPublisher<TTabSheet>& p) {
    p.Bool(u"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    p.Integer(u"ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
    p.Integer(u"PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).NotStored();
}

int TPageControl::PageCount() const noexcept {
    return static_cast<int>(std::count_if(m_pages.begin(), m_pages.end(), [](const auto& ref) { return ref.Get(); }));
}

TTabSheet* TPageControl::Pages(int index) const noexcept {
    if (index < 0) return nullptr;
    for (const ComponentRef<TTabSheet>& ref : m_pages)
        if (TTabSheet* page = ref.Get(); page && index-- == 0) return page;
    return nullptr;
}

TTabSheet* TPageControl::TabPage(int tabIndex) const noexcept {
    if (tabIndex < 0) return nullptr;
    for (const ComponentRef<TTabSheet>& ref : m_pages)
        if (TTabSheet* page = ref.Get(); page && page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

int TPageControl::ActivePageIndex() const noexcept {
    const TTabSheet* active = m_activePage.Get();
    return active ? active->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int value) { SetActivePage(Pages(value)); }

void TPageControl::SetActivePage(TTabSheet* value) {
    if (value && value->PageControl() != this) return;
    m_activePage = value;
    m_tabIndex = value ? value->TabIndex() : -1;
    if (HWND tabs = HandleIfAllocated()) ::SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(m_tabIndex), 0);
    ShowActive();
}

void TPageControl::ShowActive() {
    TTabSheet* active = m_activePage.Get();
    // The new page shows before the old one hides, so the control never flashes empty.
    if (active) {
        active->SetVisible(true);
        active->BringToFront();
    }
    for (const ComponentRef<TTabSheet>& ref : m_pages)
        if (TTabSheet* page = ref.Get(); page && page != active) page->SetVisible(false);
}

std::vector<std::wstring> TPageControl::TabTexts() const {
    std::vector<std::wstring> texts;
    for (const ComponentRef<TTabSheet>& ref : m_pages)
        if (const TTabSheet* page = ref.Get(); page && page->TabVisible()) texts.push_back(page->Caption());
    return texts;
}

void TPageControl::TabChosen(int index) {
    m_activePage = TabPage(index);
    ShowActive();
    TCustomTabControl::TabChosen(index);
}

void TPageControl::InsertPage(TTabSheet& page) {
    m_pages.emplace_back(&page);
    if (!m_activePage) m_activePage = &page;
    PagesChanged();
}

void TPageControl::RemovePage(TTabSheet& page) {
    // A sheet on its way out has turned null already; either way it leaves the list.
    std::erase_if(m_pages, [&](const ComponentRef<TTabSheet>& ref) { return !ref.Get() || ref.Get() == &page; });
    if (m_activePage.Get() == &page || !m_activePage) {
        // The page after the gone one's tab, else the last.
        TTabSheet* next = TabPage(std::max(m_tabIndex, 0));
        if (!next) next = TabPage(static_cast<int>(TabTexts().size()) - 1);
        m_activePage = next;
    }
    if (!IsDestroying()) PagesChanged();
}

void TPageControl::MovePage(TTabSheet& page, int index) {
    const auto found = std::find_if(m_pages.begin(), m_pages.end(), [&](const auto& ref) { return ref.Get() == &page; });
    if (found == m_pages.end()) return;
    ComponentRef<TTabSheet> moved = *found;
    m_pages.erase(found);
    index = std::clamp(index, 0, static_cast<int>(m_pages.size()));
    m_pages.insert(m_pages.begin() + index, moved);
    PagesChanged();
}

void TPageControl::PagesChanged() {
    const TTabSheet* active = m_activePage.Get();
    m_tabIndex = active ? active->TabIndex() : -1;
    SendTabs();
    ShowActive();
}

void TPageControl::Publish(TPublisher<TPageControl>& p) {
    p.Reference(u"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
}

// ---- pages whose tabs are pictures -------------------------------------------------------

void TPicturePageControl::SetTabBackGround(const TBitmap& value) {
    m_tabBackGround.Assign(value);
    Invalidate();
}

void TPicturePageControl::SetTabBackGroundActive(const TBitmap& value) {
    m_tabBackGroundActive.Assign(value);
    Invalidate();
}

void TPicturePageControl::CreateParams(TCreateParams& params) {
    TPageControl::CreateParams(params);
    params.style |= TCS_OWNERDRAWFIXED;
}

void TPicturePageControl::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectDrawItem && message.LParam) {
        DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    }
    TPageControl::WndProc(message);
}

void TPicturePageControl::DrawTab(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    const bool active = (item.itemState & ODS_SELECTED) != 0 || static_cast<int>(item.itemID) == TabIndex();
    const TBitmap& picture = active ? m_tabBackGroundActive : m_tabBackGround;
    if (!picture.Empty() && picture.Dc()) {
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, picture.Dc(), 0, 0,
                     picture.Width(), picture.Height(), SRCCOPY);
    } else {
        ::FillRect(dc, &box, ::GetSysColorBrush(active ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    const TTabSheet* page = TabPage(static_cast<int>(item.itemID));
    if (!page) return;
    const std::wstring& caption = page->Caption();
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TPicturePageControl::Publish(TPublisher<TPicturePageControl>& p) {
    p.Object(u"TabBackGround", [](TPicturePageControl& c) -> TBitmap& { return c.m_tabBackGround; },
             &TPicturePageControl::SetTabBackGround)
        .Stored([](const TObject& o) { return !static_cast<const TPicturePageControl&>(o).TabBackGround().Empty(); });
    p.Object(u"TabBackGroundActive", [](TPicturePageControl& c) -> TBitmap& { return c.m_tabBackGroundActive; },
             &TPicturePageControl::SetTabBackGroundActive)
        .Stored([](const TObject& o) {
            return !static_cast<const TPicturePageControl&>(o).TabBackGroundActive().Empty();
        });
}
