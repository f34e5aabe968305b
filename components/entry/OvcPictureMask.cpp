#include "components/entry/OvcPictureMask.h"

#include <algorithm>

#include "components/entry/OvcEF.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcMisc.h"
#include "components/entry/OvcStr.h"

namespace vex {

namespace {

constexpr size_t npos = std::string::npos;

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

bool IsBlank(char C) {
    return C == ' ';
}

// "9" and the date and time parts: a blank or a digit.
bool IsDigitOrBlank(char C) {
    return IsBlank(C) || IsDigit(C);
}

}  // namespace

TOvcPictureMask::TOvcPictureMask(const TOvcIntlSup& Intl, const TOvcUserData& UserData)
    : FIntl(Intl), FUserData(&UserData) {
    BuildFlags();
}

std::string TOvcPictureMask::FitMask(const std::string& Mask, bool Numeric, uint16_t& MaxLength) {
    std::string mask = Mask.substr(0, MaxMaskLength);
    if (!Numeric) std::erase_if(mask, [](char C) { return C == 'p' || C == 'g'; });
    size_t shown = mask.size();
    if (Numeric) {
        // "p" and "g" mark where a sign shows beside the text; they take no position of it.
        shown -= mask.find('p') != std::string::npos ? 1 : 0;
        shown -= mask.find('g') != std::string::npos ? 1 : 0;
    }
    shown = std::max<size_t>(shown, 1);
    if (Numeric || MaxLength < shown) MaxLength = static_cast<uint16_t>(shown);
    return mask;
}

void TOvcPictureMask::Assign(const std::string& Mask, uint16_t MaxLength) {
    FMask = Mask.empty() ? "X" : Mask.substr(0, MaxMaskLength);
    FMaxLength = std::clamp<uint16_t>(MaxLength, 1, MaxMaskLength);
    BuildFlags();
}

char TOvcPictureMask::MaskCharAt(size_t Pos) const {
    return Pos < FMask.size() ? FMask[Pos] : FMask.back();
}

TOvcPictureMask::TPictureFlag TOvcPictureMask::FlagAt(size_t Pos) const {
    return Pos < FFlags.size() ? FFlags[Pos] : pfLiteral;
}

bool TOvcPictureMask::HasChar(char MC) const {
    return FMask.find(MC) != npos;
}

size_t TOvcPictureMask::DecimalPos() const {
    const size_t pos = FMask.find('.');
    return pos < FMaxLength ? pos : npos;
}

void TOvcPictureMask::BuildFlags() {
    FFlags.assign(FMaxLength, pfLiteral);
    FFloatCount = 0;
    bool literals = false;
    for (size_t i = 0; i < FMaxLength; ++i) {
        const char mc = MaskCharAt(i);
        if (IsPictureChar(mc)) {
            FFlags[i] = pfPicture;
        } else if (mc == '$' || mc == ',') {
            FFlags[i] = pfFloating;
            ++FFloatCount;
            literals = true;
        } else {
            literals = true;
        }
    }
    FNoLiterals = !literals;
    if (FNoLiterals) FFlags.assign(FMaxLength, pfPicture);
}

void TOvcPictureMask::CaseConvert(char MaskChar, char& C, char Prev) const {
    switch (MaskChar) {
        case '!':
        case 'A':
        case 'N':
        case 'E':
        case 'K':
        case 'B':
        case 'Y':
            C = UpCaseChar(C);
            return;
        case 'L':
        case 'l':
            C = LoCaseChar(C);
            return;
        case 'x':
            if (IsBlank(Prev) || Prev == '-') C = UpCaseChar(C);
            return;
        default:
            break;
    }
    switch (FUserData->ForceCaseOf(MaskChar)) {
        case mcUpperCase:
            C = UpCaseChar(C);
            break;
        case mcLowerCase:
            C = LoCaseChar(C);
            break;
        case mcNoChange:
            break;
    }
}

bool TOvcPictureMask::ValidateChar(char MaskChar, char& C, bool Convert, char Prev) const {
    if (Convert) CaseConvert(MaskChar, C, Prev);
    if (MaskChar < '#' || MaskChar > 'y') return true;
    switch (MaskChar) {
        case 'X':
        case '!':
        case 'L':
        case 'x':
        case 't':
            return true;
        case 'a':
        case 'A':
        case 'l':
        case 'n':
        case 'N':
            return CharInSet(C, AlphaCharSet());
        case '9':
        case 'D':
        case 'd':
        case 'M':
        case 'm':
        case 'y':
        case 'H':
        case 'h':
        case 'S':
        case 's':
            return IsDigitOrBlank(C);
        case 'i':
            return IsDigitOrBlank(C) || C == '-';
        case '#':
            return IsDigitOrBlank(C) || C == '-' || C == '.';
        case 'E':
            return IsDigitOrBlank(C) || C == '-' || C == '.' || C == '+' || C == 'E';
        case 'K':
            return IsDigitOrBlank(C) || (C >= 'A' && C <= 'F');
        case 'O':
            return IsBlank(C) || (C >= '0' && C <= '7');
        case 'b':
            return IsBlank(C) || C == '0' || C == '1';
        case 'B':
            return C == FIntl.TrueChar() || C == FIntl.FalseChar();
        case 'Y':
            return C == FIntl.YesChar() || C == FIntl.NoChar();
        default:
            break;
    }
    if (MaskChar >= '1' && MaskChar <= '8') {
        TCharSet set;
        FUserData->UserCharSet(MaskChar, set);
        return CharInSet(C, set);
    }
    return false;
}

size_t TOvcPictureMask::FirstDollarRun() const {
    const size_t start = FMask.find('$');
    if (start == npos) return 0;
    const size_t end = FMask.find_first_not_of('$', start);
    return (end == npos ? FMask.size() : end) - start;
}

std::string TOvcPictureMask::StripPicture(const std::string& Source) const {
    if (Source.size() != FMaxLength) return Source;
    const size_t dot = DecimalPos();
    std::string dest;
    for (size_t i = 0; i < FMaxLength; ++i)
        if (FlagAt(i) != pfLiteral || i == dot) dest += Source[i];
    if (HasChar('$')) {
        const std::string& currency = FIntl.CurrencyLtStr();
        const size_t shown = std::min(currency.size(), FirstDollarRun());
        const std::string tail = currency.substr(currency.size() - shown);
        const size_t at = tail.empty() ? npos : dest.find(tail);
        if (at != npos) dest.erase(at, tail.size());
    }
    if (HasChar(',')) std::erase(dest, FIntl.CommaChar());
    if (dot != npos) std::replace(dest.begin(), dest.end(), FIntl.DecimalChar(), '.');
    return dest;
}

void TOvcPictureMask::FillCurrencyRuns(std::string& Dest) const {
    for (size_t i = 0; i < Dest.size();) {
        const char mc = Dest[i];
        if (mc != 'c' && mc != 'C') {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < Dest.size() && Dest[end] == mc)
            ++end;
        const size_t run = end - i;
        std::string text = mc == 'c' ? FIntl.CurrencyLtStr() : FIntl.CurrencyRtStr();
        if (text.size() > run) text.resize(run);
        const std::string blanks(run - text.size(), ' ');
        Dest.replace(i, run, mc == 'c' ? blanks + text : text + blanks);
        i = end;
    }
}

void TOvcPictureMask::SubstituteLiteral(std::string& Dest, size_t Pos) const {
    if (const char subst = FUserData->SubstCharOf(Dest[Pos]); subst != '\0') Dest[Pos] = subst;
}

std::string TOvcPictureMask::MergeWithPicture(const std::string& Value,
                                              const TPictureFieldKind& Kind) const {
    std::string dest(FMaxLength, ' ');
    for (size_t i = 0; i < FMaxLength; ++i)
        dest[i] = MaskCharAt(i);
    FillCurrencyRuns(dest);
    const bool numberLike = Kind.Numeric || Kind.NumberBase || FFloatCount > 0 || HasChar('.') ||
                            HasChar('c') || HasChar('C');
    if (numberLike) {
        MergeNumber(dest, Value, Kind);
        return dest;
    }
    std::string value = Value;
    // A real value that does not fit loses its insignificant zeros before any digit.
    if (Kind.RealValue && value.size() > FMaxLength && value.find('.') != std::string::npos)
        TrimTrailingZerosPChar(value);
    MergeText(dest, value, Kind.RightJustify);
    return dest;
}

void TOvcPictureMask::MergeNumber(std::string& Dest, std::string Value,
                                  const TPictureFieldKind& Kind) const {
    TrimSpacesPChar(Value);
    const bool hasValue = !Value.empty();
    bool minus = !Value.empty() && Value.front() == '-';
    if (minus) Value.erase(0, 1);
    const size_t dot = DecimalPos();
    std::string digits = Value;
    if (dot != npos) {
        const size_t point = Value.find('.');
        digits = Value.substr(0, point);
        std::string fraction = point == npos ? std::string() : Value.substr(point + 1);
        size_t f = 0;
        for (size_t i = dot + 1; i < FMaxLength && FlagAt(i) != pfLiteral; ++i, ++f)
            Dest[i] = f < fraction.size() ? fraction[f] : '0';
    }
    // Without a point in the mask a real value keeps its own, shown as the decimal character.
    std::replace(digits.begin(), digits.end(), '.', FIntl.DecimalChar());

    const size_t dollarStart = FMask.find('$');
    const size_t dollarEnd = dollarStart == npos ? npos : dollarStart + FirstDollarRun();
    const std::string& currency = FIntl.CurrencyLtStr();
    size_t currencyLeft =
        HasChar('$') && hasValue ? std::min(currency.size(), FirstDollarRun()) : 0;
    size_t currencyEnd = currency.size();
    const char blank = Kind.NumberBase ? '0' : ' ';
    auto padStep = [&]() -> char {
        if (currencyLeft > 0) {
            --currencyLeft;
            return currency[--currencyEnd];
        }
        if (minus) {
            minus = false;
            return '-';
        }
        return blank;
    };

    size_t remaining = digits.size();
    for (size_t i = dot != npos ? dot + 1 : FMaxLength; i-- > 0;) {
        const char mc = MaskCharAt(i);
        if (i == dot) {
            Dest[i] = FIntl.DecimalChar();
        } else if (FlagAt(i) == pfLiteral) {
            SubstituteLiteral(Dest, i);
        } else if (mc == ',') {
            Dest[i] = remaining > 0 ? FIntl.CommaChar() : padStep();
        } else if (remaining > 0 && (dollarEnd == npos || i >= dollarEnd)) {
            Dest[i] = digits[--remaining];
        } else {
            Dest[i] = padStep();
        }
    }
    if (dot != npos && dot > 0 && IsBlank(Dest[dot - 1])) Dest[dot - 1] = '0';
}

void TOvcPictureMask::MergeText(std::string& Dest, const std::string& Value,
                                bool RightJustify) const {
    std::vector<size_t> positions;
    for (size_t i = 0; i < FMaxLength; ++i) {
        if (FlagAt(i) == pfLiteral)
            SubstituteLiteral(Dest, i);
        else
            positions.push_back(i);
    }
    for (const size_t i : positions)
        Dest[i] = ' ';
    const size_t count = std::min(positions.size(), Value.size());
    for (size_t k = 0; k < count; ++k) {
        const size_t pos = RightJustify ? positions[positions.size() - 1 - k] : positions[k];
        char c = RightJustify ? Value[Value.size() - 1 - k] : Value[k];
        const char prev = RightJustify ? (k + 1 < Value.size() ? Value[Value.size() - 2 - k] : ' ')
                                       : (k > 0 ? Dest[positions[k - 1]] : ' ');
        CaseConvert(MaskCharAt(pos), c, prev);
        Dest[pos] = c;
    }
}

void TOvcPictureMask::AlignDecimals(std::string& Text) const {
    const size_t dot = DecimalPos();
    if (dot == npos || Text.size() != FMaxLength) return;
    size_t start = dot;
    while (start > 0 && FlagAt(start - 1) != pfLiteral)
        --start;
    std::string integer;
    for (size_t i = start; i < dot; ++i)
        if (!IsBlank(Text[i]) || !integer.empty()) integer += Text[i];
    std::erase_if(integer, IsBlank);
    if (integer.empty() && dot > start) integer = "0";
    const size_t width = dot - start;
    if (integer.size() < width) integer.insert(0, width - integer.size(), ' ');
    Text.replace(start, width, integer.substr(integer.size() - width));
    for (size_t i = dot + 1; i < FMaxLength && FlagAt(i) != pfLiteral; ++i)
        if (IsBlank(Text[i])) Text[i] = '0';
}

std::string TOvcPictureMask::DisplayText(const std::string& Text, bool Numeric, bool PasswordMode,
                                         char PadChar, char PasswordChar) const {
    std::string shown = Text;
    if (!PasswordMode && PadChar == ' ') return shown;
    bool inValue = false;
    for (size_t i = std::min<size_t>(shown.size(), FMaxLength); i-- > 0;) {
        if (FlagAt(i) == pfLiteral) continue;
        const bool blank = IsBlank(shown[i]);
        if (!blank) {
            inValue = true;
            if (PasswordMode && !Numeric) shown[i] = PasswordChar;
        } else if (Numeric ? inValue : !inValue) {
            shown[i] = PadChar;
        }
    }
    return shown;
}

size_t TOvcPictureMask::FirstPicturePos() const {
    return NextPicturePos(npos);
}

size_t TOvcPictureMask::LastPicturePos() const {
    return PrevPicturePos(FMaxLength);
}

size_t TOvcPictureMask::PrevPicturePos(size_t From) const {
    for (size_t i = std::min<size_t>(From, FMaxLength); i-- > 0;)
        if (FlagAt(i) == pfPicture) return i;
    return npos;
}

size_t TOvcPictureMask::NextPicturePos(size_t From) const {
    for (size_t i = From == npos ? 0 : From + 1; i < FMaxLength; ++i)
        if (FlagAt(i) == pfPicture) return i;
    return npos;
}

size_t TOvcPictureMask::EndOfTypedText(const std::string& Text) const {
    for (size_t i = std::min<size_t>(Text.size(), FMaxLength); i-- > 0;)
        if (FlagAt(i) != pfLiteral && !IsBlank(Text[i])) return i + 1;
    return FirstEditPosition();
}

size_t TOvcPictureMask::FirstEditPosition() const {
    for (size_t i = 0; i < FMaxLength; ++i)
        if (FlagAt(i) != pfLiteral) return std::min<size_t>(i + FFloatCount, FMaxLength);
    return 0;
}

size_t TOvcPictureMask::CaretPosition(size_t Pos) const {
    const size_t first = FirstEditPosition();
    if (Pos < first) return first;
    const size_t last = LastPicturePos();
    if (last == npos) return first;
    if (Pos > last) return last + 1;
    while (Pos > first && FlagAt(Pos) != pfPicture)
        --Pos;
    return Pos;
}

size_t TOvcPictureMask::EndCaretPosition(const std::string& Text) const {
    size_t pos = EndOfTypedText(Text);
    while (pos < FMaxLength && FlagAt(pos) == pfLiteral)
        ++pos;
    return pos;
}

bool TOvcPictureMask::IsEmpty(const std::string& Text) const {
    for (size_t i = 0; i < std::min<size_t>(Text.size(), FMaxLength); ++i)
        if (FlagAt(i) != pfLiteral && !IsBlank(Text[i])) return false;
    return true;
}

}  // namespace vex
