#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/datetimetokens.h"
#include "platform/core/types.h"

namespace vex {

// A date-time format read once and written many times, as FormatDateTime writes it: a control
// showing every record of a walk in one format pays for reading the format only when the format
// changes. Names, separators and the settings' own formats are taken from FormatSettings() at
// each write; a settings format that changed since it was read is read again as it is now.
class TDateTimeFormat {
public:
    // An empty format means "c", as in FormatDateTime.
    explicit TDateTimeFormat(const std::string& Format = std::string());

    const std::string& Format() const { return FFormat; }
    std::string Write(TDateTime Value) const;

    // The tokens of one format; their Source views into Format, kept on the heap so that moving
    // the whole never moves the text under them.
    struct TRead {
        explicit TRead(std::string AFormat);
        std::string Format;
        std::vector<TDateTimeToken> Tokens;
    };
    // The settings' formats a token may name, in the order of TDateTimeTokenKind::ShortDate on.
    static constexpr size_t SettingsFormats = 4;

private:
    // Reads the settings' formats the tokens name, and those they name in turn.
    void ReadNested(const TRead& Read);
    void ReadNestedKind(TDateTimeTokenKind Kind);

    std::string FFormat;
    std::shared_ptr<const TRead> FMain;
    std::array<std::shared_ptr<const TRead>, SettingsFormats> FNested;
};

}  // namespace vex
