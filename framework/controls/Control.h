#pragma once
// Base of every visual control: bounds inside a parent, alignment, the common looks
// (colour, font, caption, visibility, reading order, cursor, hint) and the message
// path. Every message reaches the control through WindowProc, a handler value that
// others may replace (keeping and calling the one they replaced); by default it calls
// the virtual WndProc. A control without a window of its own is painted and fed mouse
// input by its parent.

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Messages.h"
#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Geometry.h"
#include "framework/core/Properties.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"

#include <functional>
#include <string>
#include <string_view>

#include <windows.h>

class TPopupMenu;
class TWinControl;

using TWndMethod = std::function<void(TMessage& message)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

// Behaviour switches a control class sets for itself.
enum class ControlStyle : unsigned {
    None = 0,
    AcceptsControls = 1,  // may be the parent of other controls
    CaptureMouse = 2,     // keeps the mouse while a button is held down
    ClickEvents = 4,      // a press and release inside makes a click
    Opaque = 8,           // paints all of its bounds; nothing behind it needs painting
    DoubleClicks = 16,    // wants double-click messages rather than a second press
    ShownByParent = 32,   // windowless, but its parent's window shows it and takes its input
};
constexpr ControlStyle operator|(ControlStyle a, ControlStyle b) noexcept {
    return static_cast<ControlStyle>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(ControlStyle set, ControlStyle member) noexcept {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(member)) != 0;
}

class TControl : public TComponent {
    KESTRELLE_CLASS(TControl, TComponent)

public:
    TControl();
    ~TControl() override;

    // The parent window control; null while the control is not placed anywhere.
    TWinControl* Parent() const noexcept { return m_parent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const noexcept { return m_left; }
    int Top() const noexcept { return m_top; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    void SetLeft(int value) { SetBounds(value, m_top, m_width, m_height); }
    void SetTop(int value) { SetBounds(m_left, value, m_width, m_height); }
    void SetWidth(int value) { SetBounds(m_left, m_top, value, m_height); }
    void SetHeight(int value) { SetBounds(m_left, m_top, m_width, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    core::Rect BoundsRect() const noexcept { return core::Rect::FromBounds(m_left, m_top, m_width, m_height); }
    // The client area at origin; controls with borders report less than their bounds.
    virtual core::Rect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    TAlign Align() const noexcept { return m_align; }
    void SetAlign(TAlign value);

    bool Visible() const noexcept { return m_visible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and through every parent.
    virtual bool Showing() const noexcept;

    bool Enabled() const noexcept { return m_enabled; }
    virtual void SetEnabled(bool value);

    TColor Color() const noexcept { return m_color; }
    void SetColor(TColor value);
    bool ParentColor() const noexcept { return m_parentColor; }
    void SetParentColor(bool value);

    // The control's font; changing it turns ParentFont off.
    TFont& Font() noexcept { return m_font; }
    const TFont& Font() const noexcept { return m_font; }
    void SetFont(const TFont& value) { m_font.Assign(value); }
    bool ParentFont() const noexcept { return m_parentFont; }
    void SetParentFont(bool value);
    // The handle of Font, owned by it; a stock font if it cannot be made.
    HFONT FontHandle() const noexcept;

    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring_view value);

    const std::wstring& Hint() const noexcept { return m_hint; }
    void SetHint(std::wstring_view value) { m_hint = value; }
    bool ShowHint() const noexcept { return m_showHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return m_parentShowHint; }
    void SetParentShowHint(bool value);

    TBiDiMode BiDiMode() const noexcept { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const noexcept { return m_parentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftReading() const noexcept { return m_biDiMode != TBiDiMode::bdLeftToRight; }
    bool UseRightToLeftAlignment() const noexcept { return m_biDiMode == TBiDiMode::bdRightToLeft; }

    TCursor Cursor() const noexcept { return m_cursor; }
    void SetCursor(TCursor value) { m_cursor = value; }

    // Opened by a right click on the control or the context-menu key (WM_CONTEXTMENU),
    // when its AutoPopup is on; without one the parent's opens. Not owned; null once
    // it is gone.
    TPopupMenu* PopupMenu() const noexcept;
    void SetPopupMenu(TPopupMenu* value);

    ControlStyle Style() const noexcept { return m_controlStyle; }

    // The replaceable handler. Whoever replaces it keeps the old one and passes on what
    // it does not handle; whoever restores it puts back exactly what it saved.
    const TWndMethod& WindowProc() const noexcept { return m_windowProc; }
    void SetWindowProc(TWndMethod handler);
    // The handler the control starts with: the virtual WndProc.
    TWndMethod DefaultWindowProc();

    // Sends a message through WindowProc at once and returns its Result. A framework
    // notification (IsFrameworkMessage) to a control whose window procedure someone else
    // has replaced (TWinControl::HasForeignWindowProc) is sent to the window instead: it
    // passes every procedure in front of the framework's, each once, and reaches
    // WindowProc last, unless one of them keeps it. A skin thus sees the notifications
    // whether it replaced WindowProc or subclassed the window, and attaches only one way.
    // On that path an exception from a handler goes to the application's handler, as for
    // any window message, instead of to the caller.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Runs the control's own mouse-down handling (MouseDown, hence OnMouseDown) for a
    // press that a skin took away from it: no click starts. The button follows the
    // message (left unless it is a right or middle press), the shift state its key flags,
    // the position its signed coordinates; a control wider or taller than 0x8000 gets the
    // cursor position in its client coordinates instead, as 16 bits cannot reach its far side.
    void RelayMouseDown(const TMessage& message);

    // Schedules a repaint of the control (for a windowless control: its part of the parent).
    virtual void Invalidate();
    // Paints what is invalid now.
    virtual void Update();
    void Repaint();

    virtual core::Point ClientToScreen(core::Point p) const;
    core::Point ScreenToClient(core::Point p) const;
    // The control's client origin in its parent's client coordinates.
    core::Point ClientOrigin() const;

    // Moves the control to the top or bottom of its siblings' painting order.
    void BringToFront();
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Fires OnClick; the control's own reaction to a completed click.
    virtual void Click();

    void Loaded() override;

    // Stored layouts nest a control in its parent's entry and parent it on reading.
    TComponent* GetParentComponent() const noexcept override;
    void SetParentComponent(TComponent* parent) override;

    static void Publish(TPublisher<TControl>& p);

protected:
    friend class TWinControl;

    virtual void WndProc(TMessage& message);
    // What a message nobody handled gets: nothing here, the window's own procedure for
    // controls with a window.
    virtual void DefaultHandler(TMessage& message);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // Hooks for changes the control may need to react to.
    virtual void CaptionChanged();
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void BiDiModeChanged();
    virtual void BoundsChanged(bool sizeChanged);
    virtual void Resize();

    void SetControlStyle(ControlStyle style) noexcept { m_controlStyle = style; }
    // Stores new bounds without telling the window system (the window already moved).
    void UpdateBoundsFields(int left, int top, int width, int height);
    // Takes the parent's colour, font, hint switch and reading order where the Parent... flags say so.
    virtual void ParentChanged();
    void RequestRealign();
    // Takes the parent's font without turning ParentFont off.
    void InheritFont(const TFont& font);
    // Takes a value and hands it on to the children that follow their parent.
    void PassShowHint(bool value);
    void PassBiDiMode(TBiDiMode value);

    // Pressed inside and not yet released: the next release inside clicks.
    bool m_clicking = false;

private:
    void InvalidateInParent(const core::Rect& area);
    // Opens PopupMenu for WM_CONTEXTMENU's `lParam` (a screen point, or -1, -1 from the
    // keyboard); false when the control has none to open.
    bool ShowPopupMenu(LPARAM lParam);
    // Runs `message` through the control's handlers the way Perform describes.
    void Deliver(TMessage& message);

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = TAlign::alNone;
    bool m_visible = true;
    bool m_enabled = true;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    TFont m_font;
    bool m_parentFont = true;
    bool m_inheritingFont = false;
    std::wstring m_caption;
    std::wstring m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TBiDiMode m_biDiMode = TBiDiMode::bdLeftToRight;
    bool m_parentBiDiMode = true;
    TCursor m_cursor = crDefault;
    ControlStyle m_controlStyle = ControlStyle::ClickEvents | ControlStyle::CaptureMouse;
    TWndMethod m_windowProc;
    ComponentRef<TComponent> m_popupMenu;
};

// The shift state carried by a mouse message's key flags.
TShiftState ShiftFromKeyFlags(WPARAM keys) noexcept;
// The state of the keyboard's shift keys now.
TShiftState ShiftFromKeyboard() noexcept;
