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

MessageBuilder Multipart(std::string_view Subtype, std::string_view Boundary) {
    MessageBuilder message;
    message.Header("From", "a@x.test")
        .Header("MIME-Version", "1.0")
        .Header("Content-Type", "multipart/" + std::string(Subtype) + "; boundary=\"" +
                                    std::string(Boundary) + "\"");
    return message;
}

void ExpectFallback(TmsMessage& Message, const std::string& Input, const std::string& Error) {
    const Lines body = BodyLines(Message);
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body[body.size() - 3], test::kParseErrorLine);
    EXPECT_EQ(body[body.size() - 2], Error);
    EXPECT_EQ(body[body.size() - 1], test::kOriginalStoredLine);
    ASSERT_GE(Message.Attachments().Count(), 1);
    TmsAttItem& original = *Message.Attachments().Items(Message.Attachments().Count() - 1);
    EXPECT_EQ(original.FileName(), "original.eml");
    EXPECT_EQ(original.ContentType(), "message/rfc822");
    EXPECT_EQ(original.TransferEncoding, aeNone);
    EXPECT_EQ(Bytes(original), Input);
}

TEST(MultipartMessage, TakesThePlainAlternativeAsBodyAndTheHtmlAsAlt0) {
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("alternative", "alt")
                             .Line("preamble is dropped")
                             .Part("alt", {"Content-Type: text/plain"}, {"plain text"})
                             .Part("alt", {"Content-Type: text/html"}, {"<b>html</b>"})
                             .Close("alt")
                             .Line("epilogue")
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"plain text"}));
    ASSERT_EQ(message.Attachments().Count(), 1);
    TmsAttItem& html = *message.Attachments().Items(0);
    EXPECT_EQ(html.FileName(), "_alt.0");
    EXPECT_EQ(html.ContentType(), "text/html");
    EXPECT_EQ(Bytes(html), "<b>html</b>");  // the last line break belongs to the boundary
}

TEST(MultipartMessage, ReadsANestedAlternativeThenTheFilesOfTheOuterPart) {
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("mixed", "out")
                             .Part("out", {"Content-Type: multipart/alternative; boundary=in"}, {})
                             .Part("in", {"Content-Type: text/plain"}, {"plain"})
                             .Part("in", {"Content-Type: text/html"}, {"<i>html</i>"})
                             .Close("in")
                             .Line("between the closings")
                             .Part("out",
                                   {"Content-Type: application/pdf; name=\"doc.pdf\"",
                                    "Content-Transfer-Encoding: base64"},
                                   {"JVBERi0xLjQK", "JSVFT0YK"})
                             .Close("out")
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"plain"}));
    ASSERT_EQ(message.Attachments().Count(), 2);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "_alt.0");
    EXPECT_EQ(message.Attachments().Items(0)->ContentType(), "text/html");
    TmsAttItem& pdf = *message.Attachments().Items(1);
    EXPECT_EQ(pdf.FileName(), "doc.pdf");
    EXPECT_EQ(pdf.TransferEncoding, aeBase64);
    EXPECT_EQ(Bytes(pdf), "%PDF-1.4\n%%EOF\n");
}

TEST(MultipartMessage, KeepsTheFilesAfterANestedAlternativeOfOnePart) {
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("mixed", "out")
                             .Part("out", {"Content-Type: multipart/alternative; boundary=in"}, {})
                             .Part("in", {"Content-Type: text/plain"}, {"only plain"})
                             .Close("in")
                             .Part("out", {"Content-Type: text/plain; name=notes.txt"}, {"n"})
                             .Close("out")
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"only plain"}));
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "notes.txt");
}

TEST(MultipartMessage, MakesABase64FirstPartTheFirstAttachment) {
    TmsMessage message(nullptr);
    LoadMessage(message,
                Multipart("mixed", "b")
                    .Part("b", {"Content-Type: image/png", "Content-Transfer-Encoding: BASE64"},
                          {"iVBORw==", ""})
                    .Part("b", {"Content-Type: text/plain"}, {"caption"})
                    .Close("b")
                    .Text());
    EXPECT_EQ(message.Body().Count(), 0);
    ASSERT_EQ(message.Attachments().Count(), 2);
    TmsAttItem& image = *message.Attachments().Items(0);
    EXPECT_EQ(image.FileName(), "att.0");
    EXPECT_EQ(image.ContentType(), "image/png");
    EXPECT_EQ(Bytes(image), "\x89PNG");
    EXPECT_EQ(message.Attachments().Items(1)->FileName(), "att.1");
}

TEST(MultipartMessage, ReadsTheLastPartToTheEndWhenTheClosingDelimiterIsMissing) {
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("mixed", "b")
                             .Part("b", {"Content-Type: text/plain"}, {"text"})
                             .Part("b", {"Content-Type: text/plain; name=a.txt"}, {"tail"})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"text"}));
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), "tail\r\n");

    // Nor is a part invented from the nothing after a final boundary line.
    TmsMessage ended(nullptr);
    LoadMessage(ended, Multipart("mixed", "b")
                           .Part("b", {"Content-Type: text/plain"}, {"text"})
                           .Line("--b")
                           .Text());
    EXPECT_EQ(ended.Attachments().Count(), 0);
}

TEST(MultipartMessage, FallsBackWhenNoBoundaryIsFound) {
    const std::string noBoundaryLine =
        Multipart("mixed", "b").Lines({"just text", "--other"}).Text();
    const std::string textToTheEnd =
        Multipart("mixed", "b").Part("b", {"Content-Type: text/plain"}, {"never ends"}).Text();
    for (const std::string& input : {noBoundaryLine, textToTheEnd}) {
        TmsMessage message(nullptr);
        LoadMessage(message, input);
        ExpectFallback(message, input, "Cannot find boundary");
    }
}

TEST(MultipartMessage, KeepsWhatWasReadBeforeABadAttachment) {
    const std::string input =
        Multipart("mixed", "b")
            .Part("b", {"Content-Type: text/plain"}, {"text"})
            .Part("b",
                  {"Content-Type: image/gif; name=good.gif", "Content-Transfer-Encoding: base64"},
                  {"R0lG"})
            .Part("b",
                  {"Content-Type: image/gif; name=bad.gif", "Content-Transfer-Encoding: x-uue"},
                  {"#~~~~"})
            .Close("b")
            .Text();
    TmsMessage message(nullptr);
    LoadMessage(message, input);
    EXPECT_EQ(BodyLines(message)[0], "text");
    ASSERT_EQ(message.Attachments().Count(), 2);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "good.gif");
    ExpectFallback(message, input, "Invalid Character");
}

TEST(MultipartMessage, TakesAFirstPartThatIsMixedAsRawText) {
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("mixed", "out")
                             .Part("out", {"Content-Type: multipart/mixed; boundary=in"},
                                   {"--in", "inner text", "--in--"})
                             .Close("out")
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"--in", "inner text", "--in--"}));
    EXPECT_EQ(message.Attachments().Count(), 0);
}

TEST(MultipartMessage, DecodesUuencodedPartsAndKeepsEmbeddedMessagesAsTheyStand) {
    TmsMessage message(nullptr);
    LoadMessage(message,
                Multipart("mixed", "b")
                    .Part("b", {"Content-Type: text/plain"}, {"text"})
                    .Part("b",
                          {"Content-Disposition: attachment; filename=\"C:\\docs\\u.bin\"",
                           "Content-Transfer-Encoding: x-uuencode"},
                          {"begin 644 u.bin", "#86)C", "`", "end"})
                    .Part("b", {"Content-Type: message/rfc822"}, {"Subject: inner", "", "hi"})
                    .Close("b")
                    .Text());
    ASSERT_EQ(message.Attachments().Count(), 2);
    TmsAttItem& uu = *message.Attachments().Items(0);
    EXPECT_EQ(uu.FileName(), "u.bin");
    EXPECT_EQ(Bytes(uu), "abc");
    TmsAttItem& inner = *message.Attachments().Items(1);
    EXPECT_EQ(inner.FileName(), "att.1");
    EXPECT_EQ(inner.ContentType(), "message/rfc822");
    EXPECT_EQ(Bytes(inner), "Subject: inner\r\n\r\nhi");
}

TEST(MultipartMessage, ComparesBoundariesOnTheWholeLine) {
    const std::string boundary(300, 'q');
    TmsMessage message(nullptr);
    LoadMessage(message, Multipart("mixed", boundary)
                             .Part(boundary, {"Content-Type: text/plain"},
                                   {"--" + boundary.substr(0, 253), "text"})
                             .Close(boundary)
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"--" + boundary.substr(0, 253), "text"}));
}

}  // namespace
}  // namespace vex
