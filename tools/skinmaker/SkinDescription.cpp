#include "tools/skinmaker/SkinDescription.h"

#include "tools/skinmaker/SkinArt.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

class Ini {
public:
    void Comment(std::string_view text) { Line("; " + std::string(text)); }
    void Section(std::string_view name) {
        if (!m_text.empty()) Line("");
        Line("[" + std::string(name) + "]");
    }
    void Key(std::string_view key, std::string_view value) { Line(std::string(key) + "=" + std::string(value)); }
    void Key(std::string_view key, int value) { Key(key, std::to_string(value)); }
    void Keys(std::initializer_list<std::pair<std::string_view, int>> keys) {
        for (const auto& [key, value] : keys) Key(key, value);
    }
    // Slicing margins in the order the objects keep them.
    void Margins(int left, int top, int right, int bottom) {
        Keys({{"LeftWidth", left}, {"TopHeight", top}, {"RightWidth", right}, {"BottomHeight", bottom}});
    }
    std::string Text() && { return std::move(m_text); }

private:
    void Line(std::string_view line) {
        m_text += line;
        m_text += "\r\n";
    }
    std::string m_text;
};

// A window border of "Personality": its picture, fixed ends, frames (active and
// inactive), stretched middle and whether magenta cuts the window's shape.
void Border(Ini& ini, std::string_view side, std::string_view image, int first, int last, bool transparent) {
    const std::string s(side);
    ini.Key(s, image);
    ini.Keys({{s + "TopHeight", first}, {s + "BotHeight", last}, {s + "Frame", 2}, {s + "Stretch", 1},
              {s + "Trans", transparent ? 1 : 0}});
}

// Text colours of a control part: normal, under the mouse, pressed.
void TextColours(Ini& ini, std::string_view normal, std::string_view over, std::string_view pressed) {
    ini.Key("NormalColour2", normal);
    ini.Key("MouseOverColour2", over);
    ini.Key("PressedColour2", pressed);
}

// A title-bar button at `xcoord` from the window's right edge, `ycoord` from its top.
void CaptionButton(Ini& ini, std::string_view section, std::string_view role, int action, int xcoord, int ycoord,
                   int visibility1, std::string_view image) {
    ini.Section(section);
    ini.Comment(role);
    ini.Keys({{"Action", action}, {"Align", 1}, {"Xcoord", xcoord}, {"Ycoord", ycoord},
              {"Visibility", 0}, {"Visibility1", visibility1}});
    ini.Key("ButtonImage", image);
}

// "r g b", the way the description spells a colour.
std::string Spelled(Rgb c) { return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b); }

}  // namespace

std::string DescriptionName(const SkinPalette& palette) { return std::string(palette.stem) + ".ini"; }

std::string SkinDescription(const SkinPalette& palette) {
    using namespace look;
    const auto colour = [&](uint32_t kestrelle) { return Spelled(palette(Hex(kestrelle))); };
    const std::string text = colour(0x1F2A26);
    const std::string textSoft = colour(0x4A5753);
    const std::string accentText = colour(0x2F6155);
    const std::string white = colour(0xFFFFFF);
    Ini ini;
    ini.Comment(palette.title);
    ini.Comment("Made by tools/skinmaker; magenta (255 0 255) marks transparent pixels.");

    ini.Section("Personality");
    Border(ini, "Left", "left.bmp", palette.caption, kSideFoot, true);
    Border(ini, "Right", "right.bmp", palette.caption, kSideFoot, true);
    Border(ini, "Top", "caption.bmp", kCaptionEnd, kCaptionEnd, true);
    Border(ini, "Bottom", "bottom.bmp", 0, 0, false);
    ini.Keys({{"TextShift", kIconX + kCaptionButton + 6}, {"TextShiftVert", 0},
              {"TextRightClip", kMinimiseX + 6}, {"TextAlignment", 0}});
    const Rgb active = palette.Frame(Hex(0xFFFFFF)), inactive = palette.Frame(Hex(0x4A5753));
    ini.Keys({{"ActiveTextR", active.r}, {"ActiveTextG", active.g}, {"ActiveTextB", active.b}});
    ini.Keys({{"InActiveTextR", inactive.r}, {"InActiveTextG", inactive.g}, {"InActiveTextB", inactive.b}});
    ini.Key("menuBar", "menubar.bmp");
    ini.Keys({{"TileMenu", 0}, {"TileLeftMenu", 2}, {"TileRightMenu", 2}});

    ini.Section("Fonts");
    ini.Key("FontHeight", palette.fontHeight);
    ini.Key("FontName", "Tahoma");

    ini.Section("Colours");
    ini.Key("WindowText", text);
    ini.Key("ButtonFace", colour(0xEEF0EA));
    ini.Key("Scrollbar", colour(0xE4E9E4));
    ini.Key("HilightText", white);
    ini.Key("Hilight", colour(0x3E7A6A));
    ini.Key("Menubar", colour(0xECF0EB));
    ini.Key("Menu", colour(0xF8FAF6));
    ini.Key("MenuText", text);
    ini.Key("ButtonText", text);
    ini.Key("ButtonHilight", white);
    ini.Key("Buttonlight", colour(0xF6F8F4));
    ini.Key("ButtonShadow", colour(0xA7B3AC));
    ini.Key("ButtonDkShadow", colour(0x5E6E66));
    ini.Key("MenuBarText", text);
    ini.Key("TitleTextActive", Spelled(active));
    ini.Key("TitleTextNoActive", Spelled(inactive));

    const int top = palette.captionButtonTop;
    CaptionButton(ini, "Button1", "close", 0, kCloseX, top, 0, "btnclose.bmp");
    CaptionButton(ini, "Button12", "maximise, while the window is not maximised", 1, kMaximiseX, top, 2, "btnmax.bmp");
    CaptionButton(ini, "Button13", "restore, while the window is maximised", 1, kMaximiseX, top, 1, "btnrestore.bmp");
    CaptionButton(ini, "Button14", "minimise", 2, kMinimiseX, top, 0, "btnmin.bmp");
    ini.Section("Button0");
    ini.Comment("the window's icon, drawn from the window itself");
    ini.Keys({{"Action", 3}, {"Align", 0}, {"Xcoord", kIconX}, {"Ycoord", top}, {"Visibility", 0},
              {"Visibility1", 0}});
    ini.Section("MDICONTROLS");
    ini.Key("Image", "mdicontrols.bmp");

    ini.Section("Buttons");
    ini.Key("Bitmap", "buttons.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Keys({{"Trans", 1}, {"Tile", 0}});
    ini.Key("CheckButton", "checkbox.bmp");
    ini.Key("RadioButton", "radio.bmp");
    TextColours(ini, text, accentText, text);
    ini.Section("Button.CheckBox");
    ini.Comment("check boxes for large fonts: unchecked, checked, both disabled");
    ini.Key("Image", "checkbox16.bmp");
    ini.Keys({{"Frame", 4}, {"Trans", 1}});
    ini.Section("Button.Radio");
    ini.Key("Image", "radio16.bmp");
    ini.Keys({{"Frame", 4}, {"Trans", 1}});

    ini.Section("Progress");
    ini.Key("Bitmap", "progress.bmp");
    ini.Keys({{"Style", 0}});
    ini.Margins(4, 4, 4, 4);
    ini.Keys({{"Trans", 1}, {"Tile", 0}});
    ini.Section("Progress.Chunk");
    ini.Key("Image", "progresschunk.bmp");
    ini.Keys({{"Frame", 1}, {"Trans", 1}, {"Tile", 1}});
    ini.Margins(2, 2, 2, 2);

    ini.Section("GroupBoxEdge");
    ini.Key("Image", "groupedge.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Keys({{"Trans", 1}});
    ini.Section("GroupBox");
    ini.Key("Image", "grouplabel.bmp");
    ini.Margins(6, 4, 6, 4);
    ini.Keys({{"Trans", 1}, {"BackgroundAlignment", 0}, {"BackgroundLeftShift", 4}, {"BackgroundRightShift", 4}});
    TextColours(ini, text, text, text);

    ini.Section("Tabs");
    ini.Key("Image", "tabs.bmp");
    ini.Key("Border", "tabborder.bmp");
    ini.Keys({{"Style", 0}});
    ini.Margins(4, 4, 4, 2);
    ini.Keys({{"Trans", 1}});
    TextColours(ini, textSoft, text, text);
    ini.Section("Tab.Pane");
    ini.Comment("named as a skin author's folder would have it");
    ini.Key("Image", "Kestrelle\\TabPane.bmp");
    ini.Margins(4, 4, 4, 4);

    ini.Section("StatusBarEdges");
    ini.Key("Image", "statusedges.bmp");
    ini.Margins(2, 2, 2, 2);
    TextColours(ini, text, text, text);

    ini.Section("ToolBars");
    ini.Key("Image", "toolbars.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Keys({{"Trans", 1}});
    TextColours(ini, text, accentText, text);

    ini.Section("ComboButton");
    ini.Key("Image", "combobutton.bmp");
    ini.Margins(2, 3, 3, 3);
    ini.Keys({{"Trans", 1}});
    ini.Section("SunkEdge");
    ini.Key("Image", "sunkedge.bmp");
    ini.Margins(3, 3, 3, 3);
    ini.Keys({{"Trans", 1}});
    ini.Section("ExtraImages");
    ini.Comment("drop-down arrows, then the size grip");
    ini.Key("Image", "extraimages.bmp");
    ini.Keys({{"Trans", 1}});

    ini.Section("Headerbar");
    ini.Key("Image", "headerbar.bmp");
    ini.Margins(3, 3, 3, 3);
    TextColours(ini, text, accentText, text);

    ini.Section("MenuItem");
    ini.Key("Image", "menuitem.bmp");
    ini.Margins(3, 3, 3, 3);
    ini.Keys({{"Trans", 1}});
    ini.Section("MenuBackground");
    ini.Key("Image", "menuback.bmp");
    ini.Margins(3, 3, 3, 3);

    ini.Section("Scrollbar");
    ini.Comment("arrows left, right, up, down (normal, pressed, disabled, hot); grippers; corner");
    ini.Key("Image", "scrollbar.bmp");
    ini.Keys({{"Trans", 1}});
    ini.Section("HorzScroll");
    ini.Key("Image", "horzscroll.bmp");
    ini.Margins(2, 0, 2, 0);
    ini.Section("VertScroll");
    ini.Key("Image", "vertscroll.bmp");
    ini.Margins(0, 2, 0, 2);
    ini.Section("HorzScrollThumb");
    ini.Key("Image", "hthumb.bmp");
    ini.Margins(4, 0, 4, 0);
    ini.Keys({{"Trans", 1}, {"FrameCount", 3}});
    ini.Section("VertScrollThumb");
    ini.Key("Image", "vthumb.bmp");
    ini.Margins(0, 4, 0, 4);
    ini.Keys({{"Trans", 1}, {"FrameCount", 3}});

    for (const auto& [section, image] :
         {std::pair{"Trackbar.ThumbHorz", "thumbhorz.bmp"}, {"Trackbar.ThumbVert", "thumbvert.bmp"},
          {"Trackbar.ThumbLeft", "thumbleft.bmp"}, {"Trackbar.ThumbRight", "thumbright.bmp"},
          {"Trackbar.ThumbUp", "thumbup.bmp"}, {"Trackbar.ThumbDown", "thumbdown.bmp"}}) {
        ini.Section(section);
        ini.Key("Image", image);
        ini.Keys({{"Trans", 1}});
    }

    ini.Section("UpDown.Horz");
    ini.Key("Image", "updownhorz.bmp");
    ini.Key("GlyphImage", "updownhorzglyph.bmp");
    ini.Keys({{"Trans", 1}});
    ini.Section("UpDown.Vert");
    ini.Key("Image", "updownvert.bmp");
    ini.Key("GlyphImage", "updownvertglyph.bmp");
    ini.Keys({{"Trans", 1}});

    ini.Section("ToolWindow");
    ini.Comment("small captions of tool windows; they share the main menu bar");
    ini.Key("Top", "toolcaption.bmp");
    ini.Keys({{"TopTopHeight", 8}, {"TopBotHeight", 8}, {"TopFrame", 2}});
    ini.Key("Left", "toolleft.bmp");
    ini.Keys({{"LeftTopHeight", 18}, {"LeftBotHeight", 4}, {"LeftFrame", 2}});
    ini.Key("Right", "toolright.bmp");
    ini.Keys({{"RightTopHeight", 18}, {"RightBotHeight", 4}, {"RightFrame", 2}});
    ini.Key("Bottom", "toolbottom.bmp");
    ini.Keys({{"BottomFrame", 2}});
    ini.Key("CloseButton", "toolclose.bmp");
    ini.Key("MenuBar", "menubar.bmp");

    ini.Section("TaskBar");
    ini.Key("Image", "taskbar.bmp");
    ini.Key("ButtonImage", "taskbutton.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Section("Hint");
    ini.Key("Image", "hint.bmp");
    ini.Margins(4, 4, 4, 4);
    ini.Keys({{"Trans", 1}});
    ini.Section("Splitter");
    ini.Key("Image", "splitter.bmp");
    ini.Keys({{"Frame", 2}});
    ini.Section("Panel");
    ini.Key("Image", "panel.bmp");
    ini.Margins(2, 2, 2, 2);
    ini.Section("ListBox");
    ini.Comment("selected with focus, selected without, under the mouse");
    ini.Key("Image", "listbox.bmp");
    ini.Keys({{"Frame", 3}, {"Trans", 1}});
    ini.Margins(3, 3, 3, 3);
    return std::move(ini).Text();
}
