#include "net/quotedprintable.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "net/quotedprintableescapes.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/win/application.h"

namespace vex {

namespace {

// Lets the message loop run once per 64 KiB of text: often enough that the program answers while
// a large attachment is coded, seldom enough that a text of short paragraphs does not pay a
// system call for each one. A handler that sets Cancel is seen at the next paragraph, or
// within a long one when its next held text is encoded.
class TMessagePump {
public:
    void After(size_t Bytes) {
        FSince += Bytes + 1;
        if (FSince < kBytesPerPump) return;
        FSince = 0;
        Application().ProcessMessages();
    }

private:
    static constexpr size_t kBytesPerPump = 64 * 1024;
    size_t FSince = kBytesPerPump;  // the first paragraph lets the loop run at once
};

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kEndOfFile = 26;  // a DOS text ends here; no break follows it
constexpr int32_t kReadChunk = 65536;
constexpr size_t kLineLimit = TQuotedPrintable::MaxLineLength;
// The text of a paragraph held before it is encoded as far as its cuts are certain.
constexpr size_t kHeldText = 64 * 1024;

bool NeedsEscape(uint8_t C) {
    return C < 32 || C == '=' || C >= 128;
}

size_t EncodedSize(char C) {
    return NeedsEscape(static_cast<uint8_t>(C)) ? 3 : 1;
}

void CutTo(std::string& S, int32_t MaxLen) {
    const size_t limit = MaxLen > 0 ? static_cast<size_t>(MaxLen) : 0;
    if (S.size() > limit) S.resize(limit);
}

// With EscapeFinalBlank a blank that ends Text is escaped too: any transport that trims lines
// would lose it.
void AppendEncoded(std::string_view Text, bool EscapeFinalBlank, std::string& Out) {
    size_t kept = 0;  // where the characters that go as they are begin
    for (size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<uint8_t>(Text[i]);
        if (!NeedsEscape(c) && !(EscapeFinalBlank && c == ' ' && i + 1 == Text.size())) continue;
        const char escape[] = {'=', kHexDigits[c >> 4], kHexDigits[c & 15]};
        Out.append(Text.substr(kept, i - kept)).append(escape, sizeof escape);
        kept = i + 1;
    }
    Out.append(Text.substr(kept));
}

// Whether Text encodes within Room characters as a last piece, its final blank escaped. Looks at
// no more than Room characters.
bool FitsIn(std::string_view Text, size_t Room) {
    size_t size = !Text.empty() && Text.back() == ' ' ? 2 : 0;
    for (const char c : Text) {
        size += EncodedSize(c);
        if (size > Room) return false;
    }
    return true;
}

// Where the first CR of Text is, or LF too unless lone breaks are data; its size when there is
// none.
size_t FindBreak(std::string_view Text, bool LoneBreaksAreData) {
    if (LoneBreaksAreData) return std::min(Text.find('\r'), Text.size());
    return static_cast<size_t>(
        std::find_if(Text.begin(), Text.end(), [](char C) { return C == '\r' || C == '\n'; }) -
        Text.begin());
}

// What follows the text of a paragraph held so far: more of it (Open), a line break (Break), or
// the end of data that has no break there (Soft, written as a soft break).
enum class TTextEnd { Open, Break, Soft };

struct TCut {
    size_t End;
    bool Last;
};

// Where the piece of Text from P ends. It is the last piece when the rest is shorter than Width
// and fits LastRoom. Otherwise it ends before the last blank within Width characters whose
// escapes, with the soft break, fit a line; without a blank it is cut there. The blank begins
// the next piece.
TCut NextCut(std::string_view Text, size_t P, size_t Width, size_t LastRoom) {
    const size_t rest = Text.size() - P;
    if (rest < Width && FitsIn(Text.substr(P), LastRoom)) return {Text.size(), true};
    const size_t limit = P + std::min(rest, Width);
    size_t end = P;
    size_t size = 1;  // the soft break
    while (end < limit && size + EncodedSize(Text[end]) <= kLineLimit)
        size += EncodedSize(Text[end++]);
    // A piece that ends where the text does is looked at like any other, so a paragraph of
    // Width characters still breaks at a blank.
    size_t cut = end;
    while (cut > P && (cut == Text.size() || Text[cut] != ' '))
        --cut;
    return {cut > P ? cut : end, false};
}

// Encodes the pieces of a paragraph's Text from its start onto Lines; when more text may follow,
// only those that it could not change, which leaves no more than Width characters. Returns how
// much of Text was encoded.
size_t EncodePieces(std::string_view Text, size_t Width, TTextEnd End, TStrings& Lines) {
    const size_t lastRoom = End == TTextEnd::Soft ? kLineLimit - 1 : kLineLimit;
    std::string line;
    size_t p = 0;
    for (;;) {
        if (End == TTextEnd::Open && Text.size() - p <= Width) return p;
        const TCut cut = NextCut(Text, p, Width, lastRoom);
        line.clear();
        AppendEncoded(Text.substr(p, cut.End - p), cut.Last, line);
        if (!cut.Last || End == TTextEnd::Soft) line += '=';
        Lines.Add(line);
        p = cut.End;
        if (cut.Last) return p;
    }
}

void AppendDecoded(std::string_view Text, std::string& Out) {
    const size_t held = Out.size();
    Out.resize(held + Text.size());
    Out.resize(static_cast<size_t>(DecodeQuotedEscapes(Text, Out.data() + held) - Out.data()));
}

}  // namespace

TQuotedPrintable::TQuotedPrintable(TStream* Stream, TStrings* Lines)
    : FStream(Stream), FLines(Lines) {}

void TQuotedPrintable::EncodeLine(std::string& Line, int32_t MaxLen, bool KeepLast) {
    const size_t scanned = KeepLast && !Line.empty() ? Line.size() - 1 : Line.size();
    std::string out;
    out.reserve(Line.size() + 16);
    AppendEncoded(std::string_view(Line).substr(0, scanned), !KeepLast, out);
    out.append(Line, scanned, std::string::npos);
    CutTo(out, MaxLen);
    Line = std::move(out);
}

void TQuotedPrintable::EncodeParagraph(std::string_view Text, int32_t Width, TStrings& Lines) {
    Lines.Clear();
    EncodePieces(Text, Width > 0 ? static_cast<size_t>(Width) : 1, TTextEnd::Break, Lines);
}

void TQuotedPrintable::DecodeLine(std::string& Line, int32_t MaxLen) {
    Line.resize(static_cast<size_t>(DecodeQuotedEscapes(Line, Line.data()) - Line.data()));
    CutTo(Line, MaxLen);
}

void TQuotedPrintable::Encode() {
    std::vector<char> chunk(kReadChunk);
    std::string paragraph;  // what is not yet encoded of the current paragraph
    TMessagePump pump;
    bool any = false;  // a paragraph has been written
    // Text: the last paragraph ended at a CR, so an LF now completes that break. Data: a CR
    // waits for the LF that would make it a break.
    bool afterCR = false;

    // False when a handler has cancelled the run.
    auto encode = [&](TTextEnd End) {
        FLines->BeginUpdate();
        size_t done = 0;
        try {
            done = EncodePieces(paragraph, LineWidth, End, *FLines);
        } catch (...) {
            FLines->EndUpdate();
            throw;
        }
        FLines->EndUpdate();
        pump.After(done);
        paragraph.erase(0, done);
        return !Cancel;
    };
    auto endParagraph = [&] {
        any = true;
        return encode(TTextEnd::Break);
    };

    FStream->SetPosition(0);
    for (int32_t count; (count = FStream->Read(chunk.data(), kReadChunk)) > 0;) {
        std::string_view rest(chunk.data(), static_cast<size_t>(count));
        while (!rest.empty()) {
            if (afterCR) {
                afterCR = false;
                if (rest.front() == '\n') {
                    rest.remove_prefix(1);
                    if (LoneBreaksAreData && !endParagraph()) return;
                    continue;
                }
                if (LoneBreaksAreData) paragraph += '\r';
            }
            const size_t lineBreak = FindBreak(rest, LoneBreaksAreData);
            paragraph.append(rest.substr(0, lineBreak));
            if (lineBreak == rest.size()) break;
            afterCR = rest[lineBreak] == '\r';
            rest.remove_prefix(lineBreak + 1);
            if (!LoneBreaksAreData && !endParagraph()) return;
        }
        if (paragraph.size() >= kHeldText && !encode(TTextEnd::Open)) return;
    }
    if (LoneBreaksAreData && afterCR) paragraph += '\r';
    if (ExactEnd) {
        if (!paragraph.empty()) encode(TTextEnd::Soft);
    } else if (!paragraph.empty() || !any) {
        encode(TTextEnd::Break);
    }
}

TQuotedLineEnd DecodeQuotedLine(std::string_view Line, std::string& Out) {
    // Blanks at the end of a line were added by a transport, also after a soft break.
    while (!Line.empty() && (Line.back() == ' ' || Line.back() == '\t'))
        Line.remove_suffix(1);
    const bool soft = !Line.empty() && Line.back() == '=';
    // A DOS end-of-file mark written as it is ends the text without a break; an escaped one is
    // data like any other byte.
    const bool endOfFile = !Line.empty() && Line.back() == kEndOfFile;
    if (soft) Line.remove_suffix(1);
    AppendDecoded(Line, Out);
    if (soft) return TQuotedLineEnd::Soft;
    if (endOfFile) return TQuotedLineEnd::EndOfFile;
    Out += "\r\n";
    return TQuotedLineEnd::Break;
}

void TQuotedPrintable::Decode() {
    std::string text;
    TMessagePump pump;
    const int32_t count = FLines->Count();
    for (int32_t i = 0; i < count; ++i) {
        const bool paragraphEnds =
            DecodeQuotedLine(FLines->Strings(i), text) != TQuotedLineEnd::Soft;
        // Soft breaks may hold a paragraph together for any length: it is written in pieces.
        if (!paragraphEnds && text.size() < static_cast<size_t>(kReadChunk)) continue;
        FStream->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
        pump.After(text.size());
        text.clear();
        if (paragraphEnds && Cancel) return;
    }
    if (!text.empty()) FStream->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void DecodeQuotedPrintable(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    Application().ProcessMessages();
    DecodeQuotedPrintablePiece(Source, Dest, MaxLen);
}

void DecodeQuotedPrintablePiece(std::string_view Source, std::string& Dest, int32_t MaxLen) {
    if (!Source.empty() && Source.back() == '=') Source.remove_suffix(1);
    std::string line(Source);
    TQuotedPrintable::DecodeLine(line, MaxLen);
    Dest = std::move(line);
}

}  // namespace vex
