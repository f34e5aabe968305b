#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::AddAddress;
using test::Attach;
using test::Bytes;

TEST(MessageContentType, FollowsTheBodyTheAttachmentsAndWhatWasSet) {
    struct Case {
        bool Body;
        std::vector<std::string> Files;
        std::string Set, Expected;
    };
    const Case cases[] = {
        {false, {}, "", "text/plain"},
        {true, {"report.pdf"}, "", "multipart/mixed"},
        {false, {"photo.png"}, "", "image/png"},
        {false, {"_RtfBody.RTF"}, "", "text/rtf"},
        {false, {"_htmbody.htm"}, "", "text/html"},
        {false, {"a.png", "b.png"}, "", "multipart/mixed"},
        {true, {"_htmbody.htm"}, "", "multipart/mixed"},
        {true, {"_ALT.0", "_alt.1"}, "", "multipart/alternative"},
        {true, {"_alt.0", "a.png"}, "", "multipart/mixed"},
        {true, {}, "Text/HTML", "text/html"},
        {false, {}, "Text/HTML", "text/plain"},
    };
    for (const Case& c : cases) {
        TmsMessage message(nullptr);
        if (c.Body) message.Body().Add("Hello");
        for (const std::string& file : c.Files)
            Attach(message, file);
        if (!c.Set.empty()) message.SetContentType(c.Set);
        EXPECT_EQ(message.ContentType(), c.Expected) << c.Set << c.Files.size();
        message.SetEncoding(meUU);
        EXPECT_EQ(message.ContentType(), "");
    }
}

TEST(AttachmentFileName, SetsTheTypeAndEncodingAndKeepsNoFolderFromAMessage) {
    const std::pair<std::string, TAttEncoding> types[] = {{"text/plain", aeQuotedPrintable},
                                                          {"message/rfc822", aeNone},
                                                          {"image/png", aeBase64},
                                                          {"application/octet-stream", aeBase64},
                                                          {"application/octet-stream", aeBase64}};
    const char* files[] = {"notes.txt", "forwarded.eml", "photo.png", "data.zzqx", "noext"};
    for (int i = 0; i < 5; ++i) {
        TmsAttItem item;
        item.SetFileName(files[i]);
        EXPECT_EQ(item.ContentType(), types[i].first) << files[i];
        EXPECT_EQ(item.TransferEncoding, types[i].second) << files[i];
    }
    const std::pair<std::string, std::string> names[] = {
        {"../../etc/passwd", "passwd"},
        {"..\\..\\Windows\\win.ini", "win.ini"},
        {"dir/..", ""},
        {".", ""},
        {"..notes.txt", "..notes.txt"},
    };
    for (const auto& [given, kept] : names)
        EXPECT_EQ(AttachmentNameOnly(given), kept) << given;
}

TEST(MessageMapHeaders, TakesTheFieldsAppendsAddressesAndReadsAnUnclosedOneAsItCan) {
    TmsMessage message(nullptr);
    TmsHeaders headers;
    headers.SetText(
        "From: \"Ann Smith\" <ann@x.test \r\nTo: bob@x.test, Carol <carol@x.test>\r\n"
        "Cc: dave@x.test\r\nBcc: eve@x.test\r\nSubject: Lunch\r\n"
        "Return-Receipt-To: ann@x.test\r\nX-Priority: 5\r\n");
    message.MapHeaders(headers);
    message.MapHeaders(headers);
    EXPECT_EQ(message.Sender().Name, "Ann Smith");
    EXPECT_EQ(message.Sender().Address, "ann@x.test");
    ASSERT_EQ(message.Recipients().Count(), 4);
    EXPECT_EQ(message.Recipients().Items(1)->Name, "Carol");
    EXPECT_EQ(message.CC().Count() + message.BCC().Count(), 4);
    EXPECT_EQ(message.Subject(), "Lunch");
    EXPECT_TRUE(message.ReturnReceipt());
    EXPECT_EQ(message.Priority(), ptLow);
    EXPECT_TRUE(message.Headers().Equals(headers));

    TmsArticle article(nullptr);
    headers.SetText(
        "From: a@x.test (Ann)\r\nPath: p!q\r\nNewsgroups: alt.test\r\nMessage-ID: <4@x>");
    article.MapHeaders(headers);
    TmsArticle copy(nullptr);
    copy.Assign(&article);
    EXPECT_EQ(copy.NewsGroups(), "alt.test");
    EXPECT_EQ(article.Sender().Name + article.Path + article.NewsGroups() + article.MessageID,
              "Annp!qalt.test<4@x>");
}

TEST(MessageAssign, CopiesEverythingDeeplyAndNeverSharesItems) {
    TmsMessage source(nullptr);
    source.Sender().Address = "ann@x.test";
    source.SetSubject("Minutes");
    source.SetCharSet(csISO8859);
    source.Headers().Add("X-Mailer: test");
    Attach(source, "photo.png", "png");
    AddAddress(source.BCC(), "", "carol@x.test");
    source.SetPriority(ptHigh);
    source.SetTag(7);
    TmsMessage copy(nullptr);
    copy.Assign(&source);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Sender().Address + copy.Subject() + copy.Headers()[0],
              "ann@x.testMinutesX-Mailer: test");
    EXPECT_EQ(copy.CharSet(), csISO8859);
    EXPECT_EQ(copy.BCC().Items(0)->Address, "carol@x.test");
    EXPECT_EQ(copy.Priority(), ptHigh);
    EXPECT_EQ(copy.Tag(), 7);
    ASSERT_EQ(copy.Attachments().Count(), 1);
    EXPECT_NE(copy.Attachments().Items(0), source.Attachments().Items(0));
    EXPECT_EQ(Bytes(*copy.Attachments().Items(0)), "png");
    // The type is taken as the source derives it, not as the copy would.
    copy.Attachments().Clear();
    copy.Body().Add("text");
    EXPECT_EQ(copy.ContentType(), "image/png");

    TmsMessage holder(nullptr);
    holder.SetAttachments(source.Attachments());
    source.Attachments().Clear();
    EXPECT_EQ(Bytes(*holder.Attachments().Items(0)), "png");
    holder.SetAttachments(TmsAttList());
    EXPECT_EQ(holder.ContentType(), "text/plain");
    TStringList other;
    EXPECT_THROW(holder.Assign(&other), EConvertError);
    EXPECT_THROW(holder.Attachments().Assign(&other), EConvertError);
    EXPECT_THROW(holder.CC().Assign(&other), EConvertError);
}

TEST(MessageClear, EmptiesTheContentsButKeepsPriorityAndReturnReceipt) {
    TmsMessage message(nullptr);
    message.SetSubject("s");
    message.SetEncoding(meUU);
    message.Body().Add("b");
    Attach(message, "a.png", "x");
    AddAddress(message.CC(), "", "c@x.test");
    message.SetPriority(ptLow);
    message.SetReturnReceipt(true);
    message.Clear();
    EXPECT_EQ(message.Subject() + message.Body().Text(), "");
    EXPECT_EQ(message.ContentType(), "text/plain");
    EXPECT_EQ(message.Attachments().Count() + message.CC().Count(), 0);
    EXPECT_EQ(message.Priority(), ptLow);
    EXPECT_TRUE(message.ReturnReceipt());
}

TEST(MessageCheckAddresses, NeedWhatSendingOrPostingNeedsInThatOrder) {
    TmsMessage message(nullptr);
    TmsArticle article(nullptr);
    auto check = [](TmsCustomMessage& M) {
        try {
            M.CheckAddresses();
        } catch (const EMessageError& e) {
            return e.Message();
        }
        return std::string("passed");
    };
    AddAddress(message.Recipients(), "", "");
    EXPECT_EQ(check(message), "The address of sender is required");
    message.Sender().Address = article.Sender().Address = "ann@x.test";
    EXPECT_EQ(check(message), "At least one Recipient, CC or BCC must be entered");
    AddAddress(message.BCC(), "", "hidden@x.test");
    EXPECT_EQ(check(message), "passed");
    EXPECT_EQ(check(article), "Newsgroup header is required");
    article.SetNewsGroups("alt.test");
    EXPECT_EQ(check(article), "Subject header is required");
    article.SetSubject("Hi");
    EXPECT_EQ(check(article), "passed");
}

TEST(MessageLoaded, ReadsTheAttachmentBytesFromTheirFilesAndFailsOnAMissingOne) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("b.png"), std::string("\x89PNG\0\1", 6));
    TComponent form(nullptr);
    form.BeginLoading();
    auto* message = new TmsMessage(&form);
    Attach(*message, dir.File("b.png"));
    form.EndLoading();
    EXPECT_EQ(Bytes(*message->Attachments().Items(0)), std::string("\x89PNG\0\1", 6));
    TComponent other(nullptr);
    other.BeginLoading();
    Attach(*new TmsMessage(&other), dir.File("missing.txt"));
    EXPECT_THROW(other.EndLoading(), EFOpenError);
}

}  // namespace
}  // namespace vex
