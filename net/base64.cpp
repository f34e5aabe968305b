#include "net/base64.h"

#include <algorithm>
#include <array>

#include "net/componentexceptions.h"
#include "platform/win/application.h"

namespace vex {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kPad = 255;
constexpr uint8_t kInvalid = 254;

constexpr std::array<uint8_t, 256> MakeValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kInvalid);
    for (uint8_t i = 0; i < 64; ++i)
        values[static_cast<uint8_t>(kAlphabet[i])] = i;
    values['='] = kPad;
    return values;
}

constexpr std::array<uint8_t, 256> kValues = MakeValues();

// Each character's value placed where it lands in a 24-bit group, so one group is four
// lookups or-ed together; bit 31 marks a character outside the alphabet.
constexpr uint32_t kBad = 0x80000000u;

constexpr std::array<uint32_t, 256> MakeShifted(int Shift) {
    std::array<uint32_t, 256> table{};
    for (size_t c = 0; c < 256; ++c)
        table[c] = kValues[c] < 64 ? uint32_t{kValues[c]} << Shift : kBad;
    return table;
}

constexpr std::array<uint32_t, 256> kAt18 = MakeShifted(18);
constexpr std::array<uint32_t, 256> kAt12 = MakeShifted(12);
constexpr std::array<uint32_t, 256> kAt6 = MakeShifted(6);
constexpr std::array<uint32_t, 256> kAt0 = MakeShifted(0);

[[noreturn]] void InvalidCharacter() {
    throw EMessageParserError("Invalid Character");
}

size_t Limit(int32_t MaxLen) {
    return MaxLen > 0 ? static_cast<size_t>(MaxLen) : 0;
}

}  // namespace

uint8_t Base64CharValue(char C) {
    const uint8_t value = kValues[static_cast<uint8_t>(C)];
    if (value == kInvalid) InvalidCharacter();
    return value;
}

void Base64Decode(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    Application().ProcessMessages();
    Base64DecodePiece(Source, Dest, MaxLen);
}

void Base64DecodePiece(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    const std::string_view data = Source.substr(0, std::min(Source.find('='), Source.size()));
    const size_t groups = data.size() / 4;
    const size_t tail = data.size() % 4;

    std::string out;
    out.resize(groups * 3 + (tail * 6) / 8);
    if (Base64DecodeGroups(data.data(), groups, out.data()) < groups) InvalidCharacter();
    const auto* in = reinterpret_cast<const uint8_t*>(data.data()) + groups * 4;
    auto* to = reinterpret_cast<uint8_t*>(out.data()) + groups * 3;
    if (tail > 0) {
        uint32_t v = 0;
        for (size_t i = 0; i < tail; ++i)
            v = (v << 6) | Base64CharValue(static_cast<char>(in[i]));
        v <<= 6 * (4 - tail);
        for (size_t i = 0; i < (tail * 6) / 8; ++i)
            to[i] = static_cast<uint8_t>(v >> (16 - 8 * i));
    }
    if (out.size() > Limit(MaxLen)) out.resize(Limit(MaxLen));
    Dest = std::move(out);
}

size_t Base64DecodeGroups(const char* Source, size_t Groups, char* To) {
    const auto* in = reinterpret_cast<const uint8_t*>(Source);
    auto* to = reinterpret_cast<uint8_t*>(To);
    for (size_t g = 0; g < Groups; ++g, in += 4, to += 3) {
        const uint32_t v = kAt18[in[0]] | kAt12[in[1]] | kAt6[in[2]] | kAt0[in[3]];
        if (v & kBad) return g;
        to[0] = static_cast<uint8_t>(v >> 16);
        to[1] = static_cast<uint8_t>(v >> 8);
        to[2] = static_cast<uint8_t>(v);
    }
    return Groups;
}

void Base64Encode(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    Application().ProcessMessages();
    std::string out;
    out.resize((Source.size() + 2) / 3 * 4);
    const auto* in = reinterpret_cast<const uint8_t*>(Source.data());
    char* to = out.data();
    size_t left = Source.size();
    for (; left >= 3; left -= 3, in += 3, to += 4) {
        const uint32_t v = uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
        to[0] = kAlphabet[v >> 18];
        to[1] = kAlphabet[(v >> 12) & 63];
        to[2] = kAlphabet[(v >> 6) & 63];
        to[3] = kAlphabet[v & 63];
    }
    if (left > 0) {
        const uint32_t v = uint32_t{in[0]} << 16 | (left == 2 ? uint32_t{in[1]} << 8 : 0);
        to[0] = kAlphabet[v >> 18];
        to[1] = kAlphabet[(v >> 12) & 63];
        to[2] = left == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        to[3] = '=';
    }
    if (out.size() > Limit(MaxLen)) out.resize(Limit(MaxLen));
    Dest = std::move(out);
}

}  // namespace vex
