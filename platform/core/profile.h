#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace vex {

// The user's profile as the original read it through GetProfileString and GetProfileInt. It
// lives in memory only: the "intl" section starts with an English (United States) user's
// values, matching the defaults of TFormatSettings. Section and key names are compared without
// regard to case. Safe to use from several threads.

std::string GetProfileString(const std::string& Section, const std::string& Key,
                             const std::string& Default);
// Default when the key is missing or its value is not an integer.
int32_t GetProfileInt(const std::string& Section, const std::string& Key, int32_t Default);
void WriteProfileString(const std::string& Section, const std::string& Key,
                        const std::string& Value);
void DeleteProfileString(const std::string& Section, const std::string& Key);

// Keeps the profile as it was when constructed and puts it back on destruction, so a test's
// changes do not leak into the next one.
class TProfileOverride {
public:
    TProfileOverride();
    ~TProfileOverride();
    TProfileOverride(const TProfileOverride&) = delete;
    TProfileOverride& operator=(const TProfileOverride&) = delete;

private:
    std::map<std::string, std::string> FSaved;
};

}  // namespace vex
