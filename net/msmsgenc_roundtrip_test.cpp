#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::AddAddress;
using test::Attach;
using test::Bytes;

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

TEST(ComposerRoundTrip, KeepsUuencodedFiles) {
    TmsMessage source(nullptr);
    Addressed(source);
    source.SetEncoding(meUU);
    source.Body().Add("Files follow.");
    Attach(source, "a.bin", std::string(45, '\x01'), "application/octet-stream", aeBase64);
    Attach(source, "b.bin", "xyz", "application/octet-stream", aeBase64);
    TmsMessage result(nullptr);
    RoundTrip(source, result);
    ASSERT_EQ(result.Attachments().Count(), 2);
    EXPECT_EQ(Bytes(*result.Attachments().Items(0)), std::string(45, '\x01'));
    EXPECT_EQ(Bytes(*result.Attachments().Items(1)), "xyz");
}

}  // namespace
}  // namespace vex
