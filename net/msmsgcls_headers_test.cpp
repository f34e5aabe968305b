#include <gtest/gtest.h>

#include <string>

#include "net/msmsgcls.h"

namespace vex {
namespace {

TmsHeaders HeadersOf(const std::string& Text) {
    TmsHeaders headers;
    headers.SetText(Text);
    return headers;
}

TEST(MessageMapHeaders, TakesTheFieldsOntoTheProperties) {
    TmsMessage message(nullptr);
    TmsHeaders headers = HeadersOf(
        "From: \"Ann Smith\" <ann@x.test>\r\n"
        "To: bob@x.test, Carol <carol@x.test>\r\n"
        "Cc: dave@x.test\r\n"
        "Bcc: eve@x.test\r\n"
        "Subject: Lunch\r\n"
        "Return-Receipt-To: ann@x.test\r\n"
        "X-Priority: 1\r\n");
    message.MapHeaders(headers);
    EXPECT_EQ(message.Sender().Name, "Ann Smith");
    EXPECT_EQ(message.Sender().Address, "ann@x.test");
    ASSERT_EQ(message.Recipients().Count(), 2);
    EXPECT_EQ(message.Recipients().Items(1)->Name, "Carol");
    EXPECT_EQ(message.Recipients().Items(1)->Address, "carol@x.test");
    EXPECT_EQ(message.CC().Items(0)->Address, "dave@x.test");
    EXPECT_EQ(message.BCC().Items(0)->Address, "eve@x.test");
    EXPECT_EQ(message.Subject(), "Lunch");
    EXPECT_TRUE(message.ReturnReceipt());
    EXPECT_EQ(message.Priority(), ptHigh);
    EXPECT_TRUE(message.Headers().Equals(headers));
}

TEST(MessageMapHeaders, AppendsToTheAddressListsAndKeepsAnEarlierSubject) {
    TmsMessage message(nullptr);
    message.SetSubject("Earlier");
    message.SetReturnReceipt(true);
    TmsHeaders headers = HeadersOf("To: a@x.test\r\nCc: b@x.test\r\nBcc: c@x.test\r\n");
    message.MapHeaders(headers);
    message.MapHeaders(headers);
    EXPECT_EQ(message.Recipients().Count(), 2);
    EXPECT_EQ(message.CC().Count(), 2);
    EXPECT_EQ(message.BCC().Count(), 2);
    EXPECT_EQ(message.Subject(), "Earlier");
    EXPECT_TRUE(message.ReturnReceipt());
}

TEST(MessageMapHeaders, ReadsThePriorityFromXPriority) {
    const std::pair<std::string, TPriority> cases[] = {
        {"X-Priority: 1\r\n", ptHigh},   {"X-Priority: 5\r\n", ptLow},
        {"X-Priority: 3\r\n", ptNormal}, {"X-Priority: 2\r\n", ptNormal},
        {"Subject: none\r\n", ptNormal},
    };
    for (const auto& [text, priority] : cases) {
        SCOPED_TRACE(text);
        TmsMessage message(nullptr);
        message.SetPriority(ptLow);
        message.MapHeaders(HeadersOf(text));
        EXPECT_EQ(message.Priority(), priority);
    }
}

TEST(MessageMapHeaders, TakesAnUnclosedAddressAsWellAsItCan) {
    TmsMessage message(nullptr);
    message.MapHeaders(
        HeadersOf("From: \"Ann Smith\" <ann@x.test \r\n"
                  "To: Bob <bob@x.test\r\n"
                  "Subject: still mapped\r\n"));
    EXPECT_EQ(message.Sender().Name, "Ann Smith");
    EXPECT_EQ(message.Sender().Address, "ann@x.test");
    ASSERT_EQ(message.Recipients().Count(), 1);
    EXPECT_EQ(message.Recipients().Items(0)->Address, "bob@x.test");
    EXPECT_EQ(message.Subject(), "still mapped");
    EXPECT_EQ(message.Headers().Count(), 3);
}

TEST(ArticleMapHeaders, TakesTheNewsFields) {
    TmsArticle article(nullptr);
    TmsHeaders headers = HeadersOf(
        "From: ann@x.test (Ann)\r\n"
        "Path: news.x.test!not-for-mail\r\n"
        "Newsgroups: alt.test,comp.misc\r\n"
        "Message-ID: <42@x.test>\r\n"
        "Subject: Hello\r\n");
    article.MapHeaders(headers);
    EXPECT_EQ(article.Sender().Address, "ann@x.test");
    EXPECT_EQ(article.Sender().Name, "Ann");
    EXPECT_EQ(article.Path, "news.x.test!not-for-mail");
    EXPECT_EQ(article.NewsGroups(), "alt.test,comp.misc");
    EXPECT_EQ(article.MessageID, "<42@x.test>");
    EXPECT_EQ(article.Subject(), "Hello");
    EXPECT_EQ(article.Headers().Count(), 5);
}

}  // namespace
}  // namespace vex
