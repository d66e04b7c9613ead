#pragma once
// Tab controls on the common tab control: a row of tabs alone (TTabControl, its Tabs a
// string list) or with a page for each tab (TPageControl and its TTabSheet pages, child
// windows of which only the active one shows). The tabs may sit on any side and look
// like tabs or buttons. The tabs and the active one are kept here and handed to every
// window the control makes, so they outlive a re-created window. OnChanging may refuse
// a change the user asks for; OnChange follows each one made.

#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/core/Events.h"
#include "framework/core/StringList.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TCustomTabControl : public TWinControl {
    KESTRELLE_CLASS(TCustomTabControl, TWinControl)

public:
    TCustomTabControl();

    TTabPosition TabPosition() const noexcept { return m_tabPosition; }
    void SetTabPosition(TTabPosition value);
    TTabStyle Style() const noexcept { return m_style; }
    void SetStyle(TTabStyle value);
    // More than one row of tabs where they do not fit in one (always with tabs at the side).
    bool MultiLine() const noexcept { return m_multiLine; }
    void SetMultiLine(bool value);
    // The tab shown selected; -1 none.
    int TabIndex() const noexcept;
    void SetTabIndex(int value);
    // The tabs the control shows now, in order.
    int TabCount() const noexcept { return static_cast<int>(TabTexts().size()); }
    // The rectangle the control gives tab `index` (client coordinates); empty when it has none.
    core::Rect TabRect(int index) const;
    // The part of the client area below (beside) the tabs.
    core::Rect DisplayRect() const;
    core::Rect AdjustClientRect(core::Rect rect) const override;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

    static void Publish(TPublisher<TCustomTabControl>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

    // What each tab says, in order.
    virtual std::vector<std::wstring> TabTexts() const = 0;
    // The user chose tab `index` (already selected in the window).
    virtual void TabChosen(int index);
    // Puts TabTexts into the window and selects TabIndex there.
    void SendTabs();

    int m_tabIndex = -1;

private:
    TTabPosition m_tabPosition = TTabPosition::tpTop;
    TTabStyle m_style = TTabStyle::tsTabs;
    bool m_multiLine = false;
};

class TTabControl : public TCustomTabControl {
    KESTRELLE_CLASS(TTabControl, TCustomTabControl)

public:
    const TStringList& Tabs() const noexcept { return m_tabs; }
    void SetTabs(const TStringList& value);
    int AddTab(std::wstring_view text);

    void Loaded() override;
    static void Publish(TPublisher<TTabControl>& p);

protected:
    std::vector<std::wstring> TabTexts() const override;

private:
    TStringList m_tabs;
};

class TPageControl;

// One page of a page control: a child window of it, shown while its tab is the active one.
class TTabSheet : public TWinControl {
    KESTRELLE_CLASS(TTabSheet, TWinControl)

public:
    TTabSheet();
    ~TTabSheet() override;

    // The page control the sheet belongs to (its parent); null when none.
    TPageControl* PageControl() const noexcept;
    void SetPageControl(TPageControl* value);
    void SetParent(TWinControl* parent) override;
    // The sheet's place among its page control's pages; -1 outside one.
    int PageIndex() const noexcept;
    void SetPageIndex(int value);
    // A sheet whose tab is hidden stays in the page list but has no tab.
    bool TabVisible() const noexcept { return m_tabVisible; }
    void SetTabVisible(bool value);
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int value);
    // The index of the sheet's tab; -1 when it has none.
    int TabIndex() const noexcept;

    static void Publish(TPublisher<TTabSheet>& p);

protected:
    void CaptionChanged() override;

private:
    ComponentRef<TPageControl> m_pageControl;
    bool m_tabVisible = true;
    int m_imageIndex = -1;
};

class TPageControl : public TCustomTabControl {
    KESTRELLE_CLASS(TPageControl, TCustomTabControl)

public:
    int PageCount() const noexcept;
    // Null outside the range.
    TTabSheet* Pages(int index) const noexcept;
    // The page whose tab has index `tabIndex`; null for none.
    TTabSheet* TabPage(int tabIndex) const noexcept;
    TTabSheet* ActivePage() const noexcept { return m_activePage.Get(); }
    // Shows `value` (one of the pages, or null for none) and selects its tab.
    void SetActivePage(TTabSheet* value);
    int ActivePageIndex() const noexcept;
    void SetActivePageIndex(int value);

    static void Publish(TPublisher<TPageControl>& p);

protected:
    std::vector<std::wstring> TabTexts() const override;
    void TabChosen(int index) override;

private:
    friend class TTabSheet;
    // Kept by the sheets: each tells its page control when it joins, leaves or changes.
    void InsertPage(TTabSheet& page);
    void RemovePage(TTabSheet& page);
    void MovePage(TTabSheet& page, int index);
    void PagesChanged();
    void ShowActive();

    std::vector<ComponentRef<TTabSheet>> m_pages;
    ComponentRef<TTabSheet> m_activePage;
};

// A page control that draws its tabs itself from two pictures, one for the active tab and
// one for the others, each stretched over its tab; without a picture a tab is drawn
// plainly. Skins hand it their tab pictures through the two published properties.
class TPicturePageControl : public TPageControl {
    KESTRELLE_CLASS(TPicturePageControl, TPageControl)

public:
    const TBitmap& TabBackGround() const noexcept { return m_tabBackGround; }
    void SetTabBackGround(const TBitmap& value);
    const TBitmap& TabBackGroundActive() const noexcept { return m_tabBackGroundActive; }
    void SetTabBackGroundActive(const TBitmap& value);

    static void Publish(TPublisher<TPicturePageControl>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void DrawTab(const DRAWITEMSTRUCT& item);

    TBitmap m_tabBackGround;
    TBitmap m_tabBackGroundActive;
};
