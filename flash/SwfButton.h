#pragma once
// Button characters: the characters shown in each state (up, over, down) and the
// hit area, the actions run on pointer transitions and the sounds played on them.

#include "flash/SwfAction.h"
#include "flash/SwfRecords.h"
#include "flash/SwfSound.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class SwfBitReader;

enum class SwfButtonState : uint8_t { Up, Over, Down };

struct SwfButtonRecord {
    bool up = false, over = false, down = false, hitTest = false;
    uint16_t character = 0;
    uint16_t depth = 0;
    SwfMatrix matrix;
    SwfColourTransform colourTransform;

    bool ShownIn(SwfButtonState state) const noexcept {
        return state == SwfButtonState::Up ? up : state == SwfButtonState::Over ? over : down;
    }
    bool operator==(const SwfButtonRecord&) const = default;
};

// Pointer transitions of a button, as the condition bits of its actions.
enum SwfButtonTransition : uint16_t {
    kIdleToOverUp = 0x0001,
    kOverUpToIdle = 0x0002,
    kOverUpToOverDown = 0x0004,  // pressed
    kOverDownToOverUp = 0x0008,  // released over the button: a click
    kOverDownToOutDown = 0x0010,
    kOutDownToOverDown = 0x0020,
    kOutDownToIdle = 0x0040,
    kIdleToOverDown = 0x0080,
    kOverDownToIdle = 0x0100,
};

struct SwfButtonAction {
    uint16_t conditions = 0;  // SwfButtonTransition bits
    SwfActions actions;
    bool operator==(const SwfButtonAction&) const = default;
};

// A sound a transition plays; sound 0 is none.
struct SwfButtonSound {
    uint16_t sound = 0;
    SwfSoundInfo info;
    bool operator==(const SwfButtonSound&) const = default;
};

// The transitions DefineButtonSound gives sounds for, in its order.
inline constexpr std::array<uint16_t, 4> kButtonSoundTransitions = {kOverUpToIdle, kIdleToOverUp, kOverUpToOverDown,
                                                                    kOverDownToOverUp};

struct SwfButton {
    uint16_t id = 0;
    bool trackAsMenu = false;
    std::vector<SwfButtonRecord> records;  // by depth, lowest first: the drawing order
    std::vector<SwfButtonAction> actions;
    std::array<SwfButtonSound, 4> sounds;  // see kButtonSoundTransitions
};

// Reads a DefineButton (version 1: actions run on release) or DefineButton2 body.
// `budget` caps records plus actions across the movie and is lowered by what is read.
SwfButton ReadButton(SwfBitReader& in, int version, size_t& budget);
// Reads a DefineButtonSound body after its button id.
std::array<SwfButtonSound, 4> ReadButtonSounds(SwfBitReader& in);
