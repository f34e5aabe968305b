#include "platform/core/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/core/exceptions.h"
#include "platform/core/formatsettings.h"

namespace vex {

namespace {

// The original converted through an 18-digit decimal; more digits than that are never shown.
constexpr int32_t kMaxPrecision = 18;
// Decimals for a conversion limited only by its significant digits.
constexpr int32_t kAnyDecimals = 9999;
// No exponent has more than four digits of padding.
constexpr int32_t kMaxExponentDigits = 4;
// Widths and precisions beyond this are refused rather than allocated.
constexpr int64_t kMaxFieldWidth = 1 << 20;

// A finite value as Negative, 0.Digits x 10^Exponent, without trailing zeros. Zero has no digits.
struct TDecimal {
    enum TKind : uint8_t { Finite, NotANumber, Infinite };
    TKind Kind = Finite;
    bool Negative = false;
    int32_t Exponent = 0;
    int32_t Count = 0;
    char Digits[kMaxPrecision];

    // Digits outside the significant ones are zeros, on both sides.
    char Digit(int64_t Index) const { return Index >= 0 && Index < Count ? Digits[Index] : '0'; }
};

// Rounds half away from zero to Precision significant digits or to Decimals digits after the
// point, whichever keeps fewer. Precision must be 1 to kMaxPrecision.
TDecimal ToDecimal(double Value, int32_t Precision, int32_t Decimals) {
    TDecimal d;
    if (std::isnan(Value)) {
        d.Kind = TDecimal::NotANumber;
        return d;
    }
    d.Negative = std::signbit(Value);
    if (std::isinf(Value)) {
        d.Kind = TDecimal::Infinite;
        return d;
    }
    if (Value == 0) {
        d.Negative = false;
        return d;
    }
    // "d.ddddddddddddddddde+NNN": 18 correctly rounded significant digits.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, std::fabs(Value),
                                   std::chars_format::scientific, kMaxPrecision - 1)
                         .ptr;
    d.Digits[0] = text[0];
    std::memcpy(d.Digits + 1, text + 2, kMaxPrecision - 1);
    const char* e = text + kMaxPrecision + 2;  // the exponent's sign
    int32_t exponent = 0;
    std::from_chars(e + 1, end, exponent);
    d.Exponent = (*e == '-' ? -exponent : exponent) + 1;

    const int64_t keep = std::min<int64_t>(Precision, int64_t{d.Exponent} + Decimals);
    if (keep < 0) return TDecimal{};
    d.Count = static_cast<int32_t>(keep);
    if (d.Count < kMaxPrecision && d.Digits[d.Count] >= '5') {
        int32_t i = d.Count - 1;
        while (i >= 0 && d.Digits[i] == '9')
            --i;
        if (i < 0) {
            d.Digits[0] = '1';
            d.Count = 1;
            ++d.Exponent;
        } else {
            ++d.Digits[i];
            d.Count = i + 1;
        }
    }
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    if (d.Count == 0) return TDecimal{};
    return d;
}

// Appends the original's text for NaN and the infinities; false for a finite value.
bool AppendSpecial(std::string& Out, const TDecimal& D) {
    if (D.Kind == TDecimal::NotANumber) {
        Out += "NAN";
    } else if (D.Kind == TDecimal::Infinite) {
        Out += D.Negative ? "-INF" : "INF";
    } else {
        return false;
    }
    return true;
}

void AppendUnsigned(std::string& Out, uint64_t Value, int32_t MinDigits, int Base = 10) {
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, Value, Base).ptr;
    const auto length = static_cast<int32_t>(end - text);
    if (length < MinDigits) Out.append(static_cast<size_t>(MinDigits - length), '0');
    for (const char* p = text; p != end; ++p)
        Out += (*p >= 'a' && *p <= 'f') ? static_cast<char>(*p - 'a' + 'A') : *p;
}

void AppendExponent(std::string& Out, int32_t Exponent, bool PlusSign, int32_t MinDigits) {
    if (Exponent < 0) {
        Out += '-';
    } else if (PlusSign) {
        Out += '+';
    }
    AppendUnsigned(Out, static_cast<uint64_t>(std::abs(Exponent)),
                   std::clamp(MinDigits, 0, kMaxExponentDigits));
}

void AppendGeneral(std::string& Out, const TDecimal& D, int32_t Precision, int32_t ExpDigits) {
    const char point = FormatSettings().DecimalSeparator;
    if (D.Count == 0) {
        Out += '0';
        return;
    }
    if (D.Negative) Out += '-';
    // The original's bounds: fixed notation from 0.0001 up to Precision integer digits.
    if (D.Exponent > Precision || D.Exponent < -3) {
        Out += D.Digits[0];
        if (D.Count > 1) {
            Out += point;
            Out.append(D.Digits + 1, static_cast<size_t>(D.Count - 1));
        }
        Out += 'E';
        AppendExponent(Out, D.Exponent - 1, false, ExpDigits);
    } else if (D.Exponent <= 0) {
        Out += '0';
        Out += point;
        Out.append(static_cast<size_t>(-D.Exponent), '0');
        Out.append(D.Digits, static_cast<size_t>(D.Count));
    } else {
        for (int32_t i = 0; i < D.Exponent; ++i)
            Out += D.Digit(i);
        if (D.Count > D.Exponent) {
            Out += point;
            Out.append(D.Digits + D.Exponent, static_cast<size_t>(D.Count - D.Exponent));
        }
    }
}

void AppendScientific(std::string& Out, const TDecimal& D, int32_t Precision, int32_t ExpDigits) {
    if (D.Negative) Out += '-';
    Out += D.Digit(0);
    if (Precision > 1) {
        Out += FormatSettings().DecimalSeparator;
        for (int32_t i = 1; i < Precision; ++i)
            Out += D.Digit(i);
    }
    Out += 'E';
    AppendExponent(Out, D.Count == 0 ? 0 : D.Exponent - 1, true, ExpDigits);
}

// The unsigned digits of a fixed-point number, with at least one integer digit.
void AppendFixedDigits(std::string& Out, const TDecimal& D, int32_t Decimals, bool Thousands) {
    const TFormatSettings& settings = FormatSettings();
    for (int32_t k = std::max(D.Exponent, 1); k > 0; --k) {
        Out += D.Digit(D.Exponent - k);
        if (Thousands && k > 1 && (k - 1) % 3 == 0) Out += settings.ThousandSeparator;
    }
    if (Decimals > 0) {
        Out += settings.DecimalSeparator;
        for (int32_t j = 0; j < Decimals; ++j)
            Out += D.Digit(int64_t{D.Exponent} + j);
    }
}

// Lays out an amount in the currency layouts of the settings: '$' stands for CurrencyString
// and '1' for the digits.
void AppendCurrency(std::string& Out, std::string_view Amount, bool Negative) {
    static constexpr std::string_view kPositive[] = {"$1", "1$", "$ 1", "1 $"};
    static constexpr std::string_view kNegative[] = {
        "($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
        "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const TFormatSettings& settings = FormatSettings();
    const std::string_view layout =
        Negative
            ? kNegative[settings.NegCurrFormat < std::size(kNegative) ? settings.NegCurrFormat : 0]
            : kPositive[settings.CurrencyFormat < std::size(kPositive) ? settings.CurrencyFormat
                                                                       : 0];
    for (char c : layout) {
        if (c == '$') {
            Out += settings.CurrencyString;
        } else if (c == '1') {
            Out += Amount;
        } else {
            Out += c;
        }
    }
}

void AppendFloat(std::string& Out, double Value, TFloatFormat Format, int32_t Precision,
                 int32_t Digits) {
    Precision = std::clamp(Precision, 1, kMaxPrecision);
    if (Format == ffGeneral || Format == ffExponent) {
        const TDecimal d = ToDecimal(Value, Precision, kAnyDecimals);
        if (AppendSpecial(Out, d)) return;
        if (Format == ffGeneral) {
            AppendGeneral(Out, d, Precision, Digits);
        } else {
            AppendScientific(Out, d, Precision, Digits);
        }
        return;
    }
    Digits = std::clamp(Digits, 0, kMaxPrecision);
    const TDecimal d = ToDecimal(Value, Precision, Digits);
    if (AppendSpecial(Out, d)) return;
    if (d.Exponent > Precision) {
        AppendGeneral(Out, d, Precision, Digits);
    } else if (Format == ffCurrency) {
        std::string amount;
        AppendFixedDigits(amount, d, Digits, true);
        AppendCurrency(Out, amount, d.Negative);
    } else {
        if (d.Negative) Out += '-';
        AppendFixedDigits(Out, d, Digits, Format == ffNumber);
    }
}

// A picture format read as tokens. Only the first "." is the decimal point, and digit
// placeholders after an exponent are plain text.
struct TPictureToken {
    enum TKind : uint8_t { IntDigit, DecDigit, Point, Thousands, Exponent, Literal };
    TKind Kind;
    std::string_view Text;  // the placeholder, the "E+" pair, or the literal text
    int32_t ExpDigits = 0;
};

template <class Visit>
void ForEachPictureToken(std::string_view S, Visit V) {
    bool point = false;
    bool exponent = false;
    size_t i = 0;
    while (i < S.size()) {
        const char c = S[i];
        if (c == '\'' || c == '"') {
            const size_t close = std::min(S.find(c, i + 1), S.size());
            V(TPictureToken{TPictureToken::Literal, S.substr(i + 1, close - i - 1)});
            i = close + 1;
        } else if ((c == '0' || c == '#') && !exponent) {
            V(TPictureToken{point ? TPictureToken::DecDigit : TPictureToken::IntDigit,
                            S.substr(i++, 1)});
        } else if (c == '.' && !point && !exponent) {
            point = true;
            V(TPictureToken{TPictureToken::Point, S.substr(i++, 1)});
        } else if (c == ',') {
            V(TPictureToken{TPictureToken::Thousands, S.substr(i++, 1)});
        } else if ((c == 'E' || c == 'e') && !exponent && i + 1 < S.size() &&
                   (S[i + 1] == '+' || S[i + 1] == '-')) {
            exponent = true;
            size_t j = i + 2;
            while (j < S.size() && S[j] == '0')
                ++j;
            V(TPictureToken{TPictureToken::Exponent, S.substr(i, 2),
                            static_cast<int32_t>(std::min<size_t>(j - i - 2, kMaxExponentDigits))});
            i = j;
        } else {
            V(TPictureToken{TPictureToken::Literal, S.substr(i++, 1)});
        }
    }
}

// What one section's placeholders ask of the number.
struct TPicture {
    std::string_view Text;
    int32_t IntPlaceholders = 0;
    int32_t MinIntDigits = 0;  // from the first "0" before the point
    int32_t DecPlaceholders = 0;
    int32_t MinDecimals = 0;  // up to the last "0" after the point
    bool Thousands = false;
    bool Scientific = false;
};

TPicture ScanPicture(std::string_view Section) {
    TPicture p;
    p.Text = Section;
    int32_t firstZero = -1;
    ForEachPictureToken(Section, [&](const TPictureToken& T) {
        switch (T.Kind) {
            case TPictureToken::IntDigit:
                if (T.Text[0] == '0' && firstZero < 0) firstZero = p.IntPlaceholders;
                ++p.IntPlaceholders;
                break;
            case TPictureToken::DecDigit:
                ++p.DecPlaceholders;
                if (T.Text[0] == '0') p.MinDecimals = p.DecPlaceholders;
                break;
            case TPictureToken::Thousands:
                p.Thousands = true;
                break;
            case TPictureToken::Exponent:
                p.Scientific = true;
                break;
            default:
                break;
        }
    });
    p.MinIntDigits = firstZero < 0 ? 0 : p.IntPlaceholders - firstZero;
    return p;
}

TDecimal ToDecimalFor(const TPicture& P, double Value) {
    if (P.Scientific)
        return ToDecimal(Value, std::clamp(P.IntPlaceholders + P.DecPlaceholders, 1, kMaxPrecision),
                         kAnyDecimals);
    return ToDecimal(Value, kMaxPrecision, std::min(P.DecPlaceholders, kAnyDecimals));
}

// Integer digits beyond the placeholders all go to the first one (or, without integer
// placeholders, in front of the decimal part); leading placeholders beyond the digits show "0"
// or nothing. The sign, when wanted, leads the whole text.
std::string RenderPicture(const TPicture& P, const TDecimal& D, bool Minus) {
    const TFormatSettings& settings = FormatSettings();
    // In the exponent form the integer placeholders take exactly that many digits.
    const int32_t intExponent = P.Scientific ? (D.Count > 0 ? P.IntPlaceholders : 0) : D.Exponent;
    const int32_t shownExponent = P.Scientific && D.Count > 0 ? D.Exponent - P.IntPlaceholders : 0;
    const int32_t intDigits = std::max({intExponent, P.MinIntDigits, 0});
    const int32_t decimals =
        std::max(P.MinDecimals, std::clamp(D.Count - intExponent, 0, P.DecPlaceholders));

    std::string out;
    if (Minus) out += '-';
    // Position k counts integer digits leftwards from the point, 0 being the units.
    auto emitIntegerDigits = [&](int32_t From, int32_t To) {
        for (int32_t k = std::min(From, intDigits - 1); k >= To; --k) {
            out += D.Digit(int64_t{intExponent} - 1 - k);
            if (P.Thousands && k > 0 && k % 3 == 0) out += settings.ThousandSeparator;
        }
    };
    bool integerDone = P.IntPlaceholders > 0;
    auto finishInteger = [&] {
        if (!integerDone) emitIntegerDigits(intDigits - 1, 0);
        integerDone = true;
    };
    int32_t intIndex = 0;
    int32_t decIndex = 0;
    ForEachPictureToken(P.Text, [&](const TPictureToken& T) {
        switch (T.Kind) {
            case TPictureToken::IntDigit: {
                const int32_t k = P.IntPlaceholders - 1 - intIndex;
                emitIntegerDigits(intIndex == 0 ? std::max(intDigits - 1, k) : k, k);
                ++intIndex;
                break;
            }
            case TPictureToken::Point:
                finishInteger();
                if (decimals > 0) out += settings.DecimalSeparator;
                break;
            case TPictureToken::DecDigit:
                finishInteger();
                if (decIndex < decimals) out += D.Digit(int64_t{intExponent} + decIndex);
                ++decIndex;
                break;
            case TPictureToken::Thousands:
                break;
            case TPictureToken::Exponent:
                finishInteger();
                out += T.Text[0];
                AppendExponent(out, shownExponent, T.Text[1] == '+', T.ExpDigits);
                break;
            case TPictureToken::Literal:
                out += T.Text;
                break;
        }
    });
    finishInteger();
    return out;
}

// Up to three sections split at ";" outside quotes; the rest of the format is ignored.
int SplitSections(std::string_view Format, std::string_view (&Sections)[3]) {
    int count = 0;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < Format.size(); ++i) {
        const char c = Format[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            Sections[count++] = Format.substr(start, i - start);
            start = i + 1;
            if (count == 3) return count;
        }
    }
    Sections[count++] = Format.substr(start);
    return count;
}

// Decimal text with the locale's decimal separator; false for anything else. A value too
// small for a double is zero, one too large is an error.
bool ParseFloat(const std::string& S, double& Value) {
    const char point = FormatSettings().DecimalSeparator;
    auto blank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
    size_t i = 0;
    size_t n = S.size();
    while (i < n && blank(S[i]))
        ++i;
    while (n > i && blank(S[n - 1]))
        --n;

    // from_chars wants a full stop and no leading "+".
    std::string text;
    text.reserve(n - i + 1);
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    if (negative) text += '-';
    // The decimal exponent of the leading digit tells an overflow from an underflow.
    int64_t magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char c = S[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            significant = significant || c != '0';
            if (!seenPoint && significant) ++magnitude;
            if (seenPoint && !significant) --magnitude;
            text += c;
        } else if (c == point && !seenPoint) {
            seenPoint = true;
            text += '.';
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    if (i < n && (S[i] == 'e' || S[i] == 'E')) {
        text += S[i++];
        bool negativeExponent = false;
        if (i < n && (S[i] == '+' || S[i] == '-')) {
            negativeExponent = S[i] == '-';
            text += S[i++];
        }
        const size_t from = i;
        int64_t exponent = 0;
        for (; i < n && S[i] >= '0' && S[i] <= '9'; ++i) {
            exponent = std::min<int64_t>(exponent * 10 + (S[i] - '0'), 1'000'000'000);
            text += S[i];
        }
        if (i == from) return false;
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (i != n) return false;

    double v = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ptr != text.data() + text.size()) return false;
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) return false;
        v = negative ? -0.0 : 0.0;
    }
    Value = v;
    return true;
}

// Runs one Format call: the directives of the format, one argument counter.
class TFormatter {
public:
    TFormatter(const std::string& Fmt, std::span<const TVarRec> Args) : FFmt(Fmt), FArgs(Args) {
        FOut.reserve(Fmt.size() + 16 * Args.size());
    }

    std::string Run() {
        size_t i = 0;
        while (i < FFmt.size()) {
            const size_t percent = std::min(FFmt.find('%', i), FFmt.size());
            FOut.append(FFmt, i, percent - i);
            i = percent;
            if (i < FFmt.size()) Directive(++i);
        }
        return std::move(FOut);
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + FFmt + "' invalid or incompatible with argument");
    }

    const TVarRec::TValue& NextArg() {
        if (FArgIndex >= FArgs.size()) Invalid();
        return FArgs[FArgIndex++].Value();
    }

    int64_t IntegerArg() {
        const TVarRec::TValue& v = NextArg();
        if (const auto* i = std::get_if<int32_t>(&v)) return *i;
        if (const auto* i = std::get_if<int64_t>(&v)) return *i;
        if (const auto* u = std::get_if<uint64_t>(&v)) {
            if (*u <= static_cast<uint64_t>(INT64_MAX)) return static_cast<int64_t>(*u);
        }
        Invalid();
    }

    // Digits or "*"; nothing when neither is there.
    std::optional<int64_t> Number(size_t& I) {
        if (I < FFmt.size() && FFmt[I] == '*') {
            ++I;
            return IntegerArg();
        }
        if (I >= FFmt.size() || FFmt[I] < '0' || FFmt[I] > '9') return std::nullopt;
        int64_t n = 0;
        for (; I < FFmt.size() && FFmt[I] >= '0' && FFmt[I] <= '9'; ++I) {
            n = n * 10 + (FFmt[I] - '0');
            if (n > kMaxFieldWidth) Invalid();
        }
        return n;
    }

    // I is just past the "%".
    void Directive(size_t& I) {
        if (I < FFmt.size() && FFmt[I] == '%') {
            FOut += '%';
            ++I;
            return;
        }
        std::optional<int64_t> number = Number(I);
        if (I < FFmt.size() && FFmt[I] == ':') {
            if (!number || *number < 0) Invalid();
            FArgIndex = static_cast<size_t>(std::min<int64_t>(*number, kMaxFieldWidth));
            ++I;
            number.reset();
        }
        bool left = false;
        if (!number && I < FFmt.size() && FFmt[I] == '-') {
            left = true;
            number = Number(++I);
        }
        // A negative width from "*" pads nothing; a negative precision means the default.
        const int64_t width = number.value_or(0);
        int64_t precision = -1;
        if (I < FFmt.size() && FFmt[I] == '.') precision = Number(++I).value_or(0);
        if (width > kMaxFieldWidth || precision > kMaxFieldWidth) Invalid();
        if (I >= FFmt.size()) Invalid();
        const char type = FFmt[I++];

        const size_t start = FOut.size();
        Convert(type, precision < 0 ? -1 : static_cast<int32_t>(precision));
        const auto length = static_cast<int64_t>(FOut.size() - start);
        if (width > length) {
            const auto pad = static_cast<size_t>(width - length);
            if (left) {
                FOut.append(pad, ' ');
            } else {
                FOut.insert(start, pad, ' ');
            }
        }
    }

    void Convert(char Type, int32_t Precision) {
        switch (Type) {
            case 'd':
            case 'D':
                return Decimal(Precision);
            case 'u':
            case 'U':
                return AppendUnsigned(FOut, UnsignedArg(), Precision);
            case 'x':
            case 'X':
                return AppendUnsigned(FOut, UnsignedArg(), Precision, 16);
            case 'e':
            case 'E':
                return AppendFloat(FOut, FloatArg(), ffExponent, Precision < 0 ? 15 : Precision, 3);
            case 'f':
            case 'F':
                return AppendFloat(FOut, FloatArg(), ffFixed, kMaxPrecision,
                                   Precision < 0 ? 2 : Precision);
            case 'g':
            case 'G':
                return AppendFloat(FOut, FloatArg(), ffGeneral, Precision < 0 ? 15 : Precision, 0);
            case 'n':
            case 'N':
                return AppendFloat(FOut, FloatArg(), ffNumber, kMaxPrecision,
                                   Precision < 0 ? 2 : Precision);
            case 'm':
            case 'M':
                return AppendFloat(FOut, FloatArg(), ffCurrency, kMaxPrecision,
                                   Precision < 0 ? FormatSettings().CurrencyDecimals : Precision);
            case 'p':
            case 'P':
                return Pointer();
            case 's':
            case 'S':
                return String(Precision);
            default:
                Invalid();
        }
    }

    void Decimal(int32_t Precision) {
        const TVarRec::TValue& v = NextArg();
        if (const auto* u = std::get_if<uint64_t>(&v)) return AppendUnsigned(FOut, *u, Precision);
        int64_t value;
        if (const auto* i = std::get_if<int32_t>(&v)) {
            value = *i;
        } else if (const auto* i64 = std::get_if<int64_t>(&v)) {
            value = *i64;
        } else {
            Invalid();
        }
        if (value < 0) FOut += '-';
        AppendUnsigned(FOut, value < 0 ? 0 - static_cast<uint64_t>(value) : value, Precision);
    }

    // An Integer shows its 32 bits, as the original's %u and %x did.
    uint64_t UnsignedArg() {
        const TVarRec::TValue& v = NextArg();
        if (const auto* i = std::get_if<int32_t>(&v)) return static_cast<uint32_t>(*i);
        if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<uint64_t>(*i);
        if (const auto* u = std::get_if<uint64_t>(&v)) return *u;
        Invalid();
    }

    double FloatArg() {
        const TVarRec::TValue& v = NextArg();
        if (const auto* d = std::get_if<double>(&v)) return *d;
        Invalid();
    }

    void Pointer() {
        const auto* p = std::get_if<const void*>(&NextArg());
        if (!p) Invalid();
        AppendUnsigned(FOut, reinterpret_cast<uintptr_t>(*p), 8, 16);
    }

    void String(int32_t Precision) {
        const TVarRec::TValue& v = NextArg();
        std::string_view text;
        if (const auto* s = std::get_if<std::string_view>(&v)) {
            text = *s;
        } else if (const auto* c = std::get_if<char>(&v)) {
            text = std::string_view(c, 1);
        } else {
            Invalid();
        }
        if (Precision >= 0) text = text.substr(0, static_cast<size_t>(Precision));
        FOut += text;
    }

    const std::string& FFmt;
    std::span<const TVarRec> FArgs;
    size_t FArgIndex = 0;
    std::string FOut;
};

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int32_t Precision, int32_t Digits) {
    std::string out;
    AppendFloat(out, Value, Format, Precision, Digits);
    return out;
}

std::string FloatToStr(double Value) {
    return FloatToStrF(Value, ffGeneral, 15, 0);
}

std::string FormatFloat(const std::string& Format, double Value) {
    if (Format.empty() || !std::isfinite(Value)) return FloatToStr(Value);
    std::string_view sections[3];
    const int count = SplitSections(Format, sections);
    auto usable = [&](int Index) { return Index < count && !sections[Index].empty(); };

    int index = Value > 0 ? 0 : (Value < 0 ? 1 : 2);
    if (!usable(index)) index = 0;
    TPicture picture = ScanPicture(sections[index]);
    TDecimal decimal = ToDecimalFor(picture, Value);
    // Beyond 18 integer digits there is nothing exact left to lay out.
    if (!picture.Scientific && decimal.Exponent > kMaxPrecision) return FloatToStr(Value);
    // A value that rounds to nothing is shown as zero, never as "-0.00".
    if (decimal.Count == 0 && Value != 0) {
        const int zero = usable(2) ? 2 : 0;
        if (zero != index) {
            index = zero;
            picture = ScanPicture(sections[index]);
            decimal = ToDecimalFor(picture, 0);
        }
    }
    return RenderPicture(picture, decimal, index == 0 && decimal.Negative);
}

double StrToFloat(const std::string& S) {
    double value;
    if (!ParseFloat(S, value))
        throw EConvertError("'" + S + "' is not a valid floating point value");
    return value;
}

double StrToFloatDef(const std::string& S, double Default) {
    double value;
    return ParseFloat(S, value) ? value : Default;
}

bool TryStrToFloat(const std::string& S, double& Value) {
    return ParseFloat(S, Value);
}

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args) {
    return TFormatter(Fmt, std::span<const TVarRec>(Args.begin(), Args.size())).Run();
}

std::string Format(const std::string& Fmt, std::span<const TVarRec> Args) {
    return TFormatter(Fmt, Args).Run();
}

}  // namespace vex
