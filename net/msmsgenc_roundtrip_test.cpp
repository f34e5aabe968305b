#include <gtest/gtest.h>

#include <string>

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

void ExpectSameAddresses(const TmsAddressList& A, const TmsAddressList& B) {
    ASSERT_EQ(A.Count(), B.Count());
    for (int32_t i = 0; i < A.Count(); ++i) {
        EXPECT_EQ(A.Items(i)->Name, B.Items(i)->Name);
        EXPECT_EQ(A.Items(i)->Address, B.Items(i)->Address);
    }
}

// A body read from the first part of a multipart message keeps the empty line before the
// boundary as a last line of its own, as the body reading has always done; attachments come back
// byte for byte.
void ExpectSameBody(const std::string& Read, const std::string& Written) {
    EXPECT_TRUE(Read == Written || Read == Written + "\r\n") << Read;
}

void ExpectSameAttachments(const TmsAttList& A, const TmsAttList& B) {
    ASSERT_EQ(A.Count(), B.Count());
    for (int32_t i = 0; i < A.Count(); ++i) {
        SCOPED_TRACE(A.Items(i)->FileName());
        EXPECT_EQ(A.Items(i)->FileName(), B.Items(i)->FileName());
        EXPECT_EQ(A.Items(i)->ContentType(), B.Items(i)->ContentType());
        EXPECT_EQ(Bytes(*A.Items(i)), Bytes(*B.Items(i)));
    }
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
    ExpectSameAddresses(result.Recipients(), source.Recipients());
    ExpectSameAddresses(result.CC(), source.CC());
    EXPECT_EQ(result.Subject(), "Round trip");
    EXPECT_EQ(result.Priority(), ptLow);
    EXPECT_EQ(result.Body().Text(), source.Body().Text());
}

TEST(ComposerRoundTrip, KeepsTheBytesOfEveryKindOfAttachment) {
    std::string binary;
    for (int i = 0; i < 57 * 3; ++i)
        binary += static_cast<char>(i * 7);
    TmsMessage source(nullptr);
    Addressed(source);
    source.Body().Add("See the files.");
    Attach(source, "photo.png", binary, "image/png", aeBase64);
    Attach(source, "notes.txt", "caf\xe9 = ok\r\n.\r\n--1\r\n", "text/plain", aeQuotedPrintable);
    Attach(source, "mail.eml", "Subject: inner\r\n\r\nbody\r\n", "message/rfc822", aeNone);

    TmsMessage result(nullptr);
    RoundTrip(source, result);
    ExpectSameBody(result.Body().Text(), source.Body().Text());
    ExpectSameAttachments(result.Attachments(), source.Attachments());
}

TEST(ComposerRoundTrip, KeepsTheAlternativeRenderingsOfTheBody) {
    TmsMessage source(nullptr);
    Addressed(source);
    source.Body().Add("Hi");
    Attach(source, "_alt.0", "<p>Hi</p>\r\n", "text/html", aeQuotedPrintable);
    Attach(source, "report.pdf", "%PDF", "application/pdf", aeBase64);

    TmsMessage result(nullptr);
    RoundTrip(source, result);
    ExpectSameBody(result.Body().Text(), "Hi\r\n");
    ExpectSameAttachments(result.Attachments(), source.Attachments());
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
