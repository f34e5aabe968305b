#include "components/entry/OvcData.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace vex {

namespace {

constexpr int Real48Bias = 129;
constexpr int Real48FractionBits = 39;
constexpr int ExtendedBias = 16383;

// The 40 bits after the exponent byte, the sign bit included, as one number.
uint64_t Real48Bits(const uint8_t* P) {
    uint64_t bits = 0;
    for (int i = 5; i >= 1; --i)
        bits = (bits << 8) | P[i];
    return bits;
}

template <class T>
T Load(const void* Data) {
    T value;
    std::memcpy(&value, Data, sizeof value);
    return value;
}

template <class T>
void Store(T Value, void* Data) {
    std::memcpy(Data, &Value, sizeof Value);
}

long double Clamped(long double Value, long double Lo, long double Hi) {
    if (std::isnan(Value)) return 0;
    return Value < Lo ? Lo : Value > Hi ? Hi : Value;
}

}  // namespace

long double Real48ToExtended(const uint8_t* P) {
    if (P[0] == 0) return 0;
    const uint64_t bits = Real48Bits(P);
    const uint64_t fraction = bits & ((uint64_t{1} << Real48FractionBits) - 1);
    const long double significand =
        1.0L + std::ldexp(static_cast<long double>(fraction), -Real48FractionBits);
    const long double magnitude = std::ldexp(significand, P[0] - Real48Bias);
    return (bits >> Real48FractionBits) != 0 ? -magnitude : magnitude;
}

bool ExtendedToReal48(long double Value, uint8_t* P) {
    if (!std::isfinite(Value)) return false;
    uint8_t out[6] = {};
    if (Value != 0) {
        int exponent = 0;
        // frexp gives [0.5, 1); the format's significand is [1, 2).
        long double significand = std::frexp(std::fabs(Value), &exponent);
        --exponent;
        uint64_t fraction = static_cast<uint64_t>(
            std::llround(std::ldexp(significand * 2 - 1, Real48FractionBits)));
        if (fraction >> Real48FractionBits) {  // rounded up to the next power of two
            fraction = 0;
            ++exponent;
        }
        const int biased = exponent + Real48Bias;
        if (biased > 255) return false;
        if (biased >= 1) {
            uint64_t bits = fraction;
            if (Value < 0) bits |= uint64_t{1} << Real48FractionBits;
            out[0] = static_cast<uint8_t>(biased);
            for (int i = 1; i <= 5; ++i, bits >>= 8)
                out[i] = static_cast<uint8_t>(bits);
        }
    }
    std::memcpy(P, out, sizeof out);
    return true;
}

long double ExtendedBytesToLongDouble(const uint8_t* P) {
    uint64_t significand = 0;
    for (int i = 7; i >= 0; --i)
        significand = (significand << 8) | P[i];
    const int exponent = ((P[9] & 0x7F) << 8) | P[8];
    const bool negative = (P[9] & 0x80) != 0;
    long double magnitude;
    if (exponent == 0x7FFF) {
        magnitude = (significand << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                            : std::numeric_limits<long double>::quiet_NaN();
    } else {
        // A zero exponent is the denormal scale, one step above what its bias says.
        const int scale = (exponent == 0 ? 1 : exponent) - ExtendedBias - 63;
        magnitude = std::ldexp(static_cast<long double>(significand), scale);
    }
    return negative ? -magnitude : magnitude;
}

void LongDoubleToExtendedBytes(long double Value, uint8_t* P) {
    uint64_t significand = 0;
    int exponent = 0;
    const bool negative = std::signbit(Value);
    const long double magnitude = std::fabs(Value);
    if (std::isnan(Value)) {
        exponent = 0x7FFF;
        significand = uint64_t{3} << 62;
    } else if (std::isinf(Value)) {
        exponent = 0x7FFF;
        significand = uint64_t{1} << 63;
    } else if (magnitude != 0) {
        int e = 0;
        const long double fraction = std::frexp(magnitude, &e);  // [0.5, 1)
        exponent = e - 1 + ExtendedBias;
        int shift = 64;
        if (exponent <= 0) {  // denormal: the scale stops at the smallest exponent
            shift += exponent - 1;
            exponent = 0;
        }
        significand = static_cast<uint64_t>(std::ldexp(fraction, shift));
    }
    for (int i = 0; i < 8; ++i, significand >>= 8)
        P[i] = static_cast<uint8_t>(significand);
    P[8] = static_cast<uint8_t>(exponent);
    P[9] = static_cast<uint8_t>((exponent >> 8) | (negative ? 0x80 : 0));
}

long double RangeAsExtended(uint8_t Code, const TRangeType& Range) {
    if (Code == fsubChar) return Range[0];
    if (Code == fsubReal) return Real48ToExtended(Range.data());
    if (Code >= fsubExtended && Code <= fsubComp) return ExtendedBytesToLongDouble(Range.data());
    if (IsIntegerCode(Code) || Code == fsubDate || Code == fsubTime) return RangeAsLongInt(Range);
    return 0;
}

int32_t RangeAsLongInt(const TRangeType& Range) {
    return Load<int32_t>(Range.data());
}

TRangeType RangeOfExtended(uint8_t Code, long double Value) {
    TRangeType range{};
    if (Code == fsubChar) {
        range[0] = static_cast<uint8_t>(Clamped(Value, 0, 255));
    } else if (Code == fsubReal) {
        if (!ExtendedToReal48(Value, range.data()))
            ExtendedToReal48(Value < 0 ? -1.7e38L : 1.7e38L, range.data());
    } else if (Code >= fsubExtended && Code <= fsubComp) {
        LongDoubleToExtendedBytes(Value, range.data());
    } else if (IsIntegerCode(Code) || Code == fsubDate || Code == fsubTime) {
        range = RangeOfLongInt(static_cast<int32_t>(std::llround(Clamped(
            Value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()))));
    }
    return range;
}

TRangeType RangeOfLongInt(int32_t Value) {
    TRangeType range{};
    Store(Value, range.data());
    return range;
}

namespace {

struct TTypeBounds {
    long double Lo;
    long double Hi;
};

TTypeBounds BoundsOf(uint8_t Code) {
    switch (Code) {
        case fsubChar:
            return {' ', ' '};
        case fsubLongInt:
            return {-2147483648.0L, 2147483647.0L};
        case fsubWord:
            return {0, 65535};
        case fsubInteger:
            return {-32768, 32767};
        case fsubByte:
            return {0, 255};
        case fsubShortInt:
            return {-128, 127};
        case fsubReal:
            return {-1.7e38L, 1.7e38L};
        case fsubExtended:
            return {-1.1e4932L, 1.1e4932L};
        case fsubDouble:
            return {-1.7e308L, 1.7e308L};
        case fsubSingle:
            return {-3.4e38L, 3.4e38L};
        case fsubComp:
            return {-9.2e18L, 9.2e18L};
        case fsubDate:
            return {0, 876581};
        case fsubTime:
            return {0, 86399};
        default:
            return {0, 0};
    }
}

}  // namespace

TRangeType TypeRangeLo(uint8_t Code) {
    return RangeOfExtended(Code, BoundsOf(Code).Lo);
}

TRangeType TypeRangeHi(uint8_t Code) {
    return RangeOfExtended(Code, BoundsOf(Code).Hi);
}

int32_t ValueSizeOf(uint8_t Code) {
    switch (Code) {
        case fsubChar:
        case fsubBoolean:
        case fsubYesNo:
        case fsubByte:
        case fsubShortInt:
            return 1;
        case fsubWord:
        case fsubInteger:
            return 2;
        case fsubLongInt:
        case fsubSingle:
        case fsubDate:
        case fsubTime:
            return 4;
        case fsubReal:
            return 6;
        case fsubDouble:
        case fsubComp:
            return 8;
        case fsubExtended:
            return 10;
        default:
            return 0;
    }
}

long double ReadNumericValue(uint8_t Code, const void* Data) {
    switch (Code) {
        case fsubLongInt:
        case fsubDate:
        case fsubTime:
            return Load<int32_t>(Data);
        case fsubWord:
            return Load<uint16_t>(Data);
        case fsubInteger:
            return Load<int16_t>(Data);
        case fsubByte:
            return Load<uint8_t>(Data);
        case fsubShortInt:
            return Load<int8_t>(Data);
        case fsubReal:
            return Real48ToExtended(static_cast<const uint8_t*>(Data));
        case fsubExtended:
            return ExtendedBytesToLongDouble(static_cast<const uint8_t*>(Data));
        case fsubDouble:
            return Load<double>(Data);
        case fsubSingle:
            return Load<float>(Data);
        case fsubComp:
            return static_cast<long double>(Load<int64_t>(Data));
        default:
            return 0;
    }
}

void WriteNumericValue(uint8_t Code, long double Value, void* Data) {
    // Integers keep their low bits, as a typecast of the 64-bit value would.
    const auto low = [&] {
        return static_cast<uint64_t>(
            static_cast<int64_t>(Clamped(std::trunc(Value), -9.2e18L, 9.2e18L)));
    };
    switch (Code) {
        case fsubLongInt:
        case fsubDate:
        case fsubTime:
            Store(static_cast<uint32_t>(low()), Data);
            break;
        case fsubWord:
        case fsubInteger:
            Store(static_cast<uint16_t>(low()), Data);
            break;
        case fsubByte:
        case fsubShortInt:
            Store(static_cast<uint8_t>(low()), Data);
            break;
        case fsubReal:
            if (!ExtendedToReal48(Value, static_cast<uint8_t*>(Data)))
                ExtendedToReal48(std::signbit(Value) ? -1.7e38L : 1.7e38L,
                                 static_cast<uint8_t*>(Data));
            break;
        case fsubExtended:
            LongDoubleToExtendedBytes(Value, static_cast<uint8_t*>(Data));
            break;
        case fsubDouble:
            Store(static_cast<double>(Clamped(Value, -std::numeric_limits<double>::max(),
                                              std::numeric_limits<double>::max())),
                  Data);
            break;
        case fsubSingle:
            Store(static_cast<float>(Clamped(Value, -std::numeric_limits<float>::max(),
                                             std::numeric_limits<float>::max())),
                  Data);
            break;
        case fsubComp:
            Store(static_cast<int64_t>(std::llround(Clamped(Value, -9.2e18L, 9.2e18L))), Data);
            break;
        default:
            break;
    }
}

}  // namespace vex
