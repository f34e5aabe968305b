#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::AddAddress;

// The header block: the lines before the first empty one.
std::vector<std::string> HeaderBlock(TmsCustomMessage& Message) {
    std::vector<std::string> lines = test::Compose(Message);
    auto end = std::find(lines.begin(), lines.end(), "");
    return std::vector<std::string>(lines.begin(), end);
}

void SetSender(TmsCustomMessage& Message, const std::string& Name, const std::string& Address) {
    Message.Sender().Name = Name;
    Message.Sender().Address = Address;
}

TEST(MessageEncoderHeaders, AreWrittenInTheirFixedOrder) {
    TmsMessage message(nullptr);
    SetSender(message, "Ann Lee", "ann@example.test");
    AddAddress(message.Recipients(), "Bob", "bob@example.test");
    AddAddress(message.CC(), "Cy", "cy@example.test");
    AddAddress(message.BCC(), "Hidden", "hidden@example.test");
    message.SetReturnReceipt(true);
    message.SetPriority(ptHigh);
    message.Headers().Add("X-Mailer: test");
    message.SetSubject("Greetings");
    message.Body().Add("Hi");
    const std::vector<std::string> expected = {
        "From:     Ann Lee <ann@example.test>",
        "To:       Bob <bob@example.test>",
        "CC:       Cy <cy@example.test>",
        "Return-Receipt-To: <ann@example.test>",
        "X-Priority: 1",
        "X-Mailer: test",
        "Subject: Greetings",
        "Mime-Version: 1.0",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "Content-Transfer-Encoding: 7bit",
    };
    EXPECT_EQ(HeaderBlock(message), expected);
}

// High priority is in the test of the order above.
TEST(MessageEncoderHeaders, WriteThePriorityOnlyWhenItIsNotNormal) {
    TmsMessage message(nullptr);
    auto priorities = [&] {
        std::vector<std::string> found;
        for (const std::string& h : HeaderBlock(message))
            if (h.starts_with("X-Priority")) found.push_back(h);
        return found;
    };
    message.SetPriority(ptLow);
    EXPECT_EQ(priorities(), std::vector<std::string>{"X-Priority: 5"});
    message.SetPriority(ptNormal);
    EXPECT_TRUE(priorities().empty());
}

TEST(MessageEncoderHeaders, PutEachFurtherRecipientOnAnIndentedLine) {
    TmsMessage message(nullptr);
    AddAddress(message.Recipients(), "One", "one@example.test");
    AddAddress(message.Recipients(), "Two", "two@example.test");
    AddAddress(message.Recipients(), "Three", "three@example.test");
    const std::vector<std::string> headers = HeaderBlock(message);
    ASSERT_GE(headers.size(), 4u);
    EXPECT_EQ(headers[1], "To:       One <one@example.test>,");
    EXPECT_EQ(headers[2], "          Two <two@example.test>,");
    EXPECT_EQ(headers[3], "          Three <three@example.test>");
}

TEST(MessageEncoderHeaders, QuoteDisplayNamesThatWouldBreakTheAddress) {
    struct Case {
        std::string Name;
        std::string Written;
    };
    const Case cases[] = {
        {"Plain Name", "Plain Name"},
        {"J. Smith", "\"J. Smith\""},
        {"Doe, John", "\"Doe, John\""},
        {"Jay \"JJ\" Doe", "\"Jay \\\"JJ\\\" Doe\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"\"Already, quoted\"", "\"Already, quoted\""},
        {"\"open only", "\"\\\"open only\""},
        {"Line\r\n Break", "Line Break"},
        {"Line\nBreak, Too", "\"Line Break, Too\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Written);
        TmsMessage message(nullptr);
        SetSender(message, c.Name, "a@example.test");
        AddAddress(message.Recipients(), c.Name, "b@example.test");
        AddAddress(message.CC(), c.Name, "c@example.test");
        const std::vector<std::string> headers = HeaderBlock(message);
        ASSERT_GE(headers.size(), 3u);
        EXPECT_EQ(headers[0], "From:     " + c.Written + " <a@example.test>");
        EXPECT_EQ(headers[1], "To:       " + c.Written + " <b@example.test>");
        EXPECT_EQ(headers[2], "CC:       " + c.Written + " <c@example.test>");
    }
}

TEST(MessageEncoderHeaders, CannotBeExtendedThroughLineBreaksInValues) {
    TmsMessage message(nullptr);
    SetSender(message, "Ann", "ann@example.test\r\nBcc: victim@example.test");
    message.SetSubject("Hello\r\n\r\nInjected body");
    const std::vector<std::string> headers = HeaderBlock(message);
    ASSERT_GE(headers.size(), 2u);
    EXPECT_EQ(headers[0], "From:     Ann <ann@example.test Bcc: victim@example.test>");
    EXPECT_EQ(headers[1], "Subject: Hello Injected body");
}

TEST(MessageEncoderHeaders, EncodeJapaneseNamesAndSubjectsOnlyUnderMime) {
    const std::string jis = "\x1b$B$3$s\x1b(B";
    TmsMessage message(nullptr);
    message.SetCharSet(csISO2022jp);
    SetSender(message, jis, "a@example.test");
    message.SetSubject(jis);
    std::vector<std::string> headers = HeaderBlock(message);
    EXPECT_EQ(headers[0], "From:     =?ISO-2022-JP?B?GyRCJDMkcxsoQg==?= <a@example.test>");
    EXPECT_EQ(headers[1], "Subject: =?ISO-2022-JP?B?GyRCJDMkcxsoQg==?=");

    message.SetEncoding(meUU);
    headers = HeaderBlock(message);
    EXPECT_EQ(headers[1], "Subject: " + jis);
}

TEST(MessageEncoderHeaders, ReplaceTheCallersCopiesOfGeneratedFieldsWithoutChangingThem) {
    TmsMessage message(nullptr);
    SetSender(message, "Ann", "ann@example.test");
    message.SetSubject("New");
    const char* own[] = {"Received: from somewhere",
                         "From: Old <old@example.test>",
                         "Subject: Old",
                         "Content-Type: multipart/mixed;",
                         "\tboundary=\"old\"",
                         "X-Keep: yes",
                         "",
                         "subject: Old again",
                         "Mime-Version: 1.0"};
    for (const char* line : own)
        message.Headers().Add(line);
    const std::string before = message.Headers().Text();

    const std::vector<std::string> headers = HeaderBlock(message);
    const std::vector<std::string> expected = {
        "From:     Ann <ann@example.test>",
        "Received: from somewhere",
        "X-Keep: yes",
        "Subject: New",
        "Mime-Version: 1.0",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "Content-Transfer-Encoding: 7bit",
    };
    EXPECT_EQ(headers, expected);
    EXPECT_EQ(message.Headers().Text(), before);
}

TEST(ArticleEncoderHeaders, NameTheNewsgroupsPadTheSubjectAndQuoteNamesWithCommas) {
    TmsArticle article(nullptr);
    SetSender(article, "J. Smith", "js@example.test");
    article.SetNewsGroups("comp.test");
    article.SetSubject("Hello");
    article.Headers().Add("Newsgroups: old.group");
    article.Headers().Add("Path: a!b");
    const std::vector<std::string> headers = HeaderBlock(article);
    const std::vector<std::string> expected = {
        "From:     J. Smith <js@example.test>",
        "Newsgroups: comp.test",
        "Path: a!b",
        "Subject:  Hello",
        "Mime-Version: 1.0",
        "Content-Type: text/plain; charset=\"us-ascii\"",
        "Content-Transfer-Encoding: 7bit",
    };
    EXPECT_EQ(headers, expected);

    // A dot needs no quotes in an article's sender; a comma still does.
    SetSender(article, "Smith, J.", "js@example.test");
    EXPECT_EQ(HeaderBlock(article)[0], "From:     \"Smith, J.\" <js@example.test>");
}

}  // namespace
}  // namespace vex
