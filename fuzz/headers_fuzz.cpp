// Header blocks from strangers: field lookup, address lists, addresses, dates and encoded words
// must stay within bounds and end on every input. Lookups after a change read the lines as they
// now stand, as a list that never had them looked up does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/encodedwords.h"
#include "net/mailaddress.h"
#include "net/maildate.h"
#include "net/msheaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    const std::string text(reinterpret_cast<const char*>(Data), Size);

    std::string decoded;
    DecodeEncodedWords(text, decoded);

    TmsHeaders headers;
    headers.SetText(text);
    constexpr const char* Names[] = {"Subject", "From", "Date", "Content-Type", "X-UIDL", "To"};
    std::string value;
    for (const char* name : Names)
        headers.GetFieldValue(name, value);
    TStringList addresses;
    headers.GetFieldValues("To", addresses);

    std::string address, name;
    try {
        ParseMailAddress(text, address, name);
    } catch (const EMailAddressError&) {
    }
    for (int32_t i = 0; i < addresses.Count(); ++i) {
        try {
            ParseMailAddress(addresses[i], address, name);
        } catch (const EMailAddressError&) {
        }
    }

    TDateTime date;
    std::string zone;
    ParseMailDate(text, date, zone);
    headers.GetFieldValue("Date", value);
    ParseMailDate(value, date, zone);

    CutBody(headers);
    headers.DeleteField("Received");
    TmsHeaders unread;
    unread.AddStrings(headers);
    for (const char* name : Names) {
        std::string expected;
        unread.GetFieldValue(name, expected);
        headers.GetFieldValue(name, value);
        if (value != expected) __builtin_trap();
    }
    unread.GetFieldValues("To", addresses);
    headers.GetFieldValues("To", headers);
    if (headers.Text() != addresses.Text()) __builtin_trap();
    return 0;
}
