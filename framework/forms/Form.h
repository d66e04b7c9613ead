#pragma once
// A top-level window built from a stored layout: border, window state (it can open
// maximised), icon, a main menu slot, the creation and close events, and the focus
// bookkeeping of the controls on it. Each form has the double buffer its controls
// paint through. A form can be an MDI frame (its "MDIClient" window holds the child
// forms, in the part of its client area the aligned controls leave) or an MDI child of
// the application's frame; the MDI side is in MdiForm.cpp.

#include "framework/controls/ShortCut.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Icon.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"

#include <functional>
#include <optional>
#include <string>

class TMainMenu;
class TMenuItem;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
    KESTRELLE_CLASS(TCustomForm, TWinControl)

public:
    TCustomForm();
    ~TCustomForm() override;

    // Reads the form's stored layout (the RCDATA resource LayoutResourceName, UTF-8
    // text), if the program has one, then fires OnCreate and shows the form if the
    // layout stores it visible. TApplication::CreateForm calls it once the form object
    // is complete. On failure (ELayoutError names the line) nothing read is left
    // behind and the exception goes to the caller.
    void InitializeForm();
    // The name of the RCDATA resource holding the layout: the class name, upper case.
    virtual std::wstring LayoutResourceName() const;

    TFormBorderStyle BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const noexcept { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TWindowState WindowState() const noexcept { return m_windowState; }
    void SetWindowState(TWindowState value);
    TPosition Position() const noexcept { return m_position; }
    void SetPosition(TPosition value) noexcept { m_position = value; }
    // Changing it makes the window again (an MDI child needs a frame form with its
    // client window first; Exception otherwise).
    TFormStyle FormStyle() const noexcept { return m_formStyle; }
    void SetFormStyle(TFormStyle value);

    // --- MDI frame (MdiForm.cpp) ---
    // The "MDIClient" window of a frame form, made with the form's window; null otherwise.
    HWND ClientHandle() const noexcept { return m_clientHandle; }
    // The children, the active one first, then in the client's z-order.
    TCustomForm* ActiveMDIChild() const noexcept;
    int MDIChildCount() const noexcept;
    TCustomForm* MDIChildren(int index) const noexcept;
    void Tile();
    void Cascade();
    void ArrangeIcons();
    void Next();
    void Previous();
    TTileMode TileMode() const noexcept { return m_tileMode; }
    void SetTileMode(TTileMode value) noexcept { m_tileMode = value; }
    // The menu item (of Menu) below which the client lists the children; not owned.
    TMenuItem* WindowMenu() const noexcept { return m_windowMenu; }
    void SetWindowMenu(TMenuItem* item);
    // The frame form an MDI child is made in: the main form when it is one, else the
    // first open frame form; null when there is none.
    static TCustomForm* MdiFrameForm() noexcept;

    // The window's icon.
    TIcon& Icon() noexcept { return m_icon; }
    void SetIcon(const TIcon& value) { m_icon.Assign(value); }

    // The menu bar; not owned. The window shows it, and clicks and shortcuts of its
    // items reach them through the form.
    TMainMenu* Menu() const noexcept { return m_menu; }
    void SetMenu(TMainMenu* menu);
    // Clicks the menu item with this shortcut; false when the menu has no enabled, visible one.
    bool IsShortCut(TShortCut shortCut);

    // While a layout is read they wait for Loaded: the frame they add to depends on the
    // Menu, which is set only after every component has been read.
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    core::Rect ClientRect() const override;

    int PixelsPerInch() const noexcept { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value) noexcept { m_pixelsPerInch = value; }
    int TextHeight() const noexcept { return m_textHeight; }
    void SetTextHeight(int value) noexcept { m_textHeight = value; }

    TWinControl* ActiveControl() const noexcept { return m_activeControl; }
    // A control left the form: it may no longer be the active one.
    void ControlRemoved(const TControl& control) noexcept;
    void SetActiveControl(TWinControl* control);
    bool Active() const noexcept { return m_active; }

    void SetVisible(bool value) override;
    bool Showing() const noexcept override;
    void Loaded() override;
    void Close();
    // Destroys the form once the message that asked for it has been handled.
    void Release();
    // Moves keyboard focus to the next control in tab order.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    static void Publish(TPublisher<TCustomForm>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void ControlsAligned(const core::Rect& rest) override;
    DibSection* PaintBuffer() noexcept override { return &m_paintBuffer; }
    void Notification(TComponent& component, Operation operation) override;
    virtual bool CloseQuery();

private:
    DWORD FrameStyle() const noexcept;
    DWORD FrameExStyle() const noexcept;
    void ApplyFrameStyle();
    void ApplyIcon();
    int ShowCommand() const noexcept;
    core::Size FrameExtra() const;
    // --- MDI (MdiForm.cpp) ---
    void MdiChildParams(TCreateParams& params);
    void CreateClientWindow();
    // The frame's menu or window menu changed: the client lists the children again.
    void RefreshMdiMenu() noexcept;
    HMENU WindowMenuHandle() const noexcept;

    TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons m_borderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TWindowState m_windowState = TWindowState::wsNormal;
    TPosition m_position = TPosition::poDesigned;
    TFormStyle m_formStyle = TFormStyle::fsNormal;
    TTileMode m_tileMode = TTileMode::tbHorizontal;
    TMenuItem* m_windowMenu = nullptr;
    HWND m_clientHandle = nullptr;
    TIcon m_icon;
    TMainMenu* m_menu = nullptr;
    TWinControl* m_activeControl = nullptr;
    int m_pixelsPerInch = 96;
    int m_textHeight = 13;
    std::optional<int> m_loadedClientWidth;
    std::optional<int> m_loadedClientHeight;
    bool m_active = false;
    bool m_releasing = false;
    DibSection m_paintBuffer;
};

class TForm : public TCustomForm {
    KESTRELLE_CLASS(TForm, TCustomForm)
};

// The name of the RCDATA resource that holds the stored layout of `object`'s class: the
// class name, upper case.
std::wstring LayoutResourceNameOf(const TObject& object);
// Reads the stored layout in the program's RCDATA resource `name` (UTF-8 text) into
// `root`; false when the program has no such resource. Throws what ReadLayout throws.
bool ReadLayoutResource(TComponent& root, const std::wstring& name);
