#pragma once
// Base of every control skin: sees each message of one control before the control's own
// handling, decides per message whether that handling runs, and paints the control
// from the skin's pictures. Attached either to a framework control (it stands in for
// the control's WindowProc and the control owns it) or to a bare window (it subclasses
// the window; its window skinning object owns it). Detaching gives back the handler, the
// procedure and the colour exactly. Subclasses override the message filters and
// PaintSkin; the routing, the paint plumbing and the drawing helpers live here.

#include "framework/controls/Messages.h"
#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "framework/win/Subclasser.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

class ControlSkinHost;
class TCanvas;
class TControl;
class TDataSkinObject;
class TSkinData;

class TSkinControl : public TComponent {
    KESTRELLE_CLASS(TSkinControl, TComponent)

public:
    // MouseState bits.
    static constexpr uint8_t kMouseOver = 1;
    static constexpr uint8_t kPressed = 2;

    // Life states: skinned, given its own look back (box skins), the control's window gone.
    static constexpr int32_t kSkinned = 1;
    static constexpr int32_t kUnskinned = 2;
    static constexpr int32_t kWindowGone = 6;

    TSkinControl();
    ~TSkinControl() override;

    // Attaches to the framework control that owns this object (its window is made if
    // need be). `recolour` gives the control the skin's background colour until detached.
    virtual void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas);
    // Attaches to a window no framework control owns, by subclassing it.
    virtual void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas);
    // The attach of skins that work their own way (windowless speed buttons, scroll-bar
    // overlays) on the framework control that owns them; such skins override it. The
    // base refuses with EInvalidOperation.
    virtual void AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas);
    // Gives the control its own look back (its colour).
    virtual void Unskin();
    // Applies the skin again after a skin change.
    virtual void Reskin();
    // Paints the whole window (client and frame) through PaintSkin, into `dc` or the
    // window's own DC. Never throws.
    virtual void PaintFrame(HDC dc) noexcept;
    // Repaints now; while a RepaintBatch lives, only marks the window for repainting.
    void Repaint();
    // While one lives, control skins leave their repaints to whoever ends the batch: a
    // skin change re-skins every control of a form, and painting each at once paints a
    // container again for every child whose colour follows it. The user-interface
    // thread's only.
    class RepaintBatch {
    public:
        RepaintBatch() noexcept { ++s_repaintBatches; }
        ~RepaintBatch() { --s_repaintBatches; }
        RepaintBatch(const RepaintBatch&) = delete;
        RepaintBatch& operator=(const RepaintBatch&) = delete;
    };

    int32_t State() const noexcept { return m_state; }
    bool Attached() const noexcept { return m_attached; }
    bool SkinActive() const noexcept { return m_skinActive; }
    uint8_t MouseState() const noexcept { return m_mouseState; }
    HWND Handle() const noexcept { return m_handle; }
    TControl* Control() const noexcept { return m_control; }
    TControl* HostControl() const noexcept { return m_hostControl; }
    TSkinData* SkinData() const noexcept { return m_skinData; }
    bool Recolour() const noexcept { return m_recolour; }
    const RECT& WindowRect() const noexcept { return m_windowRect; }

    // The message router both attaches install.
    void SkinWndProc(TMessage& message);

    // --- reading controls through their published properties, whatever their class ---
    // An integer property; -1 when the object or the property is missing or not an integer.
    static int32_t GetIntProp(const TObject* object, std::u16string_view name);
    // An enumerated or boolean property's identifier in lower case ("true", "tacenter");
    // empty when missing.
    static std::u16string GetEnumName(const TObject* object, std::u16string_view name);
    // A string property; empty when missing.
    static std::wstring GetTextProp(const TObject* object, std::u16string_view name);
    // An integer, enumerated or string property set from text; other kinds are left alone.
    static void SetPropText(TObject* object, std::u16string_view name, std::u16string_view text);

    // Frame `frame` (from 1) of `object` sliced to `rect`; copied with the key colour left
    // out when the object's Trans is 1, opaque otherwise. False when nothing was drawn.
    // Public for the windows control skins lay over their controls.
    static bool DrawSkinFrame(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& object);

protected:
    // Runs before the control's own handling; true lets that handling run and
    // AfterMessage follow. A false answer has handled the message and set its result.
    virtual bool BeforeMessage(TMessage& message);
    virtual void AfterMessage(TMessage& message);
    // Draws the skinned control into `dc` within `rect` (window coordinates, origin 0, 0).
    virtual void PaintSkin(HDC dc, const RECT& rect);

    // The control's own handling: the framework handler it replaced, or the window's
    // previous procedure.
    void CallDefault(TMessage& message);
    // WM_PAINT without the control's own paint: into WParam's DC, or between
    // BeginPaint and EndPaint.
    void PaintMessage(TMessage& message);
    // WM_ERASEBKGND: the parent's background behind a framework control, the parent's
    // colour behind a bare window.
    void EraseMessage(TMessage& message);
    // The control's parent paints itself into `dc` behind the control.
    void PaintParentBackground(HDC dc);

    static void FillColor(HDC dc, const RECT& rect, TColor colour);
    void FillSkinBackground(HDC dc, const RECT& rect);
    // The colour of the framework control's parent, else `fallback`.
    TColor ParentColor(TColor fallback) const;
    void FillParentBackground(HDC dc, const RECT& rect);
    // DrawText flags, with right-to-left reading when the control reads that way.
    UINT TextFlags(UINT flags) const;
    // Every caption goes through this one routine.
    static int DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT flags);
    static std::wstring ReadWindowText(HWND window);
    // Runs the framework control's own mouse-down handling for a press the skin kept.
    void RelayMouseDown(const TMessage& message);
    // Composes a paint off-screen in the skin's buffer (or in `buffer`, for skins that
    // share one) and puts it on `dc` in one transfer.
    bool PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint) noexcept;
    static bool PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint,
                              DibSection& buffer) noexcept;
    // `font` without bold, italic, underline or strike-out; null when it cannot be made.
    static FontHandle StylelessFont(HFONT font) noexcept;

    // How an attach to a framework control treats the control's handler: skins that only
    // recolour their control leave it alone.
    enum class HandlerUse { Replace, Keep };
    // AttachControl's work.
    void AttachOwner(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas, HandlerUse use);

    ControlSkinHost* Form() const noexcept;
    TCanvas* Canvas() const noexcept { return m_canvas; }
    void SetHostControl(TControl* control) noexcept { m_hostControl = control; }
    // For windowless controls: stand in for `control`'s handler without any window.
    void ReplaceHandler(TControl& control);
    // The attach of a skin that works its own way on `host`, which has no window of its
    // own: it stands in for the host's handler and is registered with `form`. A second
    // attach is ignored.
    void AttachWindowless(TControl& host, ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas);
    // Gives the framework control (or the host) its handler back now, and forgets it.
    void RestoreHandler() noexcept;

    uint8_t m_mouseState = 0;
    bool m_enabled = false;
    bool m_focused = false;
    std::wstring m_text;
    bool m_noMouseRelay = false;
    int32_t m_state = 0;

private:
    class Router;
    friend class Router;
    static inline int s_repaintBatches = 0;
    void Register(ControlSkinHost& form);

    TCanvas* m_canvas = nullptr;
    bool m_skinActive = true;
    bool m_isUnicode = false;
    TSkinData* m_skinData = nullptr;
    HWND m_handle = nullptr;
    std::function<void(TMessage&)> m_oldWindowProc;
    SubclasserPtr<Router> m_router;
    TControl* m_control = nullptr;
    RECT m_windowRect{};
    TControl* m_hostControl = nullptr;
    bool m_recolour = false;
    TColor m_savedColor = 0;
    bool m_attached = false;
    ControlSkinHost* m_form = nullptr;
    ComponentRef<TComponent> m_formLife;
    DibSection m_buffer;
};
