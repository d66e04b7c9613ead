#include "flash/SwfMovie.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

#include <algorithm>
#include <iterator>

namespace {

template <class Map>
const typename Map::mapped_type* Find(const Map& map, uint16_t id) noexcept {
    const auto found = map.find(id);
    return found == map.end() ? nullptr : &found->second;
}

std::string LowerAscii(std::string_view text) {
    std::string lower{text};
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

const SwfShape* SwfMovie::FindShape(uint16_t id) const noexcept { return Find(m_shapes, id); }
const SwfButton* SwfMovie::FindButton(uint16_t id) const noexcept { return Find(m_buttons, id); }
const SwfSound* SwfMovie::FindSound(uint16_t id) const noexcept { return Find(m_sounds, id); }

std::optional<size_t> SwfMovie::FindLabel(std::string_view label) const {
    const auto found = m_labels.find(LowerAscii(label));
    if (found == m_labels.end()) return std::nullopt;
    return found->second;
}

SwfMovie SwfMovie::Parse(std::span<const uint8_t> bytes, const SwfLimits& limits) {
    if (bytes.size() < 8) throw ESwfError(u"The file is too short to be a movie.");
    if (bytes[0] == 'C' && bytes[1] == 'W' && bytes[2] == 'S')
        throw ESwfError(u"Compressed movies are not supported.");
    if (bytes[0] != 'F' || bytes[1] != 'W' || bytes[2] != 'S') throw ESwfError(u"The file is not a movie.");

    SwfMovie movie;
    movie.m_actionBudget = limits.maxActions;
    movie.m_sampleBudget = limits.maxSoundSamples;
    SwfBitReader header{bytes};
    header.Skip(3);
    movie.m_version = header.U8();
    movie.m_fileLength = header.U32();
    if (movie.m_fileLength > limits.maxFileSize) throw ESwfError(u"The movie is larger than the player accepts.");
    if (movie.m_fileLength < 8) throw ESwfError(u"The movie's header gives an impossible length.");
    if (movie.m_fileLength > bytes.size()) throw ESwfError(u"The movie file is truncated.");

    // Bytes after the length the header gives are not part of the movie.
    SwfBitReader in{bytes.first(movie.m_fileLength)};
    in.Skip(8);
    movie.m_frameSize = ReadRect(in);
    movie.m_frameRate = in.U16() / 256.0;
    movie.m_headerFrameCount = in.U16();

    SwfFrame pending;
    while (!in.AtEnd()) {
        const uint16_t codeAndLength = in.U16();
        const uint16_t code = codeAndLength >> 6;
        size_t length = codeAndLength & 0x3F;
        if (length == 0x3F) length = in.U32();
        if (length > in.Remaining()) throw ESwfError(u"A tag runs past the end of the movie.");
        const auto body = in.Bytes(length);
        if (code == static_cast<uint16_t>(SwfTagCode::End)) break;
        if (code == static_cast<uint16_t>(SwfTagCode::ShowFrame)) {
            if (movie.m_frames.size() >= limits.maxFrames)
                throw ESwfError(u"The movie has more frames than the player accepts.");
            movie.m_ops += pending.ops.size();
            movie.m_frames.push_back(std::move(pending));
            pending = {};
            continue;
        }
        movie.ReadTag(code, body, pending, limits);
        if (pending.ops.size() > limits.maxFrameOps - std::min(movie.m_ops, limits.maxFrameOps))
            throw ESwfError(u"The movie places more objects than the player accepts.");
    }
    return movie;
}

void SwfMovie::ReadTag(uint16_t code, std::span<const uint8_t> body, SwfFrame& pending, const SwfLimits& limits) {
    SwfBitReader in{body};
    switch (static_cast<SwfTagCode>(code)) {
    case SwfTagCode::SetBackgroundColor:
        // The first one counts; later ones would only flash the stage.
        if (!m_backgroundSet) m_background = ReadRgb(in);
        m_backgroundSet = true;
        return;
    case SwfTagCode::DefineShape:
    case SwfTagCode::DefineShape2:
    case SwfTagCode::DefineShape3: {
        const int version = code == 2 ? 1 : code == 22 ? 2 : 3;
        SwfShape shape = ReadShape(in, version, limits.maxEdges - m_edges);
        m_edges += shape.EdgeCount();
        // A character id is defined once; a second definition is ignored.
        if (Define(shape.id)) m_shapes.emplace(shape.id, std::move(shape));
        return;
    }
    case SwfTagCode::PlaceObject: {
        SwfPlace place;
        place.character = in.U16();
        place.depth = in.U16();
        place.matrix = ReadMatrix(in);
        if (!in.AtEnd()) place.colourTransform = ReadColourTransform(in, false);
        pending.ops.emplace_back(std::move(place));
        return;
    }
    case SwfTagCode::PlaceObject2: {
        const uint8_t flags = in.U8();
        SwfPlace place;
        place.depth = in.U16();
        place.move = flags & 0x01;
        if (flags & 0x02) place.character = in.U16();
        if (flags & 0x04) place.matrix = ReadMatrix(in);
        if (flags & 0x08) place.colourTransform = ReadColourTransform(in, true);
        if (flags & 0x10) place.ratio = in.U16();
        if (flags & 0x20) place.name = in.CString();
        if (flags & 0x40) place.clipDepth = in.U16();
        // Clip actions (0x80) follow last; the player runs no actions, so they are left unread.
        pending.ops.emplace_back(std::move(place));
        return;
    }
    case SwfTagCode::RemoveObject: {
        (void)in.U16();  // character
        pending.ops.emplace_back(SwfRemove{in.U16()});
        return;
    }
    case SwfTagCode::RemoveObject2:
        pending.ops.emplace_back(SwfRemove{in.U16()});
        return;
    case SwfTagCode::DefineButton:
    case SwfTagCode::DefineButton2:
    case SwfTagCode::DefineButtonSound:
    case SwfTagCode::DefineSound:
    case SwfTagCode::StartSound:
    case SwfTagCode::DoAction:
    case SwfTagCode::FrameLabel:
        try {
            ReadInteractiveTag(code, in, pending, limits);
        } catch (const ESwfError&) {
            ++m_malformedTags;
        }
        return;
    default:
        ++m_skippedTags;
        return;
    }
}

void SwfMovie::ReadInteractiveTag(uint16_t code, SwfBitReader& in, SwfFrame& pending, const SwfLimits& limits) {
    switch (static_cast<SwfTagCode>(code)) {
    case SwfTagCode::DefineButton:
    case SwfTagCode::DefineButton2: {
        SwfButton button = ReadButton(in, code == 7 ? 1 : 2, m_actionBudget);
        if (Define(button.id)) m_buttons.emplace(button.id, std::move(button));
        return;
    }
    case SwfTagCode::DefineButtonSound: {
        const uint16_t id = in.U16();
        const auto sounds = ReadButtonSounds(in);
        // Sounds for a button that is not defined (yet) have nothing to attach to.
        const auto found = m_buttons.find(id);
        if (found == m_buttons.end()) throw ESwfError(u"DefineButtonSound names no button.");
        found->second.sounds = sounds;
        return;
    }
    case SwfTagCode::DefineSound: {
        SwfSound sound = ReadSound(in, std::min(m_sampleBudget, limits.maxSoundSamples));
        m_sampleBudget -= sound.samples.size();
        if (Define(sound.id)) m_sounds.emplace(sound.id, std::move(sound));
        return;
    }
    case SwfTagCode::StartSound: {
        if (m_actionBudget == 0) throw ESwfError(u"The movie starts more sounds than the player accepts.");
        --m_actionBudget;
        SwfStartSound start;
        start.sound = in.U16();
        start.info = ReadSoundInfo(in);
        pending.sounds.push_back(std::move(start));
        return;
    }
    case SwfTagCode::DoAction: {
        SwfActions actions = ReadActions(in, m_actionBudget);
        pending.actions.insert(pending.actions.end(), std::make_move_iterator(actions.begin()),
                               std::make_move_iterator(actions.end()));
        return;
    }
    case SwfTagCode::FrameLabel:
        // The first label of a name wins, as the first definition of an id does.
        m_labels.try_emplace(LowerAscii(in.CString()), m_frames.size());
        return;
    default:
        return;
    }
}
