#pragma once
// A set of members of an enum class with at most 32 members, held as bits
// (member n is bit n): what set-valued published properties hold. Platform-neutral.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E>
class EnumSet {
    static_assert(std::is_enum_v<E>);

public:
    using Enum = E;

    constexpr EnumSet() noexcept = default;
    constexpr EnumSet(std::initializer_list<E> members) noexcept {
        for (E e : members) m_bits |= Bit(e);
    }
    static constexpr EnumSet FromBits(uint32_t bits) noexcept {
        EnumSet s;
        s.m_bits = bits;
        return s;
    }

    constexpr uint32_t Bits() const noexcept { return m_bits; }
    constexpr bool Empty() const noexcept { return m_bits == 0; }
    constexpr bool Contains(E e) const noexcept { return (m_bits & Bit(e)) != 0; }
    constexpr EnumSet& Include(E e) noexcept {
        m_bits |= Bit(e);
        return *this;
    }
    constexpr EnumSet& Exclude(E e) noexcept {
        m_bits &= ~Bit(e);
        return *this;
    }

    friend constexpr EnumSet operator|(EnumSet a, EnumSet b) noexcept { return FromBits(a.m_bits | b.m_bits); }
    friend constexpr EnumSet operator&(EnumSet a, EnumSet b) noexcept { return FromBits(a.m_bits & b.m_bits); }
    friend constexpr EnumSet operator-(EnumSet a, EnumSet b) noexcept { return FromBits(a.m_bits & ~b.m_bits); }
    friend constexpr bool operator==(EnumSet a, EnumSet b) noexcept = default;

private:
    static constexpr uint32_t Bit(E e) noexcept {
        const auto n = static_cast<uint32_t>(e);
        return n < 32 ? uint32_t{1} << n : 0;
    }
    uint32_t m_bits = 0;
};
