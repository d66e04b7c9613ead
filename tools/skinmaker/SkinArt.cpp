#include "tools/skinmaker/SkinArt.h"

#include "tools/skinmaker/ArtCommon.h"
#include "tools/skinmaker/SkinPalette.h"

#include "framework/graphics/BmpCodec.h"

#include <utility>

using namespace art;

std::vector<SkinFile> DrawSkinBitmaps(int caption) {
    using namespace look;
    const FramePieces frame = WindowFrame(kCaptionWidth, caption, kBorder, kCornerRadius, kSideMiddle, kSideFoot, 40);
    const FramePieces tool = WindowFrame(80, 18, 3, 6, 8, 4, 24);

    std::vector<SkinFile> files;
    const auto add = [&](std::string name, Picture picture) { files.push_back({std::move(name), std::move(picture)}); };
    const auto addFrame = [&](std::string name, Picture picture) {
        files.push_back({std::move(name), std::move(picture), true});
    };
    addFrame("caption.bmp", frame.caption);
    addFrame("left.bmp", frame.left);
    addFrame("right.bmp", frame.right);
    addFrame("bottom.bmp", frame.bottom);
    add("menubar.bmp", MenuBar());
    addFrame("btnclose.bmp", CaptionButton(kCaptionButton, kCloseGlyph, true));
    addFrame("btnmax.bmp", CaptionButton(kCaptionButton, kMaximiseGlyph, false));
    addFrame("btnrestore.bmp", CaptionButton(kCaptionButton, kRestoreGlyph, false));
    addFrame("btnmin.bmp", CaptionButton(kCaptionButton, kMinimiseGlyph, false));
    add("mdicontrols.bmp", MdiControls());
    add("buttons.bmp", PushButtons());
    add("checkbox.bmp", CheckStrip());
    add("radio.bmp", RadioStrip());
    add("progress.bmp", ProgressBar());
    add("progresschunk.bmp", ProgressChunk());
    add("groupedge.bmp", GroupEdge());
    add("grouplabel.bmp", GroupLabel());
    add("tabs.bmp", TabStrip());
    add("tabborder.bmp", Pane(0));
    add("tabpane.bmp", Pane(3));
    add("statusedges.bmp", StatusEdges());
    add("toolbars.bmp", ToolButtons());
    add("combobutton.bmp", ComboButton());
    add("sunkedge.bmp", SunkEdge());
    add("extraimages.bmp", ExtraImages());
    add("headerbar.bmp", HeaderBar());
    add("menuitem.bmp", MenuItems());
    add("menuback.bmp", MenuBackground());
    add("scrollbar.bmp", ScrollbarStrip());
    add("horzscroll.bmp", Shaft(false));
    add("vertscroll.bmp", Shaft(true));
    add("hthumb.bmp", ScrollThumb(false));
    add("vthumb.bmp", ScrollThumb(true));
    add("thumbhorz.bmp", PlainThumb(false));
    add("thumbvert.bmp", PlainThumb(true));
    add("thumbleft.bmp", TrackThumb(Point::Left));
    add("thumbright.bmp", TrackThumb(Point::Right));
    add("thumbup.bmp", TrackThumb(Point::Up));
    add("thumbdown.bmp", TrackThumb(Point::Down));
    add("updownhorz.bmp", SpinButtons(16, 16, true));
    add("updownhorzglyph.bmp", SpinGlyphs(true));
    add("updownvert.bmp", SpinButtons(16, 11, false));
    add("updownvertglyph.bmp", SpinGlyphs(false));
    add("checkbox16.bmp", LargeCheckStrip());
    add("radio16.bmp", LargeRadioStrip());
    addFrame("toolcaption.bmp", tool.caption);
    addFrame("toolleft.bmp", tool.left);
    addFrame("toolright.bmp", tool.right);
    addFrame("toolbottom.bmp", tool.bottom);
    addFrame("toolclose.bmp", CaptionButton(13, kSmallClose, true));
    add("taskbar.bmp", TaskBar());
    add("taskbutton.bmp", TaskButtons());
    add("hint.bmp", Hint());
    add("splitter.bmp", Splitter());
    add("panel.bmp", RaisedPanel());
    add("listbox.bmp", ListSelection());
    return files;
}

std::vector<SkinFile> DrawSkinBitmaps(const SkinPalette& palette) {
    SetLineWidth(palette.lineWidth);
    std::vector<SkinFile> files = DrawSkinBitmaps(palette.caption);
    SetLineWidth(1);
    for (SkinFile& file : files) {
        if (file.frame) file.picture.Recolour([&](Rgb c) { return palette.Frame(c); });
        else file.picture.Recolour(palette);
    }
    return files;
}

namespace {

// A sunken groove: grey along the top and left, silver inside, white along the bottom
// and right.
Picture Groove(int width, int height) {
    Picture groove(width, height, Hex(0xC0C0C0));
    groove.Fill(0, 0, width, 1, Hex(0x808080));
    groove.Fill(0, 0, 1, height, Hex(0x808080));
    groove.Fill(1, height - 1, width, height, kWhite);
    groove.Fill(width - 1, 1, width, height, kWhite);
    return groove;
}

}  // namespace

Picture BuiltInTrack() { return Groove(16, 4); }
Picture BuiltInTrackVert() { return Groove(4, 16); }

std::vector<std::byte> BuiltInMenuGlyphs() {
    // Black glyphs on white, which the image list takes as its mask colour.
    Picture glyphs(64, 16, kWhite);
    constexpr Rgb black{};
    glyphs.StampCentred(0, 0, 16, 16, kRestoreGlyph, black);
    glyphs.StampCentred(16, 0, 32, 16, kMaximiseGlyph, black);
    glyphs.StampCentred(32, 0, 48, 16, kMinimiseGlyph, black);
    glyphs.StampCentred(48, 0, 64, 16, kCloseGlyph, black);
    DecodedBmp bmp;
    bmp.width = 64;
    bmp.height = 16;
    bmp.bitCount = 1;
    bmp.palette = {0x000000, 0xFFFFFF};
    bmp.pixels.assign(bmp.Stride() * 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            if (glyphs.At(x, y) == kWhite)
                bmp.pixels[static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
    return EncodeBmp(bmp);
}
