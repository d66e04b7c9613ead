// The skins the skin maker draws: the dark and the high-contrast skin have every part
// of the program's own, and their texts stand out from what they are drawn on.

#include "framework/core/Stream.h"
#include "skin/data/SkinReader.h"
#include "tools/skinmaker/SkinArt.h"
#include "tools/skinmaker/SkinDescription.h"
#include "tools/skinmaker/SkinPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// The description's sections with their keys and values.
Sections Parse(const std::string& text) {
    Sections sections;
    std::string section, line;
    std::istringstream lines(text);
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            sections[section];
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            sections[section][line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return sections;
}

Rgb ParseColour(const std::string& spelled) {
    std::istringstream in(spelled);
    int r = -1, g = -1, b = -1;
    in >> r >> g >> b;
    EXPECT_TRUE(r >= 0 && g >= 0 && b >= 0 && r < 256 && g < 256 && b < 256) << spelled;
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

const SkinPalette& Palette(std::string_view stem) {
    for (const SkinPalette& palette : SkinPalettes())
        if (palette.stem == stem) return palette;
    ADD_FAILURE() << "no palette " << stem;
    return SkinPalettes().front();
}

// The names in a committed container, the description's under one name.
std::vector<std::string> ContainerNames(const std::string& stem) {
    std::ifstream in(std::string(KESTRELLE_SKIN_DIR) + "/" + stem + ".skin", std::ios::binary);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(), [](char c) { return std::byte(c); });
    TMemoryStream packed(std::move(bytes));
    TSkinReader reader;
    EXPECT_TRUE(reader.Open(packed)) << stem;
    std::vector<std::string> names;
    for (int i = 0; i < reader.FileNames().Count(); ++i) {
        const std::string name = reader.FileNames()[i];
        names.push_back(name == stem + ".ini" ? "<description>" : name);
    }
    return names;
}

Rgb Pixel(const std::vector<SkinFile>& files, std::string_view name, int x, int y) {
    for (const SkinFile& file : files)
        if (file.name == name) return file.picture.At(x, y);
    ADD_FAILURE() << "no " << name;
    return {};
}

}  // namespace

TEST(SkinMaker, TheOtherSkinsHaveEveryFileSectionAndKeyOfTheProgramsOwn) {
    const std::vector<std::string> own = ContainerNames("kestrelle");
    ASSERT_EQ(own.size(), 58u);
    const Sections ownSections = Parse(SkinDescription(Palette("kestrelle")));
    for (const char* stem : {"dark", "contrast"}) {
        SCOPED_TRACE(stem);
        EXPECT_EQ(ContainerNames(stem), own);
        const Sections sections = Parse(SkinDescription(Palette(stem)));
        ASSERT_EQ(sections.size(), ownSections.size());
        for (const auto& [name, keys] : ownSections) {
            ASSERT_TRUE(sections.contains(name)) << name;
            std::set<std::string> ownKeys, theirKeys;
            for (const auto& [key, value] : keys) ownKeys.insert(key);
            for (const auto& [key, value] : sections.at(name)) theirKeys.insert(key);
            EXPECT_EQ(theirKeys, ownKeys) << name;
        }
    }
}

// Each text colour against the colour it is drawn on: the caption texts on the middle
// of the caption strip (active on top, inactive below), the others on their faces.
TEST(SkinMaker, EveryTextStandsOutFromItsBackground) {
    for (const SkinPalette& palette : SkinPalettes()) {
        SCOPED_TRACE(palette.stem);
        const Sections ini = Parse(SkinDescription(palette));
        const auto colour = [&](const char* key) { return ParseColour(ini.at("Colours").at(key)); };
        const std::vector<SkinFile> files = DrawSkinBitmaps(palette);
        const Rgb activeCaption = Pixel(files, "caption.bmp", 85, palette.caption / 2);
        const Rgb inactiveCaption = Pixel(files, "caption.bmp", 85, palette.caption + palette.caption / 2);
        const Rgb face = colour("ButtonFace");
        const std::vector<std::tuple<const char*, Rgb, Rgb>> pairs{
            {"active caption", colour("TitleTextActive"), activeCaption},
            {"inactive caption", colour("TitleTextNoActive"), inactiveCaption},
            {"menu", colour("MenuText"), colour("Menu")},
            {"menu bar", colour("MenuBarText"), colour("Menubar")},
            {"button", colour("ButtonText"), face},
            {"window", colour("WindowText"), face},
            {"selection", colour("HilightText"), colour("Hilight")},
            {"tab", ParseColour(ini.at("Tabs").at("NormalColour2")), face},
            {"status bar", ParseColour(ini.at("StatusBarEdges").at("NormalColour2")), face},
            {"header under the mouse", ParseColour(ini.at("Headerbar").at("MouseOverColour2")), face},
            {"button under the mouse", ParseColour(ini.at("Buttons").at("MouseOverColour2")), face},
        };
        const bool strong = palette.stem == "contrast";
        for (const auto& [what, text, back] : pairs) {
            // A window in the background may have a dimmer caption, though still legible.
            const double least = strong ? 7.0 : what == std::string_view("inactive caption") ? 3.5 : 4.5;
            EXPECT_GE(ContrastRatio(text, back), least) << what;
        }
        // The caption text keys the frame painting reads agree with the colour table's.
        EXPECT_EQ(ini.at("Personality").at("ActiveTextR"), std::to_string(colour("TitleTextActive").r));
    }
}

TEST(SkinMaker, TheHighContrastSkinHasATallerCaptionLargerTextAndThickerLines) {
    const Sections own = Parse(SkinDescription(Palette("kestrelle")));
    const Sections contrast = Parse(SkinDescription(Palette("contrast")));
    EXPECT_GT(std::stoi(contrast.at("Fonts").at("FontHeight")), std::stoi(own.at("Fonts").at("FontHeight")));
    const int caption = std::stoi(contrast.at("Personality").at("LeftTopHeight"));
    EXPECT_GT(caption, std::stoi(own.at("Personality").at("LeftTopHeight")));
    for (const char* button : {"Button0", "Button1", "Button12", "Button13", "Button14"}) {
        const int top = std::stoi(contrast.at(button).at("Ycoord"));
        EXPECT_LE(std::abs(2 * top + look::kCaptionButton - caption), 1) << button;
    }
    // Push buttons are outlined two pixels thick, the program's own one.
    for (const char* stem : {"kestrelle", "contrast"}) {
        const std::vector<SkinFile> files = DrawSkinBitmaps(Palette(stem));
        const Rgb outline = Pixel(files, "buttons.bmp", 0, 11);
        EXPECT_EQ(Pixel(files, "buttons.bmp", 1, 11) == outline, stem == std::string_view("contrast")) << stem;
        EXPECT_NE(Pixel(files, "buttons.bmp", 2, 11), outline) << stem;
    }
    // The strip the description's heights slice: two frames of the caption's height.
    for (const SkinFile& file : DrawSkinBitmaps(Palette("contrast")))
        if (file.name == "caption.bmp") {
            EXPECT_EQ(file.picture.Height(), 2 * caption);
        }
}
