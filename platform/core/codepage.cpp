#include "platform/core/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace vex {

namespace {

struct CharInfo {
    uint8_t Upper;
    uint8_t Lower;
    bool Alpha;
    // Sort weights: the base letter or symbol, then the accent, then the case.
    uint16_t Primary;
    uint8_t Secondary;
    uint8_t Tertiary;
};

// Base letters of the accented letters from 0xC0 to 0xFF, '*' for the two signs in that range.
constexpr std::string_view kLatin1Bases =
    "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTSaaaaaaaceeeeiiiidnooooo*ouuuuyty";

// Accented or extra letters below 0xC0, with their partner of the other case (0 for none).
struct ExtraLetter {
    uint8_t Code, Partner, Base;
    bool Upper;
};
constexpr ExtraLetter kExtraLetters[] = {
    {0x83, 0, 'f', false},    {0x8A, 0x9A, 'S', true},  {0x8C, 0x9C, 'O', true},
    {0x8E, 0x9E, 'Z', true},  {0x9A, 0x8A, 's', false}, {0x9C, 0x8C, 'o', false},
    {0x9E, 0x8E, 'z', false}, {0x9F, 0xFF, 'Y', true},  {0xAA, 0, 'a', false},
    {0xB5, 0, 'm', false},    {0xBA, 0, 'o', false},
};

// Letters that are not a base letter with an accent but sort just after one.
bool IsOwnLetter(uint8_t Code) {
    switch (Code) {
        case 0xC6:
        case 0xE6:  // ae ligature
        case 0xD0:
        case 0xF0:  // eth
        case 0xDE:
        case 0xFE:  // thorn
        case 0xDF:  // sharp s
        case 0x8C:
        case 0x9C:  // oe ligature
            return true;
        default:
            return false;
    }
}

uint16_t LetterWeight(char Base) {
    const int index = (Base >= 'a' ? Base - 'a' : Base - 'A');
    return static_cast<uint16_t>(1000 + 4 * index);
}

std::array<CharInfo, 256> BuildTable() {
    std::array<CharInfo, 256> t{};
    for (int c = 0; c < 256; ++c) {
        auto& e = t[static_cast<size_t>(c)];
        e.Upper = e.Lower = static_cast<uint8_t>(c);
        e.Primary = static_cast<uint16_t>(c);  // symbols and controls sort by code, before digits
    }
    auto setLetter = [&](int c, uint8_t base, bool upper, int partner) {
        auto& e = t[static_cast<size_t>(c)];
        e.Alpha = true;
        e.Primary = static_cast<uint16_t>(LetterWeight(static_cast<char>(base)) +
                                          (IsOwnLetter(static_cast<uint8_t>(c)) ? 2 : 0));
        // The accent's weight is the lower-case letter's, so letters that differ only in case
        // compare equal when case does not count.
        const int lower = upper && partner != 0 ? partner : c;
        e.Secondary =
            (base == c || base + 32 == c || base == c + 32) ? 0 : static_cast<uint8_t>(lower);
        e.Tertiary = upper ? 1 : 0;
        if (partner != 0) {
            if (upper)
                e.Lower = static_cast<uint8_t>(partner);
            else
                e.Upper = static_cast<uint8_t>(partner);
        }
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        setLetter(c, static_cast<uint8_t>(c), true, c + 32);
    for (int c = 'a'; c <= 'z'; ++c)
        setLetter(c, static_cast<uint8_t>(c), false, c - 32);
    for (const ExtraLetter& x : kExtraLetters)
        setLetter(x.Code, x.Base, x.Upper, x.Partner);
    for (int c = 0xC0; c <= 0xFF; ++c) {
        const char base = kLatin1Bases[static_cast<size_t>(c - 0xC0)];
        if (base == '*') continue;
        const bool upper = c < 0xE0;
        int partner = upper ? c + 32 : c - 32;
        if (c == 0xDF) partner = 0;     // sharp s has no capital here
        if (c == 0xFF) partner = 0x9F;  // y with diaeresis
        setLetter(c, static_cast<uint8_t>(base), upper && c != 0xDF, partner);
    }
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<size_t>(c)].Primary = static_cast<uint16_t>(900 + c);
    return t;
}

const std::array<CharInfo, 256>& Table() {
    static const std::array<CharInfo, 256> table = BuildTable();
    return table;
}

const CharInfo& Info(char C) {
    return Table()[static_cast<uint8_t>(C)];
}

int Compare(int A, int B) {
    return A < B ? -1 : (A > B ? 1 : 0);
}

// One pass of the collation: the first Count characters of A and B by the sort weight Weight.
template <auto Weight>
int ComparePass(std::string_view A, std::string_view B, size_t Count) {
    for (size_t i = 0; i < Count; ++i)
        if (int r = Compare(Info(A[i]).*Weight, Info(B[i]).*Weight)) return r;
    return 0;
}

}  // namespace

char AnsiUpperChar(char C) {
    return static_cast<char>(Info(C).Upper);
}
char AnsiLowerChar(char C) {
    return static_cast<char>(Info(C).Lower);
}
bool IsAnsiAlpha(char C) {
    return Info(C).Alpha;
}
bool IsAnsiUpper(char C) {
    return Info(C).Alpha && Info(C).Lower != static_cast<uint8_t>(C);
}
bool IsAnsiLower(char C) {
    return Info(C).Alpha && Info(C).Upper != static_cast<uint8_t>(C);
}

int AnsiCollate(std::string_view A, std::string_view B, bool IgnoreCase) {
    // Three passes, each deciding only when the ones before saw no difference.
    const size_t common = std::min(A.size(), B.size());
    if (int r = ComparePass<&CharInfo::Primary>(A, B, common)) return r;
    if (A.size() != B.size()) return A.size() < B.size() ? -1 : 1;
    if (int r = ComparePass<&CharInfo::Secondary>(A, B, common)) return r;
    if (IgnoreCase) return 0;
    return ComparePass<&CharInfo::Tertiary>(A, B, common);
}

int AnsiCollatePrefix(std::string_view S, std::string_view Prefix) {
    const size_t common = std::min(S.size(), Prefix.size());
    if (int r = ComparePass<&CharInfo::Primary>(S, Prefix, common)) return r;
    return S.size() < Prefix.size() ? -1 : 0;
}

char32_t Win1252ToUnicode(unsigned char Ch) {
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (Ch >= 0x80 && Ch < 0xA0) return High[Ch - 0x80];
    return Ch;
}

char UnicodeToWin1252(char32_t Ch) {
    if (Ch < 0x80 || (Ch >= 0xA0 && Ch <= 0xFF)) return static_cast<char>(Ch);
    // Every other character the code page holds sits at 0x80 to 0x9F; a table built once from
    // the forward mapping keeps the two directions from drifting apart.
    static const std::array<std::pair<char32_t, uint8_t>, 32> high = [] {
        std::array<std::pair<char32_t, uint8_t>, 32> t{};
        for (int b = 0x80; b < 0xA0; ++b)
            t[static_cast<size_t>(b - 0x80)] = {Win1252ToUnicode(static_cast<unsigned char>(b)),
                                                static_cast<uint8_t>(b)};
        return t;
    }();
    for (const auto& [unicode, byte] : high)
        if (unicode == Ch) return static_cast<char>(byte);
    return '?';
}

std::string Utf16ToWin1252(std::u16string_view Text) {
    std::string result;
    result.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        const char16_t unit = Text[i];
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF)
            ++i;  // a character beyond the 16-bit plane, which 1252 never holds
        result += UnicodeToWin1252(unit >= 0xD800 && unit <= 0xDFFF ? U'\uFFFD' : unit);
    }
    return result;
}

}  // namespace vex
