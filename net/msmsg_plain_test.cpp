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

MessageBuilder PlainMessage() {
    MessageBuilder message;
    message.Header("From", "Ann <ann@x.test>").Header("To", "bob@x.test").Header("Subject", "Hi");
    return message;
}

// A line of four FF bytes is data like any other, not the end of the message.
TEST(PlainMessage, KeepsEveryBodyLineAndDropsTheFinalDotOfADownload) {
    TmsMessage message(nullptr);
    const std::string marker(4, '\xFF');
    LoadMessage(message, PlainMessage().Lines({"one", marker, "", "..two dots stay", "."}).Text());
    EXPECT_EQ(BodyLines(message), (Lines{"one", marker, "", "..two dots stay"}));
    EXPECT_EQ(message.Subject(), "Hi");
    EXPECT_EQ(message.Sender().Address, "ann@x.test");
    EXPECT_EQ(message.Attachments().Count(), 0);
}

TEST(PlainMessage, LoadsAHeaderBlockWithoutBodyOrEmptyLine) {
    TmsMessage message(nullptr);
    LoadMessage(message, "Subject: only headers\r\nFrom: a@x.test");
    EXPECT_EQ(message.Subject(), "only headers");
    EXPECT_EQ(message.Body().Count(), 0);
}

TEST(PlainMessage, ReadsAFromThatOpensAnAngleBracketWithoutClosingIt) {
    TmsMessage message(nullptr);
    LoadMessage(message, MessageBuilder().Header("From", "Spam <x@y.test").Line("text").Text());
    EXPECT_EQ(message.Sender().Address, "x@y.test");
    EXPECT_EQ(BodyLines(message), (Lines{"text"}));
}

// "abc" and "defgh" as uuencoded lines.
const std::string kAbc = "#86)C";
const std::string kDefgh = "%9&5F9V@`";

TEST(UuencodedMessage, TurnsTheBlockIntoANamedAttachmentAndDropsTheTextAfterIt) {
    TmsMessage message(nullptr);
    LoadMessage(message, PlainMessage()
                             .Lines({"Text before", "begin 644 data.bin", kAbc, "`", "end",
                                     "text after is dropped"})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"Text before"}));
    EXPECT_EQ(message.Encoding(), meUU);
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "data.bin");
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), "abc");
}

TEST(UuencodedMessage, ReadsEveryBlockAndNamesThoseWithoutAName) {
    TmsMessage message(nullptr);
    LoadMessage(message, PlainMessage()
                             .Lines({"begin 644 ../../etc/passwd", kAbc, "end", "between",
                                     "BEGIN 600 \"\"", kDefgh, "`"})
                             .Text());
    ASSERT_EQ(message.Attachments().Count(), 2);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "passwd");
    EXPECT_EQ(message.Attachments().Items(1)->FileName(), "att.1");
    EXPECT_EQ(Bytes(*message.Attachments().Items(1)), "defgh");
}

TEST(UuencodedMessage, ExplainsABadBlockAndKeepsTheInput) {
    TmsMessage message(nullptr);
    const std::string text = PlainMessage().Lines({"intro", "begin 644 a.bin", "#~~~~"}).Text();
    LoadMessage(message, text);
    EXPECT_EQ(BodyLines(message),
              (Lines{"intro", test::kParseErrorLine, "Error decoding the attachment",
                     test::kOriginalStoredLine}));
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(message.Attachments().Items(0)->FileName(), "original.eml");
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), text);
}

TEST(UuencodedMessage, InATextBodyIsReadAsPlainWithoutDoublingTheRecipients) {
    TmsMessage message(nullptr);
    LoadMessage(message, MessageBuilder()
                             .Header("From", "a@x.test")
                             .Header("To", "b@x.test, c@x.test")
                             .Header("Cc", "d@x.test")
                             .Header("Bcc", "e@x.test")
                             .Header("MIME-Version", "1.0")
                             .Header("Content-Type", "text/plain")
                             .Lines({"see the file", "begin 644 f.txt", kAbc, "`", "end"})
                             .Text());
    EXPECT_EQ(BodyLines(message), (Lines{"see the file"}));
    EXPECT_EQ(message.Encoding(), meUU);
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), "abc");
    EXPECT_EQ(message.Recipients().Count(), 2);
    EXPECT_EQ(message.CC().Count(), 1);
    EXPECT_EQ(message.BCC().Count(), 1);
}

}  // namespace
}  // namespace vex
