#pragma once
// The actions a frame or a button runs: the timeline controls of the movie format
// (play, stop, frame steps, go to a frame or a label, stop sounds, set target).
// Actions the player does not run are left out when read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class SwfBitReader;

enum class SwfActionCode : uint8_t {
    NextFrame = 0x04,
    PreviousFrame = 0x05,
    Play = 0x06,
    Stop = 0x07,
    StopSounds = 0x09,
    GotoFrame = 0x81,
    SetTarget = 0x8B,
    GotoLabel = 0x8C,
};

struct SwfAction {
    SwfActionCode code = SwfActionCode::Stop;
    uint16_t frame = 0;  // GotoFrame: 0-based
    std::string text;    // GotoLabel: the label; SetTarget: the target ("" is this movie)
    bool operator==(const SwfAction&) const = default;
};

using SwfActions = std::vector<SwfAction>;

// Reads action records up to the end action (code 0) or the end of the input,
// adding at most `budget` actions (lowered by each one added); throws ESwfError for
// a record that runs past the input or for more actions than the budget.
SwfActions ReadActions(SwfBitReader& in, size_t& budget);
