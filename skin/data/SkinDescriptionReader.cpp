#include "skin/data/SkinDescriptionReader.h"

#include "framework/core/FailureLog.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"
#include "skin/data/FrameRules.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinLoadRules.h"
#include "skin/data/SkinReader.h"

#include <string>

namespace {

constexpr std::string_view kPersonality = "Personality";

std::string Key(std::string_view prefix, std::string_view suffix) {
    std::string key(prefix);
    key += suffix;
    return key;
}

// The numbers a refilled object does not read start from the constructor's values again.
void ResetNumbers(TDataSkinObject& object) noexcept {
    object.SetMargins({});
    object.Trans = object.Tile = object.FrameCount = object.Style = 0;
    object.NormalColour = object.MouseOverColour = object.PressedColour = 0;
    object.NormalColour2 = object.MouseOverColour2 = object.PressedColour2 = 0;
}

// Tile flags above 1: the window borders, the menu bar and the progress object read
// them as "on", every other object as "off".
int32_t AboveOneOn(int32_t tile) noexcept { return tile > 1 ? 1 : tile; }
int32_t AboveOneOff(int32_t tile) noexcept { return tile > 1 ? 0 : tile; }

// Three description integers as a colour, or clNone unless all three are given.
TColor RgbOrNone(int32_t red, int32_t green, int32_t blue) noexcept {
    if (red < 0 || green < 0 || blue < 0) return clNone;
    return RgbColour(static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue));
}

}  // namespace

int32_t SkinDescriptionReader::Integer(std::string_view section, std::string_view key, int32_t defaultValue) const {
    return m_ini.ReadInteger(section, key, defaultValue);
}

void SkinDescriptionReader::ReadMargins(TDataSkinObject& object, std::string_view section) const {
    object.LeftWidth = Integer(section, "LeftWidth", 0);
    object.RightWidth = Integer(section, "RightWidth", 0);
    object.TopHeight = Integer(section, "TopHeight", 0);
    object.BottomHeight = Integer(section, "BottomHeight", 0);
}

void SkinDescriptionReader::LoadBitmap(std::string_view value, TBitmap& target) const noexcept {
    try {
        const auto file = m_files.Bitmap(value);
        if (!file.empty() && SkinBitmapSizeAllowed(file)) {
            target.LoadFromBytes(file);
            return;
        }
    } catch (...) {  // a bitmap we cannot decode, or no memory for it: the picture stays empty
        LogCurrentException(u"A skin bitmap could not be read; its picture stays empty");
    }
    try {
        target.Clear();
    } catch (...) {  // emptying frees memory; if even that fails, the old picture stays
        LogCurrentException(u"A skin picture could not be emptied");
    }
}

TSkinColours SkinDescriptionReader::Colours() const {
    constexpr std::string_view kColours = "Colours";
    const auto colour = [&](std::string_view key, TColor defaultValue) {
        return ParseColourTriple(m_ini.ReadString(kColours, key, ""), defaultValue);
    };
    TSkinColours c;
    c.WindowText = colour("WindowText", clWindowText);
    c.ButtonFace = colour("ButtonFace", clBtnFace);
    c.ScrollbarColour = colour("Scrollbar", clScrollBar);
    c.HilightText = colour("HilightText", clHighlightText);
    c.Hilight = colour("Hilight", clHighlight);
    c.Menubar = colour("Menubar", c.ButtonFace);
    c.Menu = colour("Menu", clMenu);
    c.MenuText = colour("MenuText", clMenuText);
    c.ButtonText = colour("ButtonText", clBtnText);
    c.ButtonHilight = colour("ButtonHilight", clBtnHighlight);
    c.Buttonlight = colour("Buttonlight", clBtnHighlight);
    c.ButtonShadow = colour("ButtonShadow", clBtnShadow);
    c.ButtonDkShadow = colour("ButtonDkShadow", cl3DDkShadow);
    c.MenuBarText = colour("MenuBarText", clMenuText);
    c.TitleTextActive = colour("TitleTextActive", clCaptionText);
    c.TitleTextNoActive = colour("TitleTextNoActive", clInactiveCaptionText);
    return c;
}

void SkinDescriptionReader::ReadBorder(std::string_view side, TDataSkinObject& border) const {
    ResetNumbers(border);
    LoadBitmap(m_ini.ReadString(kPersonality, side, ""), border.Image);
    const int32_t first = Integer(kPersonality, Key(side, "TopHeight"), 0);
    const int32_t last = Integer(kPersonality, Key(side, "BotHeight"), 0);
    // The caption strip and the bottom edge run across the window: their fixed parts
    // are their left and right ends.
    if (side == "Top" || side == "Bottom") {
        border.LeftWidth = first;
        border.RightWidth = last;
    } else {
        border.TopHeight = first;
        border.BottomHeight = last;
    }
    border.FrameCount = Integer(kPersonality, Key(side, "Frame"), 1);
    border.Tile = AboveOneOn(Integer(kPersonality, Key(side, "Stretch"), 1));
    border.Trans = Integer(kPersonality, Key(side, "Trans"), 1);
}

void SkinDescriptionReader::ReadTitle(TDataSkinTitle& title) const {
    ResetNumbers(title);
    LoadBitmap(m_ini.ReadString(kPersonality, "TextBack", ""), title.Image);
    title.TextShift() = Integer(kPersonality, "TextShift", 0);
    title.TextShiftVert() = Integer(kPersonality, "TextShiftVert", 0);
    title.TextRightClip() = Integer(kPersonality, "TextRightClip", 0);
    title.TextAlignment = Integer(kPersonality, "TextAlignment", 0);
    title.Textbackground = Integer(kPersonality, "Textbackground", 0);
    title.TXTBackleft = Integer(kPersonality, "TXTBackleft", 0);
    title.TXTBackRight = Integer(kPersonality, "TXTBackRight", 0);
    title.ActiveText = RgbOrNone(Integer(kPersonality, "ActiveTextR", -1), Integer(kPersonality, "ActiveTextG", -1),
                                 Integer(kPersonality, "ActiveTextB", -1));
    title.InActiveText = RgbOrNone(Integer(kPersonality, "InActiveTextR", -1),
                                   Integer(kPersonality, "InActiveTextG", -1), Integer(kPersonality, "InActiveTextB", -1));
    title.FontHeight = Integer("Fonts", "FontHeight", 14);
}

std::unique_ptr<TDataSkinObject> SkinDescriptionReader::ReadMenuBar() const {
    const std::string image = m_ini.ReadString(kPersonality, "menuBar", "");
    if (image.empty()) return nullptr;
    auto bar = std::make_unique<TDataSkinObject>(kPersonality);
    LoadBitmap(image, bar->Image);
    bar->Tile = AboveOneOn(Integer(kPersonality, "TileMenu", 1));
    bar->LeftWidth = Integer(kPersonality, "TileLeftMenu", 1);
    bar->RightWidth = Integer(kPersonality, "TileRightMenu", 1);
    return bar;
}

void SkinDescriptionReader::ReadButtons(TDataSkinButton& buttons, TColor buttonText) const {
    constexpr std::string_view kButtons = "Buttons";
    ResetNumbers(buttons);
    LoadBitmap(m_ini.ReadString(kButtons, "Bitmap", ""), buttons.Image);
    ReadMargins(buttons, kButtons);
    buttons.Trans = Integer(kButtons, "Trans", 0);
    buttons.Tile = AboveOneOff(Integer(kButtons, "Tile", 0));
    LoadBitmap(m_ini.ReadString(kButtons, "CheckButton", ""), buttons.CheckImage);
    LoadBitmap(m_ini.ReadString(kButtons, "RadioButton", ""), buttons.RadioImage);
    buttons.CheckFrames = Integer(kButtons, "CheckButtonFrame", 0);
    buttons.RadioFrames = Integer(kButtons, "RadioButtonFrame", 0);
    buttons.NormalColour = Integer(kButtons, "NormalColour", -1);
    buttons.MouseOverColour = Integer(kButtons, "MouseOverColour", -1);
    buttons.PressedColour = Integer(kButtons, "PressedColour", -1);
    const std::string normal = m_ini.ReadString(kButtons, "NormalColour2", "");
    const std::string over = m_ini.ReadString(kButtons, "MouseOverColour2", "");
    const std::string pressed = m_ini.ReadString(kButtons, "PressedColour2", "");
    buttons.NormalColour2 = ParseColourTriple(normal, buttonText);
    buttons.MouseOverColour2 = ParseColourTriple(over, buttonText);
    buttons.PressedColour2 = ParseColourTriple(pressed, buttonText);
    buttons.HasNormalColour2 = !normal.empty();
    buttons.HasMouseOverColour2 = !over.empty();
    buttons.HasPressedColour2 = !pressed.empty();
}

std::vector<std::unique_ptr<TDataSkinSysButton>> SkinDescriptionReader::ReadTitleButtons() const {
    TAnsiStringList sectionList;
    m_ini.ReadSections(sectionList);
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(sectionList.Count()));
    for (int i = 0; i < sectionList.Count(); ++i) names.push_back(sectionList[i]);
    const auto readInteger = [this](std::string_view section, std::string_view key, int32_t defaultValue) {
        return Integer(section, key, defaultValue);
    };
    std::vector<std::string> sections = TitleButtonSections(names, readInteger);
    if (sections.size() > kMaxTitleButtons) sections.resize(kMaxTitleButtons);

    std::vector<std::unique_ptr<TDataSkinSysButton>> buttons;
    for (const std::string& section : sections) {
        auto button = std::make_unique<TDataSkinSysButton>(section);
        button->Action = Integer(section, "Action", 0);
        button->Align = Integer(section, "Align", 0);
        button->Xcoord = Integer(section, "Xcoord", 0);
        button->Ycoord = Integer(section, "Ycoord", 0);
        button->Visibility = Integer(section, "Visibility", 0);
        button->Visibility1 = Integer(section, "Visibility1", button->Action == -1 ? -1 : 0);
        button->CombineOp = Integer(section, "CombineOp", -1);
        LoadBitmap(m_ini.ReadString(section, "ButtonImage", ""), button->Image);
        ApplyTitleButtonFrames(*button, Integer(section, "frame", 0));
        buttons.push_back(std::move(button));
    }

    std::vector<std::unique_ptr<TDataSkinSysButton>> mdi;
    try {
        TBitmap strip;
        LoadBitmap(m_ini.ReadString("MDICONTROLS", "Image", ""), strip);
        mdi = MakeMdiButtons(&strip);
    } catch (const Exception&) {  // the strip could not be cut: plain buttons without pictures
        mdi = MakeMdiButtons(nullptr);
    }
    for (auto& button : mdi) buttons.push_back(std::move(button));
    return buttons;
}

void SkinDescriptionReader::ReadCommon(TDataSkinObject& object, std::string_view section, FrameKey frame,
                                       TColor buttonText) const {
    LoadBitmap(m_ini.ReadString(section, "Image", ""), object.Image);
    object.Style = Integer(section, "Style", 0);
    ReadMargins(object, section);
    if (frame == FrameKey::Read) object.FrameCount = Integer(section, "Frame", 0);
    object.Trans = Integer(section, "Trans", 0);
    object.Tile = AboveOneOff(Integer(section, "Tile", 0));
    object.NormalColour = Integer(section, "NormalColour", -1);
    object.MouseOverColour = Integer(section, "MouseOverColour", -1);
    object.PressedColour = Integer(section, "PressedColour", -1);
    object.NormalColour2 = ParseColourTriple(m_ini.ReadString(section, "NormalColour2", ""), buttonText);
    object.MouseOverColour2 = ParseColourTriple(m_ini.ReadString(section, "MouseOverColour2", ""), buttonText);
    object.PressedColour2 = ParseColourTriple(m_ini.ReadString(section, "PressedColour2", ""), buttonText);
}

std::unique_ptr<TDataSkinObject> SkinDescriptionReader::ReadPlain(std::string_view section, TColor buttonText) const {
    if (m_ini.ReadString(section, "Image", "").empty()) return nullptr;
    auto object = std::make_unique<TDataSkinObject>(section);
    ReadCommon(*object, section, FrameKey::Read, buttonText);
    return object;
}

std::unique_ptr<TDataSkinBorder> SkinDescriptionReader::ReadBordered(std::string_view section,
                                                                     std::string_view secondKey,
                                                                     TColor buttonText) const {
    if (m_ini.ReadString(section, "Image", "").empty()) return nullptr;
    auto object = std::make_unique<TDataSkinBorder>(section);
    ReadCommon(*object, section, FrameKey::Ignore, buttonText);
    if (const std::string second = m_ini.ReadString(section, secondKey, ""); !second.empty())
        LoadBitmap(second, object->Image2);
    return object;
}

std::unique_ptr<TDataSkinBorder> SkinDescriptionReader::ReadProgress() const {
    constexpr std::string_view kProgress = "Progress";
    const std::string image = m_ini.ReadString(kProgress, "Bitmap", "");
    if (image.empty()) return nullptr;
    auto progress = std::make_unique<TDataSkinBorder>(kProgress);
    LoadBitmap(image, progress->Image);
    progress->Style = Integer(kProgress, "Style", 0);
    ReadMargins(*progress, kProgress);
    progress->Trans = Integer(kProgress, "Trans", 0);
    progress->Tile = AboveOneOn(Integer(kProgress, "Tile", 0));
    return progress;
}

std::unique_ptr<TDataSkinBoxLabel> SkinDescriptionReader::ReadGroupBox(TColor buttonText) const {
    constexpr std::string_view kGroupBox = "GroupBox";
    if (m_ini.ReadString(kGroupBox, "Image", "").empty()) return nullptr;
    auto label = std::make_unique<TDataSkinBoxLabel>(kGroupBox);
    ReadCommon(*label, kGroupBox, FrameKey::Ignore, buttonText);
    label->BackgroundAlignment = Integer(kGroupBox, "BackgroundAlignment", 0);
    label->BackgroundLeftShift = Integer(kGroupBox, "BackgroundLeftShift", 0);
    label->BackgroundRightShift = Integer(kGroupBox, "BackgroundRightShift", 0);
    return label;
}
