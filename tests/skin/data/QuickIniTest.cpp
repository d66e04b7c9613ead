#include "skin/data/QuickIni.h"

#include "framework/core/Stream.h"
#include "tests/skin/data/TestData.h"

#include <gtest/gtest.h>

namespace {

TQuickIni Load(std::string_view text) {
    TMemoryStream stream(Bytes(text));
    TQuickIni ini;
    ini.LoadFromStream(stream);
    return ini;
}

}  // namespace

TEST(QuickIni, SectionsAndKeysIgnoreCaseAndTheFirstOneDecides) {
    const auto ini = Load(
        "[buttons]\r\n"
        "  fontheight = 14 \r\n"
        "Image=\r\n"
        "Image=second.bmp\r\n"
        "Caption = a = b\r\n"
        "plain line\r\n"
        "[ Spaced]\r\n"
        "Key=spaced\r\n"
        "[Buttons]\r\n"
        "Late=never read\r\n");
    EXPECT_EQ(ini.ReadString("Buttons", "FontHeight", "x"), "14");
    EXPECT_EQ(ini.ReadString("BUTTONS", "Image", "default"), "default");  // first Image is empty
    EXPECT_EQ(ini.ReadString("Buttons", "Caption", ""), "a = b");
    EXPECT_EQ(ini.ReadString("Buttons", "Late", "none"), "none");        // second header not searched
    EXPECT_EQ(ini.ReadString("Buttons", "plain line", "none"), "none");  // no "=": never a key
    EXPECT_EQ(ini.ReadString("Buttons", "", "none"), "none");
    EXPECT_EQ(ini.ReadString("Spaced", "Key", "none"), "none");          // the blank is part of the name
    EXPECT_EQ(ini.ReadString(" Spaced", "Key", "none"), "spaced");
    EXPECT_EQ(ini.ReadString("Missing", "Key", "none"), "none");
    EXPECT_EQ(ini.ReadString("Buttons", "Key", "none"), "none");          // stops at the next header
    EXPECT_EQ(Load("").ReadString("Buttons", "Image", "d"), "d");
}

TEST(QuickIni, LoadingTrimsDropsCommentsAndStopsAtNul) {
    using namespace std::literals;
    const auto ini = Load(
        "; comment=1\r\n"
        "\t[Colours] \n"
        "\r\n"
        "   ;Hilight=1 2 3\r"
        "ButtonFace=255 255 255\r"
        "\x01Menu=1 2 3\x02\n"
        "[After]\0[Hidden]\r\nKey=1\r\n"sv);
    ASSERT_EQ(ini.Lines().Count(), 4);
    EXPECT_EQ(ini.Lines()[0], "[Colours]");
    EXPECT_EQ(ini.Lines()[2], "Menu=1 2 3");
    EXPECT_EQ(ini.ReadString("Colours", "Hilight", "none"), "none");
    EXPECT_EQ(ini.ReadString("Colours", "ButtonFace", ""), "255 255 255");
    TAnsiStringList sections;
    ini.ReadSections(sections);
    ASSERT_EQ(sections.Count(), 2);
    EXPECT_EQ(sections[1], "After");
    EXPECT_EQ(ini.SectionIndex().Data(1), 3);

    // Loading again replaces everything; the stream is read from its position.
    TMemoryStream stream(Bytes("skip[A]\r\nk=v"));
    stream.SetPosition(4);
    TQuickIni reloaded = ini;
    reloaded.LoadFromStream(stream);
    EXPECT_EQ(reloaded.ReadString("A", "k", ""), "v");
    EXPECT_EQ(reloaded.ReadString("Colours", "ButtonFace", "gone"), "gone");
}

TEST(QuickIni, ReadIntegerTakesDecimalDollarAndZeroXHex) {
    const auto ini = Load(
        "[N]\nhex=0x1F\nHEX2=0X1f\ndollar=$1F\nneg=-4\nletters=12ab\nbare=0x\ntriple=55 82 116\n"
        "empty=\nbig=$FFFFFFFF\nblank=1 2\nneghex=-0x10\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -4);
    EXPECT_EQ(ini.ReadInteger("N", "big", 0), -1);
    for (const char* key : {"letters", "bare", "triple", "empty", "missing", "blank", "neghex"})
        EXPECT_EQ(ini.ReadInteger("N", key, 77), 77) << key;
}

TEST(QuickIni, ColourTriples) {
    EXPECT_EQ(ParseColourTriple("55 82 116", clRed), RgbColour(55, 82, 116));
    EXPECT_EQ(ParseColourTriple(" 1,2,3 ", clRed), RgbColour(1, 2, 3));
    EXPECT_EQ(ParseColourTriple("255 255 255", clBtnFace), clWhite);
    EXPECT_EQ(ParseColourTriple("10 20", clRed), RgbColour(10, 0, 0));
    EXPECT_EQ(ParseColourTriple("255", clRed), clBlack);
    EXPECT_EQ(ParseColourTriple("1 2 3 4 5", clRed), RgbColour(1, 2, 3));
    EXPECT_EQ(ParseColourTriple("rgb(1;2;3)", clRed), RgbColour(1, 2, 3));
    EXPECT_EQ(ParseColourTriple("256 511 99999999999999999999", clRed), RgbColour(0, 255, 255));
    EXPECT_EQ(ParseColourTriple("", clBtnFace), clBtnFace);
    EXPECT_EQ(ParseColourTriple("   ", clBtnFace), clBtnFace);
    EXPECT_EQ(ParseColourTriple("none", clBtnFace), clBlack);
}
