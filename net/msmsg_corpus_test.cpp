// The messages of the corpus (test::Corpus; those of tests/corpus/real are made by its generate
// script) must each load without an exception or a sanitizer report, as checked by hand and
// recorded in tests/corpus/expected.txt. VEX_UPDATE_CORPUS=1 rewrites that record instead, for a
// person to review.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "net/msmsg_testsupport.h"
#include "net/mspop3.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"
#include "tests/support/dovecotserver.h"

namespace vex {
namespace {

const std::string ExpectedFile = VEX_SOURCE_DIR "/tests/corpus/expected.txt";

using test::Corpus;
using test::Shown;

// What the parser made of a message, on one line: sender, number of recipients, copies and
// blind copies, the message's encoding and character set where they are not the default, the
// body, then every attachment's name, content type, transfer encoding and decoded bytes.
std::string SummaryOf(const std::string& Contents) {
    TmsMessage message(nullptr);
    TStringStream in(Contents);
    try {
        message.LoadFromStream(in);
    } catch (const Exception& e) {
        return std::string("raises ") + e.ClassName() + ": " + e.Message();
    }
    std::string s = "from " + message.Sender().Address + "; rcpt " +
                    std::to_string(message.Recipients().Count()) + "/" +
                    std::to_string(message.CC().Count()) + "/" +
                    std::to_string(message.BCC().Count()) + ";";
    if (message.Encoding() == meUU) s += " uu;";
    if (message.CharSet() != csUSASCII) s += " charset " + std::to_string(message.CharSet()) + ";";
    std::string body;
    for (int32_t i = 0; i < message.Body().Count(); ++i)
        body += (i > 0 ? "\n" : "") + message.Body()[i];
    s += " body " + Shown(body, "lines", static_cast<size_t>(message.Body().Count())) + ";";
    for (int32_t i = 0; i < message.Attachments().Count(); ++i) {
        TmsAttItem& item = *message.Attachments().Items(i);
        const std::string bytes = test::Bytes(item);
        s += " " + item.FileName() + "|" + item.ContentType() + "|" +
             std::to_string(item.TransferEncoding);
        // The fallback keeps the input whole, whatever was read of it.
        if (item.FileName() == "original.eml")
            EXPECT_EQ(bytes, Contents);
        else
            s += "|" + Shown(bytes, "bytes", bytes.size());
        s += ";";
    }
    return s;
}

TEST(MessageCorpus, EveryMessageLoadsAsRecorded) {
    const std::map<std::string, std::string> corpus = Corpus();
    ASSERT_GT(corpus.size(), 40u);
    if (std::getenv("VEX_UPDATE_CORPUS") != nullptr) {
        std::string text = "# Each message of the corpus and what the parser makes of it.\n";
        for (const auto& [key, path] : corpus)
            text += "== " + key + "\n" + SummaryOf(ReadFileToString(path)) + "\n";
        WriteFileAtomic(ExpectedFile, text);
        GTEST_SKIP() << "record rewritten: " << ExpectedFile;
    }
    std::map<std::string, std::string> recorded;
    for (const test::TestBlock& block : test::ReadBlocks(ExpectedFile))
        recorded[block.Name] = block.Parts.at(0).at(0);
    for (const auto& [key, path] : corpus) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(recorded.contains(key)) << "not recorded";
        EXPECT_EQ(SummaryOf(ReadFileToString(path)), recorded[key]);
    }
    EXPECT_EQ(recorded.size(), corpus.size()) << "a recorded message is gone";
}

// The same messages stored in a real mailbox and downloaded by the POP3 client arrive byte for
// byte as stored, followed by the end mark of the download, and load as the stored message does:
// the end mark is no part of the message.
TEST(MessageCorpus, MessagesFetchedFromARealServerArriveWholeAndLoad) {
    std::vector<std::string> keys, contents;
    for (const auto& [key, path] : Corpus()) {
        const std::string text = ReadFileToString(path);
        // A mailbox stores lines ending in CR LF and a message ending in a line break.
        std::string normal;
        for (size_t i = 0; i < text.size(); ++i)
            normal +=
                text[i] == '\n' && (i == 0 || text[i - 1] != '\r') ? "\r\n" : text.substr(i, 1);
        keys.push_back(key);
        contents.push_back(normal.ends_with("\r\n") ? normal : normal + "\r\n");
    }
    test::DovecotServer server({{"corpus", "corpus-password", contents}});
    TmsRemotePOP pop(nullptr);
    pop.SetWinsockLoaded(true);
    pop.SetServer(server.Address());
    pop.SetUserName("corpus");
    pop.SetPassword("corpus-password");
    pop.SetTimeOut(20);
    pop.UpdateInfo();
    ASSERT_EQ(pop.RemoteInfo().Count(), static_cast<int32_t>(keys.size()));
    std::map<int32_t, std::string> downloaded;
    pop.OnUserMessageSave = [&](TObject*, int32_t Num, TMemoryStream& Contents) {
        downloaded[Num] = std::string(Contents.Memory(), static_cast<size_t>(Contents.Size()));
    };
    for (int32_t i = 0; i < pop.RemoteInfo().Count(); ++i)
        pop.MarkForRetrieve(i);
    pop.ProcessMarked();
    ASSERT_EQ(downloaded.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(keys[i]);
        const std::string& message = downloaded[static_cast<int32_t>(i)];
        EXPECT_EQ(message, contents[i] + ".\r\n");
        // A stored download already ends in an end mark of its own; this one adds a second.
        if (!contents[i].ends_with("\n.\r\n")) {
            EXPECT_EQ(SummaryOf(message), SummaryOf(contents[i]));
        }
    }
}

}  // namespace
}  // namespace vex
