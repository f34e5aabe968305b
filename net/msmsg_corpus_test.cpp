// Messages kept as files: the examples of the MIME standards, messages written by real mail
// programs (tests/corpus/real, made by its generate script), hand-made edge cases of the parser
// (tests/corpus/cases), and the sample messages that Debian packages of mail software carry
// (installed by the test command). Each must load without an exception or a sanitizer report,
// and what the parser makes of it must match what was checked by hand and recorded in
// tests/corpus/expected.txt. VEX_UPDATE_CORPUS=1 rewrites that record instead, for a person to
// review.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "net/md5.h"
#include "net/msmsgcls.h"
#include "net/mspop3.h"
#include "platform/core/files.h"
#include "platform/core/stream.h"
#include "tests/support/dovecotserver.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

namespace fs = std::filesystem;

const std::string ExpectedFile = std::string(VEX_SOURCE_DIR) + "/tests/corpus/expected.txt";

struct CorpusMessage {
    std::string Key;  // stable across machines: folder label and file name
    std::string Path;
};

std::vector<CorpusMessage> Corpus() {
    const std::pair<std::string, std::string> folders[] = {
        {"rfc", std::string(VEX_SOURCE_DIR) + "/tests/corpus/rfc"},
        {"cases", std::string(VEX_SOURCE_DIR) + "/tests/corpus/cases"},
        {"real", std::string(VEX_SOURCE_DIR) + "/tests/corpus/real"},
        {"python-email", "/usr/lib/python3.11/test/test_email/data"},
        {"spam-filter", "/usr/share/doc/spamassassin/examples"},
    };
    std::vector<CorpusMessage> corpus;
    for (const auto& [label, folder] : folders) {
        if (!fs::is_directory(folder)) {
            ADD_FAILURE() << "sample messages missing: " << folder;
            continue;
        }
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            const bool message = name.ends_with(".eml") ||
                                 (name.starts_with("msg_") && name.ends_with(".txt")) ||
                                 name.starts_with("sample-");
            if (entry.is_regular_file() && message)
                corpus.push_back({label + "/" + name, entry.path().string()});
        }
    }
    std::sort(corpus.begin(), corpus.end(),
              [](const CorpusMessage& A, const CorpusMessage& B) { return A.Key < B.Key; });
    return corpus;
}

// Short data as it stands (C escapes for what is not printable), long data by size and digest.
std::string Shown(const std::string& Data, const std::string& Unit, size_t Count) {
    if (Data.size() > 200)
        return std::to_string(Count) + " " + Unit + " md5 " +
               DigestToHex(MD5String(Data)).substr(0, 12);
    std::string s = "\"";
    for (const char c : Data) {
        const auto b = static_cast<uint8_t>(c);
        if (c == '"' || c == '\\') s += '\\';
        if (b >= 32 && b < 127) {
            s += c;
        } else if (c == '\r' || c == '\n') {
            s += c == '\r' ? "\\r" : "\\n";
        } else {
            s += "\\x" + DigestToHex(std::string(1, c));
        }
    }
    return s + "\"";
}

// What the parser made of a message, on one line: sender, number of recipients, copies and
// blind copies, the message's encoding and character set where they are not the default, the
// body, then every attachment's name, content type, transfer encoding and decoded bytes.
std::string Summary(const TmsMessage& Message) {
    std::string s = "from " + Message.Sender().Address + "; rcpt " +
                    std::to_string(Message.Recipients().Count()) + "/" +
                    std::to_string(Message.CC().Count()) + "/" +
                    std::to_string(Message.BCC().Count()) + ";";
    if (Message.Encoding() == meUU) s += " uu;";
    if (Message.CharSet() != csUSASCII) s += " charset " + std::to_string(Message.CharSet()) + ";";
    std::string body;
    for (int32_t i = 0; i < Message.Body().Count(); ++i)
        body += (i > 0 ? "\n" : "") + Message.Body()[i];
    s += " body " + Shown(body, "lines", static_cast<size_t>(Message.Body().Count())) + ";";
    const TmsAttList& attachments = Message.Attachments();
    for (int32_t i = 0; i < attachments.Count(); ++i) {
        TmsAttItem& item = *attachments.Items(i);
        const std::string bytes(item.Stream.Memory(), static_cast<size_t>(item.Stream.Size()));
        s += " " + item.FileName() + "|" + item.ContentType() + "|" +
             std::to_string(item.TransferEncoding);
        // The input, checked whole by SummaryOf.
        if (item.FileName() != "original.eml") s += "|" + Shown(bytes, "bytes", bytes.size());
        s += ";";
    }
    return s;
}

std::string SummaryOf(const std::string& Contents) {
    TmsMessage message(nullptr);
    TStringStream in(Contents);
    try {
        message.LoadFromStream(in);
    } catch (const Exception& e) {
        return std::string("raises ") + e.ClassName() + ": " + e.Message();
    }
    // The fallback keeps the input whole, whatever was read of it.
    const TmsAttList& attachments = message.Attachments();
    for (int32_t i = 0; i < attachments.Count(); ++i) {
        TMemoryStream& data = attachments.Items(i)->Stream;
        if (attachments.Items(i)->FileName() == "original.eml") {
            EXPECT_EQ(std::string(data.Memory(), static_cast<size_t>(data.Size())), Contents);
        }
    }
    return Summary(message);
}

std::map<std::string, std::string> Recorded() {
    std::map<std::string, std::string> recorded;
    TStringList lines;
    lines.LoadFromFile(ExpectedFile);
    for (int32_t i = 0; i < lines.Count(); ++i) {
        const std::string line = lines[i];
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) recorded[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return recorded;
}

TEST(MessageCorpus, EveryMessageLoadsAsRecorded) {
    const std::vector<CorpusMessage> corpus = Corpus();
    ASSERT_GT(corpus.size(), 40u);
    if (std::getenv("VEX_UPDATE_CORPUS") != nullptr) {
        std::string text;
        for (const CorpusMessage& m : corpus)
            text += m.Key + "\t" + SummaryOf(ReadFileToString(m.Path)) + "\r\n";
        WriteFileAtomic(ExpectedFile, text);
        GTEST_SKIP() << "record rewritten: " << ExpectedFile;
    }
    const std::map<std::string, std::string> recorded = Recorded();
    for (const CorpusMessage& m : corpus) {
        SCOPED_TRACE(m.Key);
        const auto it = recorded.find(m.Key);
        ASSERT_NE(it, recorded.end()) << "not recorded";
        EXPECT_EQ(SummaryOf(ReadFileToString(m.Path)), it->second);
    }
}

// The same messages stored in a real mailbox and downloaded by the POP3 client arrive byte for
// byte as stored, followed by the end mark of the download, and load as the stored message does:
// the end mark is no part of the message.
TEST(MessageCorpus, MessagesFetchedFromARealServerArriveWholeAndLoad) {
    const std::vector<CorpusMessage> corpus = Corpus();
    std::vector<std::string> contents;
    for (const CorpusMessage& m : corpus) {
        std::string text = ReadFileToString(m.Path);
        // A mailbox stores lines ending in CR LF and a message ending in a line break.
        std::string normal;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) normal += '\r';
            normal += text[i];
        }
        if (!normal.ends_with("\r\n")) normal += "\r\n";
        contents.push_back(normal);
    }
    test::DovecotServer server({{"corpus", "corpus-password", contents}});
    TmsRemotePOP pop(nullptr);
    pop.SetWinsockLoaded(true);
    pop.SetServer(server.Address());
    pop.SetUserName("corpus");
    pop.SetPassword("corpus-password");
    pop.SetTimeOut(20);
    pop.UpdateInfo();
    ASSERT_EQ(pop.RemoteInfo().Count(), static_cast<int32_t>(corpus.size()));
    std::map<int32_t, std::string> downloaded;
    pop.OnUserMessageSave = [&](TObject*, int32_t Num, TMemoryStream& Contents) {
        downloaded[Num] = std::string(Contents.Memory(), static_cast<size_t>(Contents.Size()));
    };
    for (int32_t i = 0; i < pop.RemoteInfo().Count(); ++i)
        pop.MarkForRetrieve(i);
    pop.ProcessMarked();
    ASSERT_EQ(downloaded.size(), corpus.size());
    for (size_t i = 0; i < corpus.size(); ++i) {
        SCOPED_TRACE(corpus[i].Key);
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
