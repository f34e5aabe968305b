// The mail codecs and header word routines, driven by the table in testdata/mimecodecs.txt, and
// what a table cannot say: round trips of random data, hostile sizes, and the message loop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <string_view>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "net/quotedprintable.h"
#include "net/quotedprintableescapes.h"
#include "net/uuencode.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/win/messageloop.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();

// Lines apart by LF.
std::string Joined(const TStrings& Lines) {
    std::string s;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        s += (i > 0 ? "\n" : "") + Lines[i];
    return s;
}

// Data: only CR LF breaks a line, and the lines end where the bytes do.
std::string QPEncoded(const std::string& Bytes, bool Cancel = false, bool Data = false) {
    TStringStream stream(Bytes);
    TStringList lines;
    TQuotedPrintable encoder(&stream, &lines);
    encoder.LoneBreaksAreData = Data;
    encoder.ExactEnd = Data;
    if (Cancel) RunOnMainThread([&] { encoder.Cancel = true; });
    encoder.Encode();
    return Joined(lines);
}

std::string QPDecoded(const std::string& Lines, bool Cancel = false) {
    TStringList lines;
    for (size_t p = 0, end = 0; end != std::string::npos; p = end + 1)
        lines.Add(Lines.substr(p, (end = Lines.find('\n', p)) - p));
    TStringStream stream;
    TQuotedPrintable decoder(&stream, &lines);
    if (Cancel) RunOnMainThread([&] { decoder.Cancel = true; });
    decoder.Decode();
    return stream.DataString();
}

template <typename Routine>
std::string Coded(Routine Code, const std::string& Source) {
    std::string dest = "stale";
    Code(Source, dest, kWhole);
    return dest;
}

// Encoded header text checked against the text it came from: "fits" when every word keeps to
// the 75 characters of RFC 2047 ("longest N" when one does not), then "same" when the words
// read back as Text (else what they read back as).
std::string WordsChecked(const std::string& Encoded, const std::string& Text) {
    size_t longest = 0;
    for (size_t p = 0; p <= Encoded.size();) {
        const size_t end = std::min(Encoded.find(' ', p), Encoded.size());
        longest = std::max(longest, end - p);
        p = end + 1;
    }
    std::string decoded;
    DecodeEncodedWords(Encoded, decoded);
    return (longest <= 75 ? std::string("fits") : "longest " + std::to_string(longest)) + " " +
           (decoded == Text ? "same" : decoded);
}

// Each of the encoded words of Encoded read on its own, apart by " | ".
std::string EachWordDecoded(const std::string& Encoded) {
    std::string texts;
    for (size_t p = 0; p <= Encoded.size();) {
        const size_t end = std::min(Encoded.find(' ', p), Encoded.size());
        std::string decoded;
        DecodeEncodedWords(Encoded.substr(p, end - p), decoded);
        texts += (p > 0 ? " | " : "") + decoded;
        p = end + 1;
    }
    return texts;
}

// What the operation of a row of the table gives for its arguments.
std::string Outcome(const test::TestCase& F) {
    const std::string& op = F[0];
    const std::string& a = F[1];
    std::string out = "stale";
    try {
        if (op == "base64") return Coded(Base64Encode, a) + "|" + Coded(Base64Decode, F[2]);
        if (op == "base64-decode" || op == "base64-invalid") return Coded(Base64Decode, a);
        if (op == "qp-encode") return QPEncoded(a);
        if (op == "qp-encode-data") return QPEncoded(a, false, true);
        if (op == "qp-decode") return QPDecoded(a);
        if (op == "qp-decode-word") return Coded(DecodeQuotedPrintable, a);
        if (op.starts_with("qp-encode-line")) {
            out = a;
            TQuotedPrintable::EncodeLine(out, kWhole, op == "qp-encode-line-soft");
        }
        if (op == "uu") return Coded(UUEncodeLine, a) + "|" + Coded(UUDecodeLine, F[2]);
        if (op == "uu-decode" || op == "uu-invalid") return Coded(UUDecodeLine, a);
        if (op == "uu-begin") return IsUUBegin(a) ? "1" : "0";
        if (op == "uu-name") UUFileName(a, out);
        if (op == "uu-begin-name") {
            const std::string written = UUBeginLineName(a);
            UUFileName("begin 600 " + written, out);
            return written + "|" + out;
        }
        if (op == "words") DecodeEncodedWords(a, out);
        if (op == "iso2022jp") EncodeISO2022JPText(a, out);
        if (op == "words-charset") {
            TWordCharSets charSets;
            DecodeEncodedWords(a, out, charSets);
            return charSets.CharSet();
        }
        if (op == "header-text") EncodeHeaderText(a, F[2], out);
        if (op == "unnamed-header-text") EncodeUnnamedHeaderText(a, F[2], out);
        if (op == "header-words") {
            EncodeHeaderText(a, F[2], out);
            return WordsChecked(out, a);
        }
        if (op == "header-word-texts") {
            EncodeHeaderText(a, F[2], out);
            return EachWordDecoded(out);
        }
        if (op == "unnamed-header-words") {
            EncodeUnnamedHeaderText(a, F[2], out);
            return WordsChecked(out, a);
        }
        if (op == "unquote") return Unquote(a);
        if (op == "word") GetWord(a, static_cast<int32_t>(F.Int(2)), F[3] == "1", out);
        if (op == "int-word") return std::to_string(GetIntWord(a, static_cast<int32_t>(F.Int(2))));
        if (op == "parameter") GetParameter(a, F[2], out);
        if (op == "file-name") return FileNameParameter(a, F[2]);
        if (op == "first-token") return FirstToken(a);
        if (op == "mime-type") GetMimeType(a, out);
    } catch (const EMessageParserError& e) {
        return e.Message();
    }
    return out;
}

TEST(MimeCodecs, GiveTheResultsOfTheTable) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/mimecodecs.txt")) {
        SCOPED_TRACE(c.Where);
        std::string expected = c.Fields.back();
        if (c[0] == "base64" || c[0] == "uu") expected = c[2] + "|" + c[1];
        if (c[0] == "uu-begin-name") expected = c[2] + "|" + c[3];
        if (c[0].ends_with("-invalid")) expected = "Invalid Character";
        EXPECT_EQ(Outcome(c), expected);
    }
}

// Random bytes, or text of random bytes whose breaks are all CR LF, the last one included.
std::string RandomBytes(size_t Count, uint32_t Seed, bool CrLfText) {
    std::mt19937 random(Seed);
    std::string bytes;
    while (bytes.size() < Count) {
        auto c = static_cast<char>(random() & 0xFF);
        if (CrLfText && random() % 90 == 0)
            bytes += "\r\n";
        else
            bytes += CrLfText && (c == '\r' || c == '\n') ? ' ' : c;
    }
    return bytes + (CrLfText ? "\r\n" : "");
}

// Whether no transport would change the encoded line and a decoder reads it as it was meant: it
// is short enough, ends in no blank, and every "=" but a final soft break begins a whole escape.
bool LineTravelsWhole(std::string_view Line) {
    if (Line.size() > static_cast<size_t>(TQuotedPrintable::MaxLineLength)) return false;
    if (Line.ends_with(' ') || Line.ends_with('\t')) return false;
    if (Line.ends_with('=')) Line.remove_suffix(1);
    for (size_t i = Line.find('='); i != std::string_view::npos; i = Line.find('=', i + 1)) {
        if (i + 2 >= Line.size() || !std::isxdigit(static_cast<unsigned char>(Line[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(Line[i + 2])))
            return false;
    }
    return true;
}

void ExpectLinesTravelWhole(const std::string& Encoded) {
    for (size_t p = 0, end = 0; end != std::string::npos; p = end + 1) {
        const std::string line = Encoded.substr(p, (end = Encoded.find('\n', p)) - p);
        ASSERT_TRUE(LineTravelsWhole(line)) << line;
    }
}

TEST(MimeCodecs, RandomDataSurvivesARoundTrip) {
    for (const size_t length : {0, 1, 2, 3, 57, 58, 64, 65, 66, 130, 100000, 300000}) {
        SCOPED_TRACE(length);
        const std::string bytes = RandomBytes(length, static_cast<uint32_t>(length) + 7, false);
        EXPECT_EQ(Coded(Base64Decode, Coded(Base64Encode, bytes)), bytes);
        std::string back;
        for (size_t i = 0; i < bytes.size(); i += 45)
            back += Coded(UUDecodeLine, Coded(UUEncodeLine, bytes.substr(i, 45)));
        EXPECT_EQ(back, bytes);
        // Text whose breaks are all CR LF comes back byte for byte, in lines a transport keeps.
        const std::string text = RandomBytes(length, static_cast<uint32_t>(length) + 1, true);
        const std::string encoded = QPEncoded(text);
        ExpectLinesTravelWhole(encoded);
        EXPECT_EQ(QPDecoded(encoded), text);
    }
    EXPECT_THROW(Coded(UUEncodeLine, std::string(64, 'x')), ERangeError);
}

// Escapes decoded one at a time into a fresh string: what the in-place decoder must match.
std::string NaiveQPDecoded(std::string_view Text) {
    auto hex = [](char C) { return std::isxdigit(static_cast<unsigned char>(C)) != 0; };
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '=' && i + 2 < Text.size() && hex(Text[i + 1]) && hex(Text[i + 2])) {
            out += static_cast<char>(std::stoi(std::string(Text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// Lines thick with "=", hex digits of both cases, near-hex, blanks and bytes of any value: the
// decoder writing over its own input never reads a byte it has already written.
TEST(MimeCodecs, QuotedPrintableDecodesInPlaceAsIntoAFreshString) {
    std::mt19937 random(11);
    constexpr std::string_view kAlphabet("==09AFafGg \t\0\x80\xff\x1a", 16);
    for (int round = 0; round < 20000; ++round) {
        std::string line(random() % (round % 100 == 0 ? 3000 : 24), '\0');
        for (char& c : line)
            c = random() % 8 == 0 ? static_cast<char>(random())
                                  : kAlphabet[random() % kAlphabet.size()];
        SCOPED_TRACE(line);
        const std::string expected = NaiveQPDecoded(line);
        const auto maxLen = static_cast<int32_t>(random() % 30);
        std::string inPlace = line;
        TQuotedPrintable::DecodeLine(inPlace, maxLen);
        ASSERT_EQ(inPlace, expected.substr(0, static_cast<size_t>(maxLen)));
        std::string appended = "held";
        DecodeQuotedLine(line + "x", appended);
        ASSERT_EQ(appended, "held" + NaiveQPDecoded(line + "x") + "\r\n");
    }
}

using TEscapeDecoder = char* (*)(std::string_view Text, char* To);

// Line decoded from a buffer of exactly its size, into another or over itself: a byte read or
// written past either end shows under the sanitizers, as it would not within a string's spare
// capacity or its terminator.
std::string DecodedFromExactBuffer(TEscapeDecoder Decode, std::string_view Line, bool InPlace) {
    const auto from = std::make_unique<char[]>(Line.size());
    std::copy(Line.begin(), Line.end(), from.get());
    const auto apart = InPlace ? nullptr : std::make_unique<char[]>(Line.size());
    char* to = InPlace ? from.get() : apart.get();
    return std::string(to, Decode(std::string_view(from.get(), Line.size()), to));
}

// Escapes whole, cut short, malformed and back to back, at every place of lines of up to 40
// bytes: on every side of where a line is cut into blocks of sixteen, and as the last, second
// last and third last byte. The byte-at-a-time decoder, which a processor without byte shuffles
// takes for every line, must agree too.
TEST(MimeCodecs, QuotedPrintableEscapesDecodeAlikeWhereverTheyFall) {
    constexpr std::string_view kPieces[] = {"=41",
                                            "=4",
                                            "=",
                                            "=G1",
                                            "=1G",
                                            "=\r",
                                            "=\n",
                                            "==41",
                                            "=4=41",
                                            "=fF",
                                            "= \t",
                                            std::string_view("=\0", 2),
                                            std::string_view("\0=00", 4),
                                            "=\xff",
                                            "\x80=E9"};
    constexpr std::string_view kFillers[] = {"x", "=", "=E9", "=4", "\xe9"};
    for (const TEscapeDecoder decode : {&DecodeQuotedEscapes, &DecodeQuotedEscapesOneByOne})
        for (const std::string_view filler : kFillers)
            for (size_t size = 0; size <= 40; ++size)
                for (size_t at = 0; at <= size; ++at)
                    for (const std::string_view piece : kPieces) {
                        std::string line;
                        while (line.size() < size)
                            line += filler;
                        line.resize(size);
                        line.replace(at, piece.size(), piece);
                        line.resize(size);
                        SCOPED_TRACE(line);
                        const std::string expected = NaiveQPDecoded(line);
                        ASSERT_EQ(DecodedFromExactBuffer(decode, line, false), expected);
                        ASSERT_EQ(DecodedFromExactBuffer(decode, line, true), expected);
                    }
}

// Text of a stateful set, made of runs of characters after escapes and shifts, is cut into
// words that keep to their length and read back as the text: the bytes a writer adds to close
// and open a state where it cuts go again, and no byte of the text goes with them. Escapes and
// characters in any order, long runs of escapes among them, still keep to their length and read
// back as they were.
TEST(MimeCodecs, RandomStatefulTextComesBackFromItsWords) {
    struct TSet {
        const char* Name;
        std::vector<std::string> Shifts;
        std::vector<std::string> Characters;
    };
    const TSet sets[] = {
        {"iso-2022-jp", {"\x1b$B", "\x1b(B", "\x1b(J", "\x1b$@"}, {"$3", "a", " "}},
        {"iso-2022-kr", {"\x1b$)C", "\x0e", "\x0f"}, {"0!", "a", " "}},
        {"iso-2022-cn", {"\x1b$)A", "\x1b$*H", "\x0e", "\x0f"}, {"0!", "\x1bN!!", "a"}},
        {"hz-gb-2312", {"~{", "~}"}, {"~~", "0!", "a", " "}},
    };
    std::mt19937 random(2047);
    auto any = [&](const std::vector<std::string>& Pieces) {
        return Pieces[random() % Pieces.size()];
    };
    for (const TSet& set : sets) {
        SCOPED_TRACE(set.Name);
        for (int round = 0; round < 300; ++round) {
            // Within the 255 bytes a decoded value holds.
            constexpr size_t kLength = 240;
            std::string runs, mixed;
            while (runs.size() < kLength) {
                runs += any(set.Shifts);
                for (size_t count = 1 + random() % 30; count > 0 && runs.size() < kLength; --count)
                    runs += any(set.Characters);
            }
            while (mixed.size() < kLength)
                mixed += random() % 2 ? any(set.Shifts) : any(set.Characters);
            std::string words;
            EncodeHeaderText(runs, set.Name, words);
            ASSERT_EQ(WordsChecked(words, runs), "fits same") << words;
            EncodeHeaderText(mixed, set.Name, words);
            ASSERT_EQ(WordsChecked(words, mixed), "fits same") << words;
        }
    }
}

// Text like an HTML page kept on one line: words, tags with "=" in them, tabs and 8-bit letters.
std::string HtmlLikeParagraph(size_t Count, uint32_t Seed) {
    static const char* const kPieces[] = {
        "<td class=\"x\">",        "word ", "caf\xe9 ",          "\t", " ",
        "longerwordwithoutablank", "</td>", "\xc3\xa9t\xc3\xa9 "};
    std::mt19937 random(Seed);
    std::string text;
    while (text.size() < Count)
        text += kPieces[random() % std::size(kPieces)];
    text.resize(Count);
    return text;
}

// A newsletter holds a whole HTML page in one paragraph. It is encoded in pieces as it is read,
// and the pieces are cut as they would be if the paragraph were held whole.
TEST(MimeCodecs, QuotedPrintableEncodesAParagraphOfAnyLength) {
    for (const size_t length : {24576, 100000, 1 << 20}) {
        for (const std::string& paragraph :
             {HtmlLikeParagraph(length, 3), std::string(length, '\xe9'),
              std::string(length, 'x')}) {
            SCOPED_TRACE(testing::Message() << length << " bytes of " << paragraph.substr(0, 12));
            const std::string encoded = QPEncoded(paragraph + "\r\n");
            ExpectLinesTravelWhole(encoded);
            TStringList whole;
            TQuotedPrintable::EncodeParagraph(paragraph, TQuotedPrintable::LineWidth, whole);
            EXPECT_EQ(encoded, Joined(whole));
            EXPECT_EQ(QPDecoded(encoded), paragraph + "\r\n");
        }
    }
}

// The stream is read 64 KiB at a time, and a long paragraph is encoded when that much is held: a
// break, or a blank the next cut looks for, may lie on either side of that edge.
TEST(MimeCodecs, QuotedPrintableKeepsBreaksAndBlanksAtTheEdgeOfARead) {
    const std::string x(65535, 'x');
    const std::string y(70000, 'y');
    struct TCase {
        const char* Name;
        std::string Bytes;
        bool Data;
        std::string Decoded;
        const char* Encoded;  // seen somewhere in the lines
    } cases[] = {
        {"data: CR LF across the edge", x + "\r\n" + y, true, x + "\r\n" + y, "x\ny"},
        {"data: a lone CR before the edge", x + "\r" + y, true, x + "\r" + y, "x=0Dy"},
        {"data: a lone LF after the edge", x + "x\n" + y, true, x + "x\n" + y, "x=0Ay"},
        {"data: CR, then CR LF", x + "\r\r\n" + y, true, x + "\r\r\n" + y, "x=0D\ny"},
        {"data: CR at the very end", x + "x\r", true, x + "x\r", "x=0D="},
        {"text: CR LF across the edge", x + "\r\n" + y, false, x + "\r\n" + y + "\r\n", "x\ny"},
        {"text: a lone CR", x + "\r" + y, false, x + "\r\n" + y + "\r\n", "x\ny"},
        {"text: a lone LF", x + "x\n" + y, false, x + "x\r\n" + y + "\r\n", "x\ny"},
        {"text: LF CR", x + "\n\r" + y, false, x + "\r\n\r\n" + y + "\r\n", "x\n\ny"},
        {"text: a final blank", x + y + " ", false, x + y + " \r\n", "=20"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string encoded = QPEncoded(c.Bytes, false, c.Data);
        ExpectLinesTravelWhole(encoded);
        EXPECT_NE(encoded.find(c.Encoded), std::string::npos);
        EXPECT_EQ(QPDecoded(encoded), c.Decoded);
    }
    // Without a blank, the first read ends 16 characters after the last cut it is sure of; the
    // next cut looks as far as 65 characters on, into the second read.
    for (const size_t blank : {65519, 65520, 65521, 65535, 65536, 65537, 65584, 65585, 65586}) {
        SCOPED_TRACE(blank);
        std::string paragraph = x + y;
        paragraph[blank] = ' ';
        TStringList whole;
        TQuotedPrintable::EncodeParagraph(paragraph, TQuotedPrintable::LineWidth, whole);
        EXPECT_EQ(QPEncoded(paragraph), Joined(whole));
    }
}

// Decoding streams a paragraph held together by soft breaks too. A handler of the message loop
// may cancel either way at a paragraph's end, and within a long paragraph before long.
TEST(MimeCodecs, QuotedPrintableDecodesAParagraphOfAnyLengthAndStopsWhenCancelled) {
    const std::string paragraph(100000, 'p');
    std::string soft;
    for (size_t i = 0; i < paragraph.size(); i += 64)
        soft += paragraph.substr(i, 64) + "=\n";
    EXPECT_EQ(QPDecoded(soft + "end"), paragraph + "end\r\n");
    EXPECT_EQ(QPDecoded("a=\nb\nc\nd", true), "ab\r\n");
    EXPECT_EQ(QPEncoded("one\r\ntwo\r\nthree\r\n", true), "one");
    const std::string page = HtmlLikeParagraph(4 << 20, 5);
    const std::string begun = QPDecoded(QPEncoded(page, true));
    EXPECT_TRUE(page.starts_with(begun));
    EXPECT_LT(begun.size(), 256u * 1024);
}

// Each of these would cost time in proportion to the square of its length if the decoder
// searched its result again or looked for a far "?=" from every "=?". The bound is on processor
// time, so a loaded machine does not fail it; the sound code needs about a tenth of a second.
TEST(MimeCodecs, HostileValuesOfAMegabyteDecodeInLinearTime) {
    for (const char* piece :
         {"=?x?Q?", "=?x?X?z", "=?x?B?!", "=?", "=?x?Q?\?= ", "a=?b; ", "n*1=\"\\\"\\\\\"; "}) {
        SCOPED_TRACE(piece);
        std::string value;
        while (value.size() < (1 << 20))
            value += piece;
        value += "?=";
        const std::clock_t start = std::clock();
        std::string result;
        DecodeEncodedWords(value, result);
        FileNameParameter("name", value);
        EXPECT_LT(std::clock() - start, 10 * CLOCKS_PER_SEC);
        EXPECT_LE(result.size(), 255u);
    }
}

}  // namespace
}  // namespace vex
