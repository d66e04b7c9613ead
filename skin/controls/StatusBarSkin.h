#pragma once
// The skin of a framework status bar: each panel framed by the skin's status-bar picture
// (lowered, raised or no bevel), the last one out to the bar's edge, its text in the
// skin's text colour, and the skin's size grip. Every status bar composes in one
// off-screen picture the engine shares, since no two paint at once.

#include "framework/controls/ControlTypes.h"
#include "skin/controls/SkinControl.h"

#include <vector>

class TCustomStatusBar;
class TStatusPanel;

class TSkinStatusBar : public TSkinControl {
    KESTRELLE_CLASS(TSkinStatusBar, TSkinControl)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    struct PanelPlace;
    // Has the bar work out where its parts lie at its present width.
    void RefreshParts() const;
    // The panels the bar reports a rectangle for, framed as the skin draws them.
    std::vector<PanelPlace> PlacePanels(TCustomStatusBar& bar, const RECT& rect) const;
    void Compose(HDC dc, const RECT& rect, TCustomStatusBar& bar, const std::vector<PanelPlace>& places);
    void DrawPanelFrame(HDC dc, const RECT& rect, int frame) const;
    void DrawPanelText(HDC dc, const RECT& area, std::wstring_view text, TAlignment alignment) const;
    void DrawSizeGrip(HDC dc, const RECT& rect) const;
};
