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

TEST(MimeTextBody, DecodesBase64SkippingBlanksAndForeignCharacters) {
    TmsMessage message(nullptr);
    // "Hello\r\nworld" with a blank, a tab and a stray "*" inside, a final dot, and a line
    // longer than a short string, which is decoded whole.
    std::string longLine;
    for (int i = 0; i < 100; ++i)
        longLine += "QUJD";
    LoadMessage(message, MimeMessage("text/plain")
                             .Header("Content-Transfer-Encoding", "base64")
                             .Lines({"SGVs bG8N\t", "", "Cndvcmxk*", "DQo=", longLine, "."})
                             .Text());
    std::string abc;
    for (int i = 0; i < 100; ++i)
        abc += "ABC";
    EXPECT_EQ(BodyLines(message), (Lines{"Hello", "world", abc}));
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

}  // namespace
}  // namespace vex
