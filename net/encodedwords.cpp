#include "net/encodedwords.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/quotedprintable.h"

namespace vex {

namespace {

constexpr size_t kMaxResult = 255;
constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();

bool IsWhiteSpace(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

bool IsCharsetChar(char C) {
    return static_cast<uint8_t>(C) > ' ' && C != '?' && C != 0x7F;
}

struct TEncodedWord {
    std::string Text;  // decoded
    size_t End;        // just past the closing "?="
};

// Finds the first "?=" at or after a position. Positions only grow, and the answer stays the
// same until a position passes it, so however many malformed words share one far "?=", the
// text is searched once.
class TCloseFinder {
public:
    explicit TCloseFinder(std::string_view S) : FText(S) {}

    size_t From(size_t Pos) {
        if (!FSearched || (FClose != std::string_view::npos && Pos > FClose)) {
            FClose = FText.find("?=", Pos);
            FSearched = true;
        }
        return FClose;
    }

private:
    std::string_view FText;
    size_t FClose = std::string_view::npos;
    bool FSearched = false;
};

// The encoded word at Pos (which holds "=?"), or nothing when the text there is not one.
std::optional<TEncodedWord> ParseWord(std::string_view S, size_t Pos, TCloseFinder& Closes) {
    size_t i = Pos + 2;
    const size_t charsetStart = i;
    while (i < S.size() && IsCharsetChar(S[i]))
        ++i;
    if (i == charsetStart || i + 2 >= S.size() || S[i] != '?' || S[i + 2] != '?')
        return std::nullopt;
    const char encoding = S[i + 1];
    const size_t textStart = i + 3;
    const size_t close = Closes.From(textStart);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view text = S.substr(textStart, close - textStart);
    TEncodedWord word{{}, close + 2};
    if (encoding == 'B' || encoding == 'b') {
        try {
            Base64Decode(text, word.Text, kUnlimited);
        } catch (const EMessageParserError&) {
            return std::nullopt;  // not base64 after all: shown as it stands
        }
    } else if (encoding == 'Q' || encoding == 'q') {
        std::string underscored(text);
        std::replace(underscored.begin(), underscored.end(), '_', ' ');
        DecodeQuotedPrintable(underscored, word.Text, kUnlimited);
    } else {
        return std::nullopt;
    }
    return word;
}

}  // namespace

void DecodeEncodedWords(std::string_view Source, std::string& Dest) {
    std::string out;
    size_t pos = 0;
    bool afterWord = false;  // the last thing written was a decoded word
    TCloseFinder closes(Source);
    while (pos < Source.size() && out.size() < kMaxResult) {
        const size_t start = Source.find("=?", pos);
        const size_t plainEnd = start == std::string_view::npos ? Source.size() : start;
        std::string_view plain = Source.substr(pos, plainEnd - pos);
        std::optional<TEncodedWord> word;
        if (start != std::string_view::npos) word = ParseWord(Source, start, closes);
        const bool onlyWhiteSpace = std::all_of(plain.begin(), plain.end(), IsWhiteSpace);
        if (!(word && afterWord && onlyWhiteSpace)) out.append(plain);
        if (word) {
            out.append(word->Text);
            pos = word->End;
            afterWord = true;
        } else if (start != std::string_view::npos) {
            out.append("=?");
            pos = start + 2;
            afterWord = false;
        } else {
            pos = Source.size();
        }
    }
    if (out.size() > kMaxResult) out.resize(kMaxResult);
    Dest = std::move(out);
}

void EncodeISO2022JPText(std::string_view Source, std::string& Dest) {
    constexpr char kEscape = 27;
    if (Source.empty() || Source.front() != kEscape) {
        Dest.assign(Source);
        return;
    }
    std::string encoded;
    Base64Encode(Source, encoded, kUnlimited);
    Dest = "=?ISO-2022-JP?B?" + encoded + "?=";
}

void EncodeHeaderText(std::string_view Source, std::string_view CharSet, std::string& Dest) {
    constexpr size_t kMaxWord = 75;
    constexpr char kHex[] = "0123456789ABCDEF";
    if (std::none_of(Source.begin(), Source.end(), [](char C) { return C & 0x80; })) {
        Dest.assign(Source);
        return;
    }
    const std::string open = "=?" + std::string(CharSet) + "?Q?";
    const size_t room = kMaxWord - open.size() - 2;
    std::string out;
    std::string word;
    auto close = [&] {
        if (!out.empty()) out += ' ';
        out += open + word + "?=";
        word.clear();
    };
    for (char c : Source) {
        std::string piece;
        if (c == ' ') {
            piece = "_";
        } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                   std::string_view("!*+-/").find(c) != std::string_view::npos) {
            piece = c;
        } else {
            piece = {'=', kHex[static_cast<uint8_t>(c) >> 4], kHex[c & 15]};
        }
        if (word.size() + piece.size() > room) close();
        word += piece;
    }
    close();
    Dest = std::move(out);
}

}  // namespace vex
