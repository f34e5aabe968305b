#pragma once

#include <cstdint>
#include <string>

#include "components/entry/OvcDate.h"

namespace vex {

// The user's international settings as the entry fields see them, and the conversions between
// dates or times and text shaped by a picture mask.
//
// Date masks: "m"/"M" month, "d"/"D" day, "y" year, "n"/"N" month name, "w"/"W" day name,
// "f", "g", "h" the literal texts cut out of the long date format, "/" the date separator.
// Time masks: "h"/"H" hours, "m"/"M" minutes, "s" seconds, "t" the AM/PM text, ":" the time
// separator. A lower-case number letter pads with zeros, a capital with blanks, position by
// position; a capital name letter shows the name in capitals. Every other character is copied.
//
// Texts keep the lengths the settings always had (currency and AM/PM texts 5 characters, the
// short date mask 29, the long one 39, literals 6, the country 255): longer profile values are
// cut when read, so every mask built from them stays short. Masks handed in by callers may be
// of any length; every result has the mask's length before packing.
class TOvcIntlSup {
public:
    // The defaults, then the profile's "intl" section.
    TOvcIntlSup();

    // Reads the "intl" section of the user's profile and the framework's long time format again;
    // the global instance does so once, when it is created.
    void ReadIntlSettings();

    // The short date mask with two-digit days and months and two- or four-digit years.
    std::string InternationalDate(bool ForceCentury) const;
    // "hh:mm:ss", with a blank for a leading zero unless LeadingZeroTime, and room for the AM/PM
    // text when TwelveHour.
    std::string InternationalTime(bool ShowSeconds) const;

    // False when the mask and text differ in length or the fields make no valid date; the
    // fields read so far are left in Day, Month and Year (0 when the lengths differ).
    bool DateStringToDMY(const std::string& Picture, const std::string& S, int32_t& Day,
                         int32_t& Month, int32_t& Year, int32_t Epoch) const;
    // BadDate when DateStringToDMY fails.
    TStDate DateStringToDate(const std::string& Picture, const std::string& S, int32_t Epoch) const;
    std::string DMYtoDateString(const std::string& Picture, int32_t Day, int32_t Month,
                                int32_t Year, bool Pack, int32_t Epoch) const;
    // A day number outside MinDate to MaxDate, BadDate included, shows blanks in the date
    // fields and is never packed.
    std::string DateToDateString(const std::string& Picture, TStDate Julian, bool Pack) const;

    // False when the mask and text differ in length, a field is blank or not a number, the
    // AM/PM text matches neither setting, or the time is not valid.
    bool TimeStringToHMS(const std::string& Picture, const std::string& S, int32_t& Hours,
                         int32_t& Minutes, int32_t& Seconds) const;
    // BadTime when TimeStringToHMS fails.
    TStTime TimeStringToTime(const std::string& Picture, const std::string& S) const;
    // A time outside 0 to 86399, BadTime included, shows blanks and is never packed.
    std::string TimeToTimeString(const std::string& Picture, TStTime T, bool Pack) const;

    const std::string& CurrencyLtStr() const { return FCurrencyLtStr; }
    const std::string& CurrencyRtStr() const { return FCurrencyRtStr; }
    char DecimalChar() const { return FDecimalChar; }
    char CommaChar() const { return FCommaChar; }
    uint8_t CurrencyDigits() const { return FCurrencyDigits; }
    char ListChar() const { return FListChar; }
    char SlashChar() const { return FSlashChar; }
    char TrueChar() const { return FTrueChar; }
    char FalseChar() const { return FFalseChar; }
    char YesChar() const { return FYesChar; }
    char NoChar() const { return FNoChar; }
    const std::string& AMString() const { return FAMString; }
    const std::string& PMString() const { return FPMString; }
    char TimeSepChar() const { return FTimeSepChar; }
    const std::string& Country() const { return FCountry; }
    // The currency position code 0 to 3 and the negative currency layout, as in the profile.
    uint8_t CurrencyFormat() const { return FCurrencyFormat; }
    uint8_t NegCurrFormat() const { return FNegCurrFormat; }
    const std::string& LiteralF() const { return FLiteralF; }
    const std::string& LiteralG() const { return FLiteralG; }
    const std::string& LiteralH() const { return FLiteralH; }
    // The long date format turned into a mask: quoted texts become "f", "g" and "h" runs, the
    // day-name run "w" and the month-name run "n".
    const std::string& LongDate() const { return FLongDate; }
    // The short date format with the user's date separator written as "/".
    const std::string& ShortDate() const { return FShortDate; }
    bool LeadingZeroTime() const { return FLeadingZeroTime; }
    bool TwelveHour() const { return FTwelveHour; }

private:
    void ReadLongDate();

    std::string FCurrencyLtStr = "$";
    std::string FCurrencyRtStr;
    char FDecimalChar = '.';
    char FCommaChar = ',';
    uint8_t FCurrencyDigits = 2;
    char FListChar = ',';
    char FSlashChar = '/';
    char FTrueChar = 'T';
    char FFalseChar = 'F';
    char FYesChar = 'Y';
    char FNoChar = 'N';
    std::string FAMString;
    std::string FPMString;
    char FTimeSepChar = ':';
    std::string FCountry;
    uint8_t FCurrencyFormat = 0;
    uint8_t FNegCurrFormat = 0;
    std::string FLiteralF;
    std::string FLiteralG;
    std::string FLiteralH;
    std::string FLongDate;
    std::string FShortDate;
    bool FLeadingZeroTime = false;
    bool FTwelveHour = false;
};

// The instance the entry fields share, created (and the profile read) when first asked, which
// is the controls' start-up; it lives until the program ends.
TOvcIntlSup& OvcIntlSup();

}  // namespace vex
