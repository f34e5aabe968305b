// The mail codecs and header word routines, driven by the table in testdata/mimecodecs.txt, and
// what a table cannot say: round trips of random data, hostile sizes, and the message loop.

#include <gtest/gtest.h>

#include <ctime>
#include <limits>
#include <random>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "net/quotedprintable.h"
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

std::string QPEncoded(const std::string& Bytes, bool Cancel = false) {
    TStringStream stream(Bytes);
    TStringList lines;
    TQuotedPrintable encoder(&stream, &lines);
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

// What the operation of a row of the table gives for its arguments.
std::string Outcome(const test::TestCase& F) {
    const std::string& op = F[0];
    const std::string& a = F[1];
    std::string out = "stale";
    try {
        if (op == "base64") return Coded(Base64Encode, a) + "|" + Coded(Base64Decode, F[2]);
        if (op == "base64-decode" || op == "base64-invalid") return Coded(Base64Decode, a);
        if (op == "qp-encode") return QPEncoded(a);
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
        for (size_t p = 0, end = 0; end != std::string::npos; p = end + 1) {
            const std::string line = encoded.substr(p, (end = encoded.find('\n', p)) - p);
            ASSERT_TRUE(line.size() <= 196 && !line.ends_with(' ') && !line.ends_with('\t'));
        }
        EXPECT_EQ(QPDecoded(encoded), text);
    }
    EXPECT_THROW(Coded(UUEncodeLine, std::string(64, 'x')), ERangeError);
}

// A newsletter holds a whole HTML page together with soft breaks; decoding streams it. A handler
// of the message loop may cancel either way at a paragraph's end.
TEST(MimeCodecs, QuotedPrintableDecodesAParagraphOfAnyLengthButEncodesABoundedOne) {
    const std::string paragraph(3 * TQuotedPrintable::ParagraphSize, 'p');
    std::string soft;
    for (size_t i = 0; i < paragraph.size(); i += 64)
        soft += paragraph.substr(i, 64) + "=\n";
    EXPECT_EQ(QPDecoded(soft + "end"), paragraph + "end\r\n");
    const std::string bounded = "first\r\n" + paragraph.substr(0, 24575) + "\r\n";
    TStringStream big(bounded + paragraph);
    TStringList lines;
    EXPECT_THROW(TQuotedPrintable(&big, &lines).Encode(), Exception);
    EXPECT_EQ(QPDecoded(Joined(lines)), bounded);  // what came before is kept
    EXPECT_EQ(QPDecoded("a=\nb\nc\nd", true), "ab\r\n");
    EXPECT_EQ(QPEncoded("one\r\ntwo\r\nthree\r\n", true), "one");
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
