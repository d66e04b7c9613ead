#include "flash/authoring/SwfWriter.h"

#include "flash/SwfError.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void SwfBitWriter::UB(uint32_t value, unsigned bits) {
    // A value cut to its field would make a movie that reads back as something else.
    if (bits > 32 || UnsignedBits(value) > bits) throw ESwfError(u"A value does not fit its bit field.");
    for (unsigned i = bits; i-- > 0;) {
        if (m_bit == 0) m_bytes.push_back(0);
        if ((value >> i) & 1) m_bytes.back() |= static_cast<uint8_t>(0x80 >> m_bit);
        m_bit = (m_bit + 1) & 7;
    }
}

void SwfBitWriter::SB(int32_t value, unsigned bits) {
    if (bits > 32 || (bits == 0 ? value != 0 : SignedBits(value) > bits))
        throw ESwfError(u"A value does not fit its bit field.");
    UB(static_cast<uint32_t>(value) & (bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1), bits);
}

void SwfBitWriter::Align() { m_bit = 0; }

void SwfBitWriter::U8(uint8_t value) {
    Align();
    m_bytes.push_back(value);
}

void SwfBitWriter::U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void SwfBitWriter::U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
}

void SwfBitWriter::Bytes(std::span<const uint8_t> bytes) {
    Align();
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

const std::vector<uint8_t>& SwfBitWriter::Data() {
    Align();
    return m_bytes;
}

unsigned SignedBits(int64_t value) noexcept {
    unsigned bits = 1;
    while (bits < 64 && (value < -(int64_t{1} << (bits - 1)) || value >= (int64_t{1} << (bits - 1)))) ++bits;
    return bits;
}

unsigned UnsignedBits(uint64_t value) noexcept {
    unsigned bits = 0;
    while (bits < 64 && (value >> bits) != 0) ++bits;
    return bits;
}

void WriteRect(SwfBitWriter& out, const SwfRect& rect) {
    out.Align();
    const unsigned bits = std::max({SignedBits(rect.xMin), SignedBits(rect.xMax), SignedBits(rect.yMin),
                                    SignedBits(rect.yMax)});
    out.UB(bits, 5);
    out.SB(rect.xMin, bits);
    out.SB(rect.xMax, bits);
    out.SB(rect.yMin, bits);
    out.SB(rect.yMax, bits);
    out.Align();
}

namespace {

int32_t Fixed16(double value) { return static_cast<int32_t>(std::lround(value * 65536.0)); }

}  // namespace

void WriteMatrix(SwfBitWriter& out, const SwfMatrix& m) {
    out.Align();
    // The scale pair and the rotate/skew pair: a flag, then both as 16.16 fixed point.
    const auto pair = [&](double first, double second, bool present) {
        out.UB(present, 1);
        if (!present) return;
        const unsigned bits = std::max(SignedBits(Fixed16(first)), SignedBits(Fixed16(second)));
        out.UB(bits, 5);
        out.SB(Fixed16(first), bits);
        out.SB(Fixed16(second), bits);
    };
    pair(m.a, m.d, m.a != 1 || m.d != 1);
    pair(m.b, m.c, m.b != 0 || m.c != 0);
    const auto tx = static_cast<int32_t>(std::lround(m.tx)), ty = static_cast<int32_t>(std::lround(m.ty));
    const unsigned bits = (tx == 0 && ty == 0) ? 0 : std::max(SignedBits(tx), SignedBits(ty));
    out.UB(bits, 5);
    out.SB(tx, bits);
    out.SB(ty, bits);
    out.Align();
}

void WriteColourTransform(SwfBitWriter& out, const SwfColourTransform& t, bool withAlpha) {
    out.Align();
    const bool mult = t.multR != 256 || t.multG != 256 || t.multB != 256 || (withAlpha && t.multA != 256);
    const bool add = t.addR != 0 || t.addG != 0 || t.addB != 0 || (withAlpha && t.addA != 0);
    unsigned bits = 1;
    if (mult)
        bits = std::max({bits, SignedBits(t.multR), SignedBits(t.multG), SignedBits(t.multB),
                         withAlpha ? SignedBits(t.multA) : 1u});
    if (add)
        bits = std::max({bits, SignedBits(t.addR), SignedBits(t.addG), SignedBits(t.addB),
                         withAlpha ? SignedBits(t.addA) : 1u});
    if (bits > 15) throw ESwfError(u"A colour transform term does not fit its record.");
    out.UB(add, 1);
    out.UB(mult, 1);
    out.UB(bits, 4);
    if (mult) {
        out.SB(t.multR, bits);
        out.SB(t.multG, bits);
        out.SB(t.multB, bits);
        if (withAlpha) out.SB(t.multA, bits);
    }
    if (add) {
        out.SB(t.addR, bits);
        out.SB(t.addG, bits);
        out.SB(t.addB, bits);
        if (withAlpha) out.SB(t.addA, bits);
    }
    out.Align();
}

void WriteSoundInfo(SwfBitWriter& out, const SwfSoundInfo& info) {
    const bool loops = info.loops != 1;
    out.U8(static_cast<uint8_t>((info.stop ? 0x20 : 0) | (info.noMultiple ? 0x10 : 0) |
                                (info.envelope.empty() ? 0 : 0x08) | (loops ? 0x04 : 0) |
                                (info.hasOutPoint ? 0x02 : 0) | (info.inPoint != 0 ? 0x01 : 0)));
    if (info.inPoint != 0) out.U32(info.inPoint);
    if (info.hasOutPoint) out.U32(info.outPoint);
    if (loops) out.U16(info.loops);
    if (!info.envelope.empty()) {
        if (info.envelope.size() > 255) throw ESwfError(u"A sound envelope has too many points.");
        out.U8(static_cast<uint8_t>(info.envelope.size()));
        for (const auto& point : info.envelope) {
            out.U32(point.position);
            out.U16(point.left);
            out.U16(point.right);
        }
    }
}

void WriteActions(SwfBitWriter& out, const SwfActions& actions) {
    for (const auto& action : actions) {
        const auto code = static_cast<uint8_t>(action.code);
        out.U8(code);
        if (code < 0x80) continue;
        SwfBitWriter body;
        if (action.code == SwfActionCode::GotoFrame) {
            body.U16(action.frame);
        } else {
            body.Bytes({reinterpret_cast<const uint8_t*>(action.text.data()), action.text.size()});
            body.U8(0);
        }
        const auto& bytes = body.Data();
        if (bytes.size() > 0xFFFF) throw ESwfError(u"An action is too long for its record.");
        out.U16(static_cast<uint16_t>(bytes.size()));
        out.Bytes(bytes);
    }
    out.U8(0);
}

uint16_t SwfShapeBuilder::AddFill(SwfRgba colour) {
    m_fills.push_back(colour);
    return static_cast<uint16_t>(m_fills.size());
}

uint16_t SwfShapeBuilder::AddLine(uint16_t width, SwfRgba colour) {
    m_lines.emplace_back(width, colour);
    m_maxLine = std::max(m_maxLine, width);
    return static_cast<uint16_t>(m_lines.size());
}

void SwfShapeBuilder::SetStyles(uint16_t fill0, uint16_t fill1, uint16_t line) {
    Record r{Record::Kind::Style};
    r.hasStyles = true;
    r.fill0 = fill0;
    r.fill1 = fill1;
    r.line = line;
    m_records.push_back(r);
}

void SwfShapeBuilder::Extend(int32_t x, int32_t y) noexcept {
    if (!m_hasBounds) {
        m_bounds = {x, x, y, y};
        m_hasBounds = true;
        return;
    }
    m_bounds.xMin = std::min(m_bounds.xMin, x);
    m_bounds.xMax = std::max(m_bounds.xMax, x);
    m_bounds.yMin = std::min(m_bounds.yMin, y);
    m_bounds.yMax = std::max(m_bounds.yMax, y);
}

void SwfShapeBuilder::MoveTo(int32_t x, int32_t y) {
    Record r{Record::Kind::Style};
    r.moveTo = true;
    r.a = x;
    r.b = y;
    m_records.push_back(r);
    m_x = x;
    m_y = y;
}

void SwfShapeBuilder::StraightDelta(int32_t dx, int32_t dy) {
    // Edge deltas hold at most 17 bits; longer edges go in pieces.
    if (SignedBits(dx) > 17 || SignedBits(dy) > 17) {
        StraightDelta(dx / 2, dy / 2);
        StraightDelta(dx - dx / 2, dy - dy / 2);
        return;
    }
    Record r{Record::Kind::Straight};
    r.a = dx;
    r.b = dy;
    m_records.push_back(r);
    ++m_edgeCount;
}

void SwfShapeBuilder::LineTo(int32_t x, int32_t y) {
    if (x == m_x && y == m_y) return;
    Extend(m_x, m_y);
    Extend(x, y);
    StraightDelta(x - m_x, y - m_y);
    m_x = x;
    m_y = y;
}

void SwfShapeBuilder::CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y) {
    Record r{Record::Kind::Curved};
    r.a = cx - m_x;
    r.b = cy - m_y;
    r.c = x - cx;
    r.d = y - cy;
    if (std::max({SignedBits(r.a), SignedBits(r.b), SignedBits(r.c), SignedBits(r.d)}) > 17)
        throw ESwfError(u"A curved edge is too long for its record.");
    Extend(m_x, m_y);
    Extend(cx, cy);
    Extend(x, y);
    m_records.push_back(r);
    ++m_edgeCount;
    m_x = x;
    m_y = y;
}

SwfRect SwfShapeBuilder::Bounds() const noexcept {
    SwfRect b = m_bounds;
    const int32_t margin = m_maxLine / 2;
    b.xMin -= margin;
    b.yMin -= margin;
    b.xMax += margin;
    b.yMax += margin;
    return b;
}

std::vector<uint8_t> SwfShapeBuilder::Body(uint16_t id, int version) const {
    if (m_fills.size() > 255 || m_lines.size() > 255) throw ESwfError(u"A shape has too many styles.");
    SwfBitWriter out;
    out.U16(id);
    WriteRect(out, Bounds());
    out.U8(static_cast<uint8_t>(m_fills.size()));
    const auto colour = [&](SwfRgba c) {
        out.U8(c.r);
        out.U8(c.g);
        out.U8(c.b);
        if (version >= 3) out.U8(c.a);
    };
    for (const SwfRgba& fill : m_fills) {
        out.U8(0x00);
        colour(fill);
    }
    out.U8(static_cast<uint8_t>(m_lines.size()));
    for (const auto& [width, c] : m_lines) {
        out.U16(width);
        colour(c);
    }
    const unsigned fillBits = UnsignedBits(m_fills.size()), lineBits = UnsignedBits(m_lines.size());
    out.UB(fillBits, 4);
    out.UB(lineBits, 4);

    for (size_t i = 0; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        switch (r.kind) {
        case Record::Kind::Style: {
            // A move and the style change after it share one record.
            const Record* styles = r.hasStyles ? &r : nullptr;
            bool moveTo = r.moveTo;
            int32_t x = r.a, y = r.b;
            if (moveTo && i + 1 < m_records.size() && m_records[i + 1].kind == Record::Kind::Style &&
                m_records[i + 1].hasStyles && !m_records[i + 1].moveTo)
                styles = &m_records[++i];
            out.UB(0, 1);
            out.UB(0, 1);  // new styles
            out.UB(styles != nullptr, 1);
            out.UB(styles != nullptr, 1);
            out.UB(styles != nullptr, 1);
            out.UB(moveTo, 1);
            if (moveTo) {
                const unsigned bits = std::max(SignedBits(x), SignedBits(y));
                out.UB(bits, 5);
                out.SB(x, bits);
                out.SB(y, bits);
            }
            if (styles) {
                out.UB(styles->fill0, fillBits);
                out.UB(styles->fill1, fillBits);
                out.UB(styles->line, lineBits);
            }
            break;
        }
        case Record::Kind::Straight: {
            const unsigned bits = std::max({2u, SignedBits(r.a), SignedBits(r.b)});
            out.UB(1, 1);
            out.UB(1, 1);
            out.UB(bits - 2, 4);
            if (r.a != 0 && r.b != 0) {
                out.UB(1, 1);
                out.SB(r.a, bits);
                out.SB(r.b, bits);
            } else {
                out.UB(0, 1);
                out.UB(r.a == 0, 1);
                out.SB(r.a == 0 ? r.b : r.a, bits);
            }
            break;
        }
        case Record::Kind::Curved: {
            const unsigned bits = std::max({2u, SignedBits(r.a), SignedBits(r.b), SignedBits(r.c), SignedBits(r.d)});
            out.UB(1, 1);
            out.UB(0, 1);
            out.UB(bits - 2, 4);
            out.SB(r.a, bits);
            out.SB(r.b, bits);
            out.SB(r.c, bits);
            out.SB(r.d, bits);
            break;
        }
        }
    }
    out.UB(0, 6);  // end of shape
    return out.Data();
}

SwfWriter::SwfWriter(const SwfRect& frameSize, double frameRate, uint8_t version)
    : m_frameSize{frameSize}, m_frameRate{static_cast<uint16_t>(std::lround(frameRate * 256))}, m_version{version} {}

void SwfWriter::Tag(uint16_t code, std::span<const uint8_t> body) {
    SwfBitWriter out;
    if (body.size() < 0x3F) {
        out.U16(static_cast<uint16_t>((code << 6) | body.size()));
    } else {
        out.U16(static_cast<uint16_t>((code << 6) | 0x3F));
        out.U32(static_cast<uint32_t>(body.size()));
    }
    out.Bytes(body);
    const auto& data = out.Data();
    m_tags.insert(m_tags.end(), data.begin(), data.end());
}

void SwfWriter::SetBackground(SwfRgba colour) {
    const uint8_t body[3] = {colour.r, colour.g, colour.b};
    Tag(static_cast<uint16_t>(SwfTagCode::SetBackgroundColor), body);
}

void SwfWriter::DefineShape(uint16_t id, const SwfShapeBuilder& shape, int version) {
    const SwfTagCode code = version == 1 ? SwfTagCode::DefineShape
                            : version == 2 ? SwfTagCode::DefineShape2
                                           : SwfTagCode::DefineShape3;
    Tag(static_cast<uint16_t>(code), shape.Body(id, version));
}

void SwfWriter::PlaceObject2(const SwfPlace& place) {
    SwfBitWriter out;
    uint8_t flags = place.move ? 0x01 : 0;
    if (place.character) flags |= 0x02;
    if (place.matrix) flags |= 0x04;
    if (place.colourTransform) flags |= 0x08;
    if (place.ratio) flags |= 0x10;
    if (!place.name.empty()) flags |= 0x20;
    if (place.clipDepth) flags |= 0x40;
    out.U8(flags);
    out.U16(place.depth);
    if (place.character) out.U16(*place.character);
    if (place.matrix) WriteMatrix(out, *place.matrix);
    if (place.colourTransform) WriteColourTransform(out, *place.colourTransform, true);
    if (place.ratio) out.U16(*place.ratio);
    if (!place.name.empty()) {
        out.Bytes({reinterpret_cast<const uint8_t*>(place.name.data()), place.name.size()});
        out.U8(0);
    }
    if (place.clipDepth) out.U16(*place.clipDepth);
    Tag(static_cast<uint16_t>(SwfTagCode::PlaceObject2), out.Data());
}

void SwfWriter::RemoveObject2(uint16_t depth) {
    const uint8_t body[2] = {static_cast<uint8_t>(depth), static_cast<uint8_t>(depth >> 8)};
    Tag(static_cast<uint16_t>(SwfTagCode::RemoveObject2), body);
}

void SwfWriter::ShowFrame() {
    Tag(static_cast<uint16_t>(SwfTagCode::ShowFrame), {});
    ++m_frames;
}

void SwfWriter::DefineSound(uint16_t id, SwfSoundFormat format, uint8_t rateCode, bool sixteenBit, unsigned channels,
                            uint32_t frames, std::span<const uint8_t> data) {
    SwfBitWriter out;
    out.U16(id);
    out.U8(static_cast<uint8_t>((static_cast<unsigned>(format) << 4) | ((rateCode & 3u) << 2) |
                                (sixteenBit ? 2u : 0u) | (channels == 2 ? 1u : 0u)));
    out.U32(frames);
    out.Bytes(data);
    Tag(static_cast<uint16_t>(SwfTagCode::DefineSound), out.Data());
}

void SwfWriter::StartSound(uint16_t sound, const SwfSoundInfo& info) {
    SwfBitWriter out;
    out.U16(sound);
    WriteSoundInfo(out, info);
    Tag(static_cast<uint16_t>(SwfTagCode::StartSound), out.Data());
}

void SwfWriter::DefineButton2(const SwfButton& button) {
    SwfBitWriter out;
    out.U16(button.id);
    out.U8(button.trackAsMenu ? 1 : 0);
    SwfBitWriter records;
    for (const auto& record : button.records) {
        records.U8(static_cast<uint8_t>((record.hitTest ? 0x08 : 0) | (record.down ? 0x04 : 0) |
                                        (record.over ? 0x02 : 0) | (record.up ? 0x01 : 0)));
        records.U16(record.character);
        records.U16(record.depth);
        WriteMatrix(records, record.matrix);
        WriteColourTransform(records, record.colourTransform, true);
    }
    records.U8(0);
    const auto& recordBytes = records.Data();
    // The offset counts from the offset field itself to the first action record.
    out.U16(button.actions.empty() ? 0 : static_cast<uint16_t>(2 + recordBytes.size()));
    out.Bytes(recordBytes);
    for (size_t i = 0; i < button.actions.size(); ++i) {
        const auto& action = button.actions[i];
        SwfBitWriter body;
        body.U8(static_cast<uint8_t>(action.conditions & 0xFF));
        body.U8(static_cast<uint8_t>((action.conditions >> 8) & 1));
        WriteActions(body, action.actions);
        const auto& bytes = body.Data();
        if (bytes.size() + 2 > 0xFFFF) throw ESwfError(u"A button's actions are too long for their record.");
        out.U16(i + 1 == button.actions.size() ? 0 : static_cast<uint16_t>(bytes.size() + 2));
        out.Bytes(bytes);
    }
    Tag(static_cast<uint16_t>(SwfTagCode::DefineButton2), out.Data());
}

void SwfWriter::DefineButtonSound(uint16_t button, const std::array<SwfButtonSound, 4>& sounds) {
    SwfBitWriter out;
    out.U16(button);
    for (const auto& sound : sounds) {
        out.U16(sound.sound);
        if (sound.sound != 0) WriteSoundInfo(out, sound.info);
    }
    Tag(static_cast<uint16_t>(SwfTagCode::DefineButtonSound), out.Data());
}

void SwfWriter::DoAction(const SwfActions& actions) {
    SwfBitWriter out;
    WriteActions(out, actions);
    Tag(static_cast<uint16_t>(SwfTagCode::DoAction), out.Data());
}

void SwfWriter::FrameLabel(std::string_view label) {
    SwfBitWriter out;
    out.Bytes({reinterpret_cast<const uint8_t*>(label.data()), label.size()});
    out.U8(0);
    Tag(static_cast<uint16_t>(SwfTagCode::FrameLabel), out.Data());
}

void SwfWriter::Append(const SwfWriter& other) {
    m_tags.insert(m_tags.end(), other.m_tags.begin(), other.m_tags.end());
    m_frames += other.m_frames;
}

namespace {

std::vector<uint8_t> HeaderRest(const SwfRect& frameSize, uint16_t frameRate, size_t frames) {
    SwfBitWriter out;
    WriteRect(out, frameSize);
    out.U16(frameRate);
    out.U16(static_cast<uint16_t>(frames));
    return out.Data();
}

}  // namespace

size_t SwfWriter::Size() const {
    return 8 + HeaderRest(m_frameSize, m_frameRate, m_frames).size() + m_tags.size() + 2;
}

std::vector<uint8_t> SwfWriter::Finish(std::optional<size_t> exactSize, uint16_t padCode) const {
    const std::vector<uint8_t> rest = HeaderRest(m_frameSize, m_frameRate, m_frames);
    const size_t size = Size();
    std::vector<uint8_t> pad;
    if (exactSize) {
        if (*exactSize < size) throw ESwfError(u"The movie's content is larger than its size.");
        const size_t gap = *exactSize - size;
        // A short tag takes 2 to 64 bytes, a long one 6 or more; one byte cannot be filled.
        if (gap == 1) throw ESwfError(u"The movie cannot be padded by a single byte.");
        if (gap > 0) {
            SwfBitWriter tag;
            if (gap < 6) {
                tag.U16(static_cast<uint16_t>((padCode << 6) | (gap - 2)));
            } else {
                tag.U16(static_cast<uint16_t>((padCode << 6) | 0x3F));
                tag.U32(static_cast<uint32_t>(gap - 6));
            }
            pad = tag.Data();
            pad.resize(gap, 0);
        }
    }
    std::vector<uint8_t> out{'F', 'W', 'S', m_version};
    const uint32_t total = static_cast<uint32_t>(size + pad.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(total >> (8 * i)));
    out.insert(out.end(), rest.begin(), rest.end());
    out.insert(out.end(), m_tags.begin(), m_tags.end());
    out.insert(out.end(), pad.begin(), pad.end());
    out.push_back(0);
    out.push_back(0);
    return out;
}
