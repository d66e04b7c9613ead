#include "skin/controls/SkinControl.h"

#include "framework/controls/Control.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/core/Strings.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

// Routes a bare window's messages into SkinWndProc.
class TSkinControl::Router final : public Subclasser {
public:
    explicit Router(TSkinControl& skin) noexcept : m_skin{&skin} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        TMessage m{message, wParam, lParam, 0};
        m_skin->SkinWndProc(m);
        return m.Result;
    }

private:
    TSkinControl* m_skin;
};

TSkinControl::TSkinControl() = default;

TSkinControl::~TSkinControl() {
    RestoreHandler();
    if (m_router) {
        m_router->Unsubclass();
        m_router.reset();
    }
    if (ControlSkinHost* form = Form()) form->UnregisterControl(*this);
}

ControlSkinHost* TSkinControl::Form() const noexcept { return m_formLife ? m_form : nullptr; }

void TSkinControl::Register(ControlSkinHost& form) {
    m_form = &form;
    m_formLife = ComponentRef<TComponent>(&form.HostComponent());
    form.RegisterControl(*this);
}

void TSkinControl::RestoreHandler() noexcept {
    TControl* control = m_control ? m_control : m_hostControl;
    // A control that owns this skin and is being destroyed has lost its own parts by
    // the time its owned components go: the handler it had dies with this skin.
    if (control && !control->IsDestroying() && m_oldWindowProc) control->SetWindowProc(std::move(m_oldWindowProc));
    m_oldWindowProc = nullptr;
}

void TSkinControl::ReplaceHandler(TControl& control) {
    m_oldWindowProc = control.WindowProc();
    control.SetWindowProc([this](TMessage& message) { SkinWndProc(message); });
}

// --- attaching ------------------------------------------------------------------------------

void TSkinControl::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    AttachOwner(form, skinData, recolour, canvas, HandlerUse::Replace);
}

void TSkinControl::AttachOwner(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas,
                               HandlerUse use) {
    if (m_attached) return;
    auto* control = As<TControl>(Owner());
    if (!control) throw EInvalidOperation(u"A control skin attaches to the control that owns it");
    m_recolour = recolour;
    m_skinData = &skinData;
    m_canvas = canvas;
    m_control = control;
    if (auto* windowed = As<TWinControl>(control)) m_handle = windowed->Handle();
    m_isUnicode = m_handle && ::IsWindowUnicode(m_handle);
    if (use == HandlerUse::Replace) ReplaceHandler(*control);
    Register(form);
    if (m_recolour) {
        m_savedColor = control->Color();
        control->SetColor(skinData.Colours().ButtonFace);
    }
    control->Invalidate();
    m_attached = true;
    m_state = kSkinned;
}

void TSkinControl::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    if (m_attached) return;
    m_handle = handle;
    m_skinData = &skinData;
    m_canvas = canvas;
    m_enabled = true;
    m_noMouseRelay = false;
    m_isUnicode = ::IsWindowUnicode(handle);
    m_text = ReadWindowText(handle);
    auto router = SubclasserPtr<Router>{new Router(*this)};
    router->Subclass(handle);  // throws, with nothing changed yet
    m_router = std::move(router);
    Register(form);
    ::InvalidateRect(handle, nullptr, TRUE);
    m_attached = true;
    m_state = kSkinned;
}

void TSkinControl::AttachWindowless(TControl& host, ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    if (m_attached) return;
    m_skinData = &skinData;
    m_canvas = canvas;
    m_hostControl = &host;
    m_noMouseRelay = false;
    ReplaceHandler(host);
    Register(form);
    m_attached = true;
    m_state = kSkinned;
}

void TSkinControl::AttachOwn(ControlSkinHost&, TSkinData&, TCanvas*) {
    throw EInvalidOperation(u"This control skin has no attach of its own");
}

void TSkinControl::Unskin() {
    if (m_recolour && m_control) m_control->SetColor(m_savedColor);
}

void TSkinControl::Reskin() {
    if (m_recolour && m_control && m_skinData) m_control->SetColor(m_skinData->Colours().ButtonFace);
    Repaint();
}

void TSkinControl::Repaint() {
    if (m_hostControl) {
        m_hostControl->Invalidate();
        return;
    }
    if (!m_handle) return;
    ::InvalidateRect(m_handle, nullptr, TRUE);
    if (s_repaintBatches == 0) ::UpdateWindow(m_handle);
}

// --- messages -------------------------------------------------------------------------------

void TSkinControl::SkinWndProc(TMessage& message) {
    if (message.Msg == WMX_SKINPAINT) {
        m_skinActive = static_cast<LONG_PTR>(message.WParam) > 0;
        if (m_skinActive) Repaint();
        return;  // never the control's own handling
    }
    if (!m_skinActive) {
        CallDefault(message);
        return;
    }
    if (BeforeMessage(message)) {
        CallDefault(message);
        AfterMessage(message);
    }
}

void TSkinControl::CallDefault(TMessage& message) {
    if (m_oldWindowProc) {
        m_oldWindowProc(message);
        return;
    }
    if (m_router) {
        message.Result = m_router->CallPrevious(message.Msg, message.WParam, message.LParam);
        return;
    }
    if (m_handle) message.Result = ::DefWindowProcW(m_handle, message.Msg, message.WParam, message.LParam);
}

bool TSkinControl::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCDESTROY:
        CallDefault(message);
        m_skinActive = false;
        m_state = kWindowGone;
        Unskin();
        return false;
    case WMX_ISSKINNED: message.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case kMsgEnabledChanged: Repaint(); break;
    case WM_PAINT: PaintFrame(reinterpret_cast<HDC>(message.WParam)); break;
    default: break;
    }
}

void TSkinControl::PaintSkin(HDC, const RECT&) {}

// --- painting -------------------------------------------------------------------------------

void TSkinControl::PaintFrame(HDC dc) noexcept {
    try {
        if (!m_handle || !::GetWindowRect(m_handle, &m_windowRect)) return;
        const RECT rect{0, 0, m_windowRect.right - m_windowRect.left, m_windowRect.bottom - m_windowRect.top};
        if (dc) {
            PaintSkin(dc, rect);
            return;
        }
        const WindowDc own = WindowDc::Whole(m_handle);
        if (own) PaintSkin(own.Get(), rect);
    } catch (...) {
        LogCurrentException(u"a control skin could not paint");
    }
}

void TSkinControl::PaintMessage(TMessage& message) {
    if (!m_handle) return;
    ::GetWindowRect(m_handle, &m_windowRect);
    const RECT rect{0, 0, m_windowRect.right - m_windowRect.left, m_windowRect.bottom - m_windowRect.top};
    // A paint that fails is logged here: it must not reach the message loop, where the
    // application's handler would report it at every WM_PAINT.
    try {
        if (auto* given = reinterpret_cast<HDC>(message.WParam)) {
            PaintSkin(given, rect);
            return;
        }
        PaintScope scope{m_handle};
        PaintSkin(scope.Dc(), rect);
    } catch (...) {
        LogCurrentException(u"a control skin could not paint");
    }
}

void TSkinControl::EraseMessage(TMessage& message) {
    auto* dc = reinterpret_cast<HDC>(message.WParam);
    if (m_control) {
        PaintParentBackground(dc);
    } else if (m_handle) {
        RECT client{};
        ::GetClientRect(m_handle, &client);
        FillParentBackground(dc, client);
    }
    message.Result = 1;
}

void TSkinControl::PaintParentBackground(HDC dc) {
    TControl* control = m_control ? m_control : m_hostControl;
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    const core::Rect client = control->ClientRect();
    SavedDc keep{dc};
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    ::SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
    const core::Rect inParent = client.Offset(control->Left(), control->Top());
    ::IntersectClipRect(dc, inParent.left, inParent.top, inParent.right, inParent.bottom);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TSkinControl::FillColor(HDC dc, const RECT& rect, TColor colour) {
    BrushHandle brush{::CreateSolidBrush(ColorToRGB(colour))};
    if (brush) ::FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillSkinBackground(HDC dc, const RECT& rect) {
    if (m_skinData) FillColor(dc, rect, m_skinData->Colours().ButtonFace);
}

TColor TSkinControl::ParentColor(TColor fallback) const {
    const TControl* control = m_control ? m_control : m_hostControl;
    return control && control->Parent() ? control->Parent()->Color() : fallback;
}

void TSkinControl::FillParentBackground(HDC dc, const RECT& rect) {
    FillColor(dc, rect, ParentColor(m_skinData ? m_skinData->Colours().ButtonFace : clBtnFace));
}

UINT TSkinControl::TextFlags(UINT flags) const {
    const TControl* control = m_control ? m_control : m_hostControl;
    if (control && control->UseRightToLeftReading()) flags |= DT_RTLREADING;
    // A bare window reads right to left by its extended style.
    if (!control && m_handle && (::GetWindowLongPtrW(m_handle, GWL_EXSTYLE) & WS_EX_RTLREADING)) flags |= DT_RTLREADING;
    return flags;
}

bool TSkinControl::DrawSkinFrame(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& object) {
    if (rect.right < rect.left || rect.bottom < rect.top) return true;
    const auto piece = SliceImage(rect, object.Image, object.Margins(), FrameLayout::Horizontal,
                                  MiddleModeOf(object.Tile), frameCount, frame);
    if (!piece) return false;
    const RECT at{rect.left, rect.top, rect.left + piece->Width(), rect.top + piece->Height()};
    // A control frame leaves the key colour out only when its Trans is exactly 1.
    if (object.Trans == 1) return DrawMasked(dc, at, *piece, kKeyColour);
    return ::BitBlt(dc, rect.left, rect.top, piece->Width(), piece->Height(), piece->Dc(), 0, 0, SRCCOPY) != FALSE;
}

int TSkinControl::DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT flags) {
    return ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
}

std::wstring TSkinControl::ReadWindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(::GetWindowTextW(window, text.data(), static_cast<int>(text.size())), 0)));
    return text;
}

void TSkinControl::RelayMouseDown(const TMessage& message) {
    if (TControl* control = m_control ? m_control : m_hostControl) control->RelayMouseDown(message);
}

bool TSkinControl::PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint) noexcept {
    return PaintBuffered(dc, rect, paint, m_buffer);
}

bool TSkinControl::PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint,
                                 DibSection& offScreen) noexcept {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return true;
    try {
        if (!offScreen.EnsureSize(width, height)) return false;
        HDC buffer = offScreen.Dc();
        {
            SavedDc keep{buffer};
            ::SetViewportOrgEx(buffer, -rect.left, -rect.top, nullptr);
            paint(buffer);
        }
        return ::BitBlt(dc, rect.left, rect.top, width, height, buffer, 0, 0, SRCCOPY) != FALSE;
    } catch (...) {
        LogCurrentException(u"a control skin could not compose its picture");
        return false;
    }
}

FontHandle TSkinControl::StylelessFont(HFONT font) noexcept {
    LOGFONTW plain{};
    const auto read = [&](HGDIOBJ from) { return from && ::GetObjectW(from, sizeof plain, &plain) == sizeof plain; };
    if (!read(font) && !read(::GetStockObject(DEFAULT_GUI_FONT))) return FontHandle{};
    plain.lfWeight = FW_NORMAL;
    plain.lfItalic = plain.lfUnderline = plain.lfStrikeOut = FALSE;
    return FontHandle{::CreateFontIndirectW(&plain)};
}

// --- published properties -----------------------------------------------------------------

int32_t TSkinControl::GetIntProp(const TObject* object, std::u16string_view name) {
    if (!object) return -1;
    return ::GetIntProp(object, name).value_or(-1);
}

std::u16string TSkinControl::GetEnumName(const TObject* object, std::u16string_view name) {
    if (!object) return {};
    return AsciiLower(::GetEnumProp(object, name).value_or(std::u16string{}));
}

std::wstring TSkinControl::GetTextProp(const TObject* object, std::u16string_view name) {
    if (!object) return {};
    return ToWide(::GetStrProp(object, name).value_or(std::u16string{}));
}

void TSkinControl::SetPropText(TObject* object, std::u16string_view name, std::u16string_view text) {
    const PropInfo* info = object ? FindPropInfo(object, name) : nullptr;
    if (!info) return;
    switch (info->kind) {
    case PropKind::Integer:
    case PropKind::Boolean:
    case PropKind::Enumeration:
    case PropKind::String: ::SetPropText(object, name, text); return;
    default: return;  // sets, objects, events and binary values are not set from a word
    }
}
