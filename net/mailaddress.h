#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"
#include "platform/core/exceptions.h"
#include "platform/core/object.h"

namespace vex {

// Raised with "Unable to parse email address" when an address opens a "<" it never closes.
VEX_EXCEPTION(EMailAddressError, Exception);

// One mail address and its display name, each at most 255 characters.
class TmsMailAddress : public TPersistent {
    VEX_CLASS(TmsMailAddress, TPersistent)

public:
    void Assign(const TPersistent* Source) override;
    // Edits the address in the address dialog, shown modally; OK takes what it holds, Cancel
    // or closing it leaves the address as it was.
    virtual void Edit();
    void Clear();

    // The character set the name's encoded words named when it was read; empty when they named
    // none or several, or when the name has changed since.
    std::string_view NameCharSet() const { return FNameCharSet.Of(Name); }
    // Records Value as the set of the name as it now stands.
    void SetNameCharSet(std::string_view Value) { FNameCharSet.Assign(Name, Value); }

    std::string Name;
    std::string Address;

private:
    TTextCharSet FNameCharSet;
};

// Splits a From or To value: "Name <address>", "address (Name)" or a bare address. Quotes round
// the name are removed, and a name that is one quoted string or a comment loses the backslashes
// that escape in it. The address is read as RFC 5322 writes one: brackets, parentheses and
// colons inside quoted strings, comments and domain literals are text, never structure; comments
// and the white space around its words are no part of it, nor is an obsolete route
// ("<@relay.test:a@x.test>" gives a@x.test). A quoted local part keeps its quotes
// ("\"a b\"@x.test"); an address that is one quoted string and nothing else loses them. Where more
// stands beside a bare address than it, the address is the first run of words that holds an "@".
// A group ("Name: member, ...;") gives its first member, past empty ones; an empty one only its
// name. A colon opens a group only after a phrase, so one after an address in brackets or inside
// a domain literal is text. On an EMailAddressError (an address whose "<" is never closed) the
// outputs are left as they were.
void ParseAddress(const std::string& Text, TmsMailAddress& MailAddress);
// The same for a header that must load whatever it holds: an address whose "<" is never closed
// is read up to the end of Text, as though it closed there, rather than raising.
void ParseAddressLeniently(const std::string& Text, TmsMailAddress& MailAddress);
void ParseMailAddress(const std::string& Text, std::string& Address, std::string& Name);

// An address, or a list of them, with encoded words decoded only where they may stand: in
// display names and comments, never in an address. Decoded text that holds characters with a
// meaning in an address comes back quoted, so "=?utf-8?Q?a=3Cb=40c=3E?= <d@e>" can't make b@c
// the address. The result is not cut, however long its names: a cut could take the address
// with it. ParseAddress cuts the name and the address it takes apart, each on its own.
std::string DecodeAddressWords(std::string_view Text);
// The same; CharSets gathers the sets of the words decoded.
std::string DecodeAddressWords(std::string_view Text, TWordCharSets& CharSets);

// The entries of an address list (To, Cc): the text between the commas and semicolons that
// separate them, where they stand outside quoted strings, comments, domain literals and angle
// brackets. A group's name is dropped with its colon, so its members come out as ordinary
// entries, and so is an entry of nothing but comments and white space. The views are into Text.
std::vector<std::string_view> AddressListEntries(std::string_view Text);

}  // namespace vex
