#pragma once
// Reads the sections of a skin description into skin objects: the four window borders,
// the caption text, the menu bar, the push-button object with its check and radio
// strips, the title-bar buttons, the colours, and the plain, bordered, progress and
// group-box sections of the controls. Bitmaps come from the skin's container; one that
// is missing, too large or cannot be decoded leaves its picture empty, so a damaged
// skin still loads what it can. Nothing here throws for bad values; the caller owns
// every object returned.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "skin/data/SkinObjects.h"

#include <memory>
#include <string_view>
#include <vector>

class TQuickIni;
class TSkinReader;

// The colours of section "Colours", each a system colour until the skin sets it.
struct TSkinColours {
    TColor WindowText = clWindowText;
    TColor ButtonFace = clBtnFace;
    TColor ScrollbarColour = clScrollBar;
    TColor HilightText = clHighlightText;
    TColor Hilight = clHighlight;
    TColor Menubar = clBtnFace;
    TColor Menu = clMenu;
    TColor MenuText = clMenuText;
    TColor ButtonText = clBtnText;
    TColor ButtonHilight = clBtnHighlight;
    TColor Buttonlight = clBtnHighlight;
    TColor ButtonShadow = clBtnShadow;
    TColor ButtonDkShadow = cl3DDkShadow;
    TColor MenuBarText = clMenuText;
    TColor TitleTextActive = clCaptionText;
    TColor TitleTextNoActive = clInactiveCaptionText;
};

// More title-bar buttons than any caption has room for; sections beyond are ignored.
inline constexpr size_t kMaxTitleButtons = 32;

class SkinDescriptionReader {
public:
    // Both are borrowed for the reader's lifetime.
    SkinDescriptionReader(const TQuickIni& description, const TSkinReader& files) noexcept
        : m_ini(description), m_files(files) {}

    // The bitmap a description value names, into `target`; emptied when there is none
    // or it cannot be used.
    void LoadBitmap(std::string_view value, TBitmap& target) const noexcept;

    TSkinColours Colours() const;

    // Window border "Left", "Right", "Top" or "Bottom" of section "Personality",
    // refilling `border`.
    void ReadBorder(std::string_view side, TDataSkinObject& border) const;
    // The caption text settings of "Personality" and the font height of "Fonts".
    void ReadTitle(TDataSkinTitle& title) const;
    // The menu bar strip of "Personality"; null when the skin names none.
    std::unique_ptr<TDataSkinObject> ReadMenuBar() const;
    // Section "Buttons", refilling `buttons`; text colours default to `buttonText`.
    void ReadButtons(TDataSkinButton& buttons, TColor buttonText) const;
    // One button per title-bar button section, in file order, then the three buttons of
    // multi-document children cut from "MDICONTROLS".
    std::vector<std::unique_ptr<TDataSkinSysButton>> ReadTitleButtons() const;

    // Each null when the section names no picture under its image key.
    std::unique_ptr<TDataSkinObject> ReadPlain(std::string_view section, TColor buttonText) const;
    // A plain section with a second picture under `secondKey` and no frame count.
    std::unique_ptr<TDataSkinBorder> ReadBordered(std::string_view section, std::string_view secondKey,
                                                  TColor buttonText) const;
    std::unique_ptr<TDataSkinBorder> ReadProgress() const;
    std::unique_ptr<TDataSkinBoxLabel> ReadGroupBox(TColor buttonText) const;

private:
    enum class FrameKey { Read, Ignore };
    void ReadCommon(TDataSkinObject& object, std::string_view section, FrameKey frame, TColor buttonText) const;
    // "LeftWidth", "RightWidth", "TopHeight" and "BottomHeight", each 0 when absent.
    void ReadMargins(TDataSkinObject& object, std::string_view section) const;
    int32_t Integer(std::string_view section, std::string_view key, int32_t defaultValue) const;

    const TQuickIni& m_ini;
    const TSkinReader& m_files;
};
