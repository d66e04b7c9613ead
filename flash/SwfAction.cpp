#include "flash/SwfAction.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

SwfActions ReadActions(SwfBitReader& in, size_t& budget) {
    SwfActions actions;
    while (!in.AtEnd()) {
        const uint8_t code = in.U8();
        if (code == 0) break;
        // Codes from 0x80 carry a length and a body; the others are one byte.
        SwfBitReader body{in.Bytes(code >= 0x80 ? in.U16() : 0)};
        SwfAction action;
        action.code = static_cast<SwfActionCode>(code);
        switch (action.code) {
        case SwfActionCode::NextFrame:
        case SwfActionCode::PreviousFrame:
        case SwfActionCode::Play:
        case SwfActionCode::Stop:
        case SwfActionCode::StopSounds:
            break;
        case SwfActionCode::GotoFrame:
            action.frame = body.U16();
            break;
        case SwfActionCode::SetTarget:
        case SwfActionCode::GotoLabel:
            action.text = body.CString();
            break;
        default:
            continue;  // not run by this player: skipped whole
        }
        if (budget == 0) throw ESwfError(u"The movie has more actions than the player accepts.");
        --budget;
        actions.push_back(std::move(action));
    }
    return actions;
}
