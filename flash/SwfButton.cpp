#include "flash/SwfButton.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

#include <algorithm>

namespace {

// Records up to the end flag (a zero byte).
void ReadRecords(SwfBitReader& in, int version, SwfButton& button, size_t& budget) {
    while (true) {
        const uint8_t flags = in.U8();
        if (flags == 0) return;
        if (budget == 0) throw ESwfError(u"The movie has more button records than the player accepts.");
        --budget;
        SwfButtonRecord record;
        record.hitTest = flags & 0x08;
        record.down = flags & 0x04;
        record.over = flags & 0x02;
        record.up = flags & 0x01;
        record.character = in.U16();
        record.depth = in.U16();
        record.matrix = ReadMatrix(in);
        if (version >= 2) record.colourTransform = ReadColourTransform(in, true);
        button.records.push_back(record);
    }
}

void SortByDepth(SwfButton& button) {
    std::stable_sort(button.records.begin(), button.records.end(),
                     [](const SwfButtonRecord& a, const SwfButtonRecord& b) { return a.depth < b.depth; });
}

}  // namespace

SwfButton ReadButton(SwfBitReader& in, int version, size_t& budget) {
    SwfButton button;
    button.id = in.U16();
    if (version < 2) {
        ReadRecords(in, version, button, budget);
        SortByDepth(button);
        button.actions.push_back({kOverDownToOverUp, ReadActions(in, budget)});
        return button;
    }
    button.trackAsMenu = in.U8() & 1;
    const uint16_t actionOffset = in.U16();
    ReadRecords(in, version, button, budget);
    SortByDepth(button);
    if (actionOffset == 0) return button;
    // Each condition record gives its size, 0 on the last one.
    while (!in.AtEnd()) {
        const uint16_t size = in.U16();
        if (size != 0 && size < 4) throw ESwfError(u"A button action record is too short.");
        SwfBitReader record{in.Bytes(size == 0 ? in.Remaining() : size - 2)};
        // The first byte holds eight transitions, stored as SwfButtonTransition numbers
        // them; the second a key code and, in its lowest bit, OverDownToIdle.
        const uint8_t first = record.U8(), second = record.U8();
        const auto conditions = static_cast<uint16_t>(first | ((second & 1) << 8));
        button.actions.push_back({conditions, ReadActions(record, budget)});
        if (size == 0) break;
    }
    return button;
}

std::array<SwfButtonSound, 4> ReadButtonSounds(SwfBitReader& in) {
    std::array<SwfButtonSound, 4> sounds;
    for (auto& sound : sounds) {
        sound.sound = in.U16();
        if (sound.sound != 0) sound.info = ReadSoundInfo(in);
    }
    return sounds;
}
