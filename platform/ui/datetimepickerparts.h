#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/datetimetokens.h"
#include "platform/core/types.h"

namespace vex {

// The text a date-time picker shows and the parts of it the user edits, apart from any window.
// The parts come from the same reader that writes the text, so the part a caret stands in is
// always the one the text shows there.
class TDateTimePickerParts {
public:
    // Value written in Format.
    void Layout(std::string_view Format, TDateTime Value);
    // Shows Text in place of part Index (typed digits not yet taken), moving the parts after it.
    void ReplacePart(size_t Index, std::string_view Text);

    const std::string& Text() const { return FText; }
    size_t Count() const { return FParts.size(); }
    // Index counts from 0 below Count().
    const TDateTimeSpan& Part(size_t Index) const { return FParts.at(Index); }
    // The part that holds the text offset, else the last one before it, else the first; -1
    // when there is no part.
    int32_t PartAt(size_t Offset) const;

private:
    std::string FText;
    std::vector<TDateTimeSpan> FParts;
};

// Value with one part moved by Delta as the arrow keys move it: months, days, hours, minutes
// and seconds wrap round within their range (a day within its month), am/pm turns over, the
// year stops at 1 and 9999. A day past the end of a shorter month is pulled in; every other
// part stays.
TDateTime StepPart(TDateTime Value, const TDateTimeSpan& Part, int32_t Delta);

// Digits typed into a numeric part: a part is complete when it has all its digits or when
// one more could only make it too great.
class TTypedNumber {
public:
    // The digits a part of this kind and width takes; 0 for a part that takes none.
    static int32_t MaxDigits(const TDateTimeSpan& Part);
    // The greatest number the part takes in the day of Value.
    static int32_t Maximum(const TDateTimeSpan& Part, TDateTime Value);

    void Reset() { *this = TTypedNumber(); }
    bool Active() const { return FDigits > 0; }
    int32_t Value() const { return FValue; }
    std::string Text() const { return std::to_string(FValue); }
    // Adds a digit; true when the part is complete with it.
    bool Add(int32_t Digit, const TDateTimeSpan& Part, TDateTime Value);

private:
    int32_t FValue = 0;
    int32_t FDigits = 0;
};

// Value with the part set to the number typed into it, the other parts kept (the day pulled in
// to a shorter month); false when the number names no such part. A two-digit year falls in the
// century of Value's year; on the 12-hour clock the half of the day stays.
bool SetPart(TDateTime Value, const TDateTimeSpan& Part, int32_t Number, TDateTime& Result);

}  // namespace vex
