#pragma once

#include <cstdint>
#include <string>

namespace vex {

// The locale query of the original platform, answered from FormatSettings(), so that a
// component which asks the platform and one which reads the settings always agree.
using LCID = uint32_t;
using LCTYPE = uint32_t;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// The first day of a calendar week as one digit: "0" Monday to "6" Sunday.
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;
// Day names count from Monday (1) to Sunday (7); month names from January (1) to December (12).
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;

// The value as text; empty (the platform's failure) for a locale other than the user's or the
// system's, or for a type this layer does not keep.
std::string GetLocaleInfo(LCID Locale, LCTYPE LCType);

}  // namespace vex
