#include <gtest/gtest.h>

#include "net/msmsg_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::Bytes;
using test::Script;

std::vector<test::TestCase> Table(const std::string& Name) {
    return test::ReadCases(VEX_TEST_DIR "/testdata/messages.txt", Name);
}

TEST(MessageContentType, FollowsTheBodyTheAttachmentsAndWhatWasSet) {
    for (const test::TestCase& c : Table("content-type")) {
        SCOPED_TRACE(c.Where);
        TmsMessage message(nullptr);
        Script(message, std::vector<std::string>(c.Fields.begin() + 1, c.Fields.end()));
        EXPECT_EQ(message.ContentType(), c[0]);
        message.SetEncoding(meUU);
        EXPECT_EQ(message.ContentType(), "");
    }
    for (const test::TestCase& c : Table("attachment-type")) {
        SCOPED_TRACE(c.Where);
        TmsAttItem item;
        item.SetFileName(c[0]);
        EXPECT_EQ(item.ContentType() + " " + std::to_string(item.TransferEncoding),
                  c[1] + " " + c[2]);
    }
    for (const test::TestCase& c : Table("name-only"))
        EXPECT_EQ(AttachmentNameOnly(c[0]), c[1]) << c.Where;
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
    const std::vector<std::string> outline{"Ann Smith <ann@x.test>", "Lunch 0",
                                           " <bob@x.test>",          "Carol <carol@x.test>",
                                           " <bob@x.test>",          "Carol <carol@x.test>",
                                           " <dave@x.test>",         " <dave@x.test>",
                                           " <eve@x.test>",          " <eve@x.test>"};
    EXPECT_EQ(test::Outline(message), outline);
    EXPECT_TRUE(message.ReturnReceipt());
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

// The set a text's encoded words named travels with the text, through copies, and lapses when
// the text changes.
TEST(MessageMapHeaders, KeepsTheCharacterSetOfEachDecodedText) {
    TmsHeaders headers;
    headers.SetText(
        "From: =?utf-8?Q?J=C3=BCrgen?= <j@x.test>\r\nTo: =?koi8-r?Q?=F0?= <k@x.test>, "
        "l@x.test\r\nSubject: =?ISO-8859-2?Q?=B1?=\r\n");
    TmsMessage message(nullptr);
    message.MapHeaders(headers);
    TmsMessage copy(nullptr);
    copy.Assign(&message);
    auto charSets = [](const TmsMessage& M) {
        return std::string(M.SubjectCharSet()) + " " + std::string(M.Sender().NameCharSet()) + " " +
               std::string(M.Recipients().Items(0)->NameCharSet()) + " " +
               std::string(M.Recipients().Items(1)->NameCharSet());
    };
    EXPECT_EQ(charSets(copy), "iso-8859-2 utf-8 koi8-r ");
    copy.SetSubject("Other");
    copy.Sender().Name = "Other";
    copy.Recipients().Items(1)->SetNameCharSet("bad?name");
    EXPECT_EQ(charSets(copy), "  koi8-r ");
    copy.Clear();
    EXPECT_EQ(std::string(copy.Sender().NameCharSet()) + std::string(copy.SubjectCharSet()), "");
}

// The set the body was read in describes that text only: any change to the body drops it, a
// copy takes it along, and a load puts the new text's own in its place.
TEST(MessageBodyCharSet, HoldsWhileTheTextStaysAndFitsIt) {
    for (const test::TestCase& c : Table("body-charset")) {
        SCOPED_TRACE(c.Where);
        TmsMessage message(nullptr);
        Script(message, std::vector<std::string>(c.Fields.begin() + 2, c.Fields.end()));
        message.SetBodyCharSet(c[1]);
        EXPECT_EQ(message.BodyCharSet(), c[0]);
    }

    TmsMessage message(nullptr);
    auto recorded = [&](const std::function<void(TmsMessage&)>& Change) {
        message.Body().SetText("Gr\xc3\xbc\xc3\x9f\r\nline\r\n");
        message.SetBodyCharSet("utf-8");
        Change(message);
        return std::string(message.BodyCharSet());
    };
    TStringList same;
    same.SetText("Gr\xc3\xbc\xc3\x9f\r\nline\r\n");
    EXPECT_EQ(recorded([](TmsMessage&) {}), "utf-8");
    EXPECT_EQ(recorded([](TmsMessage& M) { M.SetSubject("other"); }), "utf-8");
    EXPECT_EQ(recorded([](TmsMessage& M) { M.Body().Add("more"); }), "");
    EXPECT_EQ(recorded([](TmsMessage& M) { M.Body().Delete(1); }), "");
    EXPECT_EQ(recorded([](TmsMessage& M) { M.Body().SetStrings(1, "caf\xe9"); }), "");
    EXPECT_EQ(recorded([&](TmsMessage& M) { M.SetBody(same); }), "");
    EXPECT_EQ(recorded([](TmsMessage& M) { M.Clear(); }), "");
    EXPECT_EQ(recorded([](TmsMessage& M) {
                  M.Body().Clear();
                  M.SetBodyCharSet("koi8-r");
                  M.Clear();
              }),
              "");
    EXPECT_EQ(recorded([](TmsMessage& M) {
                  TStringStream in("From: a@x.test\r\n\r\ncaf\xe9\r\n");
                  M.LoadFromStream(in);
              }),
              "");
    TmsMessage copy(nullptr);
    EXPECT_EQ(recorded([&](TmsMessage& M) { copy.Assign(&M); }), "utf-8");
    EXPECT_EQ(copy.BodyCharSet(), "utf-8");
    copy.Body().Add("more");
    EXPECT_EQ(copy.BodyCharSet(), "");
    TmsMessage stale(nullptr);
    stale.Assign(&copy);
    EXPECT_EQ(stale.BodyCharSet(), "");
}

// The set an attachment was read in holds while its bytes fit it: bytes that come to contradict
// it, or a new file, drop it; a copy takes it along.
TEST(MessageAttachmentCharSet, HoldsWhileTheBytesFitIt) {
    for (const test::TestCase& c : Table("attachment-charset")) {
        SCOPED_TRACE(c.Where);
        TmsAttItem item;
        item.Stream.WriteBuffer(c[2].data(), static_cast<int32_t>(c[2].size()));
        item.SetCharSet(c[1]);
        EXPECT_EQ(item.CharSet(), c[0]);
    }
    TmsAttItem item;
    item.SetFileName("notes.txt");
    item.Stream.WriteBuffer("plain", 5);
    item.SetCharSet("us-ascii");
    TmsAttItem copy;
    copy.Assign(&item);
    EXPECT_EQ(copy.CharSet(), "us-ascii");
    item.Stream.WriteBuffer("\xe9", 1);
    EXPECT_EQ(item.CharSet(), "");
    copy.SetFileName("other.txt");
    EXPECT_EQ(copy.CharSet(), "");
}

// Clear empties the contents but keeps the sender's settings, priority and return receipt.
TEST(MessageAssign, CopiesEverythingDeeplyAndNeverSharesItems) {
    TmsMessage source(nullptr);
    Script(source, {"from \"\" ann@x.test", "subject Minutes", "charset iso-8859-1",
                    "header \"X-Mailer: test\"", "attach photo.png png", "bcc \"\" carol@x.test",
                    "priority high", "receipt"});
    source.SetTag(7);
    TmsMessage copy(nullptr);
    copy.Assign(&source);
    copy.Assign(&copy);
    EXPECT_EQ(test::Outline(copy), test::Outline(source));
    EXPECT_EQ(copy.Headers().Text() + std::to_string(copy.CharSet()) + std::to_string(copy.Tag()),
              "X-Mailer: test\r\n17");
    EXPECT_NE(copy.Attachments().Items(0), source.Attachments().Items(0));
    // A name the parser made up stays made up in a copy, until a caller names the part.
    TmsAttItem item;
    item.SetMadeUpFileName("att.0");
    TmsAttItem itemCopy;
    itemCopy.Assign(&item);
    EXPECT_TRUE(itemCopy.FileNameMadeUp());
    itemCopy.SetFileName("att.0");
    EXPECT_FALSE(itemCopy.FileNameMadeUp());
    // The type is taken as the source derives it, not as the copy would.
    copy.Attachments().Clear();
    copy.Body().Add("text");
    EXPECT_EQ(copy.ContentType(), "image/png");
    copy.Clear();
    EXPECT_EQ(test::Outline(copy), (std::vector<std::string>{" <>", " 2"}));
    EXPECT_EQ(copy.Body().Text() + copy.ContentType(), "text/plain");
    EXPECT_TRUE(copy.ReturnReceipt());

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

TEST(MessageCheckAddresses, NeedWhatSendingOrPostingNeedsInThatOrder) {
    TmsMessage message(nullptr);
    TmsArticle article(nullptr);
    auto check = [](TmsCustomMessage& M, const std::vector<std::string>& Lines) {
        Script(M, Lines);
        try {
            M.CheckAddresses();
        } catch (const EMessageError& e) {
            return e.Message();
        }
        return std::string("passed");
    };
    EXPECT_EQ(check(message, {"to \"\" \"\""}), "The address of sender is required");
    EXPECT_EQ(check(message, {"from \"\" ann@x.test"}),
              "At least one Recipient, CC or BCC must be entered");
    EXPECT_EQ(check(message, {"bcc \"\" hidden@x.test"}), "passed");
    EXPECT_EQ(check(article, {"from \"\" ann@x.test"}), "Newsgroup header is required");
    EXPECT_EQ(check(article, {"newsgroups alt.test"}), "Subject header is required");
    EXPECT_EQ(check(article, {"subject Hi"}), "passed");
}

TEST(MessageLoaded, ReadsTheAttachmentBytesFromTheirFilesAndFailsOnAMissingOne) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("b.png"), std::string("\x89PNG\0\1", 6));
    TComponent form(nullptr);
    form.BeginLoading();
    auto* message = new TmsMessage(&form);
    Script(*message, {"attach " + dir.File("b.png")});
    form.EndLoading();
    EXPECT_EQ(Bytes(*message->Attachments().Items(0)), std::string("\x89PNG\0\1", 6));
    TComponent other(nullptr);
    other.BeginLoading();
    Script(*new TmsMessage(&other), {"attach " + dir.File("missing.txt")});
    EXPECT_THROW(other.EndLoading(), EFOpenError);
}

}  // namespace
}  // namespace vex
