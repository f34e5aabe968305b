#include "platform/core/stringutils.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "platform/core/codepage.h"
#include "platform/core/exceptions.h"

namespace vex {

namespace {

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

char AsciiUpper(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}
char AsciiLower(char C) {
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C;
}

// The integer scanner behind Val and StrToInt. Limit is the largest magnitude a decimal number
// may have; hexadecimal may use the whole unsigned range of the type and wraps into negatives.
template <class T>
void ScanInteger(const std::string& S, T& Value, int32_t& Code) {
    using U = std::make_unsigned_t<T>;
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    bool negative = false;
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    bool hex = false;
    if (i < S.size() && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    const U positiveLimit = static_cast<U>(std::numeric_limits<T>::max());
    const U limit = hex ? std::numeric_limits<U>::max() : positiveLimit + (negative ? 1 : 0);
    const U base = hex ? 16 : 10;
    U magnitude = 0;
    const size_t firstDigit = i;
    for (; i < S.size(); ++i) {
        const int d = hex ? HexDigit(S[i]) : ((S[i] >= '0' && S[i] <= '9') ? S[i] - '0' : -1);
        if (d < 0 || magnitude > (limit - static_cast<U>(d)) / base) break;
        magnitude = magnitude * base + static_cast<U>(d);
    }
    if (i == firstDigit || i < S.size()) {
        Value = 0;
        Code = static_cast<int32_t>(i + 1);
        return;
    }
    Value = static_cast<T>(negative ? static_cast<U>(0) - magnitude : magnitude);
    Code = 0;
}

template <class T>
T StrToIntegral(const std::string& S) {
    T value;
    int32_t code;
    ScanInteger(S, value, code);
    if (code != 0) throw EConvertError("'" + S + "' is not a valid integer value");
    return value;
}

template <class Map>
std::string MapChars(std::string_view S, Map M) {
    std::string r(S);
    for (char& c : r)
        c = M(c);
    return r;
}

int Sign(int V) {
    return (V > 0) - (V < 0);
}

}  // namespace

int HexDigit(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    C = AsciiUpper(C);
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
}

std::string IntToStr(int64_t Value) {
    return std::to_string(Value);
}

std::string IntToHex(int64_t Value, int32_t Digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string r;
    uint64_t v = static_cast<uint64_t>(Value);
    do {
        r.insert(r.begin(), kDigits[v & 15]);
        v >>= 4;
    } while (v != 0);
    if (static_cast<int32_t>(r.size()) < Digits)
        r.insert(0, static_cast<size_t>(Digits) - r.size(), '0');
    return r;
}

int32_t StrToInt(const std::string& S) {
    return StrToIntegral<int32_t>(S);
}
int64_t StrToInt64(const std::string& S) {
    return StrToIntegral<int64_t>(S);
}

bool TryStrToInt(const std::string& S, int32_t& Value) {
    int32_t code;
    ScanInteger(S, Value, code);
    return code == 0;
}

int32_t StrToIntDef(const std::string& S, int32_t Default) {
    int32_t value;
    return TryStrToInt(S, value) ? value : Default;
}

void Val(const std::string& S, int32_t& Value, int32_t& Code) {
    ScanInteger(S, Value, Code);
}

void Val(const std::string& S, double& Value, int32_t& Code) {
    // Always a full stop as the decimal mark, whatever the locale: Val reads program text.
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    const size_t start = i;
    // The decimal exponent of the first significant digit, to tell overflow from underflow.
    int64_t magnitude = 0;
    bool significant = false;
    auto digits = [&](bool fraction) {
        const size_t from = i;
        for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i) {
            significant = significant || S[i] != '0';
            if (!fraction && significant) ++magnitude;
            if (fraction && !significant) --magnitude;
        }
        return i > from;
    };
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) ++i;
    bool any = digits(false);
    if (i < S.size() && S[i] == '.') {
        ++i;
        any = digits(true) || any;
    }
    if (any && i < S.size() && (S[i] == 'e' || S[i] == 'E')) {
        ++i;
        const bool negative = i < S.size() && S[i] == '-';
        if (i < S.size() && (S[i] == '+' || S[i] == '-')) ++i;
        int64_t exponent = 0;
        const size_t from = i;
        for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i)
            exponent = std::min<int64_t>(exponent * 10 + (S[i] - '0'), 1'000'000);
        any = i > from;
        magnitude += negative ? -exponent : exponent;
    }
    if (!any || i < S.size()) {
        Value = 0;
        Code = static_cast<int32_t>(i + 1);
        return;
    }
    const size_t from = start + (S[start] == '+' ? 1 : 0);
    double v = 0;
    const auto result = std::from_chars(S.data() + from, S.data() + i, v);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) {  // too large for a double
            Value = 0;
            Code = static_cast<int32_t>(i + 1);
            return;
        }
        v = 0;  // too small: rounds to zero
    }
    Value = v;
    Code = 0;
}

std::string Trim(std::string_view S) {
    return TrimLeft(TrimRight(S));
}

std::string TrimLeft(std::string_view S) {
    size_t i = 0;
    while (i < S.size() && IsBlank(S[i]))
        ++i;
    return std::string(S.substr(i));
}

std::string TrimRight(std::string_view S) {
    size_t n = S.size();
    while (n > 0 && IsBlank(S[n - 1]))
        --n;
    return std::string(S.substr(0, n));
}

std::string UpperCase(std::string_view S) {
    return MapChars(S, AsciiUpper);
}
std::string LowerCase(std::string_view S) {
    return MapChars(S, AsciiLower);
}
std::string AnsiUpperCase(std::string_view S) {
    return MapChars(S, AnsiUpperChar);
}
std::string AnsiLowerCase(std::string_view S) {
    return MapChars(S, AnsiLowerChar);
}

int CompareStr(std::string_view A, std::string_view B) {
    return Sign(A.compare(B));
}

int CompareText(std::string_view A, std::string_view B) {
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(AsciiUpper(A[i]));
        const auto b = static_cast<unsigned char>(AsciiUpper(B[i]));
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

bool SameText(std::string_view A, std::string_view B) {
    return A.size() == B.size() && CompareText(A, B) == 0;
}

int AnsiCompareStr(std::string_view A, std::string_view B) {
    return AnsiCollate(A, B, false);
}
int AnsiCompareText(std::string_view A, std::string_view B) {
    return AnsiCollate(A, B, true);
}
bool AnsiSameText(std::string_view A, std::string_view B) {
    return A.size() == B.size() && AnsiUpperCase(A) == AnsiUpperCase(B);
}

int32_t Pos(std::string_view Substr, std::string_view S) {
    if (Substr.empty()) return 0;
    const size_t at = S.find(Substr);
    return at == std::string_view::npos ? 0 : static_cast<int32_t>(at + 1);
}

std::string Copy(std::string_view S, int32_t Index, int32_t Count) {
    if (Index < 1) Index = 1;
    const int64_t size = static_cast<int64_t>(S.size());
    if (Index > size || Count <= 0) return std::string();
    const int64_t n = std::min<int64_t>(Count, size - Index + 1);
    return std::string(S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(n)));
}

void Delete(std::string& S, int32_t Index, int32_t Count) {
    const int64_t size = static_cast<int64_t>(S.size());
    if (Index < 1 || Index > size || Count <= 0) return;
    const int64_t n = std::min<int64_t>(Count, size - Index + 1);
    S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(n));
}

void Insert(std::string_view Source, std::string& S, int32_t Index) {
    const int64_t at = std::clamp<int64_t>(Index, 1, static_cast<int64_t>(S.size()) + 1);
    S.insert(static_cast<size_t>(at - 1), Source);
}

std::string StringOfChar(char C, int32_t Count) {
    return Count > 0 ? std::string(static_cast<size_t>(Count), C) : std::string();
}

std::string StringReplace(std::string_view S, std::string_view OldPattern,
                          std::string_view NewPattern, TReplaceFlags Flags) {
    if (OldPattern.empty()) return std::string(S);
    const bool ignoreCase = Flags.Contains(rfIgnoreCase);
    const std::string haystack = ignoreCase ? AnsiUpperCase(S) : std::string(S);
    const std::string needle = ignoreCase ? AnsiUpperCase(OldPattern) : std::string(OldPattern);
    std::string r;
    size_t from = 0;
    for (;;) {
        const size_t at = haystack.find(needle, from);
        if (at == std::string::npos) break;
        r.append(S.substr(from, at - from)).append(NewPattern);
        from = at + needle.size();
        if (!Flags.Contains(rfReplaceAll)) break;
    }
    r.append(S.substr(from));
    return r;
}

std::string QuotedStr(std::string_view S) {
    return AnsiQuotedStr(S, '\'');
}

std::string AnsiQuotedStr(std::string_view S, char Quote) {
    std::string r(1, Quote);
    for (char c : S) {
        r += c;
        if (c == Quote) r += Quote;
    }
    r += Quote;
    return r;
}

std::string AnsiExtractQuotedStr(std::string_view& Src, char Quote) {
    if (Src.empty() || Src[0] != Quote) return std::string();
    std::string r;
    size_t i = 1;
    while (i < Src.size()) {
        if (Src[i] == Quote) {
            if (i + 1 < Src.size() && Src[i + 1] == Quote) {
                r += Quote;
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        r += Src[i++];
    }
    Src.remove_prefix(i);
    return r;
}

}  // namespace vex
