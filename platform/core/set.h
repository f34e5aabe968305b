#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>
#include <type_traits>

namespace vex {

// A set over an enumeration whose values run from 0 to Size - 1.
template <class E, std::size_t Size = 64>
class TSet {
    static_assert(std::is_enum_v<E>, "TSet holds enumeration values");

public:
    constexpr TSet() = default;
    TSet(std::initializer_list<E> Values) {
        for (E v : Values)
            Include(v);
    }

    bool Contains(E Value) const { return FBits.test(Index(Value)); }
    void Include(E Value) { FBits.set(Index(Value)); }
    void Exclude(E Value) { FBits.reset(Index(Value)); }
    bool Empty() const { return FBits.none(); }

    // The set as the original stored it: bit N for the value N.
    unsigned long long Ord() const { return FBits.to_ullong(); }
    static TSet FromOrd(unsigned long long Bits) { return TSet(std::bitset<Size>(Bits)); }

    TSet operator+(const TSet& Other) const { return TSet(FBits | Other.FBits); }
    TSet operator-(const TSet& Other) const { return TSet(FBits & ~Other.FBits); }
    TSet operator*(const TSet& Other) const { return TSet(FBits & Other.FBits); }
    bool operator==(const TSet& Other) const = default;

private:
    explicit TSet(const std::bitset<Size>& Bits) : FBits(Bits) {}
    static std::size_t Index(E Value) { return static_cast<std::size_t>(Value); }

    std::bitset<Size> FBits;
};

}  // namespace vex
