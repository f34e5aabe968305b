#include "net/mailaddress.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// A set of characters looked up by a table: find_first_of searches its set once for every
// character of the text, and address lists are read character by character.
class TCharTable {
public:
    constexpr explicit TCharTable(std::string_view Chars) {
        for (const char c : Chars)
            FHas[static_cast<uint8_t>(c)] = true;
    }
    // The first character of Text at or after From that is in the set; npos when none is.
    std::size_t FindIn(std::string_view Text, std::size_t From = 0) const {
        for (std::size_t i = From; i < Text.size(); ++i)
            if (FHas[static_cast<uint8_t>(Text[i])]) return i;
        return std::string_view::npos;
    }

private:
    std::array<bool, 256> FHas{};
};

constexpr TCharTable kPlainEnds("\"(<,;:[");
constexpr TCharTable kNotInPhrase("@<>[]");

constexpr std::size_t MaxFieldLength = 255;

std::string Cut(std::string_view S) {
    return std::string(CutText(S, MaxFieldLength));
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

bool IsWhite(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

enum class TAddressPart { Plain, Quoted, Comment, Literal, Angle, Separator };

struct TAddressToken {
    TAddressPart Part;
    std::string_view Text;  // with its quotes, parentheses or brackets
    bool Closed = true;     // false for a quote, comment or angle bracket that runs to the end
};

// Just past the quoted string at I, or the end of Text when it never closes. A backslash escapes
// the character after it.
std::size_t QuotedEnd(std::string_view Text, std::size_t I, bool& Closed) {
    for (++I; I < Text.size(); ++I) {
        if (Text[I] == '\\') {
            ++I;
        } else if (Text[I] == '"') {
            Closed = true;
            return I + 1;
        }
    }
    Closed = false;
    return Text.size();
}

// Just past the comment at I, nested ones included, or the end of Text when it never closes.
std::size_t CommentEnd(std::string_view Text, std::size_t I, bool& Closed) {
    int32_t depth = 0;
    for (; I < Text.size(); ++I) {
        if (Text[I] == '\\') {
            ++I;
        } else if (Text[I] == '(') {
            ++depth;
        } else if (Text[I] == ')' && --depth == 0) {
            Closed = true;
            return I + 1;
        }
    }
    Closed = false;
    return Text.size();
}

// Just past the domain literal at I ("[192.0.2.1]"); npos when no "]" closes it before another
// "[" or the end, and the "[" is text.
std::size_t LiteralEnd(std::string_view Text, std::size_t I) {
    for (++I; I < Text.size(); ++I) {
        if (Text[I] == '\\')
            ++I;
        else if (Text[I] == '[')
            return std::string_view::npos;
        else if (Text[I] == ']')
            return I + 1;
    }
    return std::string_view::npos;
}

// Just past the address in angle brackets at I, or the end of Text when no ">" closes it. Quoted
// strings, comments and domain literals in it are passed over whole: a ">" in them is text. A
// quote that never closes is text too, or the address it stands in, written back in brackets,
// would swallow the ">" after it and gain one with every save.
std::size_t AngleEnd(std::string_view Text, std::size_t I, bool& Closed) {
    // Once a quote finds no closing one, no quote after it does: its reading passes every later
    // quote, escaped or closing, and reads on from there as theirs would.
    bool quotesClose = true;
    for (++I; I < Text.size();) {
        const char c = Text[I];
        bool closed = true;
        const std::size_t literal = c == '[' ? LiteralEnd(Text, I) : std::string_view::npos;
        if (c == '>') {
            Closed = true;
            return I + 1;
        }
        if (c == '"' && quotesClose) {
            const std::size_t end = QuotedEnd(Text, I, quotesClose);
            I = quotesClose ? end : I + 1;
        } else if (c == '(') {
            I = CommentEnd(Text, I, closed);
        } else if (literal != std::string_view::npos) {
            I = literal;
        } else {
            ++I;
        }
    }
    Closed = false;
    return Text.size();
}

// Just past the plain text at I, which opens no token of another kind: at the next mark that
// does.
std::size_t PlainEnd(std::string_view Text, std::size_t I) {
    for (++I; I < Text.size(); ++I) {
        I = kPlainEnds.FindIn(Text, I);
        if (I == std::string_view::npos) return Text.size();
        if (Text[I] != '[' || LiteralEnd(Text, I) != std::string_view::npos) return I;
    }
    return Text.size();
}

// Splits at the marks that give an address its structure. The text of quoted strings,
// comments, domain literals and angle brackets is no structure (RFC 5322 section 3.2.2): a mark
// in it is text.
std::vector<TAddressToken> Tokenize(std::string_view Text) {
    std::vector<TAddressToken> tokens;
    for (std::size_t i = 0; i < Text.size();) {
        const std::size_t start = i;
        const char c = Text[i];
        const std::size_t literal = c == '[' ? LiteralEnd(Text, i) : std::string_view::npos;
        TAddressToken token{TAddressPart::Plain, {}};
        if (c == '"') {
            token.Part = TAddressPart::Quoted;
            i = QuotedEnd(Text, i, token.Closed);
        } else if (c == '(') {
            token.Part = TAddressPart::Comment;
            i = CommentEnd(Text, i, token.Closed);
        } else if (c == '<') {
            token.Part = TAddressPart::Angle;
            i = AngleEnd(Text, i, token.Closed);
        } else if (c == ',' || c == ';' || c == ':') {
            token.Part = TAddressPart::Separator;
            ++i;
        } else if (literal != std::string_view::npos) {
            token.Part = TAddressPart::Literal;
            i = literal;
        } else {
            i = PlainEnd(Text, i);
        }
        token.Text = Text.substr(start, i - start);
        tokens.push_back(token);
    }
    return tokens;
}

// The inside of a quoted string, comment or angle bracket token.
std::string_view Inside(const TAddressToken& Token) {
    return Token.Text.substr(1, Token.Text.size() - (Token.Closed ? 2 : 1));
}

// The text from the token at First up to the one at End.
std::string_view Span(const std::vector<TAddressToken>& Tokens, std::size_t First,
                      std::size_t End) {
    if (First >= End) return {};
    const char* begin = Tokens[First].Text.data();
    const std::string_view last = Tokens[End - 1].Text;
    return {begin, static_cast<std::size_t>(last.data() + last.size() - begin)};
}

// A token that may stand in a phrase, as a group's name is: words and comments, but no address
// in brackets, no domain literal and no "@".
bool MayStandInPhrase(const TAddressToken& Token) {
    switch (Token.Part) {
        case TAddressPart::Plain:
            return kNotInPhrase.FindIn(Token.Text) == std::string_view::npos;
        case TAddressPart::Quoted:
        case TAddressPart::Comment:
            return true;
        default:
            return false;
    }
}

// A stretch of the tokens of an address list: the name of a group, or one entry.
struct TListPiece {
    std::size_t First;
    std::size_t End;  // the separator after it, or the count of tokens
    bool GroupName;
};

// An address list split at its commas and semicolons, and after a group's name ("Friends:"). A
// colon opens a group only after a phrase: one after an address is text of that entry, as is
// one inside a domain literal or brackets.
std::vector<TListPiece> ListPieces(const std::vector<TAddressToken>& Tokens) {
    std::vector<TListPiece> pieces;
    std::size_t first = 0;
    bool phrase = true;  // every token since first may stand in a group's name
    for (std::size_t i = 0; i < Tokens.size(); ++i) {
        const TAddressToken& token = Tokens[i];
        if (token.Part != TAddressPart::Separator) {
            phrase = phrase && MayStandInPhrase(token);
            continue;
        }
        const bool groupName = token.Text == ":";
        if (groupName && !phrase) continue;
        pieces.push_back({first, i, groupName});
        first = i + 1;
        phrase = true;
    }
    pieces.push_back({first, Tokens.size(), false});
    return pieces;
}

// The token is more than a comment or white space.
bool IsSignificant(const TAddressToken& Token) {
    return Token.Part != TAddressPart::Comment &&
           !std::all_of(Token.Text.begin(), Token.Text.end(), IsWhite);
}

// The piece holds more than comments and blanks ("; (end of the group)" holds no address).
bool HoldsAddress(const std::vector<TAddressToken>& Tokens, const TListPiece& Piece) {
    return std::any_of(Tokens.begin() + static_cast<std::ptrdiff_t>(Piece.First),
                       Tokens.begin() + static_cast<std::ptrdiff_t>(Piece.End), IsSignificant);
}

// The words of an address that no white space or comment parts, or that a "." or "@" joins
// across them (RFC 5322 section 3.4.1 allows CFWS around each word).
struct TAddressRun {
    std::string Text;
    bool HasAt = false;   // an "@" outside quoted strings and literals
    bool Quoted = false;  // it is one quoted string and nothing else
    std::size_t Words = 0;
};

bool JoinsWords(char C) {
    return C == '.' || C == '@';
}

// The address tokens [First, End) hold. An obsolete route before it ("@relay.test:") is no part
// of it (RFC 5322 section 4.4), nor are comments and the white space around its words. Where
// more stands beside the address than it, it is the first run of words that holds an "@"; where
// none does, all of them; one that is a quoted string alone ("\"a@b.test\"") loses its quotes.
std::string AddressIn(const std::vector<TAddressToken>& Tokens, std::size_t First,
                      std::size_t End) {
    std::size_t lead = First;
    while (lead < End && !IsSignificant(Tokens[lead]))
        ++lead;
    if (lead < End && (Tokens[lead].Text == "," || Trim(Tokens[lead].Text).starts_with('@'))) {
        for (std::size_t i = lead; i < End; ++i) {
            if (Tokens[i].Part == TAddressPart::Separator && Tokens[i].Text == ":") {
                First = i + 1;
                break;
            }
        }
    }
    std::vector<TAddressRun> runs;
    bool apart = true;   // white space, a comment or a separator since the last word
    bool broken = true;  // a separator since the last word: no "." or "@" joins across it
    auto addWord = [&](std::string_view Word, TAddressPart Part) {
        const bool joined =
            !runs.empty() && !broken &&
            (!apart || JoinsWords(runs.back().Text.back()) || JoinsWords(Word.front()));
        if (!joined) runs.emplace_back();
        TAddressRun& run = runs.back();
        run.Text += Word;
        run.HasAt =
            run.HasAt || (Part == TAddressPart::Plain && Word.find('@') != std::string_view::npos);
        run.Quoted = ++run.Words == 1 && Part == TAddressPart::Quoted;
        apart = broken = false;
    };
    for (std::size_t i = First; i < End; ++i) {
        const TAddressToken& token = Tokens[i];
        switch (token.Part) {
            case TAddressPart::Comment:
                apart = true;
                break;
            case TAddressPart::Separator:
                apart = broken = true;
                break;
            case TAddressPart::Plain:
                for (std::size_t p = 0; p < token.Text.size();) {
                    if (IsWhite(token.Text[p])) {
                        apart = true;
                        ++p;
                        continue;
                    }
                    const auto white =
                        std::find_if(token.Text.begin() + p, token.Text.end(), IsWhite);
                    const auto end = static_cast<std::size_t>(white - token.Text.begin());
                    addWord(token.Text.substr(p, end - p), TAddressPart::Plain);
                    p = end;
                }
                break;
            default:
                addWord(token.Text, token.Part);
        }
    }
    if (runs.empty()) return "";
    const auto withAt =
        std::find_if(runs.begin(), runs.end(), [](const TAddressRun& R) { return R.HasAt; });
    // Text that names no mailbox at all ("Mail Delivery System") is the address as it stands, but
    // for its comments: the rules match it whole.
    if (withAt == runs.end() && runs.size() > 1) {
        std::string words = runs.front().Text;
        for (auto r = runs.begin() + 1; r != runs.end(); ++r)
            words += ' ' + r->Text;
        return words;
    }
    const TAddressRun& run = withAt != runs.end() ? *withAt : runs.front();
    if (run.Quoted && IsQuotedString(run.Text))
        return WithoutQuotedPairs(std::string_view(run.Text).substr(1, run.Text.size() - 2));
    return run.Text;
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

// A quoted string or a comment with its inside decoded and escaped again.
std::string DecodedInside(const TAddressToken& Token, std::string_view Specials,
                          TWordCharSets& CharSets) {
    const std::string_view inside = Inside(Token);
    const std::string decoded = Decoded(inside, CharSets);
    if (decoded == inside) return std::string(Token.Text);
    return Token.Text.front() + Escaped(decoded, Specials) +
           (Token.Closed ? std::string(1, Token.Text.back()) : "");
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

// The address and the name of one entry, tokens [First, End): "Name <address>", "address
// (Name)" or a bare address.
void ParseEntry(const std::vector<TAddressToken>& Tokens, std::size_t First, std::size_t End,
                bool Lenient, std::string& Address, std::string& Name) {
    const auto begin = Tokens.begin() + static_cast<std::ptrdiff_t>(First);
    const auto end = Tokens.begin() + static_cast<std::ptrdiff_t>(End);
    const auto isAngle = [](const TAddressToken& T) { return T.Part == TAddressPart::Angle; };
    if (const auto angle = std::find_if(begin, end, isAngle); angle != end) {
        if (!angle->Closed && !Lenient) throw EMailAddressError("Unable to parse email address");
        const std::vector<TAddressToken> inside = Tokenize(Inside(*angle));
        Address = AddressIn(inside, 0, inside.size());
        const auto at = static_cast<std::size_t>(angle - Tokens.begin());
        Name =
            NameText(std::string(Span(Tokens, First, at)) + std::string(Span(Tokens, at + 1, End)));
        return;
    }
    Address = AddressIn(Tokens, First, End);
    const auto isComment = [](const TAddressToken& T) { return T.Part == TAddressPart::Comment; };
    if (const auto comment = std::find_if(begin, end, isComment); comment != end)
        Name = Unquote(WithoutQuotedPairs(Inside(*comment)));
}

// ParseAddress, and with Lenient an address whose "<" never closes read up to the end.
void ReadAddress(const std::string& Text, TmsMailAddress& MailAddress, bool Lenient) {
    const std::vector<TAddressToken> tokens = Tokenize(Text);
    const std::vector<TListPiece> pieces = ListPieces(tokens);
    std::string address;
    std::string name;
    if (!pieces.front().GroupName) {
        ParseEntry(tokens, 0, tokens.size(), Lenient, address, name);
    } else {
        // A group ("Friends: a@x, b@x;") stands for its first member, past empty elements; its
        // name is no address.
        const auto member = std::find_if(
            pieces.begin() + 1, pieces.end(),
            [&](const TListPiece& P) { return !P.GroupName && HoldsAddress(tokens, P); });
        if (member != pieces.end())
            ParseEntry(tokens, member->First, member->End, Lenient, address, name);
        else  // an empty group ("Undisclosed recipients:;") has only its name to show
            name = NameText(std::string(Span(tokens, 0, pieces.front().End)));
    }
    MailAddress.Address = Cut(address);
    MailAddress.Name = Cut(name);
}

}  // namespace

std::string DecodeAddressWords(std::string_view Text) {
    TWordCharSets unused;
    return DecodeAddressWords(Text, unused);
}

std::string DecodeAddressWords(std::string_view Text, TWordCharSets& CharSets) {
    const std::vector<TAddressToken> tokens = Tokenize(Text);
    std::string result;
    for (const TListPiece& piece : ListPieces(tokens)) {
        // A display name stands before an address in brackets or is a group's name; without
        // either the plain text is the address itself.
        const bool phrase =
            piece.GroupName ||
            std::any_of(tokens.begin() + static_cast<std::ptrdiff_t>(piece.First),
                        tokens.begin() + static_cast<std::ptrdiff_t>(piece.End),
                        [](const TAddressToken& T) { return T.Part == TAddressPart::Angle; });
        for (std::size_t i = piece.First; i < piece.End; ++i) {
            const TAddressToken& token = tokens[i];
            switch (token.Part) {
                case TAddressPart::Plain:
                    result +=
                        phrase ? DecodedPhrase(token.Text, CharSets) : std::string(token.Text);
                    break;
                case TAddressPart::Quoted:
                    result += DecodedInside(token, "\"\\", CharSets);
                    break;
                case TAddressPart::Comment:
                    result += DecodedInside(token, "()\\", CharSets);
                    break;
                default:
                    result += token.Text;
            }
        }
        if (piece.End < tokens.size()) result += tokens[piece.End].Text;
    }
    return result;
}

std::vector<std::string_view> AddressListEntries(std::string_view Text) {
    const std::vector<TAddressToken> tokens = Tokenize(Text);
    std::vector<std::string_view> entries;
    for (const TListPiece& piece : ListPieces(tokens))
        if (!piece.GroupName && HoldsAddress(tokens, piece))
            entries.push_back(Span(tokens, piece.First, piece.End));
    return entries;
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
    ReadAddress(Text, MailAddress, false);
}

void ParseAddressLeniently(const std::string& Text, TmsMailAddress& MailAddress) {
    ReadAddress(Text, MailAddress, true);
}

void ParseMailAddress(const std::string& Text, std::string& Address, std::string& Name) {
    TmsMailAddress parsed;
    ParseAddress(Text, parsed);
    Address = std::move(parsed.Address);
    Name = std::move(parsed.Name);
}

}  // namespace vex
