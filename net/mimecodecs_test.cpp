// The mail codecs and header word routines, driven by the table in testdata/mimecodecs.txt, and
// what a table cannot say: round trips of random data, hostile sizes, and the message loop.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "net/base64.h"
#include "net/componentexceptions.h"
#include "net/encodedwords.h"
#include "net/headerwords.h"
#include "net/quotedprintable.h"
#include "net/uuencode.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"
#include "platform/win/messageloop.h"

namespace vex {
namespace {

constexpr int32_t kWhole = std::numeric_limits<int32_t>::max();
using Strings = std::vector<std::string>;

std::string Unescaped(std::string_view S) {
    std::string out;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '\\' || i + 1 >= S.size()) {
            out += S[i];
            continue;
        }
        const char c = S[++i];
        if (c == 'x' && i + 2 < S.size()) {
            out += static_cast<char>(HexDigit(S[i + 1]) * 16 + HexDigit(S[i + 2]));
            i += 2;
        } else {
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

Strings Split(const std::string& S, char Separator) {
    Strings parts(1);
    for (const char c : S) {
        if (c == Separator)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

std::string Joined(const TStrings& Lines) {
    std::string s;
    for (int32_t i = 0; i < Lines.Count(); ++i)
        s += (i > 0 ? "\n" : "") + Lines[i];
    return s;
}

std::string QPEncoded(const std::string& Bytes) {
    TStringStream stream(Bytes);
    TStringList lines;
    TQuotedPrintable(&stream, &lines).Encode();
    return Joined(lines);
}

std::string QPDecoded(const std::string& Lines) {
    TStringList lines;
    for (const std::string& line : Split(Lines, '\n'))
        lines.Add(line);
    TStringStream stream;
    TQuotedPrintable(&stream, &lines).Decode();
    return stream.DataString();
}

template <typename Routine>
std::string Coded(Routine Code, const std::string& Source) {
    std::string dest = "stale";
    Code(Source, dest, kWhole);
    return dest;
}

std::string Raised(const std::function<void()>& Run) {
    try {
        Run();
    } catch (const EMessageParserError& e) {
        return e.Message();
    }
    return "no exception";
}

// The operations of the table: what each returns for its arguments.
std::string Outcome(const Strings& F) {
    const std::string& a = F[1];
    const std::string b = F.size() > 2 ? F[2] : "";
    std::string out = "stale";
    if (F[0] == "base64") return Coded(Base64Encode, a) + "|" + Coded(Base64Decode, b);
    if (F[0] == "base64-decode") return Coded(Base64Decode, a);
    if (F[0] == "base64-invalid") return Raised([&] { Coded(Base64Decode, a); });
    if (F[0] == "qp-encode") return QPEncoded(a);
    if (F[0] == "qp-decode") return QPDecoded(a);
    if (F[0] == "qp-decode-word") return Coded(DecodeQuotedPrintable, a);
    if (F[0] == "qp-encode-line" || F[0] == "qp-encode-line-soft") {
        out = a;
        TQuotedPrintable::EncodeLine(out, kWhole, F[0] == "qp-encode-line-soft");
        return out;
    }
    if (F[0] == "uu") return Coded(UUEncodeLine, a) + "|" + Coded(UUDecodeLine, b);
    if (F[0] == "uu-decode") return Coded(UUDecodeLine, a);
    if (F[0] == "uu-invalid") return Raised([&] { Coded(UUDecodeLine, a); });
    if (F[0] == "uu-begin") return IsUUBegin(a) ? "1" : "0";
    if (F[0] == "uu-name") UUFileName(a, out);
    if (F[0] == "words") DecodeEncodedWords(a, out);
    if (F[0] == "unquote") return Unquote(a);
    if (F[0] == "word") GetWord(a, std::stoi(b), F[3] == "1", out);
    if (F[0] == "int-word") return std::to_string(GetIntWord(a, std::stoi(b)));
    if (F[0] == "parameter") GetParameter(a, b, out);
    if (F[0] == "file-name") return FileNameParameter(a, b);
    if (F[0] == "first-token") return FirstToken(a);
    if (F[0] == "mime-type") GetMimeType(a, out);
    return out;
}

TEST(MimeCodecs, GiveTheResultsOfTheTable) {
    TStringList table;
    table.LoadFromFile(std::string(VEX_SOURCE_DIR) + "/net/testdata/mimecodecs.txt");
    for (int32_t i = 0; i < table.Count(); ++i) {
        if (table[i].empty() || table[i][0] == '#') continue;
        SCOPED_TRACE(table[i]);
        Strings fields;
        for (const std::string& field : Split(table[i], '\t'))
            fields.push_back(Unescaped(field));
        std::string expected = fields.back();
        if (fields[0] == "base64" || fields[0] == "uu") expected = fields[2] + "|" + fields[1];
        if (fields[0].ends_with("-invalid")) expected = "Invalid Character";
        EXPECT_EQ(Outcome(fields), expected);
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
        for (const std::string& line : Split(encoded, '\n'))
            ASSERT_TRUE(line.size() <= 196 && !line.ends_with(' ') && !line.ends_with('\t'));
        EXPECT_EQ(QPDecoded(encoded), text);
    }
    EXPECT_THROW(Coded(UUEncodeLine, std::string(64, 'x')), ERangeError);
}

// A newsletter holds a whole HTML page together with soft breaks; decoding streams it.
TEST(MimeCodecs, QuotedPrintableDecodesAParagraphOfAnyLengthButEncodesABoundedOne) {
    const std::string paragraph(3 * TQuotedPrintable::ParagraphSize, 'p');
    EXPECT_EQ(QPDecoded(QPEncoded("first\r\n" + paragraph.substr(0, 24575) + "\r\n")),
              "first\r\n" + paragraph.substr(0, 24575) + "\r\n");
    std::string soft;
    for (size_t i = 0; i < paragraph.size(); i += 64)
        soft += paragraph.substr(i, 64) + "=\n";
    EXPECT_EQ(QPDecoded(soft + "end"), paragraph + "end\r\n");
    TStringStream big("first\r\n" + paragraph);
    TStringList lines;
    EXPECT_THROW(TQuotedPrintable(&big, &lines).Encode(), Exception);
    EXPECT_EQ(Joined(lines), "first");  // what came before is kept
}

TEST(MimeCodecs, CodecsLetWaitingMessagesRunAndAHandlerMayCancel) {
    int ran = 0;
    for (const auto& code : {Base64Encode, Base64Decode, UUEncodeLine}) {
        RunOnMainThread([&] { ++ran; });
        Coded(code, "YWJj");
    }
    RunOnMainThread([&] { ++ran; });
    Coded(UUDecodeLine, "#86)C");
    EXPECT_EQ(ran, 4);
    TStringStream stream("one\r\ntwo\r\nthree\r\n");
    TStringList lines;
    TQuotedPrintable encoder(&stream, &lines);
    RunOnMainThread([&] { encoder.Cancel = true; });
    encoder.Encode();
    EXPECT_EQ(Joined(lines), "one");
    TStringStream out;
    lines.Clear();
    for (const char* line : {"a=", "b", "c", "d"})
        lines.Add(line);
    TQuotedPrintable decoder(&out, &lines);
    RunOnMainThread([&] { decoder.Cancel = true; });
    decoder.Decode();
    EXPECT_EQ(out.DataString(), "ab\r\n");
}

// Each of these would cost time in proportion to the square of its length if the decoder
// searched its result again or looked for a far "?=" from every "=?".
TEST(MimeCodecs, HostileValuesOfAMegabyteDecodeInLinearTime) {
    for (const char* piece : {"=?x?Q?", "=?x?X?z", "=?x?B?!", "=?",
                              "=?x?Q?"
                              "?= ",
                              "a=?b; "}) {
        SCOPED_TRACE(piece);
        std::string value;
        while (value.size() < (1 << 20))
            value += piece;
        value += "?=";
        const auto start = std::chrono::steady_clock::now();
        std::string result;
        DecodeEncodedWords(value, result);
        FileNameParameter("name", value);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_LE(result.size(), 255u);
    }
}

TEST(MimeCodecs, ISO2022JPTextIsWrappedInOneBase64WordAndOtherTextLeftAlone) {
    const std::string jis = "\x1B$B$3$s$K$A$O\x1B(B";
    std::string dest;
    EncodeISO2022JPText(jis, dest);
    EXPECT_EQ(dest, "=?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=");
    EncodeISO2022JPText("plain subject", dest);
    EXPECT_EQ(dest, "plain subject");
}

}  // namespace
}  // namespace vex
