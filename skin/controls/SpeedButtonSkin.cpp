#include "skin/controls/SpeedButtonSkin.h"

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/GraphicControl.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/Convert.h"

#include <utility>

namespace {

// Clears a flag however the scope ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) noexcept : m_flag{flag} { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

// Holds a canvas's lock for a paint that draws on the DC the canvas has.
class LockScope {
public:
    explicit LockScope(TCanvas& canvas) noexcept : m_canvas{canvas} { m_canvas.Lock(); }
    ~LockScope() { m_canvas.Unlock(); }
    LockScope(const LockScope&) = delete;
    LockScope& operator=(const LockScope&) = delete;

private:
    TCanvas& m_canvas;
};

}  // namespace

void TSkinSpeedButton::AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    if (Attached()) return;
    auto* host = As<TControl>(Owner());
    if (!host) throw EInvalidOperation(u"A speed button skin attaches to the control that owns it");
    AttachWindowless(*host, form, skinData, canvas);
    m_transparent = ShowsParentBackground(host, skinData);
    host->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
    if (!ButtonObject()) return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
    case WM_PAINT:
        // The parent hands a windowless control its DC; without one nothing is painted.
        if (auto* dc = reinterpret_cast<HDC>(message.WParam)) PaintMessageIntoHost(dc);
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
        // The button's own press, group and click logic runs first; its click may free
        // the button, and this skin with it.
        const ComponentRef<TSkinControl> alive{this};
        CallDefault(message);
        if (!alive) return false;
        if (message.Msg == WM_LBUTTONUP)
            m_mouseState &= static_cast<uint8_t>(~kPressed);
        else
            m_mouseState |= kPressed;
        PaintFrame(nullptr);
        return false;
    }
    default: return TSkinButton::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
    TControl* host = HostControl();
    const bool aboutHost = message.LParam == 0 || message.LParam == reinterpret_cast<LPARAM>(host);
    switch (message.Msg) {
    case WM_ENABLE:
    case kMsgFocusChanged:
    case kMsgEnabledChanged:
    case WM_MOUSEMOVE: return;  // the button repaints itself; hover comes with the enter notice
    case WM_NCDESTROY:
    case kMsgControlReleased:
        // The button leaves its parent or is being destroyed: it gets its handler back
        // now, while it is whole, and this skin is done with it.
        RestoreHandler();
        SetHostControl(nullptr);
        m_mouseState = 0;
        m_state = kWindowGone;
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (TakeSpaceBar(message)) PaintFrame(nullptr);
        return;
    case kMsgMouseEnter:
        if (!aboutHost) return;
        m_mouseState |= kMouseOver;
        PaintFrame(nullptr);
        return;
    case kMsgMouseLeave:
        if (!aboutHost) return;
        m_mouseState &= static_cast<uint8_t>(~(kMouseOver | kPressed));
        if (host && host->Visible()) PaintFrame(nullptr);
        return;
    default: TSkinButton::AfterMessage(message); return;
    }
}

void TSkinSpeedButton::PaintMessageIntoHost(HDC dc) noexcept {
    if (m_painting) return;  // the parent painting behind this button: this button is being drawn already
    auto* host = As<TGraphicControl>(HostControl());
    if (!host) return;
    // The button's canvas draws on the paint's DC meanwhile, as it does for the button's own paint.
    if (auto* canvas = As<TControlCanvas>(&host->Canvas())) canvas->FreeHandle();
    const CanvasLock lock{host->Canvas(), dc};
    PaintFrame(dc);
}

void TSkinSpeedButton::PaintFrame(HDC dc) noexcept {
    try {
        TControl* host = HostControl();
        if (!host || m_painting) return;
        const RECT rect = ToRECT(host->ClientRect());
        if (dc) {
            PaintSkin(dc, rect);
            return;
        }
        auto* graphic = As<TGraphicControl>(host);
        if (!graphic) return;
        TCanvas& canvas = graphic->Canvas();
        HDC own = canvas.EnsureHandle();  // the button's part of its parent's window
        if (!own) return;
        const LockScope lock{canvas};
        PaintSkin(own, rect);
    } catch (...) {
        LogCurrentException(u"a speed button skin could not paint");
    }
}

void TSkinSpeedButton::PaintSkin(HDC dc, const RECT& rect) {
    if (!ButtonObject() || m_painting) return;
    if (rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return;
    const FlagScope painting{m_painting};
    try {
        TControl* host = Subject();
        m_enabled = GetEnumName(host, u"Enabled") == u"true";
        m_focused = false;
        const bool down = GetEnumName(host, u"Down") == u"true";
        const bool flat = GetEnumName(host, u"Flat") == u"true";
        const std::wstring caption = GetTextProp(host, u"Caption");
        const ButtonFrame frame =
            SpeedButtonFrame({(m_mouseState & kPressed) != 0, (m_mouseState & kMouseOver) != 0, false, m_enabled}, down);
        const auto* glyph = ::GetObjectProp<TBitmap>(host, u"Glyph");
        const bool hasGlyph =
            glyph && glyph->Height() > 0 && glyph->Width() / GlyphCount(GetIntProp(host, u"NumGlyphs")) > 0;
        PaintBuffered(dc, rect, [&](HDC buffer) {
            PaintBackground(buffer, rect);
            if (SpeedButtonFrameShown(flat, frame)) PaintFace(buffer, rect, frame);
            UseCaptionLook(buffer, frame, m_enabled);
            if (hasGlyph)
                PaintGlyphAndCaption(buffer, rect, ButtonKind::Speed, GlyphIndex(frame, down), m_enabled, caption);
            else
                DrawCaption(buffer, rect, true, caption);
        });
    } catch (...) {
        LogCurrentException(u"a speed button skin could not paint");
    }
}
