// Text taken two ways by the date/time picker: as its display format, whose parts are counted
// and each located in the text of a fixed value, and as text pasted into it, read back as a
// date-time. Every part must lie within the text it was found in, the text must be what the
// control would show for the value, and what pasted text reads as must be a day of the years 1
// to 9999 or nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dataaware/edits/wwpickerparts.h"
#include "platform/core/datetime.h"

namespace {

// Formats longer than this are no display format; past it only the pasted text is read.
constexpr size_t MaxFormat = 512;

void CheckParts(const std::string& Format, vex::TwwPickerPartsKind Kind, vex::TDateTime Value) {
    using namespace vex;
    const bool cFormat = Format == "c";
    const TwwPartsLayout layout = wwLayoutParts(wwPartsFormat(Format, cFormat), Kind, Value);
    if (!cFormat && layout.Text != FormatDateTime(Format, Value)) __builtin_trap();
    const auto count = static_cast<int32_t>(layout.Parts.size());
    for (int32_t part = 1; part <= count + 1; ++part) {
        const TwwLocatedPart located = wwLocatePart(layout, part);
        if (located.Found != (part <= count)) __builtin_trap();
        if (!located.Found) continue;
        const TDateTimeSpan& field = located.Field;
        if (field.Length == 0 || field.Start + field.Length != located.TextToEnd.size() ||
            layout.Text.compare(0, located.TextToEnd.size(), located.TextToEnd) != 0)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    if (Size <= MaxFormat) {
        const TDateTime value = EncodeDate(2024, 2, 29) + EncodeTime(21, 5, 9, 7);
        for (TwwPickerPartsKind kind : {TwwPickerPartsKind::DateAndTime, TwwPickerPartsKind::Date,
                                        TwwPickerPartsKind::TimeOnly})
            CheckParts(text, kind, value);
        CheckParts(text, TwwPickerPartsKind::DateAndTime, EncodeDate(1899, 12, 31));
    }
    for (bool timeOnly : {false, true}) {
        const TDateTime pasted = wwPastedValue(text, timeOnly);
        if (pasted == 0) continue;
        uint16_t year, month, day;
        DecodeDate(pasted, year, month, day);
        if (year < 1 || year > 9999) __builtin_trap();
    }
    return 0;
}
