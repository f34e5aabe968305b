#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "components/entry/OvcDate.h"
#include "components/entry/OvcEF.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcStr.h"

namespace vex {

namespace {

// Digits of Base into an unsigned 32-bit number, refusing a digit that would shift bits out.
bool ParseUnsigned(std::string_view Text, int Base, uint32_t& Value) {
    uint64_t result = 0;
    for (char c : Text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        if (digit >= Base) return false;
        result = result * static_cast<uint64_t>(Base) + static_cast<uint64_t>(digit);
        if (result > UINT32_MAX) return false;
    }
    Value = static_cast<uint32_t>(result);
    return true;
}

// An optional sign and decimal digits, within 32 bits.
bool ParseDecimal(std::string_view Text, int64_t& Value) {
    bool negative = false;
    if (!Text.empty() && (Text[0] == '-' || Text[0] == '+')) {
        negative = Text[0] == '-';
        Text.remove_prefix(1);
    }
    if (Text.empty()) return false;
    int64_t result = 0;
    for (char c : Text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
        if (result > int64_t{INT32_MAX} + 1) return false;
    }
    Value = negative ? -result : result;
    return Value >= INT32_MIN && Value <= INT32_MAX;
}

struct TIntLimits {
    int64_t Lo;
    int64_t Hi;
};

TIntLimits LimitsOf(uint8_t Code) {
    switch (Code) {
        case fsubWord:
            return {0, UINT16_MAX};
        case fsubInteger:
            return {INT16_MIN, INT16_MAX};
        case fsubByte:
            return {0, UINT8_MAX};
        case fsubShortInt:
            return {INT8_MIN, INT8_MAX};
        default:
            return {INT32_MIN, INT32_MAX};
    }
}

std::string Trimmed(const std::string& Text) {
    std::string result = Text;
    TrimSpacesPChar(result);
    return result;
}

// The decimals a real value is shown with: the mask's, else DecimalPlaces.
int DecimalsOf(const std::string& Mask, uint8_t DecimalPlaces) {
    const size_t point = Mask.find('.');
    if (point == std::string::npos) return DecimalPlaces;
    int count = 0;
    for (size_t i = point + 1; i < Mask.size() && IsPictureChar(Mask[i]); ++i)
        ++count;
    return count;
}

// One long double in fixed or exponent form, however long the text comes out: the largest
// extended takes 4933 digits.
std::string Formatted(bool Exponent, int Precision, long double Value) {
    const auto print = [&](char* Buffer, size_t Size) {
        return Exponent ? std::snprintf(Buffer, Size, "%.*Le", Precision, Value)
                        : std::snprintf(Buffer, Size, "%.*Lf", Precision, Value);
    };
    std::string text(static_cast<size_t>(std::max(print(nullptr, 0), 0)), '\0');
    print(text.data(), text.size() + 1);
    return text;
}

}  // namespace

bool TOvcBaseEntryField::TextToExtended(const std::string& Text, long double& Value) const {
    const uint8_t code = DataType();
    const std::string text = Trimmed(Text);
    if (IsIntegerCode(code)) {
        const int base = NumberBase();
        int64_t value = 0;
        if (text.empty()) {
            value = 0;
        } else if (base == 10) {
            if (!ParseDecimal(text, value)) return false;
        } else {
            uint32_t bits = 0;
            if ((base == 2 && text.size() > 32) || !ParseUnsigned(text, base, bits)) return false;
            // Other bases show the type's bits, so they read back at the type's width.
            const int width = ValueSizeOf(code) * 8;
            if (width < 32 && (bits >> width) != 0) return false;
            value = bits;
            if (LimitsOf(code).Lo < 0 && (bits >> (width - 1)) != 0) value -= int64_t{1} << width;
        }
        const TIntLimits limits = LimitsOf(code);
        if (value < limits.Lo || value > limits.Hi) return false;
        Value = static_cast<long double>(value);
        return true;
    }
    if (IsRealCode(code)) {
        if (text.empty()) {
            Value = 0;
            return true;
        }
        std::string plain = text;
        for (char& c : plain) {
            if (c == IntlSup().DecimalChar())
                c = '.';
            else if (c == '.')
                return false;
        }
        const char* first = plain.data();
        const char* last = plain.data() + plain.size();
        if (*first == '+') {
            ++first;
            // One sign at most: the parser takes a minus of its own.
            if (first != last && *first == '-') return false;
        }
        long double parsed = 0;
        const auto [end, error] = std::from_chars(first, last, parsed);
        if (end != last) return false;
        if (error == std::errc::result_out_of_range) {
            // A well-formed number beyond reach: too large stays an error, but one too small
            // for a normal extended is its denormal or zero, as the field itself may show it.
            const std::string digits(first, last);
            char* stop = nullptr;
            parsed = std::strtold(digits.c_str(), &stop);
            if (stop != digits.c_str() + digits.size()) return false;
        } else if (error != std::errc()) {
            return false;
        }
        if (!std::isfinite(parsed)) return false;
        // Slightly above the rounded bound is still the bound.
        const long double limit = RangeAsExtended(code, TypeRangeHi(code));
        if (std::fabs(parsed) > limit * (1 + 1e-12L)) return false;
        Value = parsed;
        return true;
    }
    if (code == fsubDate) {
        const int32_t epoch = Controller() != nullptr ? Controller()->Epoch() : 1900;
        const TStDate date =
            IntlSup().DateStringToDate(IntlSup().InternationalDate(true), text, epoch);
        if (date == BadDate) return false;
        Value = date;
        return true;
    }
    if (code == fsubTime) {
        TStTime time = IntlSup().TimeStringToTime(IntlSup().InternationalTime(false), text);
        if (time == BadTime)
            time = IntlSup().TimeStringToTime(IntlSup().InternationalTime(true), text);
        if (time == BadTime) return false;
        Value = time;
        return true;
    }
    return false;
}

bool TOvcBaseEntryField::TextToRange(const std::string& Text, TRangeType& Value) const {
    const uint8_t code = DataType();
    Value = TRangeType{};
    if (code == fsubChar) {
        char c = ' ';
        if (!Text.empty() && Text[0] == '#') {
            int32_t number = 0;
            if (StrToLongPChar(Text.substr(1), number) && number >= 0 && number <= 255)
                c = static_cast<char>(number);
        } else if (!Text.empty()) {
            c = Text[0];
        }
        Value[0] = static_cast<uint8_t>(c);
        return true;
    }
    if (!HasRange()) return code <= fsubTime;
    long double parsed = 0;
    if (!TextToExtended(Text, parsed)) return false;
    Value = RangeOfExtended(code, parsed);
    return true;
}

std::string TOvcBaseEntryField::RangeToText(const TRangeType& Value) const {
    const uint8_t code = DataType();
    if (code == fsubChar) {
        const auto c = static_cast<uint8_t>(Value[0]);
        return c > ' ' ? std::string(1, static_cast<char>(c)) : "#" + std::to_string(c);
    }
    if (IsIntegerCode(code)) {
        const int32_t value = RangeAsLongInt(Value);
        const int base = NumberBase();
        if (base == 10) return std::to_string(value);
        const int bytes = ValueSizeOf(code);
        const uint32_t mask = bytes == 4 ? UINT32_MAX : (uint32_t{1} << (8 * bytes)) - 1;
        const auto bits = static_cast<uint32_t>(value) & mask;
        if (base == 16) return HexLPChar(bits).substr(static_cast<size_t>(8 - 2 * bytes));
        if (base == 8) {
            const size_t digits = bytes == 4 ? 12 : bytes == 2 ? 8 : 4;
            return OctalLPChar(bits).substr(12 - digits);
        }
        return BinaryLPChar(bits).substr(static_cast<size_t>(32 - 8 * bytes));
    }
    if (IsRealCode(code)) {
        const long double value = RangeAsExtended(code, Value);
        const int decimals = DecimalsOf(Mask, FDecimalPlaces);
        std::string text = Formatted(false, decimals, value);
        if (decimals > 0) {
            TrimTrailingZerosPChar(text);
            if (!text.empty() && text.back() == '.') text.pop_back();
        }
        if (Mask.find('E') != std::string::npos || text.size() > FMaxLength) {
            const int width =
                decimals > 0 && decimals + 9 <= FMaxLength ? decimals + 9 : FMaxLength;
            // Sign, leading digit, point and a three-digit exponent take eight places; a
            // four-digit exponent takes a digit more, which must not push the exponent's end
            // past the field, where it would be cut into another number.
            int precision = std::max(0, width - 8);
            text = Formatted(true, precision, value);
            while (text.size() > static_cast<size_t>(width) && precision > 0) {
                precision = std::max(0, precision - static_cast<int>(text.size() - width));
                text = Formatted(true, precision, value);
            }
        }
        for (char& c : text)
            if (c == '.') c = IntlSup().DecimalChar();
        return text;
    }
    if (code == fsubDate)
        return IntlSup().DateToDateString(IntlSup().InternationalDate(true), RangeAsLongInt(Value),
                                          false);
    if (code == fsubTime)
        return IntlSup().TimeToTimeString(IntlSup().InternationalTime(false), RangeAsLongInt(Value),
                                          false);
    return "";
}

}  // namespace vex
