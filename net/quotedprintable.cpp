#include "net/quotedprintable.h"

#include <array>
#include <limits>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/win/application.h"

namespace vex {

namespace {

// Lets the message loop run once per 64 KiB of text: often enough that the program answers while
// a large attachment is coded, seldom enough that a text of short paragraphs does not pay a
// system call for each one. A handler that sets Cancel is seen at the next paragraph.
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
constexpr uint8_t kNotHex = 0x80;
constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max();
constexpr char kEndOfFile = 26;  // a DOS text ends here; no break follows it
constexpr int32_t kReadChunk = 65536;

constexpr std::array<uint8_t, 256> MakeHexValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kNotHex);
    for (uint8_t i = 0; i < 10; ++i)
        values['0' + i] = i;
    for (uint8_t i = 0; i < 6; ++i) {
        values['A' + i] = static_cast<uint8_t>(10 + i);
        values['a' + i] = static_cast<uint8_t>(10 + i);
    }
    return values;
}

constexpr std::array<uint8_t, 256> kHexValues = MakeHexValues();

bool NeedsEscape(uint8_t C) {
    return C < 32 || C == '=' || C >= 128;
}

void CutTo(std::string& S, int32_t MaxLen) {
    const size_t limit = MaxLen > 0 ? static_cast<size_t>(MaxLen) : 0;
    if (S.size() > limit) S.resize(limit);
}

[[noreturn]] void ParagraphTooLarge() {
    throw Exception("Paragraph is too large");
}

}  // namespace

TQuotedPrintable::TQuotedPrintable(TStream* Stream, TStrings* Lines)
    : FStream(Stream), FLines(Lines) {}

void TQuotedPrintable::EncodeLine(std::string& Line, int32_t MaxLen, bool KeepLast) {
    const size_t scanned = KeepLast && !Line.empty() ? Line.size() - 1 : Line.size();
    std::string out;
    out.reserve(Line.size() + 16);
    for (size_t i = 0; i < scanned; ++i) {
        const auto c = static_cast<uint8_t>(Line[i]);
        // A blank at the very end would be lost by any transport that trims lines.
        const bool trailingBlank = c == ' ' && i + 1 == Line.size();
        if (NeedsEscape(c) || trailingBlank) {
            out += '=';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out.append(Line, scanned, std::string::npos);
    CutTo(out, MaxLen);
    Line = std::move(out);
}

void TQuotedPrintable::EncodeParagraph(std::string_view Text, int32_t Width, TStrings& Lines) {
    Lines.Clear();
    const size_t width = Width > 0 ? static_cast<size_t>(Width) : 1;
    size_t p = 0;
    for (;;) {
        size_t q = p + width;
        const bool last = q > Text.size();
        if (last) {
            q = Text.size();
        } else {
            // A piece of exactly the remaining length is not the last: its end is looked at
            // like any other, so a paragraph of Width characters still breaks at a blank.
            while (q > p && (q == Text.size() || Text[q] != ' '))
                --q;
            if (q == p) q = p + width;
        }
        std::string piece(Text.substr(p, q - p));
        if (!last) piece += '=';
        EncodeLine(piece, kUnlimited, !last);
        Lines.Add(piece);
        if (last) break;
        p = q;
    }
}

void TQuotedPrintable::DecodeLine(std::string& Line, int32_t MaxLen) {
    char* text = Line.data();
    const size_t size = Line.size();
    size_t to = 0;
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '=' && i + 2 < size) {
            const uint8_t high = kHexValues[static_cast<uint8_t>(text[i + 1])];
            const uint8_t low = kHexValues[static_cast<uint8_t>(text[i + 2])];
            if (((high | low) & kNotHex) == 0) {
                text[to++] = static_cast<char>(high << 4 | low);
                i += 2;
                continue;
            }
        }
        text[to++] = text[i];
    }
    Line.resize(to);
    CutTo(Line, MaxLen);
}

void TQuotedPrintable::Encode() {
    std::string paragraph;
    paragraph.reserve(ParagraphSize);
    std::vector<char> chunk(kReadChunk);
    TStringList pieces;
    TMessagePump pump;
    bool any = false;  // a paragraph has been written
    // Text: the last paragraph ended at a CR, so an LF now completes that break. Data: a CR
    // waits for the LF that would make it a break.
    bool afterCR = false;

    auto flush = [&](bool SoftEnd) {
        EncodeParagraph(paragraph, LineWidth, pieces);
        if (SoftEnd) pieces.SetStrings(pieces.Count() - 1, pieces[pieces.Count() - 1] + '=');
        FLines->AddStrings(pieces);
        pump.After(paragraph.size());
        paragraph.clear();
        any = true;
        return !Cancel;
    };
    auto add = [&](char C) {
        if (paragraph.size() + 1 >= static_cast<size_t>(ParagraphSize)) ParagraphTooLarge();
        paragraph += C;
    };

    FStream->SetPosition(0);
    for (;;) {
        const int32_t count = FStream->Read(chunk.data(), kReadChunk);
        if (count <= 0) break;
        for (int32_t i = 0; i < count; ++i) {
            const char c = chunk[static_cast<size_t>(i)];
            if (LoneBreaksAreData) {
                if (afterCR) {
                    afterCR = false;
                    if (c == '\n') {
                        if (!flush(false)) return;
                        continue;
                    }
                    add('\r');
                }
                if (c == '\r')
                    afterCR = true;
                else
                    add(c);
                continue;
            }
            if (afterCR) {
                afterCR = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                afterCR = c == '\r';
                if (!flush(false)) return;
            } else {
                add(c);
            }
        }
    }
    if (LoneBreaksAreData && afterCR) add('\r');
    if (ExactEnd) {
        if (!paragraph.empty()) flush(true);
    } else if (!paragraph.empty() || !any) {
        flush(false);
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
    std::string decoded(Line);
    TQuotedPrintable::DecodeLine(decoded, kUnlimited);
    Out += decoded;
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
    std::string line(Source);
    if (!line.empty() && line.back() == '=') line.pop_back();
    TQuotedPrintable::DecodeLine(line, kUnlimited);
    const size_t lineBreak = line.find_first_of("\r\n");
    if (lineBreak != std::string::npos) line.resize(lineBreak);
    CutTo(line, MaxLen);
    Dest = std::move(line);
}

}  // namespace vex
