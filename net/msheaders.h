#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/stringlist.h"

namespace vex {

// The header lines of a message or an HTTP reply, one line per entry as received; a
// continuation line (beginning with a blank or a tab) is an entry of its own after its field's
// line. A field is found by its name at the very start of a line, without regard to case, and
// the colon after it; blanks may stand between the two, as RFC 5322 lets obsolete headers write.
class TmsHeaders : public TStringList {
    VEX_CLASS(TmsHeaders, TStringList)

public:
    // The value of the field's first line with its continuation lines joined by one blank;
    // empty when the field is absent. Encoded words are decoded and the value cut to 255
    // characters, except for Content-Type, Content-Disposition and X-UIDL, which come back as
    // they stand. In address fields (From, To, ...) only display names and comments are decoded,
    // and the value is not cut, so that a long name never hides the address behind it.
    void GetFieldValue(const std::string& Name, std::string& Value) const;
    // The same; CharSet is the one set that the decoded words named (see TWordCharSets).
    void GetFieldValue(const std::string& Name, std::string& Value, std::string& CharSet) const;
    // Every address of every line of the field (To, Cc), decoded, one per entry of List, split
    // as AddressListEntries splits them: commas inside quotes, comments, domain literals and
    // angle brackets do not split; a group's name and its closing ";" are dropped, so its
    // members come out as ordinary entries.
    void GetFieldValues(const std::string& Name, TStrings& List) const;
    // The same; CharSets gets the set that the words of each entry named, entry by entry.
    void GetFieldValues(const std::string& Name, TStrings& List,
                        std::vector<std::string>& CharSets) const;
    // Removes the field's first line and its continuation lines.
    void DeleteField(const std::string& Name);

protected:
    void Changed() override;

private:
    void GetFieldValues(const std::string& Name, TStrings& List,
                        std::vector<std::string>* CharSets) const;
    // The index of the first line of the field at or after From; -1 when none.
    int32_t FindField(const std::string& Name, int32_t From) const;
    // A line as lookups read it: the field name it opens is its first NameSize characters.
    struct TLine {
        std::string Text;
        std::size_t NameSize;
    };
    // The lines as they stand. The list hands out copies only, and a message is looked up for a
    // dozen fields: the lines are copied and their names found once, and kept until the list
    // changes.
    const std::vector<TLine>& Lines() const;

    mutable std::vector<TLine> FLines;
    mutable bool FLinesKept = false;
};

// Removes the first empty line and everything after it: the body that came with the headers.
void CutBody(TStrings& Headers);

// The name of the field Line opens: printable characters other than ":" (blanks may stand
// between it and the colon, as RFC 5322 lets obsolete headers write), then ":". Empty when Line
// opens no field.
std::string_view FieldNameOf(std::string_view Line);
// Line continues the field above it: it begins with a blank or a tab.
bool IsContinuationLine(std::string_view Line);

}  // namespace vex
