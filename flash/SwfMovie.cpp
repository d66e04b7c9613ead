#include "flash/SwfMovie.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

const SwfShape* SwfMovie::FindShape(uint16_t id) const noexcept {
    const auto found = m_shapes.find(id);
    return found == m_shapes.end() ? nullptr : &found->second;
}

SwfMovie SwfMovie::Parse(std::span<const uint8_t> bytes, const SwfLimits& limits) {
    if (bytes.size() < 8) throw ESwfError(u"The file is too short to be a movie.");
    if (bytes[0] == 'C' && bytes[1] == 'W' && bytes[2] == 'S')
        throw ESwfError(u"Compressed movies are not supported.");
    if (bytes[0] != 'F' || bytes[1] != 'W' || bytes[2] != 'S') throw ESwfError(u"The file is not a movie.");

    SwfMovie movie;
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
            movie.m_frames.push_back(std::move(pending));
            pending = {};
            continue;
        }
        movie.ReadTag(code, body, pending, limits);
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
        m_shapes.try_emplace(shape.id, std::move(shape));
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
    default:
        ++m_skippedTags;
        return;
    }
}
