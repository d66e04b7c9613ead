// Makes Kestrelle's skins and the program's built-in bitmaps:
//   skinmaker <output folder>
// writes kestrelle.skin (the packed skin: 57 bitmaps, the description last), dark.skin
// and contrast.skin (the same art in a dark and in a high-contrast palette),
// skinstream.layout (the same packed skin as the main form's "SkinStream" property, for
// its stored layout), and track.bmp, trackvert.bmp and plumagemenu.bmp (bitmap
// resources of the program). The output is the same on every run.

#include "tools/common/SaveFile.h"
#include "tools/skinmaker/SkinArt.h"
#include "tools/skinmaker/SkinDescription.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainerWriter.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void SaveText(const std::filesystem::path& path, const std::string& text) {
    SaveFile(path, std::as_bytes(std::span(text.data(), text.size())));
}

// The container's files: every bitmap, the menu bar a second time where the tool-window
// bitmaps are (the way a skin author's packer lists a shared picture), and the
// description last.
std::vector<SkinFileEntry> SkinFiles(const SkinPalette& palette) {
    std::vector<SkinFileEntry> files;
    std::vector<std::byte> menuBar;
    for (const SkinFile& file : DrawSkinBitmaps(palette)) {
        files.push_back({file.name, file.picture.Bmp24()});
        if (file.name == "menubar.bmp") menuBar = files.back().bytes;
        if (file.name == "toolbottom.bmp") files.push_back({"menubar.bmp", menuBar});
    }
    const std::string description = SkinDescription(palette);
    const auto text = std::as_bytes(std::span(description.data(), description.size()));
    files.push_back({DescriptionName(palette), std::vector<std::byte>(text.begin(), text.end())});
    return files;
}

// The property block of a stored layout: "SkinStream = <...>" holding the int32 length
// and the packed bytes, 32 bytes to a line.
std::string SkinStreamBlock(std::span<const std::byte> packed) {
    std::vector<std::byte> value(4);
    const auto length = static_cast<uint32_t>(packed.size());
    for (int i = 0; i < 4; ++i) value[static_cast<size_t>(i)] = std::byte((length >> (8 * i)) & 0xFF);
    value.insert(value.end(), packed.begin(), packed.end());

    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "SkinStream = <\n";
    for (size_t at = 0; at < value.size(); at += 32) {
        text += "    ";
        for (size_t i = at; i < std::min(value.size(), at + 32); ++i) {
            const auto byte = static_cast<unsigned>(value[i]);
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        }
        text += '\n';
    }
    text += ">\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinmaker <output folder>\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        for (const SkinPalette& palette : SkinPalettes()) {
            const std::vector<std::byte> packed = PackSkinStream(WriteSkinContainer(SkinFiles(palette)));
            SaveFile(out / (std::string(palette.stem) + ".skin"), packed);
            // The main form's stored layout carries Kestrelle's own skin, the first.
            if (&palette == &SkinPalettes().front()) SaveText(out / "skinstream.layout", SkinStreamBlock(packed));
        }
        SaveFile(out / "track.bmp", BuiltInTrack().Bmp24());
        SaveFile(out / "trackvert.bmp", BuiltInTrackVert().Bmp24());
        SaveFile(out / "plumagemenu.bmp", BuiltInMenuGlyphs());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinmaker: %s\n", e.what());
        return 1;
    }
    return 0;
}
