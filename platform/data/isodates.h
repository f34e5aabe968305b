#pragma once

#include <cstdint>
#include <string>

namespace vex {

// Dates and times as the engine stores them in SQLite: ISO 8601 text. Day numbers count from
// 1 January of year 1 = 1; times are milliseconds since midnight. The parsers answer false for
// text that is not such a value (years 1 to 9999), leaving the outputs unspecified.
std::string IsoDate(int32_t DayNumber);
std::string IsoTime(int32_t MSecs);
std::string IsoTimeStamp(double MSecs);  // DayNumber * 86400000 + milliseconds
bool ParseIsoDate(const char* Text, int32_t& DayNumber);
bool ParseIsoTime(const char* Text, int32_t& MSecs);
bool ParseIsoTimeStamp(const char* Text, double& MSecs);

}  // namespace vex
