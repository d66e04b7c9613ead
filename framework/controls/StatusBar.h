#pragma once
// A status bar on the common status-bar control: a row of panels (width, text,
// bevel, alignment, owner-drawn or text) or one simple text across the bar, with an
// optional size grip. The control itself answers SB_GETRECT for the panels.

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Collection.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCustomStatusBar;

class TStatusPanel : public TCollectionItem {
    KESTRELLE_CLASS(TStatusPanel, TCollectionItem)

public:
    int Width() const noexcept { return m_width; }
    void SetWidth(int value);
    const std::wstring& Text() const noexcept { return m_text; }
    void SetText(std::wstring_view value);
    TStatusPanelBevel Bevel() const noexcept { return m_bevel; }
    void SetBevel(TStatusPanelBevel value);
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelStyle Style() const noexcept { return m_style; }
    void SetStyle(TStatusPanelStyle value);
    TBiDiMode BiDiMode() const noexcept { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode value);

    static void Publish(TPublisher<TStatusPanel>& p);

private:
    int m_width = 50;
    std::wstring m_text;
    TStatusPanelBevel m_bevel = TStatusPanelBevel::pbLowered;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TStatusPanelStyle m_style = TStatusPanelStyle::psText;
    TBiDiMode m_biDiMode = TBiDiMode::bdLeftToRight;
};

// The panels of one status bar, in index order; owned by the bar.
class TStatusPanels : public TCollection {
    KESTRELLE_CLASS(TStatusPanels, TCollection)

public:
    explicit TStatusPanels(TCustomStatusBar& bar) noexcept : TCollection(TCollection::Of<TStatusPanel>()), m_bar{bar} {}

    TStatusPanel& Add() { return static_cast<TStatusPanel&>(TCollection::Add()); }
    // Null outside the range.
    TStatusPanel* Items(int index) const noexcept { return ItemAs<TStatusPanel>(index); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomStatusBar& m_bar;
};

// `rect` is the panel's area in the bar's client coordinates; draw on the bar's
// Canvas(), which holds the control's DC while the event runs.
using TDrawPanelEvent = std::function<void(TCustomStatusBar* statusBar, TStatusPanel* panel, const RECT& rect)>;

class TCustomStatusBar : public TWinControl {
    KESTRELLE_CLASS(TCustomStatusBar, TWinControl)

public:
    TCustomStatusBar();
    ~TCustomStatusBar() override;

    TStatusPanels& Panels() noexcept { return m_panels; }
    bool SimplePanel() const noexcept { return m_simplePanel; }
    void SetSimplePanel(bool value);
    const std::wstring& SimpleText() const noexcept { return m_simpleText; }
    void SetSimpleText(std::wstring_view value);
    bool SizeGrip() const noexcept { return m_sizeGrip; }
    void SetSizeGrip(bool value);

    // The rectangle the control reports for panel `index` (SB_GETRECT), or an empty one.
    core::Rect PanelRect(int index);
    // What OnDrawPanel draws on.
    TCanvas& Canvas() noexcept { return m_canvas; }

    TDrawPanelEvent OnDrawPanel;

    static void Publish(TPublisher<TCustomStatusBar>& p);

    // The panels changed: all of them (null) or one.
    void PanelsChanged(const TStatusPanel* panel);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    std::vector<int> PartEdges() const;
    void SendParts();
    void SendPanelText(int index);

    TStatusPanels m_panels{*this};
    bool m_simplePanel = false;
    std::wstring m_simpleText;
    bool m_sizeGrip = true;
    TControlCanvas m_canvas{*this};
    std::vector<int> m_sentEdges;
};

class TStatusBar : public TCustomStatusBar {
    KESTRELLE_CLASS(TStatusBar, TCustomStatusBar)
};
