// Messages kept as files: the examples of the MIME standards, messages written by real mail
// programs (tests/corpus/real, made by its generate script), hand-made edge cases of the parser
// (tests/corpus/cases), and the sample messages of Debian's python3 and spam filter (installed by
// scripts/install-deps). Each must load without an exception or a sanitizer report, as checked by
// hand and recorded in tests/corpus/expected.txt. VEX_UPDATE_CORPUS=1 rewrites that record
// instead, for a person to review.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "net/md5.h"
#include "net/msmsgcls.h"
#include "net/mspop3.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"
#include "tests/support/dovecotserver.h"

namespace vex {
namespace {

namespace fs = std::filesystem;

const std::string ExpectedFile = VEX_SOURCE_DIR "/tests/corpus/expected.txt";

// Path by a key stable across machines: folder label and file name.
std::map<std::string, std::string> Corpus() {
    const std::string python = VEX_PYTHON_LIBRARY;
    EXPECT_NE(python, "") << "no /usr/bin/python3 when the build was configured";
    const std::pair<std::string, std::string> folders[] = {
        {"rfc", VEX_SOURCE_DIR "/tests/corpus/rfc"},
        {"cases", VEX_SOURCE_DIR "/tests/corpus/cases"},
        {"real", VEX_SOURCE_DIR "/tests/corpus/real"},
        {"python-email", python + "/test/test_email/data"},
        {"spam-filter", "/usr/share/doc/spamassassin/examples"},
    };
    std::map<std::string, std::string> corpus;
    for (const auto& [label, folder] : folders) {
        if (!fs::is_directory(folder)) {
            ADD_FAILURE() << "sample messages missing (see scripts/install-deps): " << folder;
            continue;
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".eml") || (name.starts_with("msg_") && name.ends_with(".txt")) ||
                name.starts_with("sample-"))
                corpus[label + "/" + name] = entry.path().string();
        }
    }
    return corpus;
}

// Short data as it stands (C escapes for what is not printable), long data by size and digest.
std::string Shown(const std::string& Data, const std::string& Unit, size_t Count) {
    if (Data.size() > 200)
        return std::to_string(Count) + " " + Unit + " md5 " +
               DigestToHex(MD5String(Data)).substr(0, 12);
    std::string s = "\"";
    for (const char c : Data) {
        if (c == '"' || c == '\\') s += '\\';
        if (static_cast<uint8_t>(c) >= 32 && static_cast<uint8_t>(c) < 127)
            s += c;
        else
            s += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\x" + DigestToHex(std::string(1, c));
    }
    return s + "\"";
}

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
        const std::string bytes(item.Stream.Memory(), static_cast<size_t>(item.Stream.Size()));
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

// The name, type and bytes of every attachment of a loaded message.
std::string AttachmentsOf(TmsMessage& Message) {
    std::string s;
    for (int32_t i = 0; i < Message.Attachments().Count(); ++i) {
        TmsAttItem& item = *Message.Attachments().Items(i);
        const std::string bytes(item.Stream.Memory(), static_cast<size_t>(item.Stream.Size()));
        s += item.FileName() + "|" + item.ContentType() + "|" +
             Shown(bytes, "bytes", bytes.size()) + "; ";
    }
    return s;
}

// A program that loads a message, saves it and loads the result finds every attachment again,
// with its name, type and bytes. Left out: messages the parser could not read (their input
// travels as text, its line breaks made CR LF). A lone text part without a name of its own comes
// back as the message's text: without a name, nothing tells it from a body.
TEST(MessageCorpus, EveryMessageKeepsItsAttachmentsThroughASaveAndALoad) {
    for (const auto& [key, path] : Corpus()) {
        SCOPED_TRACE(key);
        TmsMessage loaded(nullptr);
        TStringStream in(ReadFileToString(path));
        try {
            loaded.LoadFromStream(in);
        } catch (const Exception&) {
            continue;  // recorded as raising
        }
        const TmsAttList& attachments = loaded.Attachments();
        const int32_t count = attachments.Count();
        if (count > 0 && attachments.Items(count - 1)->FileName() == "original.eml") continue;
        TStringStream saved;
        loaded.SaveToStream(saved);
        TmsMessage again(nullptr);
        TStringStream back(saved.DataString());
        again.LoadFromStream(back);

        std::string expected = AttachmentsOf(loaded);
        TmsAttItem* lone = count == 1 ? attachments.Items(0) : nullptr;
        if (lone && lone->FileNameMadeUp() && loaded.Body().Count() == 0 &&
            lone->ContentType().starts_with("text/")) {
            EXPECT_EQ(again.Body().Text(),
                      std::string(lone->Stream.Memory(), static_cast<size_t>(lone->Stream.Size())));
            expected.clear();
        }
        EXPECT_EQ(AttachmentsOf(again), expected);
    }
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
