#include "net/quotedprintableescapes.h"

#include <array>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vex {

namespace {

constexpr uint8_t kNotHex = 0x80;

constexpr std::array<uint8_t, 256> MakeHexValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kNotHex);
    for (uint8_t i = 0; i < 10; ++i)
        values['0' + i] = i;
    for (uint8_t i = 0; i < 6; ++i) {
        values['A' + i] = static_cast<uint8_t>(10 + i);
        values['a' + i] = static_cast<uint8_t>(10 + i);
    }
    return values;
}

constexpr std::array<uint8_t, 256> kHexValues = MakeHexValues();

// Binary text is mostly escapes, and a branch on each byte would guess wrong half the time
// there: each byte is written whatever it is, and the output moves on unless the byte is a digit
// of an escape. Skip tells which of the first two bytes are digits of an escape that began
// before From.
char* DecodeOneByOne(const char* From, const char* End, char* To, unsigned Skip) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(From);
    const auto size = static_cast<size_t>(End - From);
    size_t i = 0;
    if (size >= 3) {
        unsigned high = kHexValues[bytes[1]];
        for (; i < size - 2; ++i) {
            const unsigned c = bytes[i];
            const unsigned low = kHexValues[bytes[i + 2]];
            const unsigned escape = 0u - (((c ^ '=') | ((high | low) & kNotHex)) == 0);
            *To = static_cast<char>(c ^ ((c ^ (high << 4 | low)) & escape));
            To += 1 - (Skip & 1);
            Skip = Skip >> 1 | (escape & 3);
            high = low;
        }
    }
    // The last two bytes are too near the end to begin an escape.
    for (; i < size; ++i, Skip >>= 1) {
        *To = static_cast<char>(bytes[i]);
        To += 1 - (Skip & 1);
    }
    return To;
}

#if defined(__x86_64__)

// Sixteen bytes at a time where the processor can shuffle bytes: the digits of an escape are never
// "=", so escapes cannot overlap, and whether a byte begins one, or is one of its digits, follows
// from the two bytes on either side of it alone. The bytes that remain are packed together with a
// shuffle.
constexpr size_t kBlock = 16;
// A block looks two bytes past its end for the digits of its last escapes.
constexpr size_t kBlockReach = kBlock + 2;

// For each half of a block and each set of bytes kept in it, where those bytes are.
struct TKeptPositions {
    alignas(8) uint8_t Of[256][8];
    constexpr TKeptPositions() : Of{} {
        for (int kept = 0; kept < 256; ++kept)
            for (int bit = 0, n = 0; bit < 8; ++bit)
                if (kept >> bit & 1) Of[kept][n++] = static_cast<uint8_t>(bit);
    }
};

constexpr TKeptPositions kKept;

#define VEX_WIDE __attribute__((target("ssse3,popcnt")))

// The value of each hexadecimal digit of X, and in Valid which bytes are such digits.
VEX_WIDE inline __m128i HexDigits(__m128i X, __m128i& Valid) {
    const __m128i digit = _mm_sub_epi8(X, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
    const __m128i letter = _mm_sub_epi8(_mm_or_si128(X, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
    const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(5)), letter);
    Valid = _mm_or_si128(isDigit, isLetter);
    // "A" to "F" and "a" to "f" end in 1 to 6.
    return _mm_add_epi8(_mm_and_si128(X, _mm_set1_epi8(0x0F)),
                        _mm_and_si128(isLetter, _mm_set1_epi8(9)));
}

// Decodes the block at From, which may be read for kBlockReach bytes, onto To; writes 16 bytes
// there whatever it keeps. Skip carries which of the next two bytes are digits of an escape
// that began before them.
VEX_WIDE inline char* DecodeBlock(const char* From, char* To, unsigned& Skip) {
    const auto* at = reinterpret_cast<const __m128i*>(From);
    const __m128i bytes = _mm_loadu_si128(at);
    __m128i highValid, lowValid;
    const __m128i high =
        HexDigits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(From + 1)), highValid);
    const __m128i low =
        HexDigits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(From + 2)), lowValid);
    const __m128i escape = _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('=')),
                                         _mm_and_si128(highValid, lowValid));
    const __m128i decoded = _mm_or_si128(
        _mm_and_si128(_mm_slli_epi16(high, 4), _mm_set1_epi8(static_cast<char>(0xF0))), low);
    const __m128i chosen =
        _mm_or_si128(_mm_and_si128(escape, decoded), _mm_andnot_si128(escape, bytes));
    const auto begins = static_cast<unsigned>(_mm_movemask_epi8(escape));
    const unsigned digits = Skip | begins << 1 | begins << 2;
    const unsigned kept = ~digits & 0xFFFF;
    Skip = digits >> kBlock;
    const __m128i firstHalf =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kKept.Of[kept & 0xFF]));
    const __m128i secondHalf = _mm_add_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kKept.Of[kept >> 8])), _mm_set1_epi8(8));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(To), _mm_shuffle_epi8(chosen, firstHalf));
    To += __builtin_popcount(kept & 0xFF);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(To), _mm_shuffle_epi8(chosen, secondHalf));
    return To + __builtin_popcount(kept >> 8);
}

// A block writes no further than its own end, which no later block reads, so To may be where
// Text starts.
VEX_WIDE char* DecodeByBlocks(std::string_view Text, char* To) {
    const char* from = Text.data();
    const char* const end = from + Text.size();
    unsigned skip = 0;
    for (; static_cast<size_t>(end - from) >= kBlockReach; from += kBlock)
        To = DecodeBlock(from, To, skip);
    return DecodeOneByOne(from, end, To, skip);
}

bool CanDecodeByBlocks() {
    static const bool can = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
    return can;
}

#endif

}  // namespace

char* DecodeQuotedEscapes(std::string_view Text, char* To) {
#if defined(__x86_64__)
    if (Text.size() >= kBlockReach && CanDecodeByBlocks()) return DecodeByBlocks(Text, To);
#endif
    return DecodeQuotedEscapesOneByOne(Text, To);
}

char* DecodeQuotedEscapesOneByOne(std::string_view Text, char* To) {
    return DecodeOneByOne(Text.data(), Text.data() + Text.size(), To, 0);
}

}  // namespace vex
