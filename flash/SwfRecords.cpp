#include "flash/SwfRecords.h"

#include "flash/SwfBitReader.h"

#include <algorithm>
#include <cmath>

SwfMatrix SwfMatrix::Then(const SwfMatrix& outer) const noexcept {
    SwfMatrix m;
    m.a = outer.a * a + outer.c * b;
    m.b = outer.b * a + outer.d * b;
    m.c = outer.a * c + outer.c * d;
    m.d = outer.b * c + outer.d * d;
    m.tx = outer.a * tx + outer.c * ty + outer.tx;
    m.ty = outer.b * tx + outer.d * ty + outer.ty;
    return m;
}

std::optional<SwfMatrix> SwfMatrix::Inverse() const noexcept {
    const double det = a * d - b * c;
    if (!(std::abs(det) > 1e-12)) return std::nullopt;
    SwfMatrix m;
    m.a = d / det;
    m.b = -b / det;
    m.c = -c / det;
    m.d = a / det;
    m.tx = -(m.a * tx + m.c * ty);
    m.ty = -(m.b * tx + m.d * ty);
    return m;
}

namespace {

uint8_t Channel(int32_t value, int32_t mult, int32_t add) noexcept {
    return static_cast<uint8_t>(std::clamp(value * mult / 256 + add, 0, 255));
}

}  // namespace

SwfRgba SwfColourTransform::Apply(SwfRgba colour) const noexcept {
    return {Channel(colour.r, multR, addR), Channel(colour.g, multG, addG), Channel(colour.b, multB, addB),
            Channel(colour.a, multA, addA)};
}

SwfColourTransform SwfColourTransform::Then(const SwfColourTransform& outer) const noexcept {
    // Terms come from 16-bit fields, so the products stay far inside 32 bits.
    const auto mult = [](int32_t inner, int32_t out) { return inner * out / 256; };
    const auto add = [](int32_t inner, int32_t outMult, int32_t outAdd) { return inner * outMult / 256 + outAdd; };
    SwfColourTransform t;
    t.multR = mult(multR, outer.multR);
    t.multG = mult(multG, outer.multG);
    t.multB = mult(multB, outer.multB);
    t.multA = mult(multA, outer.multA);
    t.addR = add(addR, outer.multR, outer.addR);
    t.addG = add(addG, outer.multG, outer.addG);
    t.addB = add(addB, outer.multB, outer.addB);
    t.addA = add(addA, outer.multA, outer.addA);
    return t;
}

SwfRect ReadRect(SwfBitReader& in) {
    in.Align();
    const unsigned bits = in.UB(5);
    SwfRect rect;
    rect.xMin = in.SB(bits);
    rect.xMax = in.SB(bits);
    rect.yMin = in.SB(bits);
    rect.yMax = in.SB(bits);
    in.Align();
    return rect;
}

SwfRgba ReadRgb(SwfBitReader& in) {
    SwfRgba c;
    c.r = in.U8();
    c.g = in.U8();
    c.b = in.U8();
    return c;
}

SwfRgba ReadRgba(SwfBitReader& in) {
    SwfRgba c = ReadRgb(in);
    c.a = in.U8();
    return c;
}

SwfMatrix ReadMatrix(SwfBitReader& in) {
    in.Align();
    SwfMatrix m;
    if (in.UB(1)) {
        const unsigned bits = in.UB(5);
        m.a = in.FB(bits);
        m.d = in.FB(bits);
    }
    if (in.UB(1)) {
        const unsigned bits = in.UB(5);
        m.b = in.FB(bits);
        m.c = in.FB(bits);
    }
    const unsigned bits = in.UB(5);
    m.tx = in.SB(bits);
    m.ty = in.SB(bits);
    in.Align();
    return m;
}

SwfColourTransform ReadColourTransform(SwfBitReader& in, bool withAlpha) {
    in.Align();
    SwfColourTransform t;
    const bool hasAdd = in.UB(1) != 0;
    const bool hasMult = in.UB(1) != 0;
    const unsigned bits = in.UB(4);
    if (hasMult) {
        t.multR = in.SB(bits);
        t.multG = in.SB(bits);
        t.multB = in.SB(bits);
        if (withAlpha) t.multA = in.SB(bits);
    }
    if (hasAdd) {
        t.addR = in.SB(bits);
        t.addG = in.SB(bits);
        t.addB = in.SB(bits);
        if (withAlpha) t.addA = in.SB(bits);
    }
    in.Align();
    return t;
}
