#pragma once

#include <cstdint>
#include <string>

namespace vex {

enum TwwMeasurementUnits { muInches, muCentimeters };

// Centimetres per inch as the library has always counted them. Stored margins and tab stops
// were written with this factor, so every conversion uses it to keep them where they were.
inline constexpr double wwCentimetersPerInch = 2.537;
inline constexpr int32_t wwTwipsPerInch = 1440;

// A measurement in Units to twips, truncated toward zero.
int32_t wwMeasurementToTwips(double Value, TwwMeasurementUnits Units);
// The number that begins Text (as wwMeasurementText writes it, or as a person types it) in
// twips; EConvertError when the text does not begin with a number.
int32_t wwMeasurementTextToTwips(const std::string& Text, TwwMeasurementUnits Units);
// Twips to Units, rounded to two decimals: what the ruler and the dialogs show.
double wwTwipsToMeasurement(int32_t Twips, TwwMeasurementUnits Units);
// The number followed by "''" for inches or " cm" for centimetres.
std::string wwMeasurementText(double Value, TwwMeasurementUnits Units);
// Value moved to the nearest of Steps marks per unit; 0 takes the ruler's own grid (eighths of
// an inch, twentieths of a centimetre).
double wwSnapMeasurement(double Value, TwwMeasurementUnits Units, int32_t Steps = 0);

// Device pixels at PixelsPerInch and twips, rounded to the nearest.
int32_t wwPixelsToTwips(int32_t Pixels, int32_t PixelsPerInch);
int32_t wwTwipsToPixels(int32_t Twips, int32_t PixelsPerInch);

}  // namespace vex
