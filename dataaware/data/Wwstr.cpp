#include "dataaware/data/Wwstr.h"

#include <algorithm>
#include <limits>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {

void wwGetToken(std::string_view Text, std::string_view Delimiter, int32_t& Pos,
                std::string& Token) {
    Token.clear();
    if (Pos <= 0) return;
    if (Text.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw ERangeError("Range check error");
    if (static_cast<size_t>(Pos) > Text.size()) {
        Pos = -1;
        return;
    }
    const std::string_view rest = Text.substr(static_cast<size_t>(Pos) - 1);
    size_t found;
    size_t skip;
    if (Delimiter.size() == 1) {
        found = rest.find(Delimiter);
        skip = 1;
    } else {
        const std::string word = " " + AnsiUpperCase(Delimiter) + " ";
        found = AnsiUpperCase(rest).find(word);
        skip = word.size();
    }
    if (found == std::string_view::npos) {
        Token = rest;
        Pos = -1;
        return;
    }
    Token = rest.substr(0, found);
    // The text's length bounds this, and the text fits an Integer.
    Pos = static_cast<int32_t>(static_cast<size_t>(Pos) + found + skip);
}

void wwSplit(std::string_view Text, std::string_view Delimiter, TStrings& List) {
    List.Clear();
    for (;;) {
        const size_t found = Delimiter.empty() ? std::string_view::npos : Text.find(Delimiter);
        if (found == std::string_view::npos) {
            List.Add(std::string(Text));
            return;
        }
        List.Add(std::string(Text.substr(0, found)));
        Text.remove_prefix(found + Delimiter.size());
    }
}

void wwStripTrailing(std::string& S, const TwwCharSet& Chars) {
    while (!S.empty() && Chars.test(static_cast<unsigned char>(S.back())))
        S.pop_back();
}

void wwReplaceChar(std::string_view S, char From, char To, std::string& Result) {
    Result = S;
    std::replace(Result.begin(), Result.end(), From, To);
}

bool wwEqualText(std::string_view A, std::string_view B) {
    return SameText(A, B);
}

int32_t wwCountChar(std::string_view S, char C) {
    return static_cast<int32_t>(std::count(S.begin(), S.end(), C));
}

void wwTextAfter(std::string_view S, char C, std::string& Result) {
    const size_t found = S.find(C);
    Result = found == std::string_view::npos ? std::string() : std::string(S.substr(found + 1));
}

}  // namespace vex
