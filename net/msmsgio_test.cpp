#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "net/encodedwords.h"
#include "net/msmsg_testsupport.h"
#include "platform/core/exceptions.h"
#include "platform/win/window.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(MessageFiles, LoadingReplacesTheMessageAndSavingWritesWhatLoadingReadsBack) {
    const std::string mail =
        "From: \"Doe, Jane\" <jane@example.test>\r\nTo: a@example.test, b@example.test\r\n"
        "Subject: Two recipients\r\n\r\nHello.\r\n";
    test::TempDir dir;
    test::WriteWholeFile(dir.File("msg_0.eml"), mail);
    TmsMessage message(nullptr);
    message.LoadFromFile(dir.File("msg_0.eml"));
    TStringStream in(mail);
    message.LoadFromStream(in);
    EXPECT_EQ(message.Recipients().Count(), 2);  // not four
    TStringStream out;
    message.SaveToStream(out);

    TmsMessage copy(nullptr);
    TStringStream back(out.DataString());
    copy.LoadFromStream(back);
    EXPECT_EQ(copy.Subject() + "|" + copy.Sender().Name + "|" + copy.Sender().Address + "|" +
                  copy.Body()[0],
              "Two recipients|Doe, Jane|jane@example.test|Hello.");
    EXPECT_EQ(copy.Recipients().Count(), 2);
    // A file that cannot be opened leaves the message empty instead of half the old one.
    EXPECT_THROW(copy.LoadFromFile(dir.File("missing.eml")), EFOpenError);
    EXPECT_EQ(copy.Recipients().Count() + copy.Subject().size(), 0u);
}

// A message is read from its file a piece at a time, and the message loop runs between its parts:
// what runs there may cut the file short. The part being read ends where the file now does.
TEST(MessageFiles, AFileCutShortWhileItIsReadGivesThePartAsFarAsItWasThere) {
    std::string line;
    for (int32_t i = 0; i < 19; ++i)
        line += "QUJD";  // "ABC"
    std::string data;
    for (int32_t i = 0; i < 2000; ++i)
        data += line + "\r\n";
    const std::string mail =
        "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n\r\n"
        "text\r\n--b\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
        data + "--b\r\n\r\nlast\r\n--b--\r\n";
    test::TempDir dir;
    const std::string path = dir.File("cut.eml");
    test::WriteWholeFile(path, mail);
    const HWND window = AllocateHWnd([&](TMessage&) { EXPECT_EQ(truncate(path.c_str(), 100), 0); });
    ASSERT_TRUE(PostMessage(window, WM_USER, 0, 0));
    TmsMessage message(nullptr);
    message.LoadFromFile(path);
    DeallocateHWnd(window);

    ASSERT_EQ(message.Attachments().Count(), 1);
    const std::string bytes = test::Bytes(*message.Attachments().Items(0));
    std::string whole;
    for (int32_t i = 0; i < 2000 * 19; ++i)
        whole += "ABC";
    EXPECT_GT(bytes.size(), 0u);
    EXPECT_LT(bytes.size(), whole.size());
    EXPECT_EQ(bytes, whole.substr(0, bytes.size()));
}

// A reply or a forward saves what was read: the second reading must find the same bytes under
// the same labels, the header's lines and encoded words keep to their lengths, saved again it
// must give the same text (a save that adds or relabels something would do so again each time),
// and the saved text holds the lines each case of testdata/resaved.txt names.
TEST(MessageFiles, WhatIsReadIsSavedSoThatItReadsBackTheSame) {
    for (const test::TestBlock& block : test::ReadBlocks(VEX_TEST_DIR "/testdata/resaved.txt")) {
        SCOPED_TRACE(block.Where + " " + block.Name);
        std::string text;
        for (const std::string& line : block.Parts.at(0))
            text += test::Unescape(line) + "\r\n";
        TmsMessage first(nullptr);
        TStringStream in(text);
        first.LoadFromStream(in);
        TStringStream saved;
        first.SaveToStream(saved);
        TmsMessage second(nullptr);
        TStringStream back(saved.DataString());
        second.LoadFromStream(back);
        EXPECT_EQ(test::Outline(second), test::Outline(first));
        EXPECT_EQ(second.Body().Text(), first.Body().Text());
        EXPECT_EQ(test::HeaderLimitsBroken(saved.DataString()), "");
        // Text with 8-bit bytes goes quoted-printable under the name of its set, which reads as
        // csISO8859; a set that was named stays named.
        const bool eightBit = HoldsEightBit(first.Body().Text()) && first.CharSet() == csUSASCII;
        EXPECT_EQ(second.CharSet(), eightBit ? csISO8859 : first.CharSet());
        if (!first.BodyCharSet().empty()) {
            EXPECT_EQ(second.BodyCharSet(), first.BodyCharSet());
        }
        TStringStream resaved;
        second.SaveToStream(resaved);
        EXPECT_EQ(test::WithBoundariesNamed(resaved.DataString()),
                  test::WithBoundariesNamed(saved.DataString()));
        const std::string written = "\r\n" + saved.DataString();
        for (const std::string& line : block.Parts.at(1))
            EXPECT_NE(written.find("\r\n" + test::Unescape(line) + "\r\n"), std::string::npos)
                << line << " not in\n"
                << saved.DataString();
    }
}

}  // namespace
}  // namespace vex
