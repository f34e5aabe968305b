#include "components/entry/OvcStr.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/core/stringutils.h"

namespace vex {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Digits of Value in base 2 to the power Bits, Count of them, most significant first.
std::string Digits(uint32_t Value, int Bits, size_t Count) {
    std::string s(Count, '0');
    for (size_t i = Count; i-- > 0; Value >>= Bits)
        s[i] = HexDigits[Value & ((1u << Bits) - 1)];
    return s;
}

size_t Shift(const TBMTable& BT, char C) {
    // A zero entry (a table never built) would stop the search from moving.
    return std::max<size_t>(1, BT[static_cast<uint8_t>(C)]);
}

// The Horspool loop, with Map applied to every buffer character.
template <class F>
bool Search(std::string_view Buffer, const TBMTable& BT, std::string_view MatchString, size_t& Pos,
            F Map) {
    const size_t n = MatchString.size();
    if (n == 0) return false;
    const char last = MatchString[n - 1];
    for (size_t p = n - 1; p < Buffer.size();) {
        const char c = Map(Buffer[p]);
        if (c != last) {
            p += Shift(BT, c);
            continue;
        }
        size_t k = 1;
        while (k < n && Map(Buffer[p - k]) == MatchString[n - 1 - k])
            ++k;
        if (k == n) {
            Pos = p - (n - 1);
            return true;
        }
        p += Shift(BT, last);
    }
    return false;
}

}  // namespace

std::string BinaryLPChar(uint32_t L) {
    return Digits(L, 1, 32);
}

std::string OctalLPChar(uint32_t L) {
    // 32 bits fill 11 octal digits; the twelfth is always 0.
    return Digits(L, 3, 12);
}

std::string HexLPChar(uint32_t L) {
    return Digits(L, 4, 8);
}

std::string HexWPChar(uint16_t W) {
    return Digits(W, 4, 4);
}

std::string CharStrPChar(char C, size_t Len) {
    return std::string(Len, C);
}

std::string DetabPChar(std::string_view Src, uint8_t TabSize) {
    std::string result;
    if (TabSize == 0) return result;
    for (char c : Src) {
        if (c == '\t')
            result.append(TabSize - result.size() % TabSize, ' ');
        else
            result += c;
    }
    return result;
}

char LoCaseChar(char C) {
    return AnsiLowerChar(C);
}

char UpCaseChar(char C) {
    return AnsiUpperChar(C);
}

bool StrChPos(std::string_view P, char C, size_t& Pos) {
    const size_t at = P.find(C);
    if (at == std::string_view::npos) return false;
    Pos = at;
    return true;
}

bool StrStPos(std::string_view P, std::string_view S, size_t& Pos) {
    if (S.empty() || S.size() > P.size()) return false;
    const size_t at = P.find(S);
    if (at == std::string_view::npos) return false;
    Pos = at;
    return true;
}

void StrChDeletePrim(std::string& P, size_t Pos) {
    if (Pos < P.size()) P.erase(Pos, 1);
}

void StrChInsertPrim(std::string& Dest, char C, size_t Pos) {
    Dest.insert(std::min(Pos, Dest.size()), 1, C);
}

void StrStDeletePrim(std::string& P, size_t Pos, size_t Count) {
    if (Pos < P.size()) P.erase(Pos, Count);
}

void StrStInsertPrim(std::string& Dest, std::string_view S, size_t Pos) {
    Dest.insert(std::min(Pos, Dest.size()), S);
}

void StrInsertChars(std::string& Dest, char Ch, size_t Pos, size_t Count) {
    Dest.insert(std::min(Pos, Dest.size()), Count, Ch);
}

std::string StrStCopy(std::string_view S, size_t Pos, size_t Count) {
    if (Pos >= S.size()) return {};
    return std::string(S.substr(Pos, Count));
}

void TrimTrailPrimPChar(std::string& S) {
    while (!S.empty() && static_cast<uint8_t>(S.back()) < 33)
        S.pop_back();
}

void TrimSpacesPChar(std::string& S) {
    while (!S.empty() && S.back() == ' ')
        S.pop_back();
    S.erase(0, std::min(S.find_first_not_of(' '), S.size()));
}

void TrimTrailingZerosPChar(std::string& S) {
    while (!S.empty() && S.back() == '0')
        S.pop_back();
    if (!S.empty() && S.back() == '.') S.pop_back();
    TrimSpacesPChar(S);
}

void TrimEmbeddedZerosPChar(std::string& S) {
    size_t e;
    if (!StrChPos(S, 'E', e)) return;
    // Zeros of the integer part are part of the value ("100E+2"): only a fraction's trailing
    // zeros may go.
    if (S.find('.') < e) {
        while (e > 0 && S[e - 1] == '0')
            S.erase(--e, 1);
        if (e > 0 && S[e - 1] == '.') S.erase(--e, 1);
    }
    size_t digits = e + 1;
    // An exponent written without a sign keeps its first digit.
    if (digits < S.size() && (S[digits] == '+' || S[digits] == '-')) ++digits;
    while (digits < S.size() && S[digits] == '0')
        S.erase(digits, 1);
    if (digits >= S.size()) S.resize(e);
}

void FixRealPrim(std::string& S, char DC) {
    TrimSpacesPChar(S);
    if (!S.empty() && S.back() == DC) {
        S.pop_back();
        TrimSpacesPChar(S);
    }
    if (S.empty()) {
        S = "0";
        return;
    }
    // Val knows only the full stop, wherever the decimal character stands.
    size_t dot;
    if (StrChPos(S, DC, dot)) S[dot] = '.';
    bool hasDot = StrChPos(S, '.', dot);
    if (hasDot) {
        if (dot == S.size() - 1) S += '0';
        if (dot == 0) StrChInsertPrim(S, '0', dot++);
        if (dot == 1 && S[0] == '-') StrChInsertPrim(S, '0', dot++);
    }
    size_t e;
    if (StrChPos(S, 'E', e) && e > 0) {
        if (!hasDot) {
            StrChInsertPrim(S, '.', e);
            dot = e++;
            hasDot = true;
        }
        if (dot < e && e - dot < 12) StrStInsertPrim(S, "00000", e);
    }
    if (hasDot) {
        while (dot > 0 && S[dot - 1] == ' ')
            S.erase(--dot, 1);
        while (dot + 1 < S.size() && S[dot + 1] == ' ')
            S.erase(dot + 1, 1);
    }
}

bool StrToLongPChar(std::string_view S, int32_t& I) {
    // The original converted in a 256-byte buffer; longer texts stay refused as they were.
    if (S.size() >= 256) {
        I = -1;
        return false;
    }
    std::string text(S);
    TrimTrailPrimPChar(text);
    if (const size_t x = text.find("0x"); x != std::string::npos) text.replace(x, 2, "$");
    int32_t value, code;
    Val(text, value, code);
    if (code != 0) {
        I = code - 1;
        return false;
    }
    I = value;
    return true;
}

TBMTable BMMakeTable(std::string_view MatchString) {
    const size_t n = MatchString.size();
    TBMTable table;
    table.fill(static_cast<uint8_t>(std::min<size_t>(n, 255)));
    // Every occurrence but the last character's own counts, the later one winning; a shift is
    // capped rather than cut, so a pattern longer than 255 never skips a match.
    for (size_t i = 0; i + 1 < n; ++i)
        table[static_cast<uint8_t>(MatchString[i])] =
            static_cast<uint8_t>(std::min<size_t>(n - 1 - i, 255));
    return table;
}

bool BMSearch(std::string_view Buffer, const TBMTable& BT, std::string_view MatchString,
              size_t& Pos) {
    if (MatchString.size() == 1) return StrChPos(Buffer, MatchString[0], Pos);
    return Search(Buffer, BT, MatchString, Pos, [](char C) { return C; });
}

bool BMSearchUC(std::string_view Buffer, const TBMTable& BT, std::string_view MatchString,
                size_t& Pos) {
    return Search(Buffer, BT, MatchString, Pos, AnsiUpperChar);
}

}  // namespace vex
