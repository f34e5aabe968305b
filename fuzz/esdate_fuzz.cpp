// A typed date as a user may enter it, under rules taken from the first three bytes: the part
// order (low two bits), the required parts (the next three bits), and an epoch from 0 to 5100
// (the next two bytes' sum times ten), counted down from the largest number instead when the
// sixth bit is set. Reading ends on every input with a date of the years 1 to 9999, no date
// only for an empty text with a part required, or the family's error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "components/entry/EsDateParse.h"
#include "components/entry/EsUtil.h"
#include "platform/core/datetime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    if (Size < 3) return 0;
    TEsDateRules rules;
    rules.DateOrder = Data[0] & 3;
    rules.RequiredFields = TEsRequiredFields();
    if (Data[0] & 4) rules.RequiredFields.Include(rfDay);
    if (Data[0] & 8) rules.RequiredFields.Include(rfMonth);
    if (Data[0] & 16) rules.RequiredFields.Include(rfYear);
    rules.Epoch = (Data[1] + Data[2]) * 10;
    if (Data[0] & 32) rules.Epoch = INT32_MAX - rules.Epoch;
    const std::string text(reinterpret_cast<const char*>(Data) + 3, Size - 3);
    const TDateTime today = EncodeDate(2026, 7, 4);
    try {
        const TDateTime date = EsTextToDate(text, rules, today);
        if (date == 0) {
            if (!text.empty() || rules.RequiredFields.Empty()) __builtin_trap();
        } else {
            uint16_t year, month, day;
            DecodeDate(date, year, month, day);
            if (year < 1 || year > 9999) __builtin_trap();
        }
    } catch (const EEsError& e) {
        if (e.Message().empty()) __builtin_trap();
    }
    return 0;
}
