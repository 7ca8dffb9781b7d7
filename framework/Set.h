#pragma once
// A set of values of a small plain enumeration, held as a bit mask (bit i = value i): the
// framework's control styles, control states and shift states.
#include <cstdint>
#include <initializer_list>

namespace plaxor {

template <typename E> class TSet {
public:
    constexpr TSet() noexcept = default;
    constexpr TSet(std::initializer_list<E> values) noexcept {
        for (E v : values)
            bits_ |= Bit(v);
    }
    static constexpr TSet FromBits(std::uint32_t bits) noexcept {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint32_t Bits() const noexcept { return bits_; }

    constexpr bool Contains(E v) const noexcept { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr void Include(E v) noexcept { bits_ |= Bit(v); }
    constexpr void Exclude(E v) noexcept { bits_ &= ~Bit(v); }
    constexpr TSet With(E v) const noexcept { return FromBits(bits_ | Bit(v)); }
    constexpr TSet Without(E v) const noexcept { return FromBits(bits_ & ~Bit(v)); }
    friend constexpr TSet operator|(TSet a, TSet b) noexcept { return FromBits(a.bits_ | b.bits_); }
    friend constexpr bool operator==(TSet, TSet) noexcept = default;

private:
    static constexpr std::uint32_t Bit(E v) noexcept { return 1u << static_cast<unsigned>(v); }
    std::uint32_t bits_ = 0;
};

} // namespace plaxor
