#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/msmsg_testsupport.h"

namespace vex {
namespace {

using test::Attach;

TEST(MessageContentType, FollowsTheBodyAndTheAttachments) {
    struct Case {
        const char* Trace;
        bool Body;
        std::vector<std::string> Files;
        std::string Expected;
    };
    const Case cases[] = {
        {"nothing", false, {}, "text/plain"},
        {"body and one attachment", true, {"report.pdf"}, "multipart/mixed"},
        {"only an image", false, {"photo.png"}, "image/png"},
        {"only an html body", false, {"_htmbody.htm"}, "text/html"},
        {"only an rtf body, capitals", false, {"_RtfBody.RTF"}, "text/rtf"},
        {"html body beside a file", false, {"_htmbody.htm", "a.png"}, "multipart/mixed"},
        {"html body beside text", true, {"_htmbody.htm"}, "multipart/mixed"},
        {"two files", false, {"a.png", "b.png"}, "multipart/mixed"},
        {"alternatives only", false, {"_alt.0", "_alt.1"}, "multipart/alternative"},
        {"alternatives with a body", true, {"_ALT.0", "_alt.1"}, "multipart/alternative"},
        {"alternative and a file", true, {"_alt.0", "a.png"}, "multipart/mixed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Trace);
        TmsMessage message(nullptr);
        if (c.Body) message.Body().Add("Hello");
        for (const std::string& file : c.Files)
            Attach(message, file);
        EXPECT_EQ(message.ContentType(), c.Expected);
    }
}

TEST(MessageContentType, KeepsWhatWasSetInLowerCaseWhenOnlyABodyDecidesAndNoneUnderUU) {
    TmsMessage message(nullptr);
    message.Body().Add("<p>Hi</p>");
    message.SetContentType("Text/HTML");
    EXPECT_EQ(message.ContentType(), "text/html");
    message.SetContentType("");
    EXPECT_EQ(message.ContentType(), "text/plain");

    Attach(message, "a.png");
    message.SetEncoding(meUU);
    EXPECT_EQ(message.ContentType(), "");
}

TEST(AttachmentFileName, SetsTheTypeAndTheTransferEncodingFromTheExtension) {
    struct Case {
        std::string File;
        std::string Type;
        TAttEncoding Encoding;
    };
    const Case cases[] = {
        {"notes.txt", "text/plain", aeQuotedPrintable},
        {"page.htm", "text/html", aeQuotedPrintable},
        {"forwarded.eml", "message/rfc822", aeNone},
        {"photo.png", "image/png", aeBase64},
        {"data.zzqx", "application/octet-stream", aeBase64},
        {"noextension", "application/octet-stream", aeBase64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        TmsAttItem item;
        item.SetFileName(c.File);
        EXPECT_EQ(item.ContentType(), c.Type);
        EXPECT_EQ(item.TransferEncoding, c.Encoding);
    }
}

TEST(AttachmentFileName, ANameFromAMessageKeepsNoFolderPart) {
    const std::pair<std::string, std::string> cases[] = {
        {"../../etc/passwd", "passwd"},
        {"..\\..\\Windows\\win.ini", "win.ini"},
        {"/tmp/x/report.pdf", "report.pdf"},
        {"C:\\Mail\\a.txt", "a.txt"},
        {"dir/..", ""},
        {"..", ""},
        {".", ""},
        {"..notes.txt", "..notes.txt"},
    };
    for (const auto& [given, kept] : cases) {
        SCOPED_TRACE(given);
        EXPECT_EQ(AttachmentNameOnly(given), kept);
    }
}

}  // namespace
}  // namespace vex
