#include "platform/data/enginevalues.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/data/dbitypes.h"

namespace vex {

TTimeStamp DateTimeToTimeStamp(TDateTime DateTime) {
    if (!std::isfinite(DateTime)) throw EConvertError("Invalid argument to time stamp");
    const TDateTimeParts parts = SplitDateTime(DateTime);
    TTimeStamp Result;
    Result.Date = DateDelta + parts.Day;
    Result.Time = parts.MSec;
    return Result;
}

TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp) {
    // A day number past the ends cannot name a date; refused before the subtraction can wrap.
    if (TimeStamp.Date < 1) throw EConvertError("Invalid argument to date encode");
    return ComposeDateTime(TDateTimeParts{TimeStamp.Date - DateDelta, TimeStamp.Time});
}

double TimeStampToMSecs(const TTimeStamp& TimeStamp) {
    return static_cast<double>(TimeStamp.Date) * MSecsPerDay + TimeStamp.Time;
}

TTimeStamp MSecsToTimeStamp(double MSecs) {
    if (!std::isfinite(MSecs)) throw EConvertError("Invalid argument to time stamp");
    const double days = std::floor(MSecs / MSecsPerDay);
    // Beyond the day numbers a record holds: refused before the conversion could overflow.
    if (days < INT32_MIN || days > INT32_MAX) throw EConvertError("Invalid argument to time stamp");
    TTimeStamp Result;
    Result.Date = static_cast<int32_t>(days);
    Result.Time = static_cast<int32_t>(MSecs - days * MSecsPerDay);
    return Result;
}

namespace {

int Nibble(const uint8_t* Bytes, int I) {
    const uint8_t b = Bytes[2 + I / 2];
    return I % 2 == 0 ? b >> 4 : b & 0x0F;
}

void SetNibble(uint8_t* Bytes, int I, int Digit) {
    uint8_t& b = Bytes[2 + I / 2];
    b = I % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | (Digit << 4))
                   : static_cast<uint8_t>((b & 0xF0) | Digit);
}

int Decimals(const uint8_t* Bytes) {
    return Bytes[1] & 0x3F;
}
bool Negative(const uint8_t* Bytes) {
    return (Bytes[1] & 0x80) != 0;
}

bool IsZero(const uint8_t* Bytes) {
    for (int i = 2; i < 34; ++i)
        if (Bytes[i] != 0) return false;
    return true;
}

// The digit of weight 10^Exponent, 0 outside the stored digits.
int DigitAt(const uint8_t* Bytes, int Exponent) {
    const int i = BcdMaxDigits - 1 - Decimals(Bytes) - Exponent;
    return i >= 0 && i < BcdMaxDigits ? Nibble(Bytes, i) : 0;
}

}  // namespace

TBcd StrToBcd(const std::string& Text, int32_t Precision, int32_t Decimals) {
    if (Precision < 1 || Precision > BcdMaxDigits || Decimals < 0 || Decimals > Precision)
        throw EConvertError("Invalid BCD precision");
    const std::string bad = "'" + Text + "' is not a valid BCD value";
    size_t p = 0;
    bool negative = false;
    if (p < Text.size() && (Text[p] == '-' || Text[p] == '+')) negative = Text[p++] == '-';
    std::string whole, fraction;
    while (p < Text.size() && Text[p] >= '0' && Text[p] <= '9')
        whole += Text[p++];
    if (p < Text.size() && Text[p] == '.')
        for (++p; p < Text.size() && Text[p] >= '0' && Text[p] <= '9';)
            fraction += Text[p++];
    if (p != Text.size() || (whole.empty() && fraction.empty())) throw EConvertError(bad);
    while (whole.size() > 1 && whole[0] == '0')
        whole.erase(0, 1);
    if (whole == "0") whole.clear();
    // Extra decimals round half away from zero.
    bool roundUp = static_cast<int32_t>(fraction.size()) > Decimals && fraction[Decimals] >= '5';
    fraction.resize(Decimals, '0');
    std::string digits = whole + fraction;
    for (int i = static_cast<int>(digits.size()) - 1; roundUp && i >= 0; --i) {
        roundUp = digits[i] == '9';
        digits[i] = roundUp ? '0' : static_cast<char>(digits[i] + 1);
    }
    if (roundUp) digits.insert(0, "1");
    if (static_cast<int32_t>(digits.size()) > Precision)
        throw EConvertError("'" + Text + "' does not fit in " + std::to_string(Precision) +
                            " digits");
    TBcd Result;
    Result.Bytes[0] = static_cast<uint8_t>(Precision);
    const int first = BcdMaxDigits - static_cast<int>(digits.size());
    for (size_t i = 0; i < digits.size(); ++i)
        SetNibble(Result.Bytes, first + static_cast<int>(i), digits[i] - '0');
    Result.Bytes[1] =
        static_cast<uint8_t>(Decimals | (negative && !IsZero(Result.Bytes) ? 0x80 : 0));
    return Result;
}

TBcd FloatToBcd(double Value, int32_t Precision, int32_t Decimals) {
    if (!std::isfinite(Value) || std::fabs(Value) >= 1e64)
        throw EConvertError("Invalid floating point value for BCD");
    // Digits well past the last place, so that the decimal rounding of StrToBcd decides a tie
    // (0.125 to 0.13) instead of printf's rounding to even.
    char text[200];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(Decimals, 0, 64) + 17, Value);
    return StrToBcd(text, Precision, Decimals);
}

std::string BcdToStr(const TBcd& Bcd) {
    const int decimals = Decimals(Bcd.Bytes);
    std::string digits;
    for (int i = 0; i < BcdMaxDigits; ++i)
        digits += static_cast<char>('0' + Nibble(Bcd.Bytes, i));
    std::string whole = digits.substr(0, BcdMaxDigits - decimals);
    while (whole.size() > 1 && whole[0] == '0')
        whole.erase(0, 1);
    if (whole.empty()) whole = "0";
    std::string Result = (Negative(Bcd.Bytes) && !IsZero(Bcd.Bytes) ? "-" : "") + whole;
    if (decimals > 0) Result += "." + digits.substr(BcdMaxDigits - decimals);
    return Result;
}

double BcdToFloat(const uint8_t* Bytes) {
    // Filters read decimals per record, so the text is built on the stack.
    char text[BcdMaxDigits + 3];
    char* p = text;
    if (Negative(Bytes)) *p++ = '-';
    const int point = BcdMaxDigits - Decimals(Bytes);
    for (int i = 0; i < BcdMaxDigits; ++i) {
        if (i == point) *p++ = '.';
        *p++ = static_cast<char>('0' + Nibble(Bytes, i));
    }
    *p = 0;
    return std::strtod(text, nullptr);
}

double BcdToFloat(const TBcd& Bcd) {
    return BcdToFloat(Bcd.Bytes);
}

bool IsValidBcd(const uint8_t* Bytes) {
    const int precision = Bytes[0];
    if (precision < 1 || precision > BcdMaxDigits || Decimals(Bytes) > precision ||
        (Bytes[1] & 0x40) != 0)
        return false;
    for (int i = 0; i < BcdMaxDigits; ++i) {
        const int d = Nibble(Bytes, i);
        if (d > 9 || (i < BcdMaxDigits - precision && d != 0)) return false;
    }
    return true;
}

int BcdCompare(const uint8_t* A, const uint8_t* B) {
    const bool zeroA = IsZero(A), zeroB = IsZero(B);
    const int signA = zeroA ? 0 : Negative(A) ? -1 : 1;
    const int signB = zeroB ? 0 : Negative(B) ? -1 : 1;
    if (signA != signB) return signA < signB ? -1 : 1;
    if (signA == 0) return 0;
    const int high = BcdMaxDigits - 1 - std::min(Decimals(A), Decimals(B));
    const int low = -std::max(Decimals(A), Decimals(B));
    for (int e = high; e >= low; --e) {
        const int a = DigitAt(A, e), b = DigitAt(B, e);
        if (a != b) return (a < b ? -1 : 1) * signA;
    }
    return 0;
}

uint32_t FieldValueLength(uint16_t Type, uint16_t Units1) {
    switch (Type) {
        case fldZSTRING:
            return Units1 + 1u;
        case fldBOOL:
        case fldINT16:
        case fldUINT16:
            return 2;
        case fldINT32:
        case fldDATE:
        case fldTIME:
            return 4;
        case fldFLOAT:
        case fldTIMESTAMP:
            return 8;
        case fldBCD:
            return BcdSize;
        default:
            return 0;
    }
}

uint32_t LayOutRecord(std::vector<FLDDesc>& Fields) {
    uint32_t offset = 0;
    uint16_t number = 0;
    for (FLDDesc& f : Fields) {
        f.iFldNum = ++number;
        f.iNullOffset = offset++;
        f.iOffset = offset;
        f.iLen = FieldValueLength(f.iFldType, f.iUnits1);
        offset += f.iLen;
    }
    return offset;
}

}  // namespace vex
