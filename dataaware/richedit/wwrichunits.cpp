#include "dataaware/richedit/wwrichunits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

double UnitsPerInch(TwwMeasurementUnits Units) {
    return Units == muCentimeters ? wwCentimetersPerInch : 1.0;
}

// What follows the number in a measurement's text.
std::string_view UnitSuffix(TwwMeasurementUnits Units) {
    return Units == muCentimeters ? " cm" : "''";
}

// Rounded to the nearest, held within 32 bits: a size beyond them is as large as one can be.
int32_t RoundWithin(double Value) {
    return static_cast<int32_t>(std::clamp<double>(std::round(Value), INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t wwMeasurementToTwips(double Value, TwwMeasurementUnits Units) {
    const double twips = Value * wwTwipsPerInch / UnitsPerInch(Units);
    if (!std::isfinite(twips) || std::fabs(twips) > INT32_MAX)
        throw EConvertError("Measurement " + FloatToStr(Value) + " is out of range");
    return static_cast<int32_t>(twips);
}

int32_t wwMeasurementTextToTwips(const std::string& Text, TwwMeasurementUnits Units) {
    std::string number = Trim(Text);
    const std::string suffix = Trim(UnitSuffix(Units));
    if (number.size() >= suffix.size() &&
        number.compare(number.size() - suffix.size(), suffix.size(), suffix) == 0)
        number.resize(number.size() - suffix.size());
    return wwMeasurementToTwips(StrToFloat(number), Units);
}

double wwTwipsToMeasurement(int32_t Twips, TwwMeasurementUnits Units) {
    const double value = static_cast<double>(Twips) / wwTwipsPerInch * UnitsPerInch(Units);
    return std::round(value * 100) * 0.01;
}

std::string wwMeasurementText(double Value, TwwMeasurementUnits Units) {
    return FloatToStr(Value) + std::string(UnitSuffix(Units));
}

double wwSnapMeasurement(double Value, TwwMeasurementUnits Units, int32_t Steps) {
    if (Steps <= 0) Steps = Units == muCentimeters ? 20 : 8;
    return std::round(Value * Steps) / Steps;
}

int32_t wwPixelsToTwips(int32_t Pixels, int32_t PixelsPerInch) {
    if (PixelsPerInch <= 0) return 0;
    return RoundWithin(static_cast<double>(Pixels) * wwTwipsPerInch / PixelsPerInch);
}

int32_t wwTwipsToPixels(int32_t Twips, int32_t PixelsPerInch) {
    return RoundWithin(static_cast<double>(Twips) * PixelsPerInch / wwTwipsPerInch);
}

}  // namespace vex
