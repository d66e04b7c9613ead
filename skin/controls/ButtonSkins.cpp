#include "skin/controls/ButtonSkins.h"

#include "framework/controls/Control.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/core/Strings.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/ImageList.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/WinSkinData.h"

#include <array>

#include <windows.h>
#include <windowsx.h>

namespace {

core::Size SizeOf(const RECT& rect) noexcept { return {rect.right - rect.left, rect.bottom - rect.top}; }

UINT AlignFlags(CaptionAlign align) noexcept {
    switch (align) {
    case CaptionAlign::Right: return DT_RIGHT;
    case CaptionAlign::Centre: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

bool ShowsParentBackground(const TComponent* control, const TSkinData& skinData) noexcept {
    return (control && control->Tag() == kTransparentTag) || skinData.Options().Contains(TSkinOption::xoTransparent);
}

// --- attaching ------------------------------------------------------------------------------

void TSkinButton::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    // Button classes of these libraries track the mouse themselves; a relayed press
    // would reach them twice.
    const std::u16string name = AsciiLower(Control()->ClassName());
    m_noMouseRelay = name.starts_with(u"trz") || name.starts_with(u"tel");
    m_transparent = ShowsParentBackground(Control(), skinData);
}

void TSkinButton::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachHandle(handle, skinData, form, canvas);
    m_transparent = ShowsParentBackground(nullptr, skinData);
}

const TDataSkinButton* TSkinButton::ButtonObject() const noexcept {
    if (!SkinData()) return nullptr;
    const TDataSkinButton& buttons = SkinData()->Buttons();
    return buttons.Image.Empty() ? nullptr : &buttons;
}

TControl* TSkinButton::Subject() const noexcept { return Control() ? Control() : HostControl(); }

// --- messages -------------------------------------------------------------------------------

bool TSkinButton::BeforeMessage(TMessage& message) {
    // Without a picture the button keeps its own look and its own press.
    if (ButtonObject()) {
        switch (message.Msg) {
        case WM_PAINT: PaintMessage(message); return false;
        case WM_PRINTCLIENT:
            if (!message.WParam) break;
            PaintMessage(message);
            return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        case WM_TIMER:
            // The system's button animates its own look on timer 1; it would paint over the skin.
            if (Handle()) ::KillTimer(Handle(), 1);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The press stays with the skin, so the button's own procedure never starts a
            // click of its own; the skin clicks on release.
            PressBegins();
            if (!m_noMouseRelay && Control()) RelayMouseDown(message);
            return false;
        default: break;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinButton::AfterMessage(TMessage& message) {
    const auto aboutThis = [&] {
        return message.LParam == 0 || message.LParam == reinterpret_cast<LPARAM>(Subject());
    };
    switch (message.Msg) {
    case WM_SETTEXT:
        // The system's button draws its new caption at once, outside any paint.
        PaintFrame(nullptr);
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (!TakeSpaceBar(message)) break;
        Repaint();
        return;
    case WM_MOUSEMOVE: HoverBegins(); return;
    case kMsgMouseEnter:
        if (aboutThis()) HoverBegins();
        return;
    case WM_LBUTTONUP: {
        if (!(m_mouseState & kPressed)) return;
        m_mouseState &= static_cast<uint8_t>(~kPressed);
        Repaint();
        RECT client{};
        const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        // A release away from the button (the mouse held captured elsewhere) clicks nothing.
        if (Handle() && ::GetClientRect(Handle(), &client) && ::PtInRect(&client, at)) Click();
        return;
    }
    case WM_MOUSELEAVE:
        m_leave.Reset();
        HoverEnds();
        return;
    case kMsgMouseLeave:
        if (aboutThis()) HoverEnds();
        return;
    case kMsgDialogKey:
    case kMsgFocusChanged: Repaint(); return;
    default: break;
    }
    TSkinControl::AfterMessage(message);
}

bool TSkinButton::TakeSpaceBar(const TMessage& message) noexcept {
    if (message.WParam != VK_SPACE) return false;
    if (message.Msg == WM_KEYDOWN)
        m_mouseState |= kPressed;
    else
        m_mouseState &= static_cast<uint8_t>(~kPressed);
    return true;
}

void TSkinButton::PressBegins() {
    if (Handle() && ::GetFocus() != Handle()) ::SetFocus(Handle());
    m_mouseState |= kPressed;
    PaintFrame(nullptr);
}

void TSkinButton::HoverBegins() {
    HWND handle = Handle();
    if (!handle || !::IsWindowEnabled(handle)) return;
    if (!(m_mouseState & kMouseOver)) {
        m_mouseState |= kMouseOver;
        Repaint();
        // A bare window has no framework to tell it that the mouse left; its window
        // skinning object watches for it too.
        if (!Control())
            if (ControlSkinHost* form = Form()) form->SetHoverControl(this);
    }
    m_leave.Track(handle);
}

void TSkinButton::HoverEnds() {
    if (!(m_mouseState & (kMouseOver | kPressed))) return;
    m_mouseState &= static_cast<uint8_t>(~(kMouseOver | kPressed));
    Repaint();
}

void TSkinButton::Click() {
    if (TControl* control = Control()) {
        control->Click();
        return;
    }
    HWND handle = Handle();
    HWND parent = handle ? ::GetParent(handle) : nullptr;
    if (!parent) return;
    std::array<wchar_t, 16> name{};
    ::GetClassNameW(handle, name.data(), static_cast<int>(name.size()));
    if (AsciiLower(FromWide(name.data())) == u"tbutton") {
        ::PostMessageW(parent, WM_COMMAND, 0, reinterpret_cast<LPARAM>(handle));
        return;
    }
    const int id = ::GetDlgCtrlID(handle);
    ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(handle));
}

// --- painting -------------------------------------------------------------------------------

std::wstring TSkinButton::ReadLook() {
    HWND handle = Handle();
    m_focused = handle && ::GetFocus() == handle;
    m_enabled = handle ? (::GetWindowLongPtrW(handle, GWL_STYLE) & WS_DISABLED) == 0 : true;
    if (TControl* control = Subject()) return GetTextProp(control, u"Caption");
    return handle ? ReadWindowText(handle) : std::wstring{};
}

ButtonFacts TSkinButton::Facts() const noexcept {
    return {(m_mouseState & kPressed) != 0, (m_mouseState & kMouseOver) != 0, m_focused, m_enabled};
}

void TSkinButton::PaintBackground(HDC buffer, const RECT& rect) {
    if (m_transparent && Subject())
        PaintParentBackground(buffer);
    else
        FillSkinBackground(buffer, rect);
}

void TSkinButton::PaintFace(HDC buffer, const RECT& rect, ButtonFrame frame) {
    const TDataSkinButton* object = ButtonObject();
    if (object) DrawSkinFrame(buffer, rect, object->FrameCount, static_cast<int>(frame), *object);
}

void TSkinButton::UseCaptionLook(HDC buffer, ButtonFrame frame, bool enabled) {
    const TDataSkinButton& object = SkinData()->Buttons();
    TColor colour = SkinData()->Colours().ButtonText;
    if (TControl* control = Subject()) {
        if (const TFont* font = ::GetObjectProp<TFont>(control, u"Font")) {
            ::SelectObject(buffer, font->Handle());
            colour = font->Color();
        }
    } else if (auto* font = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0))) {
        ::SelectObject(buffer, font);
    }
    switch (ChooseCaptionColour(frame, enabled,
                                {object.HasNormalColour2, object.HasMouseOverColour2, object.HasPressedColour2})) {
    case CaptionColour::Normal: colour = object.NormalColour2; break;
    case CaptionColour::Hover: colour = object.MouseOverColour2; break;
    case CaptionColour::Pressed: colour = object.PressedColour2; break;
    case CaptionColour::Grey: colour = clGrayText; break;
    case CaptionColour::Own: break;
    }
    ::SetTextColor(buffer, ColorToRGB(colour));
    ::SetBkMode(buffer, TRANSPARENT);
}

core::Size TSkinButton::MeasureText(HDC dc, std::wstring_view text, const core::Rect& box, UINT flags) {
    if (text.empty()) return {};
    RECT measured = ToRECT(box);
    DrawWideText(dc, text, measured, flags | DT_CALCRECT);
    return SizeOf(measured);
}

void TSkinButton::DrawCaption(HDC dc, const RECT& rect, bool centred, std::wstring_view caption) {
    m_text = ToWide(CaptionLines(AsUtf16(caption)));
    const UINT align = centred ? DT_CENTER : DT_LEFT;
    const core::Rect button = FromRECT(rect);
    const core::Size block =
        MeasureText(dc, m_text, CaptionMeasureBox(button), align | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    const core::Rect place = PlaceCaption(button, block, centred);
    RECT target = ToRECT(place);
    DrawWideText(dc, m_text, target, TextFlags(align | DT_EXPANDTABS | DT_WORDBREAK));
    DrawFocus(dc, place);
}

void TSkinButton::DrawFocus(HDC dc, const core::Rect& text) {
    if (!m_focused || SkinData()->Options().Contains(TSkinOption::xoNoFocusRect)) return;
    const RECT focus = ToRECT(CaptionFocusRect(text));
    ::DrawFocusRect(dc, &focus);
}

void TSkinButton::PaintButton(HDC dc, const RECT& rect, ButtonFrame (*frameOf)(const ButtonFacts&),
                              const std::function<void(HDC, ButtonFrame, const std::wstring&)>& content) {
    if (!ButtonObject()) return;
    try {
        const std::wstring caption = ReadLook();
        const ButtonFrame frame = frameOf(Facts());
        PaintBuffered(dc, rect, [&](HDC buffer) {
            PaintBackground(buffer, rect);
            PaintFace(buffer, rect, frame);
            UseCaptionLook(buffer, frame, m_enabled);
            content(buffer, frame, caption);
        });
    } catch (...) {
        LogCurrentException(std::u16string(ClassName()) + u" could not paint a button");
    }
}

void TSkinButton::PaintSkin(HDC dc, const RECT& rect) {
    PaintButton(dc, rect, PushButtonFrame,
                [&](HDC buffer, ButtonFrame, const std::wstring& caption) { DrawCaption(buffer, rect, true, caption); });
}

// --- glyph buttons --------------------------------------------------------------------------

bool TSkinBitButton::DrawGlyph(HDC dc, core::Point at, const TBitmap& strip, int numGlyphs, int index) noexcept {
    try {
        const GlyphCell pick = ChooseGlyphCell(index, numGlyphs);
        const int width = strip.Width() / GlyphCount(numGlyphs);
        const int height = strip.Height();
        HDC source = strip.Dc();
        if (width <= 0 || height <= 0 || !source) return false;
        TBitmap cell(width, height, TPixelFormat::pf24bit);
        if (!cell.Dc() || !::BitBlt(cell.Dc(), 0, 0, width, height, source, pick.cell * width, 0, SRCCOPY))
            return false;
        COLORREF key = ColorToRGB(strip.TransparentMode() == TTransparentMode::tmFixed ? strip.TransparentColor()
                                                                                      : cell.PixelColour(0, height - 1));
        if (pick.grey) {
            if (!GrayImage(cell)) return false;
            const auto mean = static_cast<BYTE>((GetRValue(key) + GetGValue(key) + GetBValue(key)) / 3);
            key = RGB(mean, mean, mean);
        }
        return ::TransparentBlt(dc, at.x, at.y, width, height, cell.Dc(), 0, 0, width, height, key) != FALSE;
    } catch (...) {
        LogCurrentException(u"a button glyph could not be drawn");
        return false;
    }
}

void TSkinBitButton::PaintGlyphAndCaption(HDC dc, const RECT& rect, ButtonKind kind, int glyphIndex, bool enabled,
                                          std::wstring_view caption) {
    TControl* control = Subject();
    GlyphProps props;
    const TBitmap* strip = nullptr;
    const TImageList* images = nullptr;
    const TGraphic* picture = nullptr;
    if (m_glyphPropName.empty()) {
        strip = ::GetObjectProp<TBitmap>(control, u"Glyph");
        if (strip && !strip->Empty()) props.bitmap = {strip->Width(), strip->Height()};
        props.numGlyphs = GetIntProp(control, u"NumGlyphs");
        images = ::GetObjectProp<TImageList>(control, u"Images");
        if (images) {
            props.listImage = {images->Width(), images->Height()};
            props.imageIndex = GetIntProp(control, u"ImageIndex");
        }
    } else {
        picture = ::GetObjectProp<TGraphic>(control, m_glyphPropName);
        if (picture && !picture->Empty()) props.bitmap = {picture->Width(), picture->Height()};
    }
    props.layout = GetEnumName(control, u"Layout");
    props.margin = GetIntProp(control, u"Margin");
    props.spacing = GetIntProp(control, u"Spacing");
    if (kind == ButtonKind::Bitmap) props.alignment = GetEnumName(control, u"Alignment");

    const core::Size client = SizeOf(rect);
    m_text = ToWide(CaptionLines(AsUtf16(caption)));
    const core::Size measured = MeasureText(dc, m_text, GlyphTextBox(client, props), DT_WORDBREAK);
    const ButtonLayoutResult place = PlaceGlyphAndCaption(kind, client, props, measured);
    const core::Point at{rect.left + place.glyph.x, rect.top + place.glyph.y};

    if (props.bitmap.width > 0 && strip) {
        DrawGlyph(dc, at, *strip, props.numGlyphs, glyphIndex);
    } else if (images && props.imageIndex != -1) {
        const int disabledIndex = GetIntProp(control, u"DisabledIndex");
        const int index = enabled || disabledIndex == -1 ? props.imageIndex : disabledIndex;
        TCanvas canvas;
        const CanvasLock lock{canvas, dc};
        images->Draw(canvas, at.x, at.y, index);
    } else if (props.bitmap.width > 0 && picture) {
        if (const auto* bitmap = As<TBitmap>(picture)) {
            DrawGlyph(dc, at, *bitmap, 1, glyphIndex);
        } else {
            TCanvas canvas;
            const CanvasLock lock{canvas, dc};
            picture->Draw(canvas, ToRECT(core::Rect::FromBounds(at.x, at.y, props.bitmap.width, props.bitmap.height)));
        }
    }

    if (m_text.empty()) return;
    const core::Rect text = place.text.Offset(rect.left, rect.top);
    RECT target = ToRECT(text);
    const UINT align = AlignFlags(GlyphCaptionAlign(GlyphLayout(props.layout)));
    DrawWideText(dc, m_text, target, TextFlags(DT_WORDBREAK | align));
    DrawFocus(dc, text);
}

void TSkinBitButton::PaintSkin(HDC dc, const RECT& rect) {
    PaintButton(dc, rect, GlyphButtonFrame, [&](HDC buffer, ButtonFrame frame, const std::wstring& caption) {
        PaintGlyphAndCaption(buffer, rect, ButtonKind::Bitmap, GlyphIndex(frame), m_enabled, caption);
    });
}

// --- buttons with a drop-down arrow ---------------------------------------------------------

void TSkinMenuButton::PaintSkin(HDC dc, const RECT& rect) {
    PaintButton(dc, rect, MenuButtonFrame, [&](HDC buffer, ButtonFrame, const std::wstring& caption) {
        const core::Size client = SizeOf(rect);
        m_text = ToWide(CaptionLines(AsUtf16(caption)));
        if (!m_text.empty()) {
            const core::Size measured = MeasureText(buffer, m_text, MenuButtonTextBox(client), DT_WORDBREAK);
            const core::Point at = MenuButtonTextAt(client, measured);
            const core::Rect text =
                core::Rect::FromBounds(at.x, at.y, measured.width, measured.height).Offset(rect.left, rect.top);
            RECT target = ToRECT(text);
            DrawWideText(buffer, m_text, target, TextFlags(DT_WORDBREAK));
            DrawFocus(buffer, text);
        }
        const COLORREF arrowColour = ::GetSysColor(m_enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        BrushHandle brush{::CreateSolidBrush(arrowColour)};
        PenHandle pen{::CreatePen(PS_SOLID, 1, arrowColour)};
        if (!brush || !pen) return;
        SelectScope useBrush{buffer, brush.Get()};
        SelectScope usePen{buffer, pen.Get()};
        std::array<POINT, 3> arrow{};
        const auto corners = MenuButtonArrow(client);
        for (size_t i = 0; i < arrow.size(); ++i) arrow[i] = {rect.left + corners[i].x, rect.top + corners[i].y};
        ::Polygon(buffer, arrow.data(), static_cast<int>(arrow.size()));
    });
}
