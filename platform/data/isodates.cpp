#include "platform/data/isodates.h"

#include <cmath>
#include <cstdio>

#include "platform/core/datetime.h"

namespace vex {

namespace {

// Day number of 1 January 1970.
constexpr int32_t UnixEpochDay = 719163;
constexpr int32_t LastDay = 3652059;  // 31 December 9999

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t Y, unsigned M, unsigned D) {
    Y -= M <= 2;
    const int64_t era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(Y - era * 400);
    const unsigned doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t Z, int& Y, int& M, int& D) {
    Z += 719468;
    const int64_t era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(Z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    D = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    M = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    Y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (M <= 2));
}

bool Digits(const char*& P, int Count, int& Value) {
    Value = 0;
    for (int i = 0; i < Count; ++i, ++P) {
        if (*P < '0' || *P > '9') return false;
        Value = Value * 10 + (*P - '0');
    }
    return true;
}

bool ParseDatePart(const char*& P, int32_t& DayNumber) {
    int y, m, d;
    if (!Digits(P, 4, y) || *P++ != '-' || !Digits(P, 2, m) || *P++ != '-' || !Digits(P, 2, d))
        return false;
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    if (d > MonthDays(static_cast<uint16_t>(y), static_cast<uint16_t>(m))) return false;
    DayNumber = static_cast<int32_t>(DaysFromCivil(y, m, d) + UnixEpochDay);
    return true;
}

bool ParseTimePart(const char*& P, int32_t& MSecs) {
    int h, m, s = 0, ms = 0;
    if (!Digits(P, 2, h) || *P++ != ':' || !Digits(P, 2, m)) return false;
    if (*P == ':' && !(++P, Digits(P, 2, s))) return false;
    if (*P == '.') {
        ++P;
        int scale = 100;
        if (*P < '0' || *P > '9') return false;
        for (; *P >= '0' && *P <= '9'; ++P, scale /= 10)
            ms += (*P - '0') * scale;
    }
    if (h > 23 || m > 59 || s > 59) return false;
    MSecs = ((h * 60 + m) * 60 + s) * 1000 + ms;
    return true;
}

}  // namespace

std::string IsoDate(int32_t DayNumber) {
    int y, m, d;
    CivilFromDays(static_cast<int64_t>(DayNumber) - UnixEpochDay, y, m, d);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return text;
}

std::string IsoTime(int32_t MSecs) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", MSecs / 3600000, MSecs / 60000 % 60,
                  MSecs / 1000 % 60, MSecs % 1000);
    return text;
}

std::string IsoTimeStamp(double MSecs) {
    const int64_t total = std::llround(MSecs);
    const int64_t day = total / MSecsPerDay;
    return IsoDate(static_cast<int32_t>(day)) + " " +
           IsoTime(static_cast<int32_t>(total - day * MSecsPerDay));
}

bool ParseIsoDate(const char* Text, int32_t& DayNumber) {
    return ParseDatePart(Text, DayNumber) && *Text == 0 && DayNumber <= LastDay;
}

bool ParseIsoTime(const char* Text, int32_t& MSecs) {
    return ParseTimePart(Text, MSecs) && *Text == 0;
}

bool ParseIsoTimeStamp(const char* Text, double& MSecs) {
    int32_t day, time = 0;
    if (!ParseDatePart(Text, day) || day > LastDay) return false;
    if ((*Text == ' ' || *Text == 'T') && !(++Text, ParseTimePart(Text, time))) return false;
    if (*Text != 0) return false;
    MSecs = static_cast<double>(day) * MSecsPerDay + time;
    return true;
}

}  // namespace vex
