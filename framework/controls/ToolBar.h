#pragma once
// A tool bar on the common toolbar control, and its buttons. The buttons are windowless
// children of the bar that the control shows and presses itself (in the order they
// joined the bar); a button's click comes from the control's command notice. Images
// come from an image list the bar follows (Images); captions show when ShowCaptions is
// on. A button may stand for a menu item (MenuItem): its click clicks the item, and its
// drop-down arrow (or, without one, its click) opens the item's sub-items. OnCustomDraw
// and OnCustomDrawButton let the program (or a skin) draw the bar and its buttons
// through the control's custom-draw notices.

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "framework/core/EnumSet.h"
#include "framework/graphics/ImageList.h"

#include <functional>
#include <vector>

class TMenuItem;
class TToolBar;

// The state a custom-drawn item is in; the members are the bits of CDIS_*, in order.
enum class TCustomDrawStateItem {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using TCustomDrawState = EnumSet<TCustomDrawStateItem>;

// What the control draws of a button that OnCustomDrawButton left to it: the whole
// button, or only its image, caption and drop-down arrow over a face the handler painted.
enum class TToolButtonParts { All, ImageAndCaption };

class TToolButton : public TGraphicControl {
    KESTRELLE_CLASS(TToolButton, TGraphicControl)

public:
    TToolButton();
    ~TToolButton() override;

    // The image of the bar's Images it shows; -1: none.
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int value);
    // Published as "Style".
    TToolButtonStyle ButtonStyle() const noexcept { return m_style; }
    void SetButtonStyle(TToolButtonStyle value);
    // Shown pressed in; a tbsCheck button changes it when clicked.
    bool Down() const noexcept { return m_down; }
    void SetDown(bool value);
    // The menu item the button stands for; not owned, null once it is gone.
    TMenuItem* MenuItem() const noexcept;
    void SetMenuItem(TMenuItem* value);
    void Click() override;

    // The tool bar the button is on; null when it is on none.
    TToolBar* ToolBar() const noexcept;
    void SetParent(TWinControl* parent) override;

    static void Publish(TPublisher<TToolButton>& p);

protected:
    void WndProc(TMessage& message) override;
    void CaptionChanged() override;

private:
    friend class TToolBar;
    // Tells the bar to show the button's new look.
    void Changed();

    int m_imageIndex = -1;
    TToolButtonStyle m_style = TToolButtonStyle::tbsButton;
    bool m_down = false;
    ComponentRef<TComponent> m_menuItem;
};

// `rect` is the bar's client area; clear `defaultDraw` to keep the control from drawing.
using TTBCustomDrawEvent = std::function<void(TToolBar* sender, const RECT& rect, bool& defaultDraw)>;
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)>;

class TToolBar : public TWinControl {
    KESTRELLE_CLASS(TToolBar, TWinControl)

public:
    TToolBar();
    ~TToolBar() override;

    int ButtonCount() const noexcept { return static_cast<int>(m_buttons.size()); }
    // Null outside the range.
    TToolButton* Buttons(int index) const noexcept;

    bool Flat() const noexcept { return m_flat; }
    void SetFlat(bool value);
    bool Transparent() const noexcept { return m_transparent; }
    void SetTransparent(bool value);
    bool ShowCaptions() const noexcept { return m_showCaptions; }
    void SetShowCaptions(bool value);
    // Not owned; the bar lets go of it when it goes.
    TImageList* Images() const noexcept { return m_images.List(); }
    void SetImages(TImageList* value);

    // What the custom-draw events draw on: the control's DC while they run. During
    // OnCustomDrawButton its font colour is the caption's, and a colour the handler sets
    // there is the one the control draws the caption in.
    TCanvas& Canvas() noexcept { return m_canvas; }
    // Called by OnCustomDrawButton for the button it is drawing; each button starts at All.
    void SetButtonParts(TToolButtonParts parts) noexcept { m_buttonParts = parts; }

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

    static void Publish(TPublisher<TToolBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    friend class TToolButton;
    void ButtonJoined(TToolButton& button);
    void ButtonLeft(TToolButton& button);
    // Shows the buttons as they are now: all of them again, which keeps command ids and
    // positions simple; a bar holds a handful.
    void SendButtons();
    void SendImages();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    // Shows the sub-items of the button's menu item below it.
    void DropDown(TToolButton& button);

    std::vector<TToolButton*> m_buttons;  // children, in the order they joined; the command id is the index
    bool m_flat = false;
    bool m_transparent = false;
    bool m_showCaptions = false;
    ImageListLink m_images{[this] { SendImages(); }};
    TControlCanvas m_canvas{*this};
    TToolButtonParts m_buttonParts = TToolButtonParts::All;
};
