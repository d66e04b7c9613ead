#include "framework/graphics/GraphicsObjects.h"

#include "framework/core/Exception.h"
#include "framework/win/Handles.h"

#include <algorithm>
#include <cwchar>

COLORREF ColorToRGB(TColor colour) noexcept {
    if (IsSystemColour(colour)) return ::GetSysColor(SystemColourIndex(colour));
    return static_cast<COLORREF>(colour) & 0x00FFFFFF;
}

namespace {
// One look for the whole program: every window wears the main skin.
bool g_faceLookSet = false;
FaceLook g_faceLook{};
}  // namespace

void SetFaceLook(const FaceLook* look) noexcept {
    g_faceLookSet = look != nullptr;
    if (look) g_faceLook = *look;
}

COLORREF TextOnFace(TColor text, TColor face) noexcept {
    if (g_faceLookSet && (text == clWindowText || text == clBtnText) &&
        ColorToRGB(face) == ColorToRGB(g_faceLook.face))
        return ColorToRGB(g_faceLook.text);
    return ColorToRGB(text);
}

std::span<const std::u16string_view> EnumIdents(TFontStyle) {
    static constexpr std::u16string_view idents[] = {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"};
    return idents;
}
std::span<const std::u16string_view> EnumIdents(TFontPitch) {
    static constexpr std::u16string_view idents[] = {u"fpDefault", u"fpVariable", u"fpFixed"};
    return idents;
}
std::span<const std::u16string_view> EnumIdents(TBrushStyle) {
    static constexpr std::u16string_view idents[] = {u"bsSolid",     u"bsClear",     u"bsHorizontal", u"bsVertical",
                                                     u"bsFDiagonal", u"bsBDiagonal", u"bsCross",      u"bsDiagCross"};
    return idents;
}
std::span<const std::u16string_view> EnumIdents(TPenStyle) {
    static constexpr std::u16string_view idents[] = {u"psSolid",      u"psDash",  u"psDot",         u"psDashDot",
                                                     u"psDashDotDot", u"psClear", u"psInsideFrame"};
    return idents;
}
std::span<const std::u16string_view> EnumIdents(TPenMode) {
    static constexpr std::u16string_view idents[] = {
        u"pmBlack",        u"pmWhite",       u"pmNop",   u"pmNot",      u"pmCopy", u"pmNotCopy",
        u"pmMergePenNot",  u"pmMaskPenNot",  u"pmMergeNotPen", u"pmMaskNotPen", u"pmMerge", u"pmNotMerge",
        u"pmMask",         u"pmNotMask",     u"pmXor",   u"pmNotXor"};
    return idents;
}

void TGraphicsObject::Changed() {
    DropHandle();
    Fire(OnChange, this);
}

// --- TFont ---

int TFont::ScreenPixelsPerInch() noexcept {
    static const int ppi = [] {
        WindowDc screen = WindowDc::Client(nullptr);
        const int value = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

void TFont::Publish(TPublisher<TFont>& p) {
    p.Integer(u"Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
    p.Colour(u"Color", &TFont::Color, &TFont::SetColor).Default(clWindowText);
    p.Integer(u"Height", &TFont::Height, &TFont::SetHeight);
    p.String(u"Name", &TFont::Name, &TFont::SetName);
    p.Enum(u"Pitch", &TFont::Pitch, &TFont::SetPitch).Default(TFontPitch::fpDefault);
    p.Integer(u"Size", &TFont::Size, &TFont::SetSize).NotStored();  // Height says it exactly
    p.Set(u"Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

void TFont::Assign(const TPersistent& source) {
    if (const auto* font = As<TFont>(&source)) {
        m_name = font->m_name;
        m_height = font->m_height;
        m_color = font->m_color;
        m_charset = font->m_charset;
        m_style = font->m_style;
        m_pitch = font->m_pitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(std::wstring_view name) {
    // A face name longer than the platform's limit could never be selected as asked.
    const std::wstring_view cut = name.substr(0, LF_FACESIZE - 1);
    if (cut.empty() || cut == m_name) return;
    m_name = cut;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == m_height) return;
    m_height = height;
    Changed();
}

int TFont::Size() const noexcept { return -::MulDiv(m_height, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Fire(OnChange, this);  // the handle does not depend on the colour
}

void TFont::SetCharset(int charset) {
    charset = std::clamp(charset, 0, 255);
    if (charset == m_charset) return;
    m_charset = charset;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style) return;
    m_style = style;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == m_pitch) return;
    m_pitch = pitch;
    Changed();
}

LOGFONTW TFont::LogFont() const noexcept {
    LOGFONTW font{};
    font.lfHeight = m_height;
    font.lfWeight = m_style.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = m_style.Contains(TFontStyle::fsItalic);
    font.lfUnderline = m_style.Contains(TFontStyle::fsUnderline);
    font.lfStrikeOut = m_style.Contains(TFontStyle::fsStrikeOut);
    font.lfCharSet = static_cast<BYTE>(m_charset);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = m_pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                            : m_pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                : DEFAULT_PITCH;
    std::wcsncpy(font.lfFaceName, m_name.c_str(), LF_FACESIZE - 1);
    return font;
}

void TFont::SetLogFont(const LOGFONTW& font) {
    m_name.assign(font.lfFaceName, ::wcsnlen(font.lfFaceName, LF_FACESIZE));
    m_height = font.lfHeight;
    m_charset = font.lfCharSet;
    TFontStyles style;
    if (font.lfWeight >= FW_BOLD) style.Include(TFontStyle::fsBold);
    if (font.lfItalic) style.Include(TFontStyle::fsItalic);
    if (font.lfUnderline) style.Include(TFontStyle::fsUnderline);
    if (font.lfStrikeOut) style.Include(TFontStyle::fsStrikeOut);
    m_style = style;
    const int pitch = font.lfPitchAndFamily & 3;
    m_pitch = pitch == FIXED_PITCH ? TFontPitch::fpFixed : pitch == VARIABLE_PITCH ? TFontPitch::fpVariable : TFontPitch::fpDefault;
    Changed();
}

HFONT TFont::Handle() const noexcept {
    if (!m_handle) {
        const LOGFONTW font = LogFont();
        m_handle = FontHandle{::CreateFontIndirectW(&font)};
    }
    return m_handle ? m_handle.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

// --- TBrush ---

void TBrush::Publish(TPublisher<TBrush>& p) {
    p.Colour(u"Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
    p.Enum(u"Style", &TBrush::Style, &TBrush::SetStyle).Default(TBrushStyle::bsSolid);
}

void TBrush::Assign(const TPersistent& source) {
    if (const auto* brush = As<TBrush>(&source)) {
        m_color = brush->m_color;
        m_style = brush->m_style;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    if (m_style == TBrushStyle::bsClear) m_style = TBrushStyle::bsSolid;  // a colour is meant to show
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == m_style) return;
    m_style = style;
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (m_style == TBrushStyle::bsClear) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    if (!m_handle) {
        const COLORREF colour = ColorToRGB(m_color);
        static constexpr int kHatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        m_handle = BrushHandle{m_style == TBrushStyle::bsSolid
                                   ? ::CreateSolidBrush(colour)
                                   : ::CreateHatchBrush(kHatch[static_cast<int>(m_style)], colour)};
    }
    return m_handle ? m_handle.Get() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

// --- TPen ---

void TPen::Publish(TPublisher<TPen>& p) {
    p.Colour(u"Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
    p.Enum(u"Mode", &TPen::Mode, &TPen::SetMode).Default(TPenMode::pmCopy);
    p.Enum(u"Style", &TPen::Style, &TPen::SetStyle).Default(TPenStyle::psSolid);
    p.Integer(u"Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::Assign(const TPersistent& source) {
    if (const auto* pen = As<TPen>(&source)) {
        m_color = pen->m_color;
        m_width = pen->m_width;
        m_style = pen->m_style;
        m_mode = pen->m_mode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width) {
    width = std::max(width, 0);
    if (width == m_width) return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == m_style) return;
    m_style = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == m_mode) return;
    m_mode = mode;
    Fire(OnChange, this);  // the mode is a DC attribute, not part of the handle
}

int TPen::Rop2() const noexcept {
    static constexpr int kRop[] = {R2_BLACK,       R2_WHITE,      R2_NOP,     R2_NOT,     R2_COPYPEN,
                                   R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                                   R2_MERGEPEN,    R2_NOTMERGEPEN, R2_MASKPEN,  R2_NOTMASKPEN, R2_XORPEN,
                                   R2_NOTXORPEN};
    return kRop[static_cast<int>(m_mode)];
}

HPEN TPen::Handle() const {
    if (!m_handle) {
        static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        m_handle = PenHandle{::CreatePen(kStyle[static_cast<int>(m_style)], m_width, ColorToRGB(m_color))};
    }
    return m_handle ? m_handle.Get() : static_cast<HPEN>(::GetStockObject(BLACK_PEN));
}
