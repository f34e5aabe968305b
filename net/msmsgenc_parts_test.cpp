#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::Attach;
using test::Compose;

// What follows the header block of the message itself.
std::vector<std::string> AfterHeaders(TmsMessage& Message, const std::string& Random = "1") {
    std::vector<std::string> lines = Compose(Message, Random);
    auto end = std::find(lines.begin(), lines.end(), "");
    return std::vector<std::string>(end, lines.end());
}

// The header lines of a plain text message are in the tests of the headers.
TEST(MessageEncoderBody, WritesPlainTextWithEveryLineAsItStands) {
    TmsMessage message(nullptr);
    for (const char* line : {"Hello", ".", "..", "", "-- ", "Bye"})
        message.Body().Add(line);
    const std::string before = message.Body().Text();
    EXPECT_EQ(AfterHeaders(message),
              (std::vector<std::string>{"", "Hello", ".", "..", "", "-- ", "Bye"}));
    EXPECT_EQ(message.Body().Text(), before);
}

TEST(MessageEncoderBody, GoesQuotedPrintableForLongLinesAndLatinText) {
    TmsMessage longLines(nullptr);
    longLines.Body().Add(std::string(256, 'x'));
    std::vector<std::string> body = AfterHeaders(longLines);
    EXPECT_EQ(Compose(longLines)[3], "Content-Transfer-Encoding: quoted-printable");
    ASSERT_EQ(body.size(), 5u);
    EXPECT_EQ(body[1], std::string(65, 'x') + "=");
    EXPECT_EQ(body[4], std::string(256 - 3 * 65, 'x'));

    TmsMessage latin(nullptr);
    latin.SetCharSet(csISO8859);
    latin.Body().Add("caf\xe9");
    latin.Body().Add(".");
    const std::vector<std::string> lines = Compose(latin);
    const std::vector<std::string> expected = {
        "Mime-Version: 1.0",
        "Content-Type: text/plain; charset=\"iso-8859-1\"",
        "Content-Transfer-Encoding: quoted-printable",
        "",
        "caf=E9",
        ".",
    };
    EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()), expected);
}

TEST(MessageEncoderBody, WritesAHandSetTypeAsQuotedPrintableSource) {
    struct Case {
        std::string Type;
        TCharSet CharSet;
        std::string TypeLine;
    };
    const Case cases[] = {
        {"text/html", csUSASCII, "Content-Type: text/html"},
        {"text/rtf", csISO8859, "Content-Type: text/rtf; charset=\"iso-8859-1\""},
        {"text/html", csISO2022jp, "Content-Type: text/html; charset=\"iso-2022-jp\""},
        {"application/x-note", csISO8859, "Content-Type: application/x-note"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.TypeLine);
        TmsMessage message(nullptr);
        message.SetCharSet(c.CharSet);
        message.Body().Add("<p>a=b</p>");
        message.SetContentType(c.Type);
        const std::vector<std::string> lines = Compose(message);
        const std::vector<std::string> tail = {
            c.TypeLine, "Content-Transfer-Encoding: quoted-printable", "", "<p>a=3Db</p>"};
        EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), tail);
        EXPECT_EQ(message.Body()[0], "<p>a=b</p>");
    }
}

TEST(MessageEncoderAttachments, CutBase64IntoLinesOf76Characters) {
    TmsMessage message(nullptr);
    Attach(message, "data.bin", std::string(57 * 2, 'A'), "application/octet-stream", aeBase64);
    const std::vector<std::string> lines = Compose(message);
    ASSERT_GE(lines.size(), 7u);
    const std::vector<std::string> tail(lines.end() - 7, lines.end());
    EXPECT_EQ(tail[0], "Content-Type: application/octet-stream; name=\"data.bin\"");
    EXPECT_EQ(tail[1], "Content-Transfer-Encoding: Base64");
    EXPECT_EQ(tail[2], "Content-Disposition: attachment; filename=\"data.bin\"");
    EXPECT_EQ(tail[3], "");
    std::string full;
    for (int i = 0; i < 19; ++i)
        full += "QUFB";
    EXPECT_EQ(tail[4], full);
    EXPECT_EQ(tail[5], full);
    EXPECT_EQ(tail[6], "");
}

TEST(MessageEncoderAttachments, WriteEachTransferEncoding) {
    struct Case {
        TAttEncoding Encoding;
        std::string Bytes;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {aeBase64, "ABCD", {"QUJDRA=="}},
        {aeQuotedPrintable, "caf\xe9\r\n.\r\nend ", {"caf=E9", ".", "end=20"}},
        {aeNone, "one\r\ntwo\nthree\r.\r\n", {"one", "two", "three", "."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bytes);
        TmsMessage message(nullptr);
        TmsAttItem& item = Attach(message, "f.dat", c.Bytes, "application/x-test", c.Encoding);
        item.Stream.SetPosition(2);
        const std::vector<std::string> lines = AfterHeaders(message);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), c.Lines);
        EXPECT_EQ(item.Stream.Position(), 2);
        EXPECT_EQ(item.Stream.Size(), static_cast<int64_t>(c.Bytes.size()));
    }
}

TEST(MessageEncoderAttachments, KeepAnHtmlBodyThatComesAsTheOnlyAttachment) {
    TmsMessage message(nullptr);
    Attach(message, "_htmbody.htm", "<p>Hi</p>\r\n", "text/html", aeQuotedPrintable);
    ASSERT_EQ(message.ContentType(), "text/html");
    const std::vector<std::string> lines = Compose(message);
    const std::vector<std::string> expected = {"Mime-Version: 1.0", "Content-Type: text/html",
                                               "Content-Transfer-Encoding: Quoted-Printable", "",
                                               "<p>Hi</p>"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()), expected);
}

TEST(MessageEncoderMultipart, SeparatesTheBodyAndTheAttachmentsByTheBoundary) {
    TmsMessage message(nullptr);
    message.Body().Add("Hello");
    message.Body().Add(".");
    Attach(message, "data.bin", "ABC", "application/octet-stream", aeBase64);
    Attach(message, "notes.txt", "caf\xe9", "text/plain", aeQuotedPrintable);
    const std::vector<std::string> expected = {
        "From:      <>",
        "Mime-Version: 1.0",
        "Content-Type: multipart/mixed; boundary=\"12312312\"",
        "",
        "This is a multipart message in MIME format",
        "",
        "--12312312",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "Content-Transfer-Encoding: 7bit",
        "",
        "Hello",
        ".",
        "",
        "--12312312",
        "Content-Type: application/octet-stream; name=\"data.bin\"",
        "Content-Transfer-Encoding: Base64",
        "Content-Disposition: attachment; filename=\"data.bin\"",
        "",
        "QUJD",
        "",
        "--12312312",
        "Content-Type: text/plain; name=\"notes.txt\"",
        "Content-Transfer-Encoding: Quoted-Printable",
        "Content-Disposition: attachment; filename=\"notes.txt\"",
        "",
        "caf=E9",
        "",
        "--12312312--",
    };
    EXPECT_EQ(Compose(message, "123"), expected);
}

TEST(MessageEncoderMultipart, DrawsTheBoundaryAgainWhileTheContentHoldsIt) {
    TmsMessage message(nullptr);
    message.Body().Add("--11111111 looks like a delimiter");
    Attach(message, "a.txt", "x\r\n--22222222--\r\n", "text/plain", aeNone);
    const std::vector<std::string> lines = Compose(message, "111111112222222233333333");
    EXPECT_EQ(lines[2], "Content-Type: multipart/mixed; boundary=\"33333333\"");
    EXPECT_EQ(lines.back(), "--33333333--");
}

TEST(MessageEncoderMultipart, GivesUpOnARandomSourceThatNeverFindsAFreeBoundary) {
    TmsMessage message(nullptr);
    message.Body().Add("--00000000");
    Attach(message, "a.png", "x", "image/png", aeBase64);
    EXPECT_THROW(Compose(message, "0"), Exception);
}

TEST(MessageEncoderMultipart, NestsTheAlternativeRenderingsOfTheBody) {
    TmsMessage message(nullptr);
    message.Body().Add("Hi");
    Attach(message, "_alt.0", "<p>Hi</p>", "text/html", aeNone);
    Attach(message, "report.pdf", "PDF", "application/pdf", aeBase64);
    ASSERT_EQ(message.ContentType(), "multipart/mixed");
    const std::vector<std::string> expected = {
        "",
        "This is a multipart message in MIME format",
        "",
        "--11111111",
        "Content-Type:  multipart/alternative; boundary=\"22222222\"",
        "Content-Transfer-Encoding: 7bit",
        "",
        "--22222222",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "Content-Transfer-Encoding: 7bit",
        "",
        "Hi",
        "",
        "--22222222",
        "Content-Type: text/html",
        "Content-Transfer-Encoding: 7bit",
        "",
        "<p>Hi</p>",
        "",
        "--22222222--",
        "",
        "--11111111",
        "Content-Type: application/pdf; name=\"report.pdf\"",
        "Content-Transfer-Encoding: Base64",
        "Content-Disposition: attachment; filename=\"report.pdf\"",
        "",
        "UERG",
        "",
        "--11111111--",
    };
    EXPECT_EQ(AfterHeaders(message,
                           "11111111"
                           "22222222"),
              expected);
}

TEST(MessageEncoderMultipart, ClosesAHandSetMultipartThatHasOnlyABody) {
    TmsMessage message(nullptr);
    message.Body().Add("Hi");
    message.SetContentType("multipart/alternative");
    const std::vector<std::string> lines = Compose(message, "5");
    EXPECT_EQ(lines.back(), "--55555555--");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "--55555555"), 1);
}

TEST(MessageEncoderUU, EndsEachFileWithTheGraveAccentAndEnd) {
    TmsMessage message(nullptr);
    message.SetEncoding(meUU);
    message.Body().Add("See the file.");
    message.Body().Add(".");
    Attach(message, "dir/a.bin", std::string(45, 'A'), "", aeBase64);
    const std::vector<std::string> lines = Compose(message);
    std::string full;  // 45 bytes "A" in one line
    for (int i = 0; i < 15; ++i)
        full += "04%!";
    const std::vector<std::string> expected = {
        "", "See the file.", ".", "", "begin 600 a.bin", "M" + full, "`", "`", "end",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);
}

TEST(MessageEncoder, CutsWhatAReusedStreamHeldBeyondTheNewMessage) {
    TmsMessage message(nullptr);
    message.Body().Add("short");
    TStringStream out(std::string(1000, '#'));
    TmsMessageEncoder encoder(&message);
    encoder.Stream = &out;
    encoder.Encode();
    EXPECT_EQ(out.DataString().find('#'), std::string::npos);
    EXPECT_TRUE(out.DataString().ends_with("short\r\n"));
}

}  // namespace
}  // namespace vex
