#include "net/mailaddress.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::size_t MaxFieldLength = 255;

std::string Cut(std::string_view S) {
    return std::string(CutText(S, MaxFieldLength));
}

// The first of Marks in Text that is part of the address's structure: not
// inside a quoted string or a comment, whose text is no structure (RFC 5322 section 3.2.2), nor
// inside angle brackets unless "<" is one of Marks. A quote or comment left open runs to the end.
std::size_t FindStructural(std::string_view Text, std::string_view Marks) {
    const bool skipsAngles = Marks.find('<') == std::string_view::npos;
    bool inQuotes = false;
    int32_t depth = 0;  // of comments
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if ((inQuotes || depth > 0) && c == '\\') {
            ++i;
        } else if (inQuotes) {
            inQuotes = c != '"';
        } else if (depth > 0) {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        } else if (Marks.find(c) != std::string_view::npos) {
            return i;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == '(') {
            depth = 1;
        } else if (c == '<' && skipsAngles) {
            i = std::min(Text.find('>', i), Text.size());
        }
    }
    return std::string_view::npos;
}

// Text with its quoted-pairs undone: a backslash stands for the character after it.
std::string WithoutQuotedPairs(std::string_view Text) {
    std::string result;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\\' && i + 1 < Text.size()) ++i;
        result += Text[i];
    }
    return result;
}

// S is one quoted string: quotes at both ends and none between them that a backslash does not
// escape.
bool IsQuotedString(std::string_view S) {
    if (S.size() < 2 || S.front() != '"' || S.back() != '"') return false;
    for (size_t i = 1; i + 1 < S.size(); ++i) {
        if (S[i] == '\\') {
            ++i;
            if (i + 1 >= S.size()) return false;  // the backslash escapes the closing quote
        } else if (S[i] == '"') {
            return false;
        }
    }
    return true;
}

// A display name as its writer meant it: one quoted string loses its quotes and the backslashes
// that escape in it; any other name loses only the quotes at its ends.
std::string NameText(const std::string& Text) {
    const std::string name = Trim(Text);
    if (!IsQuotedString(name)) return Unquote(name);
    return WithoutQuotedPairs(std::string_view(name).substr(1, name.size() - 2));
}

// An address with its comments ("pete(his account)@silly.test") taken out, since no mail
// system would accept them as part of it.
std::string WithoutComments(std::string_view Address) {
    std::string result;
    int32_t depth = 0;
    for (std::size_t i = 0; i < Address.size(); ++i) {
        char c = Address[i];
        if (depth > 0 && c == '\\')
            ++i;
        else if (c == '(')
            ++depth;
        else if (depth > 0 && c == ')')
            --depth;
        else if (depth == 0)
            result += c;
    }
    return result;
}

enum class TAddressPart { Plain, Quoted, Comment, Angle, Separator };

struct TAddressToken {
    TAddressPart Part;
    std::string_view Text;  // with its quotes, parentheses or brackets
};

// Splits at the marks that give an address its structure. A quote, comment or bracket left
// open runs to the end.
std::vector<TAddressToken> Tokenize(std::string_view Text) {
    constexpr std::string_view Marks = "\"(<,;:";
    std::vector<TAddressToken> tokens;
    const size_t n = Text.size();
    size_t i = 0;
    while (i < n) {
        const size_t start = i;
        TAddressPart part = TAddressPart::Plain;
        if (Text[i] == '"') {
            part = TAddressPart::Quoted;
            for (++i; i < n && Text[i] != '"'; ++i)
                if (Text[i] == '\\') ++i;
            ++i;
        } else if (Text[i] == '(') {
            part = TAddressPart::Comment;
            int32_t depth = 0;
            do {
                if (Text[i] == '\\')
                    ++i;
                else if (Text[i] == '(')
                    ++depth;
                else if (Text[i] == ')')
                    --depth;
                ++i;
            } while (i < n && depth > 0);
        } else if (Text[i] == '<') {
            part = TAddressPart::Angle;
            i = std::min(Text.find('>', i), n - 1) + 1;
        } else if (Marks.find(Text[i]) != std::string_view::npos) {
            part = TAddressPart::Separator;
            ++i;
        } else {
            i = std::min(Text.find_first_of(Marks, i), n);
        }
        i = std::min(i, n);
        tokens.push_back({part, Text.substr(start, i - start)});
    }
    return tokens;
}

std::string Decoded(std::string_view Text, TWordCharSets& CharSets) {
    std::string result;
    DecodeEncodedWords(Text, result, CharSets);
    return result;
}

std::string Escaped(std::string_view Text, std::string_view Specials) {
    std::string result;
    for (char c : Text) {
        if (Specials.find(c) != std::string_view::npos) result += '\\';
        result += c;
    }
    return result;
}

// The inside of a quoted string or a comment, decoded and escaped again.
std::string DecodedInside(std::string_view Token, char Close, std::string_view Specials,
                          TWordCharSets& CharSets) {
    const bool closed = Token.size() > 1 && Token.back() == Close;
    const std::string_view inside = Token.substr(1, Token.size() - (closed ? 2 : 1));
    const std::string decoded = Decoded(inside, CharSets);
    if (decoded == inside) return std::string(Token);
    return Token.front() + Escaped(decoded, Specials) + (closed ? std::string(1, Close) : "");
}

// A run of a display name, quoted when its decoded text could be taken for structure.
std::string DecodedPhrase(std::string_view Run, TWordCharSets& CharSets) {
    constexpr std::string_view Specials = "()<>[]:;@\\,\"";
    const std::string decoded = Decoded(Run, CharSets);
    if (decoded == Run || decoded.find_first_of(Specials) == std::string::npos) return decoded;
    const size_t first = decoded.find_first_not_of(" \t");
    const size_t last = decoded.find_last_not_of(" \t");
    return decoded.substr(0, first) + '"' +
           Escaped(decoded.substr(first, last - first + 1), "\"\\") + '"' +
           decoded.substr(last + 1);
}

}  // namespace

std::string DecodeAddressWords(std::string_view Text) {
    TWordCharSets unused;
    return DecodeAddressWords(Text, unused);
}

std::string DecodeAddressWords(std::string_view Text, TWordCharSets& CharSets) {
    const std::vector<TAddressToken> tokens = Tokenize(Text);
    std::string result;
    size_t first = 0;  // of the address being decoded
    while (first < tokens.size()) {
        size_t end = first;
        bool bracketed = false;
        for (; end < tokens.size() && tokens[end].Part != TAddressPart::Separator; ++end)
            bracketed = bracketed || tokens[end].Part == TAddressPart::Angle;
        // A display name stands before an address in brackets or before the ":" that opens a
        // group; without either the plain text is the address itself.
        const bool groupName = end < tokens.size() && tokens[end].Text == ":";
        const bool phrase = bracketed || groupName;
        for (size_t i = first; i < end; ++i) {
            const std::string_view text = tokens[i].Text;
            switch (tokens[i].Part) {
                case TAddressPart::Plain:
                    result += phrase ? DecodedPhrase(text, CharSets) : std::string(text);
                    break;
                case TAddressPart::Quoted:
                    result += DecodedInside(text, '"', "\"\\", CharSets);
                    break;
                case TAddressPart::Comment:
                    result += DecodedInside(text, ')', "()\\", CharSets);
                    break;
                default:
                    result += text;
            }
        }
        if (end < tokens.size()) result += tokens[end].Text;
        first = end + 1;
    }
    return result;
}

void TmsMailAddress::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TmsMailAddress*>(Source)) {
        Name = source->Name;
        Address = source->Address;
        FNameCharSet = source->FNameCharSet;
        return;
    }
    TPersistent::Assign(Source);
}

void TmsMailAddress::Clear() {
    Name.clear();
    Address.clear();
    FNameCharSet = TTextCharSet();
}

void ParseAddress(const std::string& Text, TmsMailAddress& MailAddress) {
    std::string_view text = Text;
    std::string groupName;
    // A group ("Friends: a@x, b@x;") stands for its first member; its name is no address.
    if (const std::size_t colon = FindStructural(text, ":"); colon != std::string_view::npos) {
        groupName = text.substr(0, colon);
        text.remove_prefix(colon + 1);
        text = text.substr(0, FindStructural(text, ",;"));
    }
    std::string address;
    std::string name;
    const std::size_t open = FindStructural(text, "<");
    const std::size_t paren = FindStructural(text, "(");
    if (open != std::string_view::npos) {
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string_view::npos)
            throw EMailAddressError("Unable to parse email address");
        address = Unquote(WithoutComments(text.substr(open + 1, close - open - 1)));
        name = NameText(std::string(text.substr(0, open)) + std::string(text.substr(close + 1)));
    } else if (paren != std::string_view::npos) {
        address = Unquote(std::string(text.substr(0, paren)));
        std::string inside = TrimRight(text.substr(paren + 1));
        if (!inside.empty() && inside.back() == ')') inside.pop_back();
        name = Unquote(WithoutQuotedPairs(inside));
    } else {
        address = Trim(text);
        // An empty group ("Undisclosed recipients:;") has only its name to show.
        if (address.empty()) name = NameText(groupName);
    }
    MailAddress.Address = Cut(address);
    MailAddress.Name = Cut(name);
}

void ParseMailAddress(const std::string& Text, std::string& Address, std::string& Name) {
    TmsMailAddress parsed;
    ParseAddress(Text, parsed);
    Address = std::move(parsed.Address);
    Name = std::move(parsed.Name);
}

}  // namespace vex
