#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::AddAddress;
using test::Attach;
using test::Bytes;
using test::Compose;
using Lines = std::vector<std::string>;

// The header block (the lines before the first empty one), or what follows it.
Lines Block(TmsCustomMessage& Message, bool Headers = true, const std::string& Random = "1") {
    Lines lines = Compose(Message, Random);
    auto end = std::find(lines.begin(), lines.end(), "");
    return Headers ? Lines(lines.begin(), end) : Lines(end, lines.end());
}

// The whole message against a file beside the tests, whose lines end in LF alone.
void ExpectComposed(TmsCustomMessage& Message, const std::string& File,
                    const std::string& Random = "1") {
    const std::string text =
        test::ReadWholeFile(std::string(VEX_SOURCE_DIR) + "/net/testdata/" + File);
    Lines expected;
    for (size_t p = 0, end; (end = text.find('\n', p)) != std::string::npos; p = end + 1)
        expected.push_back(text.substr(p, end - p));
    EXPECT_EQ(Compose(Message, Random), expected) << File;
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
    message.SetPriority(ptHigh);
    for (const char* own : {"From: Old <old@example.test>", "X-Mailer: test", "Subject: Old",
                            "Content-Type: multipart/mixed;", "\tboundary=\"old\"", "",
                            "subject: Old again", "Mime-Version: 1.0"})
        message.Headers().Add(own);
    const std::string before = message.Headers().Text();
    message.SetSubject("Greetings");
    message.Body().Add("Hi");
    ExpectComposed(message, "composed_headers.eml");
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
    article.Body().Add("Hi");
    ExpectComposed(article, "composed_article.eml");
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

    message.SetCharSet(csISO8859);
    message.SetContentType("Text/HTML");
    const Lines html = Compose(message);
    EXPECT_EQ(
        std::count(html.begin(), html.end(), "Content-Type: text/html; charset=\"iso-8859-1\""), 1);
    message.Body().Clear();  // an html body that comes as the only attachment
    Attach(message, "_htmbody.htm", "<p>Hi</p>", "text/html", aeQuotedPrintable);
    EXPECT_EQ(Tail(Compose(message), 4),
              (Lines{"Content-Type: text/html", "Content-Transfer-Encoding: Quoted-Printable", "",
                     "<p>Hi</p>="}));
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

TEST(MessageEncoderMultipart, SeparatesThePartsAndNestsTheRenderingsOfTheBody) {
    TmsMessage message(nullptr);
    message.Body().Add("Hello");
    Attach(message, "data.bin", "ABC", "application/octet-stream", aeBase64);
    Attach(message, "notes.txt", "caf\xe9", "text/plain", aeQuotedPrintable);
    ExpectComposed(message, "composed_mixed.eml", "123");
    message.Attachments().Items(0)->SetFileName("_alt.0");  // another rendering of the body
    Attach(message, "report.pdf", "PDF", "application/pdf", aeBase64);
    ExpectComposed(message, "composed_alternative.eml", "1111111122222222");
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

// What the composer writes, read back by the parser into a fresh message.
void RoundTrip(TmsMessage& Source, TmsMessage& Result) {
    TMemoryStream text;
    TmsMessageEncoder encoder(&Source);
    encoder.Stream = &text;
    encoder.Encode();
    TmsMessageDecoder decoder(text);
    decoder.Message = &Result;
    decoder.Decode();
}

// A body read from the first part of a multipart message keeps the empty line before the
// boundary as a last line of its own, as the body reading has always done.
void ExpectSameBody(const TmsMessage& Read, const std::string& Written) {
    const std::string read = Read.Body().Text();
    EXPECT_TRUE(read == Written || read == Written + "\r\n") << read;
}

TmsMessage& Addressed(TmsMessage& Message) {
    Message.Sender().Name = "Lee, Ann";
    Message.Sender().Address = "ann@example.test";
    AddAddress(Message.Recipients(), "J. Smith", "js@example.test");
    AddAddress(Message.Recipients(), "Bob", "bob@example.test");
    AddAddress(Message.CC(), "", "cy@example.test");
    Message.SetSubject("Round trip");
    Message.SetPriority(ptLow);
    return Message;
}

TEST(ComposerRoundTrip, KeepsTheAddressesSubjectAndEveryBodyLine) {
    TmsMessage source(nullptr);
    Addressed(source);
    for (const char* line : {"Hello", ".", "..", "", "--12345678", "Bye"})
        source.Body().Add(line);
    TmsMessage result(nullptr);
    RoundTrip(source, result);
    EXPECT_EQ(result.Sender().Name, "Lee, Ann");
    EXPECT_EQ(result.Sender().Address, "ann@example.test");
    ASSERT_EQ(result.Recipients().Count(), 2);
    EXPECT_EQ(result.Recipients().Items(0)->Name, "J. Smith");
    EXPECT_EQ(result.Recipients().Items(1)->Address, "bob@example.test");
    EXPECT_EQ(result.CC().Items(0)->Address, "cy@example.test");
    EXPECT_EQ(result.Subject(), "Round trip");
    EXPECT_EQ(result.Priority(), ptLow);
    EXPECT_EQ(result.Body().Text(), source.Body().Text());
}

TEST(ComposerRoundTrip, KeepsEightBitSubjectsAndNamesInTheMessagesCharacterSet) {
    for (TCharSet charSet : {csUSASCII, csISO8859}) {
        TmsMessage source(nullptr);
        Addressed(source).SetCharSet(charSet);
        source.Sender().Name = "Jos\xe9 M. Pe\xf1\x61";
        source.Recipients().Items(1)->Name = "Bj\xf6rn";
        const std::string subject = "Caf\xe9 = cr\xe8me? _" + std::string(60, '\xa0') + " end";
        source.SetSubject(subject);
        source.Body().Add("x");
        for (const std::string& line : test::Compose(source))
            for (char c : line)
                ASSERT_FALSE(c & 0x80) << line;
        TmsMessage result(nullptr);
        RoundTrip(source, result);
        EXPECT_EQ(result.Subject(), subject);
        EXPECT_EQ(result.Sender().Name, source.Sender().Name);
        EXPECT_EQ(result.Recipients().Items(1)->Name, "Bj\xf6rn");
    }
}

// Each file once after a body, among other parts, and where it can be, once as the whole
// message.
TEST(ComposerRoundTrip, KeepsTheBytesOfEveryKindOfAttachment) {
    std::string binary;
    for (int i = 0; i < 57 * 3; ++i)
        binary += static_cast<char>(i * 7);
    struct Case {
        std::string Name, Bytes, Type;
        TAttEncoding Encoding;
        bool Alone;
    };
    const Case cases[] = {
        {"photo.png", binary, "image/png", aeBase64, true},
        {"notes.txt", "caf\xe9 = ok\r\n.\r\n--1\r\n", "text/plain", aeQuotedPrintable, true},
        {"last.txt", "no final break", "text/plain", aeQuotedPrintable, true},
        {"blank.txt", "ends in blanks  ", "text/plain", aeQuotedPrintable, true},
        {"empty.txt", "", "text/plain", aeQuotedPrintable, true},
        {"raw.bin", "A\nB\r\nC\rD\r\r\n\n", "application/octet-stream", aeQuotedPrintable, true},
        {"cr.bin", "ends in CR\r", "application/octet-stream", aeQuotedPrintable, true},
        {"mail.eml", "Subject: inner\r\n\r\nbody\r\n", "message/rfc822", aeNone, true},
        {"short.eml", "Subject: inner\r\n\r\nno break", "message/rfc822", aeNone, false},
        {"empty.eml", "", "message/rfc822", aeNone, false},
        {"part.dat", "pre\r\n--in\r\nContent-Type: text/plain\r\n\r\nx\r\n--in--\r\n",
         "multipart/related", aeNone, false},
        {"fake.dat", "no parts here", "multipart/related", aeBase64, true},
    };
    for (const Case& c : cases) {
        for (bool alone : {false, true}) {
            if (alone && !c.Alone) continue;
            SCOPED_TRACE(c.Name + (alone ? " alone" : " after a body"));
            TmsMessage source(nullptr);
            Addressed(source);
            if (!alone) source.Body().Add("See the files.");
            Attach(source, c.Name, c.Bytes, c.Type, c.Encoding);
            if (!alone) Attach(source, "after.png", "\x89PNG", "image/png", aeBase64);
            TmsMessage result(nullptr);
            RoundTrip(source, result);
            if (!alone) ExpectSameBody(result, "See the files.\r\n");
            ASSERT_EQ(result.Attachments().Count(), alone ? 1 : 2) << result.Body().Text();
            TmsAttItem& read = *result.Attachments().Items(0);
            EXPECT_EQ(read.FileName(), c.Name);
            EXPECT_EQ(Bytes(read), c.Bytes);
        }
    }
}

TEST(ComposerRoundTrip, KeepsTheAlternativeRenderingsOfTheBody) {
    TmsMessage source(nullptr);
    Addressed(source);
    source.Body().Add("Hi");
    Attach(source, "_alt.0", "<p>Hi</p>\r\n", "text/html", aeQuotedPrintable);
    Attach(source, "report.pdf", "%PDF", "application/pdf", aeBase64);
    TmsMessage result(nullptr);
    RoundTrip(source, result);
    ExpectSameBody(result, "Hi\r\n");
    ASSERT_EQ(result.Attachments().Count(), 2);
    EXPECT_EQ(result.Attachments().Items(0)->ContentType(), "text/html");
    EXPECT_EQ(Bytes(*result.Attachments().Items(0)), "<p>Hi</p>\r\n");
    EXPECT_EQ(Bytes(*result.Attachments().Items(1)), "%PDF");
}

TEST(ComposerRoundTrip, KeepsABodyWhoseMultipartTypeWasSetByHand) {
    for (const char* type : {"multipart/related", "multipart/alternative", "multipart/x-own"}) {
        SCOPED_TRACE(type);
        TmsMessage source(nullptr);
        Addressed(source);
        source.Body().Add("Hi");
        source.SetContentType(type);
        TmsMessage result(nullptr);
        RoundTrip(source, result);
        ExpectSameBody(result, "Hi\r\n");
        EXPECT_EQ(result.Attachments().Count(), 0);
    }
}

}  // namespace
}  // namespace vex
