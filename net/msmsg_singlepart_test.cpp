#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::BodyLines;
using test::Bytes;
using test::LoadMessage;
using test::MessageBuilder;

using Lines = std::vector<std::string>;

MessageBuilder MimeMessage(std::string_view ContentType) {
    MessageBuilder message;
    message.Header("From", "a@x.test").Header("MIME-Version", "1.0");
    if (!ContentType.empty()) message.Header("Content-Type", ContentType);
    return message;
}

TEST(MimeTextBody, DecodesQuotedPrintableAndSetsTheCharSet) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("text/plain; charset=iso-8859-1")
                             .Header("Content-Transfer-Encoding", "Quoted-Printable")
                             .Lines({"caf=E9 and a soft=", " break", "second"})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"caf\xE9 and a soft break", "second"}));
    EXPECT_EQ(message.CharSet(), csISO8859);
}

TEST(MimeTextBody, TakesQuotedPrintableFromAnAutoconversionNote) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("text/plain")
                             .Header("X-MIME-Autoconverted", "from 8bit to quoted-printable")
                             .Line("a=3Db")
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"a=b"}));
}

TEST(MimeTextBody, KeepsJapaneseCharSetAndHtmlType) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("text/html; charset=\"ISO-2022-JP\"").Line("<p>").Text());
    EXPECT_EQ(message.CharSet(), csISO2022jp);
    EXPECT_EQ(message.ContentType(), "text/html");
    EXPECT_EQ(BodyLines(message), (Lines{"<p>"}));
}

TEST(MimeTextBody, DecodesBase64SkippingBlanksAndForeignCharacters) {
    TmsMessage message(nullptr);
    // "Hello\r\nworld" with a blank, a tab and a stray "*" inside, and a final dot.
    LoadMessage(message, MimeMessage("text/plain")
                             .Header("Content-Transfer-Encoding", "base64")
                             .Lines({"SGVs bG8N\t", "", "Cndvcmxk*", "."})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"Hello", "world"}));
}

TEST(MimeTextBody, ExplainsAParagraphTooLargeAndKeepsTheRawText) {
    TmsMessage message(nullptr);
    std::string longParagraph;
    for (int i = 0; i < 500; ++i)
        longParagraph += std::string(60, 'x') + "=\r\n";
    const std::string text = MimeMessage("text/plain")
                                 .Header("Content-Transfer-Encoding", "quoted-printable")
                                 .Line(longParagraph + "end")
                                 .Text();
    LoadMessage(message, text);
    const Lines body = BodyLines(message);
    ASSERT_EQ(body.size(), 504u);
    EXPECT_EQ(body[0], std::string(60, 'x') + "=");
    EXPECT_EQ(body[501], test::kParseErrorLine);
    EXPECT_EQ(body[502], "Paragraph is too large");
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), text);
}

TEST(MimeTextBody, IsReadAsTextFromTheCcMailMailerWhateverItsContentType) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("multipart/mixed; boundary=b")
                             .Header("X-Mailer", "V Mailsystem R #0001")
                             .Lines({"--b", "plain words"})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"--b", "plain words"}));
    EXPECT_EQ(message.Attachments().Count(), 0);
    std::string kept;
    message.Headers().GetFieldValue("Content-Type", kept);
    EXPECT_EQ(kept, "multipart/mixed; boundary=b");
}

TEST(MimeTextBody, WithANameCcMailStaysText) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("text/plain; name=\"cc:Mail\"").Line("note").Text());
    EXPECT_EQ(BodyLines(message), (Lines{"note"}));
    EXPECT_EQ(message.Attachments().Count(), 0);
}

TEST(MimeSinglePart, MakesANamelessNonTextBodyTheAttachmentAtt0) {
    TmsMessage message(nullptr);
    LoadMessage(message, MimeMessage("application/pdf")
                             .Header("Content-Transfer-Encoding", "base64")
                             .Lines({"JVBERi0=", "."})
                             .Text());
    EXPECT_EQ(message.Body().Count(), 0);
    ASSERT_EQ(message.Attachments().Count(), 1);
    TmsAttItem& item = *message.Attachments().Items(0);
    EXPECT_EQ(item.FileName(), "att.0");
    EXPECT_EQ(item.ContentType(), "application/pdf");
    EXPECT_EQ(item.TransferEncoding, aeBase64);
    EXPECT_EQ(Bytes(item), "%PDF-");
}

TEST(MimeSinglePart, NamesTheFileWithoutItsFolderAndKeepsTheDeclaredType) {
    struct Case {
        const char* ContentType;
        const char* Disposition;
        const char* Name;
        const char* Type;
    };
    const Case cases[] = {
        {"image/gif; name=\"..\\..\\windows\\evil.gif\"", "", "evil.gif", "image/gif"},
        {"application/octet-stream", "attachment; filename=\"/tmp/x/report.txt\"", "report.txt",
         "application/octet-stream"},
        {"text/plain; name=\"dir/\"", "inline; filename=\"../\"", "att.0", "text/plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ContentType);
        TmsMessage message(nullptr);
        MessageBuilder builder = MimeMessage(c.ContentType);
        if (*c.Disposition) builder.Header("Content-Disposition", c.Disposition);
        LoadMessage(message, builder.Line("data").Text());
        ASSERT_EQ(message.Attachments().Count(), 1);
        TmsAttItem& item = *message.Attachments().Items(0);
        EXPECT_EQ(item.FileName(), c.Name);
        EXPECT_EQ(item.ContentType(), c.Type);
        EXPECT_EQ(item.TransferEncoding, aeNone);
        EXPECT_EQ(Bytes(item), "data\r\n");
    }
}

TEST(MimeSinglePart, DecodesUuencodedAndQuotedPrintableData) {
    TmsMessage uu(nullptr);
    LoadMessage(uu, MimeMessage("application/octet-stream; name=a.bin")
                        .Header("Content-Transfer-Encoding", "X-UUEncode")
                        .Lines({"begin 644 a.bin", "#86)C", "`", "end"})
                        .Text());
    ASSERT_EQ(uu.Attachments().Count(), 1);
    EXPECT_EQ(uu.Attachments().Items(0)->TransferEncoding, aeBase64);
    EXPECT_EQ(Bytes(*uu.Attachments().Items(0)), "abc");

    TmsMessage quoted(nullptr);
    LoadMessage(quoted, MimeMessage("application/x-thing; name=t.dat")
                            .Header("Content-Transfer-Encoding", "quoted-printable")
                            .Lines({"a=00b", "c"})
                            .Text());
    ASSERT_EQ(quoted.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*quoted.Attachments().Items(0)), std::string("a\0b\r\nc\r\n", 8));
}

TEST(MimeSinglePart, ExplainsBadUuencodedDataAsAnAttachmentError) {
    TmsMessage message(nullptr);
    LoadMessage(
        message,
        MimeMessage("image/png").Header("Content-Transfer-Encoding", "x-uue").Line("#~~~~").Text());
    EXPECT_EQ(BodyLines(message)[1], "Invalid Character");
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "original.eml");
}

}  // namespace
}  // namespace vex
