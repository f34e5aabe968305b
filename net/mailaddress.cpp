#include "net/mailaddress.h"

#include <string_view>

#include "net/headerwords.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr std::size_t MaxFieldLength = 255;

std::string Cut(std::string S) {
    if (S.size() > MaxFieldLength) S.resize(MaxFieldLength);
    return S;
}

// The first "<" that is not inside a quoted display name.
std::size_t FindOpeningBracket(std::string_view Text) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (inQuotes && Text[i] == '\\')
            ++i;
        else if (Text[i] == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && Text[i] == '<')
            return i;
    }
    return std::string_view::npos;
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

}  // namespace

void TmsMailAddress::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TmsMailAddress*>(Source)) {
        Name = source->Name;
        Address = source->Address;
        return;
    }
    TPersistent::Assign(Source);
}

void TmsMailAddress::Clear() {
    Name.clear();
    Address.clear();
}

void ParseAddress(const std::string& Text, TmsMailAddress& MailAddress) {
    std::string address;
    std::string name;
    std::size_t open = FindOpeningBracket(Text);
    std::size_t paren = Text.find('(');
    if (open != std::string::npos) {
        std::size_t close = Text.find('>', open + 1);
        if (close == std::string::npos) throw EMailAddressError("Unable to parse email address");
        address = Unquote(WithoutComments(Text.substr(open + 1, close - open - 1)));
        name = Unquote(Text.substr(0, open) + Text.substr(close + 1));
    } else if (paren != std::string::npos) {
        address = Unquote(Text.substr(0, paren));
        std::string inside = TrimRight(std::string_view(Text).substr(paren + 1));
        if (!inside.empty() && inside.back() == ')') inside.pop_back();
        name = Unquote(inside);
    } else {
        address = Trim(Text);
    }
    MailAddress.Address = Cut(std::move(address));
    MailAddress.Name = Cut(std::move(name));
}

void ParseMailAddress(const std::string& Text, std::string& Address, std::string& Name) {
    TmsMailAddress parsed;
    ParseAddress(Text, parsed);
    Address = std::move(parsed.Address);
    Name = std::move(parsed.Name);
}

}  // namespace vex
