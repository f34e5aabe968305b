#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace vex {

// One argument of Format, as the original's "array of const" carried it. Integers keep whether
// they were 32 or 64 bits wide, because %u and %x show a negative Integer in 32 bits.
// Text is referenced, not copied: a TVarRec must not outlive the string it was made from.
class TVarRec {
public:
    using TValue =
        std::variant<int32_t, int64_t, uint64_t, double, char, std::string_view, const void*>;

    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) constexpr TVarRec(T Value)
        : FValue(Widen(Value)) {}
    TVarRec(bool) = delete;
    constexpr TVarRec(double Value) : FValue(Value) {}
    constexpr TVarRec(char Value) : FValue(Value) {}
    constexpr TVarRec(const char* Value) : FValue(std::string_view(Value ? Value : "")) {}
    TVarRec(const std::string& Value) : FValue(std::string_view(Value)) {}
    constexpr TVarRec(std::string_view Value) : FValue(Value) {}
    constexpr TVarRec(const void* Value) : FValue(Value) {}
    constexpr TVarRec(std::nullptr_t) : FValue(static_cast<const void*>(nullptr)) {}

    const TValue& Value() const { return FValue; }

private:
    // Narrower integers become Integer; an unsigned 32-bit value needs Int64 to stay positive.
    template <class T>
    static constexpr TValue Widen(T Value) {
        if constexpr (sizeof(T) < 4 || (sizeof(T) == 4 && std::is_signed_v<T>))
            return static_cast<int32_t>(Value);
        else if constexpr (sizeof(T) == 4 || std::is_signed_v<T>)
            return static_cast<int64_t>(Value);
        else
            return static_cast<uint64_t>(Value);
    }

    TValue FValue;
};

// Directives are %[index:][-][width][.prec]type, where index (counted from 0), width and prec may
// be "*" to take the next argument. Types: d u x e f g n m p s and %% (either case). An index
// moves the argument counter for the directives that follow. A malformed directive, a missing
// argument or one of the wrong kind raises EConvertError
// ("Format '<fmt>' invalid or incompatible with argument").
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args);
std::string Format(const std::string& Fmt, std::span<const TVarRec> Args);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Digits are taken from the value's 18 significant decimal digits (correctly rounded from the
// binary value) and then rounded half away from zero, so 1.005 shows as "1.00" with two
// decimals, as the original's decimal conversion gave. Precision is capped at 18.
//   ffGeneral   shortest form with Precision significant digits; the exponent form (no "+",
//               at least Digits exponent digits, up to 4) once the value needs more than
//               Precision integer digits or is below 0.0001.
//   ffExponent  "-d.dddE+ddd" with Precision digits in all and at least Digits exponent digits.
//   ffFixed     Digits decimals (0 to 18); ffNumber adds thousand separators; ffCurrency lays
//               that out with CurrencyString, CurrencyFormat and NegCurrFormat. All three fall
//               back to ffGeneral when the value has more than Precision integer digits.
// NaN gives "NAN" and infinities "INF" or "-INF"; a value that rounds to zero has no sign.
std::string FloatToStrF(double Value, TFloatFormat Format, int32_t Precision, int32_t Digits);

// ffGeneral with 15 significant digits: "0.1", "1E20", "1.5E-7".
std::string FloatToStr(double Value);

// The picture format: 0 and # digit placeholders, the first "." as the decimal point, "," for
// thousand separators, E+ E- e+ e- for an exponent, '..' and ".." literals, any other character
// as itself, and up to three ";"-separated sections for positive, negative and zero values (an
// empty one falls back to the positive section, with a leading minus sign for negatives).
// A value that rounds to zero takes the zero section, or the positive one without a sign. An
// empty format, and a fixed layout of more than 18 integer digits, give FloatToStr's result.
std::string FormatFloat(const std::string& Format, double Value);

// Decimal text with FormatSettings().DecimalSeparator, an optional sign and exponent, and blanks
// around it; thousand separators are not accepted. StrToFloat raises EConvertError
// ("'<s>' is not a valid floating point value"), also for a value beyond the range of a double.
double StrToFloat(const std::string& S);
double StrToFloatDef(const std::string& S, double Default);
bool TryStrToFloat(const std::string& S, double& Value);

}  // namespace vex
