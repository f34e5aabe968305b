#include "platform/rich/richlinkscan.h"

#include <array>

#include "platform/core/stringutils.h"

namespace vex {
namespace {

// "www." is matched like the schemes: a name typed in capitals is the same address.
constexpr std::array<std::string_view, 5> LinkPrefixes{"http://", "https://", "ftp://",
                                                       "mailto:", "www."};

bool IsBlank(unsigned char C) {
    // 0xA0 is the no-break space of the document's code page: it separates words as a blank does.
    return C <= 0x20 || C == 0x7F || C == 0xA0;
}

bool IsAsciiAlnum(unsigned char C) {
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

// An address starts a word: after a letter or digit "xhttp://" is part of another word, and
// after the characters that join the parts of a name ("file:///http://", "a.www.b") it is part
// of an address of another kind, which must not surface as one of ours.
bool StartsWord(std::string_view Text, size_t At) {
    if (At == 0) return true;
    const unsigned char before = static_cast<unsigned char>(Text[At - 1]);
    if (IsBlank(before)) return true;
    if (IsAsciiAlnum(before) || before >= 0x80) return false;
    return std::string_view("./:@-_%+~=&#?\\").find(static_cast<char>(before)) ==
           std::string_view::npos;
}

size_t PrefixAt(std::string_view Text, size_t At) {
    for (std::string_view prefix : LinkPrefixes)
        if (SameText(Text.substr(At, prefix.size()), prefix)) return prefix.size();
    return 0;
}

constexpr std::string_view Closers = ")]}>";
constexpr std::string_view Openers = "([{<";

// Drops the sentence's punctuation from the end of an address. A closing bracket stays when
// the address holds an opener for it ("http://x/a_(b)"), and goes when the bracket opened
// before the address ("(see http://x/)").
size_t TrimmedLength(std::string_view Link) {
    // Counted once and kept up to date, so that a long tail of brackets costs its length.
    std::array<int64_t, Closers.size()> open{};
    std::array<int64_t, Closers.size()> closed{};
    for (const char c : Link) {
        if (const size_t k = Openers.find(c); k != std::string_view::npos)
            ++open[k];
        else if (const size_t k = Closers.find(c); k != std::string_view::npos)
            ++closed[k];
    }
    size_t length = Link.size();
    while (length > 0) {
        const char last = Link[length - 1];
        if (std::string_view(".,;:!?'\"").find(last) == std::string_view::npos) {
            const size_t k = Closers.find(last);
            if (k == std::string_view::npos || open[k] >= closed[k]) break;
            --closed[k];
        }
        --length;
    }
    return length;
}

}  // namespace

std::vector<TRichLinkRange> FindLinksInText(std::string_view Text) {
    std::vector<TRichLinkRange> spans;
    size_t at = 0;
    while (at < Text.size()) {
        const size_t prefix = StartsWord(Text, at) ? PrefixAt(Text, at) : 0;
        if (prefix == 0) {
            ++at;
            continue;
        }
        size_t end = at + prefix;
        while (end < Text.size() && !IsBlank(static_cast<unsigned char>(Text[end])))
            ++end;
        const size_t length = TrimmedLength(Text.substr(at, end - at));
        if (length > prefix)
            spans.push_back({static_cast<int32_t>(at), static_cast<int32_t>(length)});
        // The rest of the word is this address's or its punctuation, never another address.
        at = end;
    }
    return spans;
}

}  // namespace vex
