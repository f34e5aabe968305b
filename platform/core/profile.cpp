#include "platform/core/profile.h"

#include <mutex>
#include <utility>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Entries are kept under "section\nkey", folded to lower case; neither name can hold a line
// break in a profile file, so the pair is unambiguous.
using TProfileEntries = std::map<std::string, std::string>;

std::string EntryName(const std::string& Section, const std::string& Key) {
    return AnsiLowerCase(Section) + '\n' + AnsiLowerCase(Key);
}

TProfileEntries DefaultEntries() {
    static const std::pair<const char*, const char*> intl[] = {
        {"sDecimal", "."},
        {"sThousand", ","},
        {"sList", ","},
        {"iCurrDigits", "2"},
        {"iCurrency", "0"},
        {"iNegCurr", "0"},
        {"sCurrency", "$"},
        {"sCountry", "United States"},
        {"iCountry", "1"},
        {"iDate", "0"},
        {"iTime", "0"},
        {"iTLZero", "0"},
        {"iLZero", "1"},
        {"iDigits", "2"},
        {"iMeasure", "1"},
        {"sTime", ":"},
        {"sDate", "/"},
        {"s1159", "AM"},
        {"s2359", "PM"},
        {"sShortDate", "M/d/yy"},
        {"sLongDate", "dddd, MMMM dd, yyyy"},
        {"sLanguage", "enu"},
    };
    TProfileEntries entries;
    for (const auto& [key, value] : intl)
        entries[EntryName("intl", key)] = value;
    return entries;
}

struct TProfileStore {
    std::mutex Lock;
    TProfileEntries Entries = DefaultEntries();
};

TProfileStore& Store() {
    static TProfileStore store;
    return store;
}

}  // namespace

std::string GetProfileString(const std::string& Section, const std::string& Key,
                             const std::string& Default) {
    TProfileStore& store = Store();
    std::lock_guard guard(store.Lock);
    auto found = store.Entries.find(EntryName(Section, Key));
    return found == store.Entries.end() ? Default : found->second;
}

int32_t GetProfileInt(const std::string& Section, const std::string& Key, int32_t Default) {
    return StrToIntDef(Trim(GetProfileString(Section, Key, "")), Default);
}

void WriteProfileString(const std::string& Section, const std::string& Key,
                        const std::string& Value) {
    TProfileStore& store = Store();
    std::lock_guard guard(store.Lock);
    store.Entries[EntryName(Section, Key)] = Value;
}

void DeleteProfileString(const std::string& Section, const std::string& Key) {
    TProfileStore& store = Store();
    std::lock_guard guard(store.Lock);
    store.Entries.erase(EntryName(Section, Key));
}

TProfileOverride::TProfileOverride() {
    TProfileStore& store = Store();
    std::lock_guard guard(store.Lock);
    FSaved = store.Entries;
}

TProfileOverride::~TProfileOverride() {
    TProfileStore& store = Store();
    std::lock_guard guard(store.Lock);
    store.Entries = std::move(FSaved);
}

}  // namespace vex
