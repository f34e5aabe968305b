#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "net/msmsg_testsupport.h"
#include "platform/core/resources.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::Attach;
using test::Bytes;

void AddAddress(TmsAddressList& List, const std::string& Address) {
    test::AddAddress(List, "", Address);
}

TEST(MessageAssign, CopiesEverythingDeeply) {
    TmsMessage source(nullptr);
    source.Sender().Name = "Ann";
    source.Sender().Address = "ann@x.test";
    source.SetSubject("Minutes");
    source.SetCharSet(csISO8859);
    source.Headers().Add("X-Mailer: test");
    source.Body().Add("See attached.");
    Attach(source, "minutes.pdf", "%PDF");
    AddAddress(source.Recipients(), "bob@x.test");
    AddAddress(source.BCC(), "carol@x.test");
    source.SetPriority(ptHigh);
    source.SetReturnReceipt(true);
    source.SetTag(7);

    TmsMessage copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(copy.Sender().Address, "ann@x.test");
    EXPECT_EQ(copy.Subject(), "Minutes");
    EXPECT_EQ(copy.CharSet(), csISO8859);
    EXPECT_EQ(copy.Headers().Text(), source.Headers().Text());
    EXPECT_EQ(copy.Body().Text(), source.Body().Text());
    EXPECT_EQ(copy.ContentType(), "multipart/mixed");
    EXPECT_EQ(copy.Recipients().Items(0)->Address, "bob@x.test");
    EXPECT_EQ(copy.BCC().Items(0)->Address, "carol@x.test");
    EXPECT_EQ(copy.Priority(), ptHigh);
    EXPECT_TRUE(copy.ReturnReceipt());
    EXPECT_EQ(copy.Tag(), 7);

    ASSERT_EQ(copy.Attachments().Count(), 1);
    TmsAttItem& copied = *copy.Attachments().Items(0);
    EXPECT_NE(&copied, source.Attachments().Items(0));
    EXPECT_EQ(copied.FileName(), "minutes.pdf");
    EXPECT_EQ(copied.TransferEncoding, aeBase64);
    copied.Stream.SetPosition(0);
    copied.Stream.WriteBuffer("XXXX", 4);
    EXPECT_EQ(Bytes(*source.Attachments().Items(0)), "%PDF");
    copy.Recipients().Items(0)->Address = "changed@x.test";
    EXPECT_EQ(source.Recipients().Items(0)->Address, "bob@x.test");
}

TEST(MessageAssign, SurvivesTheSourceBeingFreedAndAssigningItself) {
    TmsMessage copy(nullptr);
    {
        TmsMessage source(nullptr);
        Attach(source, "a.bin", "bytes");
        copy.Assign(&source);
    }
    copy.Assign(&copy);
    ASSERT_EQ(copy.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*copy.Attachments().Items(0)), "bytes");
}

TEST(MessageAssign, TakesTheStoredTypeAsTheSourceDerivesIt) {
    TmsMessage source(nullptr);
    Attach(source, "photo.png", "png");
    TmsMessage copy(nullptr);
    copy.Assign(&source);
    copy.Attachments().Clear();
    copy.Body().Add("text");
    EXPECT_EQ(copy.ContentType(), "image/png");
}

TEST(MessageAssign, RejectsASourceThatIsNoMessage) {
    TmsMessage message(nullptr);
    TStringList list;
    EXPECT_THROW(message.Assign(&list), EConvertError);
    TmsAttList attachments;
    EXPECT_THROW(attachments.Assign(&list), EConvertError);
}

TEST(MessageAttachmentsSetter, CopiesTheItemsInsteadOfSharingThem) {
    TmsAttList list;
    auto item = std::make_unique<TmsAttItem>();
    item->SetFileName("a.txt");
    item->Stream.WriteBuffer("abc", 3);
    list.Add(std::move(item));

    TmsMessage message(nullptr);
    message.Body().Add("text");
    message.SetAttachments(list);
    list.Clear();
    ASSERT_EQ(message.Attachments().Count(), 1);
    EXPECT_EQ(Bytes(*message.Attachments().Items(0)), "abc");
    EXPECT_EQ(message.ContentType(), "multipart/mixed");

    message.SetAttachments(message.Attachments());
    EXPECT_EQ(message.Attachments().Count(), 1);
}

TEST(MessageClear, EmptiesTheContentsButKeepsPriorityAndReturnReceipt) {
    TmsMessage message(nullptr);
    message.Sender().Address = "ann@x.test";
    message.SetSubject("s");
    message.SetEncoding(meUU);
    message.SetCharSet(csISO2022jp);
    message.Headers().Add("X-A: 1");
    message.Body().Add("b");
    Attach(message, "a.png", "x");
    AddAddress(message.Recipients(), "r@x.test");
    AddAddress(message.CC(), "c@x.test");
    AddAddress(message.BCC(), "b@x.test");
    message.SetPriority(ptLow);
    message.SetReturnReceipt(true);
    message.SetContentType("text/html");

    message.Clear();
    EXPECT_EQ(message.Sender().Address, "");
    EXPECT_EQ(message.Subject(), "");
    EXPECT_EQ(message.Encoding(), meMIME);
    EXPECT_EQ(message.CharSet(), csUSASCII);
    EXPECT_EQ(message.ContentType(), "text/plain");
    EXPECT_EQ(message.Headers().Count(), 0);
    EXPECT_EQ(message.Body().Count(), 0);
    EXPECT_EQ(message.Attachments().Count(), 0);
    EXPECT_EQ(message.Recipients().Count() + message.CC().Count() + message.BCC().Count(), 0);
    EXPECT_EQ(message.Priority(), ptLow);
    EXPECT_TRUE(message.ReturnReceipt());
}

TEST(MessageCheckAddresses, NeedsASenderAndOneNonEmptyRecipientAnywhere) {
    TmsMessage message(nullptr);
    AddAddress(message.Recipients(), "bob@x.test");
    try {
        message.CheckAddresses();
        FAIL() << "no sender passed";
    } catch (const EMessageError& e) {
        EXPECT_EQ(e.Message(), LoadStr(sSenderRequired));
        EXPECT_EQ(e.Message(), "The address of sender is required");
    }

    message.Sender().Address = "ann@x.test";
    message.Recipients().Items(0)->Address.clear();
    AddAddress(message.CC(), "");
    try {
        message.CheckAddresses();
        FAIL() << "only empty recipients passed";
    } catch (const EMessageError& e) {
        EXPECT_EQ(e.Message(), "At least one Recipient, CC or BCC must be entered");
    }

    AddAddress(message.BCC(), "hidden@x.test");
    EXPECT_NO_THROW(message.CheckAddresses());
}

TEST(ArticleCheckAddresses, NeedsASenderNewsgroupsAndASubjectInThatOrder) {
    TmsArticle article(nullptr);
    const std::string expected[] = {"The address of sender is required",
                                    "Newsgroup header is required", "Subject header is required"};
    const std::function<void()> fill[] = {[&] { article.Sender().Address = "ann@x.test"; },
                                          [&] { article.SetNewsGroups("alt.test"); },
                                          [&] { article.SetSubject("Hello"); }};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i]);
        try {
            article.CheckAddresses();
            ADD_FAILURE() << "passed";
        } catch (const EMessageError& e) {
            EXPECT_EQ(e.Message(), expected[i]);
        }
        fill[i]();
    }
    EXPECT_NO_THROW(article.CheckAddresses());
}

TEST(MessageLoaded, ReadsTheAttachmentBytesFromTheirFilesAndFailsOnAMissingOne) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("a.txt"), "first file");
    test::WriteWholeFile(dir.File("b.png"), std::string("\x89PNG\0\1", 6));
    TComponent form(nullptr);
    form.BeginLoading();
    auto* message = new TmsMessage(&form);
    Attach(*message, dir.File("a.txt"));
    Attach(*message, dir.File("b.png"));
    form.EndLoading();
    EXPECT_EQ(Bytes(*message->Attachments().Items(0)), "first file");
    EXPECT_EQ(Bytes(*message->Attachments().Items(1)), std::string("\x89PNG\0\1", 6));

    TComponent other(nullptr);
    other.BeginLoading();
    Attach(*new TmsMessage(&other), dir.File("missing.txt"));
    EXPECT_THROW(other.EndLoading(), EFOpenError);
}

}  // namespace
}  // namespace vex
