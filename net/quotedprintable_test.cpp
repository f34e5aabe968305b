#include "net/quotedprintable.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/win/messageloop.h"

namespace vex {
namespace {

constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();

std::vector<std::string> Items(const TStrings& Lines) {
    std::vector<std::string> items;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        items.push_back(Lines[i]);
    return items;
}

std::vector<std::string> EncodedLines(const std::string& Bytes) {
    TStringStream stream(Bytes);
    TStringList lines;
    TQuotedPrintable(&stream, &lines).Encode();
    return Items(lines);
}

std::string DecodedBytes(const std::vector<std::string>& Encoded) {
    TStringList lines;
    for (const std::string& line : Encoded)
        lines.Add(line);
    TStringStream stream;
    TQuotedPrintable(&stream, &lines).Decode();
    return stream.DataString();
}

std::string EncodedLine(std::string Line, bool KeepLast = false) {
    TQuotedPrintable::EncodeLine(Line, kWhole, KeepLast);
    return Line;
}

using Lines = std::vector<std::string>;

TEST(QuotedPrintableEncoding, EscapesControlsEqualsSignsHighBytesAndBlanksThatEndALine) {
    EXPECT_EQ(EncodedLine("a=b"), "a=3Db");
    EXPECT_EQ(EncodedLine("tab\there"), "tab=09here");
    EXPECT_EQ(EncodedLine("caf\xE9 \xFF"), "caf=E9 =FF");
    EXPECT_EQ(EncodedLine("plain text, punctuation: ~!@#$%^&*()"),
              "plain text, punctuation: ~!@#$%^&*()");
    EXPECT_EQ(EncodedLine(std::string("\0\x7F", 2)), "=00\x7F");
    EXPECT_EQ(EncodedLine("end  "), "end =20");
    EXPECT_EQ(EncodedLine("end\t"), "end=09");
    EXPECT_EQ(EncodedLine(" "), "=20");
    // A soft break the caller added stays unescaped, and a blank before it is safe.
    EXPECT_EQ(EncodedLine("end =", true), "end =");
    EXPECT_EQ(EncodedLine("a=b=", true), "a=3Db=");
    EXPECT_EQ(EncodedLine("", true), "");
}

TEST(QuotedPrintableEncoding, LongParagraphsAreCutIntoPiecesOfSixtyFiveCharacters) {
    EXPECT_EQ(EncodedLines(std::string(100, 'x')),
              (Lines{std::string(65, 'x') + "=", std::string(35, 'x')}));
    // Cut before the last blank that fits; the blank starts the next piece.
    const std::string words = std::string(60, 'a') + " " + std::string(10, 'b');
    EXPECT_EQ(EncodedLines(words), (Lines{std::string(60, 'a') + "=", " " + std::string(10, 'b')}));
    EXPECT_EQ(EncodedLines(std::string(64, 'x')), (Lines{std::string(64, 'x')}));
    // A paragraph of exactly the width is not the last piece.
    EXPECT_EQ(EncodedLines(std::string(65, 'x')), (Lines{std::string(65, 'x') + "=", ""}));
    const std::string withBlank = std::string(30, 'a') + " " + std::string(34, 'b');
    EXPECT_EQ(EncodedLines(withBlank),
              (Lines{std::string(30, 'a') + "=", " " + std::string(34, 'b')}));
}

TEST(QuotedPrintableEncoding, EachLineBreakEndsOneParagraph) {
    EXPECT_EQ(EncodedLines("one\r\ntwo\r\n"), (Lines{"one", "two"}));
    EXPECT_EQ(EncodedLines("one\ntwo"), (Lines{"one", "two"}));
    EXPECT_EQ(EncodedLines("one\rtwo\r"), (Lines{"one", "two"}));
    // Empty lines of text with LF or CR breaks are kept, not taken for a CR LF pair.
    EXPECT_EQ(EncodedLines("one\n\ntwo\n"), (Lines{"one", "", "two"}));
    EXPECT_EQ(EncodedLines("one\r\rtwo"), (Lines{"one", "", "two"}));
    EXPECT_EQ(EncodedLines("one\n\rtwo"), (Lines{"one", "", "two"}));
    EXPECT_EQ(EncodedLines("one\r\n\r\ntwo"), (Lines{"one", "", "two"}));
    EXPECT_EQ(EncodedLines(""), (Lines{""}));
    EXPECT_EQ(EncodedLines("\r\n"), (Lines{""}));
}

TEST(QuotedPrintableEncoding, EncodingAppendsToTheLinesAndReadsTheStreamFromItsStart) {
    TStringStream stream("abc");
    stream.SetPosition(3);
    TStringList lines;
    lines.Add("kept");
    TQuotedPrintable(&stream, &lines).Encode();
    EXPECT_EQ(Items(lines), (Lines{"kept", "abc"}));
}

TEST(QuotedPrintableDecoding, EscapesInEitherCaseBecomeBytesAndMalformedOnesStay) {
    EXPECT_EQ(DecodedBytes({"caf=E9 =e9=3D"}), "caf\xE9 \xE9=\r\n");
    EXPECT_EQ(DecodedBytes({"=00=FF"}), std::string("\0\xFF\r\n", 4));
    EXPECT_EQ(DecodedBytes({"a=G1b =4"}), "a=G1b =4\r\n");
    EXPECT_EQ(DecodedBytes({"ab=A"}), "ab=A\r\n");  // one digit is not an escape
    EXPECT_EQ(DecodedBytes({"=\xE9=xy"}), "=\xE9=xy\r\n");
    const std::string longLine(1000, 'z');  // longer than a short string
    EXPECT_EQ(DecodedBytes({longLine}), longLine + "\r\n");
}

TEST(QuotedPrintableDecoding, ASoftBreakJoinsTheNextLine) {
    EXPECT_EQ(DecodedBytes({"Now's the time =", "for all folk to come="}),
              "Now's the time for all folk to come");
    EXPECT_EQ(DecodedBytes({"ends in =3D", "next"}), "ends in =\r\nnext\r\n");
    EXPECT_EQ(DecodedBytes({"", "."}), "\r\n.\r\n");
}

TEST(QuotedPrintableDecoding, OnlyAnEndOfFileMarkWrittenAsItIsSuppressesTheBreak) {
    EXPECT_EQ(DecodedBytes({"last\x1A"}), "last\x1A");
    EXPECT_EQ(DecodedBytes({"data=1A", "more"}), "data\x1A\r\nmore\r\n");
}

TEST(QuotedPrintableDecoding, TheSingleLineRoutineStopsAtTheFirstDecodedBreak) {
    std::string dest = "stale";
    DecodeQuotedPrintable("caf=E9=", dest, kWhole);
    EXPECT_EQ(dest, "caf\xE9");
    DecodeQuotedPrintable("one=0D=0Atwo", dest, kWhole);
    EXPECT_EQ(dest, "one");
    DecodeQuotedPrintable("=", dest, kWhole);
    EXPECT_EQ(dest, "");
    DecodeQuotedPrintable("abcdef", dest, 3);
    EXPECT_EQ(dest, "abc");
}

// Text whose breaks are all CR LF, the last one included.
std::string RandomCrLfText(size_t Count, uint32_t Seed) {
    std::mt19937 random(Seed);
    std::string text;
    while (text.size() < Count) {
        if (random() % 90 == 0) {
            text += "\r\n";
            continue;
        }
        char c = static_cast<char>(random() & 0xFF);
        if (c == '\r' || c == '\n') c = ' ';
        text += c;
    }
    return text + "\r\n";
}

TEST(QuotedPrintableRoundTrip, TextWithCrLfBreaksComesBackByteForByte) {
    for (const size_t length : {0, 1, 2, 3, 57, 58, 64, 65, 66, 130, 100000, 300000}) {
        SCOPED_TRACE(length);
        const std::string text = RandomCrLfText(length, static_cast<uint32_t>(length) + 1);
        const Lines encoded = EncodedLines(text);
        for (const std::string& line : encoded) {
            ASSERT_LE(line.size(), 65u * 3 + 1);
            ASSERT_TRUE(line.empty() || (line.back() != ' ' && line.back() != '\t')) << line;
        }
        EXPECT_EQ(DecodedBytes(encoded), text);
    }
}

TEST(QuotedPrintableRoundTrip, TrailingBlanksAndDotLinesSurvive) {
    for (const std::string text : {"x  \r\n", ".\r\n", " \r\n\t\r\n", "=\r\n=20\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DecodedBytes(EncodedLines(text)), text);
    }
    EXPECT_EQ(EncodedLines(".\r\n"), (Lines{"."}));
}

void ExpectParagraphTooLarge(const std::function<void()>& Run) {
    try {
        Run();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Paragraph is too large");
    }
}

TEST(QuotedPrintableLimits, AParagraphOfTheBufferSizeIsRefusedInBothDirections) {
    const auto limit = static_cast<size_t>(TQuotedPrintable::ParagraphSize);
    const std::string fits = "first\r\n" + std::string(limit - 1, 'a') + "\r\n";
    EXPECT_EQ(DecodedBytes(EncodedLines(fits)), fits);

    TStringStream big("first\r\n" + std::string(limit, 'a'));
    TStringList lines;
    ExpectParagraphTooLarge([&] { TQuotedPrintable(&big, &lines).Encode(); });
    EXPECT_EQ(Items(lines), (Lines{"first"}));  // what came before is kept

    Lines soft(limit / 64, std::string(64, 'b') + "=");
    soft.push_back("bbbbbbbbbb");
    TStringList encoded;
    encoded.Add("first");
    for (const std::string& line : soft)
        encoded.Add(line);
    TStringStream out;
    ExpectParagraphTooLarge([&] { TQuotedPrintable(&out, &encoded).Decode(); });
    EXPECT_EQ(out.DataString(), "first\r\n");
}

TEST(QuotedPrintableCancel, AHandlerThatSetsCancelStopsTheRunAfterTheParagraph) {
    TStringStream stream("one\r\ntwo\r\nthree\r\n");
    TStringList lines;
    TQuotedPrintable encoder(&stream, &lines);
    RunOnMainThread([&] { encoder.Cancel = true; });
    encoder.Encode();
    EXPECT_EQ(Items(lines), (Lines{"one"}));

    TStringStream out;
    lines.Clear();
    for (const char* line : {"a=", "b", "c", "d"})
        lines.Add(line);
    TQuotedPrintable decoder(&out, &lines);
    RunOnMainThread([&] { decoder.Cancel = true; });
    decoder.Decode();
    EXPECT_EQ(out.DataString(), "ab\r\n");
}

}  // namespace
}  // namespace vex
