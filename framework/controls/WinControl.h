#pragma once
// A control with a window of its own, and the parent of other controls. It makes its
// window on demand, subclasses it through a thunk, tags it with the control (window
// property "ControlOfs" + module + thread), paints and feeds its windowless children,
// aligns its children, keeps their tab order, and passes notifications from child
// windows back to the child controls (at kMsgReflectBase + message).

#include "framework/controls/Control.h"
#include "framework/win/Handles.h"
#include "framework/win/MouseLeaveTracker.h"
#include "framework/win/Subclasser.h"

#include <memory>
#include <string>
#include <vector>

class DibSection;

// What a control asks CreateWindowEx for.
struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    // The window class registered for the control (its class name by default), and the
    // system class it is built on, if any ("msctls_statusbar32"); null = a plain window.
    std::wstring className;
    const wchar_t* baseClass = nullptr;
    // The common-control classes (ICC_...) that hold baseClass; they are registered
    // before it is looked up.
    DWORD commonControls = 0;
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = nullptr;
};

class TWinControl : public TControl {
    KESTRELLE_CLASS(TWinControl, TControl)

public:
    TWinControl();
    ~TWinControl() override;

    // The window, made (with the parent's) when first asked for. Throws Win32Error, or
    // what attaching the window threw; no window is left then.
    HWND Handle();
    HWND HandleIfAllocated() const noexcept { return m_handle; }
    bool HandleAllocated() const noexcept { return m_handle != nullptr; }
    void HandleNeeded() { (void)Handle(); }
    // Destroys the window and those of the children; they are made again when needed.
    void DestroyHandle();
    // Destroys the window and makes it again (after a style change that needs it).
    void RecreateWnd();

    // A window no control owns that this control's window is made in while it has no
    // Parent (a bare window of another part of the program). Setting it moves a window
    // already made there. Notifications the control's window sends go to that window,
    // whose procedure hands them on through ReflectNotification.
    HWND ParentWindow() const noexcept { return m_parentWindow; }
    void SetParentWindow(HWND value);
    // Passes a notification that `parent` got from a child window (WM_COMMAND, WM_NOTIFY,
    // WM_HSCROLL, ...) to the framework control of that child, as a framework window does
    // for its own children; false when it is no such notification or no such child.
    static bool ReflectNotification(HWND parent, TMessage& message);

    // Someone else's procedure is in front of the framework's on the control's window
    // (a skin subclassed it): framework notifications then go through the window (Perform).
    bool HasForeignWindowProc() const noexcept;

    // The control a framework window belongs to, through the window property.
    static TWinControl* FindControl(HWND window) noexcept;
    // The control whose window CreateWindowEx is making on this thread, until the
    // window's first message joins the two; null otherwise (a CBT hook sees the window
    // before FindControl can).
    static TWinControl* ControlBeingCreated() noexcept;
    // The name of that property's global atom: "ControlOfs" + module + thread, in hex.
    static std::wstring ControlAtomName();

    // Child controls, windowless and windowed, in painting order (last = on top).
    int ControlCount() const noexcept { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const noexcept;
    bool ContainsControl(const TControl* control) const noexcept;
    // The topmost visible windowless child at a client point; disabled ones only when
    // asked; never one the window shows itself (ControlStyle::ShownByParent).
    TControl* ControlAtPos(core::Point p, bool allowDisabled = false) const noexcept;

    // Tab order among the windowed siblings: 0 first; -1 when not in a parent.
    int TabOrder() const noexcept;
    void SetTabOrder(int value);
    bool TabStop() const noexcept { return m_tabStop; }
    void SetTabStop(bool value);
    // Every windowed descendant in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    bool CanFocus() const noexcept;
    bool Focused() const noexcept;
    void SetFocus();
    // The next (or previous) control that takes the focus by Tab after `current`.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;

    // Realigns the children now (unless aligning is disabled).
    void Realign();
    void DisableAlign() noexcept { ++m_alignDisabled; }
    void EnableAlign();
    // The part of the client area the children are aligned in.
    virtual core::Rect AdjustClientRect(core::Rect rect) const { return rect; }

    // A solid brush of Color, owned by the control.
    HBRUSH Brush();

    bool DoubleBuffered() const noexcept { return m_doubleBuffered; }
    void SetDoubleBuffered(bool value) noexcept { m_doubleBuffered = value; }

    // Paints the windowless children that intersect `area` (client coordinates) into
    // `dc`, back to front, each clipped to its bounds with its origin at 0, 0; not those
    // the window shows itself.
    void PaintControls(HDC dc, const RECT& area) noexcept;
    // Sends a message to every child control; stops at the first that sets Result.
    void Broadcast(TMessage& message);

    void SetBounds(int left, int top, int width, int height) override;
    core::Rect ClientRect() const override;
    core::Point ClientToScreen(core::Point p) const override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;
    void Invalidate() override;
    void Update() override;
    bool Showing() const noexcept override;

    void Loaded() override;
    static void Publish(TPublisher<TWinControl>& p);

protected:
    friend class TControl;
    class Router;

    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists and is subclassed, before the children get theirs.
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void InitializeWindow() {}
    virtual void DestroyWnd();
    // Joins a new window to the control at its first message: the window property, then
    // the subclass. Throws and leaves nothing behind; the window is then destroyed and
    // CreateWnd rethrows.
    virtual void AttachWindow(HWND window, WNDPROC base);

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Paints the control itself into `dc` (client coordinates); false when it could not,
    // and the control's background is shown instead. The default lets the window's own
    // procedure paint.
    virtual bool PaintWindow(HDC dc);
    // Whether the control paints through PaintWindow itself (then erasing is skipped
    // when double-buffered).
    virtual bool PaintsItself() const noexcept { return false; }

    void CaptionChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void BiDiModeChanged() override;
    void BoundsChanged(bool sizeChanged) override;
    void ParentChanged() override;

    // Applies WS_/WS_EX_ bits to the live window, if any.
    void UpdateStyle(DWORD add, DWORD remove, bool extended);
    // The window's text (the caption without a window), and taking it as the caption
    // after the user or the window changed it.
    std::wstring WindowText() const;
    void ReadCaptionFromWindow();

    void InsertControl(TControl& control);
    void RemoveControl(TControl& control);
    // A child control came, went, moved or changed its size.
    virtual void ControlsChanged() {}
    // The children are aligned; `rest` is the part of the client area none of them took.
    virtual void ControlsAligned(const core::Rect& /*rest*/) {}

    // The double buffer of the top-level window, shared by every control on it.
    virtual DibSection* PaintBuffer() noexcept;
    bool HasWindowlessChildren() const noexcept;

private:
    static LRESULT CALLBACK InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static void TrackMouseControl(TControl* target);
    static void ForgetControl(const TControl& control) noexcept;
    void DetachWindow() noexcept;
    void MainWndProc(TMessage& message) noexcept;
    // Each handles the messages of its job and answers whether it did.
    bool PaintMessage(TMessage& message);
    bool MouseMessage(TMessage& message);
    bool ReflectedMessage(TMessage& message);
    bool RouteMouse(TMessage& message);
    void MouseWindowGone() noexcept;
    void PaintHandler(TMessage& message);
    void PaintInto(HDC dc, const RECT& area, bool erase);
    void AlignChildren();
    void ApplyParentFlags(TControl& child);
    void ReadBoundsFromWindow();

    HWND m_handle = nullptr;
    HWND m_parentWindow = nullptr;
    bool m_hasBaseClass = false;
    BrushHandle m_brush;
    int m_pendingTabOrder = -1;
    SubclasserPtr<Router> m_router;
    std::vector<TControl*> m_controls;
    std::vector<TWinControl*> m_tabList;
    bool m_tabStop = false;
    bool m_doubleBuffered = false;
    int m_alignDisabled = 0;
    bool m_alignPending = false;
    int m_aligning = 0;
    bool m_destroyingHandle = false;
    MouseLeaveTracker m_leave;
};

// The form (or other top-level control) a control sits on; null when it has none.
class TCustomForm;
TCustomForm* GetParentForm(const TControl& control) noexcept;
