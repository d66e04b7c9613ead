#include "skin/data/FrameRules.h"

#include <algorithm>
#include <cstdint>

int FixedFrameCount(SkinPart part, int readFrameCount, int style) noexcept {
    switch (part) {
    case SkinPart::Title:
    case SkinPart::MenuBarSkin:
    case SkinPart::GroupBoxEdge: return 2;
    case SkinPart::Progress: return style != 0 ? 1 : 2;
    case SkinPart::ToolbarSkin:
    case SkinPart::TabPane:
    case SkinPart::GroupBoxLabel:
    case SkinPart::MenuBackground: return 1;
    case SkinPart::StatusBarEdges: return 3;
    case SkinPart::ComboButton:
    case SkinPart::SunkEdge:
    case SkinPart::HorzScroll:
    case SkinPart::VertScroll: return 4;
    case SkinPart::Buttons:
    case SkinPart::ToolBars:
    case SkinPart::Tabs:
    case SkinPart::ExtraImages:
    case SkinPart::MenuItem:
    case SkinPart::TrackbarThumb: return 5;
    case SkinPart::Headerbar: return readFrameCount != 0 ? readFrameCount : 5;
    case SkinPart::UpDownHorz:
    case SkinPart::UpDownVert: return 8;
    case SkinPart::Scrollbar: return 23;
    case SkinPart::HorzScrollThumb:
    case SkinPart::VertScrollThumb:
    case SkinPart::ProgressChunk:
    case SkinPart::Track:
    case SkinPart::TrackVert:
    case SkinPart::WindowBorder: return readFrameCount;
    }
    return readFrameCount;
}

int StripFrameCount(int frameKey, int imageWidth, int imageHeight) noexcept {
    int count = frameKey;
    if (count == 0) count = std::max(imageWidth, 0) / (imageHeight >= 16 ? 16 : 13);
    return std::max(count, 4);
}

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace

std::vector<std::string> TitleButtonSections(std::span<const std::string> sectionNames,
                                             const DescriptionIntegers& readInteger) {
    std::vector<std::string> kept;
    for (const std::string& name : sectionNames) {
        std::string upper = Upper(name);
        if (!upper.starts_with("BUTTON")) continue;
        if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX") continue;
        // A hidden action: such a section is a button only when it says it is visible.
        if (readInteger(upper, "Action", 0) == -1 && readInteger(upper, "Visibility", -1) != 0) continue;
        kept.push_back(std::move(upper));
    }
    return kept;
}

int TitleButtonFrameCount(int frameKey, int action, int imageWidth, int imageHeight) noexcept {
    if (frameKey != 0) return frameKey;
    int count = 6;
    if (imageWidth > 0 && imageHeight > 0) count = int64_t{imageWidth} * 10 <= int64_t{imageHeight} * 38 ? 3 : 6;  // width / height <= 3.8, exactly
    if (action < 0) count = 6;
    return count;
}

bool TitleButtonDropsImage(int frameKey, int action) noexcept { return frameKey == 0 && (action == 3 || action == 11); }

std::array<MdiButtonCut, 3> MdiButtonLayout(int stripWidth) noexcept {
    const int cell = std::max(stripWidth, 0) / 12;
    std::array<MdiButtonCut, 3> cuts{};
    for (int k = 0; k < 3; ++k) cuts[static_cast<size_t>(k)] = {7 + k, 4 * k * cell, 4 * cell, (cell + 4) * (3 - k)};
    return cuts;
}
