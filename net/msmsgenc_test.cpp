#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::AddAddress;
using test::Attach;
using test::Compose;
using Lines = std::vector<std::string>;

// The header block (the lines before the first empty one), or what follows it.
Lines Block(TmsCustomMessage& Message, bool Headers = true, const std::string& Random = "1") {
    Lines lines = Compose(Message, Random);
    auto end = std::find(lines.begin(), lines.end(), "");
    return Headers ? Lines(lines.begin(), end) : Lines(end, lines.end());
}

Lines Tail(const Lines& All, size_t Count) {
    return Lines(All.end() - static_cast<std::ptrdiff_t>(std::min(Count, All.size())), All.end());
}

TEST(MessageEncoderHeaders, AreWrittenInTheirFixedOrderWithoutTheCallersCopies) {
    TmsMessage message(nullptr);
    message.Sender().Name = "Ann Lee";
    message.Sender().Address = "ann@example.test";
    AddAddress(message.Recipients(), "Bob", "bob@example.test");
    AddAddress(message.Recipients(), "Two", "two@example.test");
    AddAddress(message.CC(), "Cy", "cy@example.test");
    AddAddress(message.BCC(), "Hidden", "hidden@example.test");
    message.SetReturnReceipt(true);
    message.SetPriority(ptLow);
    for (const char* own : {"From: Old <old@example.test>", "X-Mailer: test", "Subject: Old",
                            "Content-Type: multipart/mixed;", "\tboundary=\"old\"", "",
                            "subject: Old again", "Mime-Version: 1.0"})
        message.Headers().Add(own);
    const std::string before = message.Headers().Text();
    message.SetSubject("Greetings");
    message.Body().Add("Hi");
    EXPECT_EQ(Block(message),
              (Lines{"From:     Ann Lee <ann@example.test>", "To:       Bob <bob@example.test>,",
                     "          Two <two@example.test>", "CC:       Cy <cy@example.test>",
                     "Return-Receipt-To: <ann@example.test>", "X-Priority: 5", "X-Mailer: test",
                     "Subject: Greetings", "Mime-Version: 1.0",
                     "Content-Type: text/plain; charset=\"us-ascii\"",
                     "Content-Transfer-Encoding: 7bit"}));
    EXPECT_EQ(message.Headers().Text(), before);
}

TEST(MessageEncoderHeaders, QuoteCleanOrEncodeDisplayNamesAndSubjects) {
    const std::string jis = "\x1b$B$3$s\x1b(B";
    std::string e9[2];  // an encoded word holds 18 escapes of three characters at most
    for (int i = 0; i < 30; ++i)
        e9[i / 18] += "=E9";
    struct Case {
        std::string Name;
        TCharSet CharSet;
        std::string Written;
    };
    const Case cases[] = {
        {"Plain Name", csUSASCII, "Plain Name"},
        {"J. Smith", csUSASCII, "\"J. Smith\""},
        {"Jay \"JJ\" Doe, back\\slash", csUSASCII, "\"Jay \\\"JJ\\\" Doe, back\\\\slash\""},
        {"\"Already, quoted\"", csUSASCII, "\"Already, quoted\""},
        {"\"open only", csUSASCII, "\"\\\"open only\""},
        {"Line\r\n Break,\tTab\x07", csUSASCII, "\"Line Break, Tab\""},
        {"Jos\xe9 D.", csUSASCII, "=?windows-1252?Q?Jos=E9_D=2E?="},
        {"Jos\xe9\x07", csISO8859, "=?iso-8859-1?Q?Jos=E9?="},
        {jis, csISO2022jp, "=?ISO-2022-JP?B?GyRCJDMkcxsoQg==?="},
        {std::string(30, '\xe9'), csUSASCII,
         "=?windows-1252?Q?" + e9[0] + "?= =?windows-1252?Q?" + e9[1] + "?="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Written);
        TmsMessage message(nullptr);
        message.SetCharSet(c.CharSet);
        message.Sender().Name = c.Name;
        AddAddress(message.CC(), c.Name, "c@example.test");
        message.SetSubject(c.Name);
        const Lines headers = Block(message);
        ASSERT_GE(headers.size(), 3u);
        EXPECT_EQ(headers[0], "From:     " + c.Written + " <>");
        EXPECT_EQ(headers[1], "CC:       " + c.Written + " <c@example.test>");
        // A subject is never quoted; it is encoded alike.
        if (c.Written.starts_with("=?")) {
            EXPECT_EQ(headers[2], "Subject: " + c.Written);
        }
    }
}

TEST(MessageEncoderHeaders, NoValueOrFileNameCanStartALineOfItsOwn) {
    TmsMessage message(nullptr);
    message.Sender().Address = "ann@example.test\r\nBcc: victim@example.test";
    message.SetSubject("Hello\r\n\r\nInjected body");
    message.Body().Add("text");
    Attach(message, "dir/evil\r\nX-Injected: yes\x1b\t.txt", "x", "text/plain", aeBase64);
    const Lines lines = Compose(message);
    EXPECT_EQ(lines[0], "From:      <ann@example.test Bcc: victim@example.test>");
    EXPECT_EQ(lines[1], "Subject: Hello Injected body");
    const std::string name = "evil X-Injected: yes .txt\"";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Content-Type: text/plain; name=\"" + name),
              1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         std::string("Content-Disposition: attachment; filename=\"") + name),
              1);
}

TEST(ArticleEncoderHeaders, NameTheNewsgroupsAndPadTheSubject) {
    TmsArticle article(nullptr);
    article.Sender().Name = "J. Smith";  // a dot needs no quotes in an article
    article.Sender().Address = "js@example.test";
    article.SetNewsGroups("comp.test");
    article.SetSubject("Hello");
    article.Headers().Add("Newsgroups: old.group");
    article.Headers().Add("Path: a!b");
    EXPECT_EQ(Block(article),
              (Lines{"From:     J. Smith <js@example.test>", "Newsgroups: comp.test", "Path: a!b",
                     "Subject:  Hello", "Mime-Version: 1.0",
                     "Content-Type: text/plain; charset=\"us-ascii\"",
                     "Content-Transfer-Encoding: 7bit"}));
}

TEST(MessageEncoderBody, WritesLinesAsTheyStandOrQuotedPrintableWhenLongOrLatin) {
    TmsMessage message(nullptr);
    for (const char* line : {"Hello", ".", "..", "", "-- "})
        message.Body().Add(line);
    EXPECT_EQ(Block(message, false), (Lines{"", "Hello", ".", "..", "", "-- "}));

    message.Body().Add(std::string(256, 'x'));
    message.Body().Add("caf\xe9");
    const std::string x65 = std::string(65, 'x') + "=";
    EXPECT_EQ(Tail(Compose(message), 12),
              (Lines{"Content-Transfer-Encoding: quoted-printable", "", "Hello", ".", "..", "",
                     "--=20", x65, x65, x65, std::string(61, 'x'), "caf=E9"}));
}

TEST(MessageEncoderBody, WritesAHandSetTypeAsQuotedPrintableSource) {
    const std::pair<TCharSet, std::string> cases[] = {
        {csUSASCII, "Content-Type: text/html"},
        {csISO8859, "Content-Type: text/html; charset=\"iso-8859-1\""},
    };
    for (const auto& [charSet, typeLine] : cases) {
        TmsMessage message(nullptr);
        message.SetCharSet(charSet);
        message.Body().Add("<p>a=b</p>");
        message.SetContentType("Text/HTML");
        EXPECT_EQ(
            Tail(Compose(message), 4),
            (Lines{typeLine, "Content-Transfer-Encoding: quoted-printable", "", "<p>a=3Db</p>"}));
    }
}

TEST(MessageEncoderAttachments, WriteEachTransferEncodingAndNoBreakTheDataLacks) {
    struct Case {
        TAttEncoding Encoding;
        std::string Type, Bytes;
        Lines Written;
    };
    std::string full;  // 57 bytes in one line of base64
    for (int i = 0; i < 19; ++i)
        full += "x8fH";
    const Case cases[] = {
        {aeBase64, "image/png", std::string(114, '\xc7'), {full, full, ""}},
        {aeQuotedPrintable, "text/plain", "a\nb\r\nend ", {"a", "b", "end=20="}},
        {aeQuotedPrintable, "image/png", "a\nb\r\nc\r", {"a=0Ab", "c=0D="}},
        {aeNone, "message/rfc822", "one\r\ntwo\nthree\r.\r\n", {"one", "two", "three", "."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Type);
        TmsMessage message(nullptr);
        TmsAttItem& item = Attach(message, "f.dat", c.Bytes, c.Type, c.Encoding);
        item.Stream.SetPosition(2);
        const Lines lines = Block(message, false);
        EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), c.Written);
        EXPECT_EQ(item.Stream.Position(), 2);
    }
}

TEST(MessageEncoderAttachments, WriteAMultipartTypeOnlyWithTheBoundaryItsDataUses) {
    const std::pair<std::string, std::string> cases[] = {
        {"--x\r\n\r\na\r\n--x--\r\n", "multipart/related; boundary=\"x\""},
        {"--y\r\nno closing line\r\n", "application/octet-stream"},
    };
    for (const auto& [bytes, type] : cases) {
        TmsMessage message(nullptr);
        Attach(message, "f.dat", bytes, "multipart/related", aeNone);
        EXPECT_EQ(Block(message)[2], "Content-Type: " + type + "; name=\"f.dat\"");
    }
}

TEST(MessageEncoderMultipart, SeparatesTheBodyAndTheAttachmentsByTheBoundary) {
    TmsMessage message(nullptr);
    message.Body().Add("Hello");
    Attach(message, "data.bin", "ABC", "application/octet-stream", aeBase64);
    Attach(message, "notes.txt", "caf\xe9", "text/plain", aeQuotedPrintable);
    EXPECT_EQ(Compose(message, "123"),
              (Lines{"From:      <>",
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
                     "caf=E9=",
                     "",
                     "--12312312--"}));
}

TEST(MessageEncoderMultipart, DrawsABoundaryNoPartHoldsAndGivesUpOnASourceThatFindsNone) {
    TmsMessage message(nullptr);
    message.Body().Add("--11111111 looks like a delimiter");
    Attach(message, "a.txt", "x\r\n--22222222--\r\n", "text/plain", aeNone);
    const Lines lines = Compose(message, "111111112222222233333333");
    EXPECT_EQ(lines[2], "Content-Type: multipart/mixed; boundary=\"33333333\"");
    EXPECT_EQ(lines.back(), "--33333333--");
    EXPECT_THROW(Compose(message, "1"), Exception);
}

TEST(MessageEncoderUU, EndsEachFileWithTheGraveAccentAndEnd) {
    TmsMessage message(nullptr);
    message.SetEncoding(meUU);
    message.Body().Add("See the file.");
    Attach(message, "dir/a.bin", std::string(45, 'A'), "", aeBase64);
    std::string full;  // 45 bytes "A" in one line
    for (int i = 0; i < 15; ++i)
        full += "04%!";
    EXPECT_EQ(Block(message, false),
              (Lines{"", "See the file.", "", "begin 600 a.bin", "M" + full, "`", "`", "end"}));
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
