#pragma once
// The drawing attributes of a canvas: TFont, TBrush and TPen. Each makes its GDI
// handle when first asked and keeps it until an attribute changes; each tells its
// user through OnChange so that a control can repaint.

#include "framework/core/Events.h"
#include "framework/core/Persistent.h"
#include "framework/core/Properties.h"
#include "framework/graphics/Colors.h"
#include "framework/win/Handles.h"

#include <span>
#include <string>
#include <string_view>

#include <windows.h>

// The platform colour of a framework colour (system colours resolved now).
COLORREF ColorToRGB(TColor colour) noexcept;

// Text a control draws on its own face. A look that repaints faces in a colour of its
// own (a skin) names that face colour and the text colour that goes with it; text in a
// system text colour on such a face then takes the look's text colour, so that it stays
// legible on a dark face. Text the program coloured itself, and text on any other face
// (an edit's window colour), keeps its colour.
struct FaceLook {
    TColor face;
    TColor text;
};
void SetFaceLook(const FaceLook* look) noexcept;  // null: the system's look again
COLORREF TextOnFace(TColor text, TColor face) noexcept;

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

using TFontStyles = EnumSet<TFontStyle>;

std::span<const std::u16string_view> EnumIdents(TFontStyle);
std::span<const std::u16string_view> EnumIdents(TFontPitch);
std::span<const std::u16string_view> EnumIdents(TBrushStyle);
std::span<const std::u16string_view> EnumIdents(TPenStyle);
std::span<const std::u16string_view> EnumIdents(TPenMode);

// Common part: the change notification.
class TGraphicsObject : public TPersistent {
    KESTRELLE_CLASS(TGraphicsObject, TPersistent)

public:
    TNotifyEvent OnChange;

protected:
    // Drops the cached handle and tells the user.
    void Changed();
    virtual void DropHandle() noexcept = 0;
};

class TFont : public TGraphicsObject {
    KESTRELLE_CLASS(TFont, TGraphicsObject)

public:
    TFont() = default;
    void Assign(const TPersistent& source) override;
    static void Publish(TPublisher<TFont>& p);

    const std::wstring& Name() const noexcept { return m_name; }
    void SetName(std::wstring_view name);
    // Character height in pixels; negative means the cell without internal leading.
    int Height() const noexcept { return m_height; }
    void SetHeight(int height);
    // Size in points at the screen's resolution.
    int Size() const noexcept;
    void SetSize(int points);
    TColor Color() const noexcept { return m_color; }
    void SetColor(TColor color);
    int Charset() const noexcept { return m_charset; }
    void SetCharset(int charset);
    TFontStyles Style() const noexcept { return m_style; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const noexcept { return m_pitch; }
    void SetPitch(TFontPitch pitch);

    // The font's handle, made on first use; owned by this object (borrow it). The stock
    // GUI font when it cannot be made.
    HFONT Handle() const noexcept;
    LOGFONTW LogFont() const noexcept;
    // Takes the attributes of an existing font (for instance the system's caption font).
    void SetLogFont(const LOGFONTW& font);

    static int ScreenPixelsPerInch() noexcept;

private:
    void DropHandle() noexcept override { m_handle = FontHandle{}; }

    std::wstring m_name = L"MS Sans Serif";
    int m_height = -11;
    TColor m_color = clWindowText;
    int m_charset = DEFAULT_CHARSET;
    TFontStyles m_style;
    TFontPitch m_pitch = TFontPitch::fpDefault;
    mutable FontHandle m_handle;
};

class TBrush : public TGraphicsObject {
    KESTRELLE_CLASS(TBrush, TGraphicsObject)

public:
    void Assign(const TPersistent& source) override;
    static void Publish(TPublisher<TBrush>& p);
    TColor Color() const noexcept { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const noexcept { return m_style; }
    void SetStyle(TBrushStyle style);
    // The brush's handle (a stock null brush for bsClear); borrow it.
    HBRUSH Handle() const;

private:
    void DropHandle() noexcept override { m_handle = BrushHandle{}; }

    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::bsSolid;
    mutable BrushHandle m_handle;
};

class TPen : public TGraphicsObject {
    KESTRELLE_CLASS(TPen, TGraphicsObject)

public:
    void Assign(const TPersistent& source) override;
    static void Publish(TPublisher<TPen>& p);
    TColor Color() const noexcept { return m_color; }
    void SetColor(TColor color);
    int Width() const noexcept { return m_width; }
    void SetWidth(int width);
    TPenStyle Style() const noexcept { return m_style; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const noexcept { return m_mode; }
    void SetMode(TPenMode mode);
    // The raster operation for SetROP2.
    int Rop2() const noexcept;
    HPEN Handle() const;

private:
    void DropHandle() noexcept override { m_handle = PenHandle{}; }

    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = TPenStyle::psSolid;
    TPenMode m_mode = TPenMode::pmCopy;
    mutable PenHandle m_handle;
};
