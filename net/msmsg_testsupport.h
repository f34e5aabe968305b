#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "net/md5.h"
#include "net/msmsg.h"
#include "net/msmsgcls.h"
#include "net/msmsgenc.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex::test {

inline std::string Bytes(TmsAttItem& Item) {
    return std::string(Item.Stream.Memory(), static_cast<size_t>(Item.Stream.Size()));
}

// The messages kept as files: the examples of the MIME standards, messages written by real mail
// programs, hand-made edge cases of the parser, and the sample messages of Debian's python3 and
// spam filter (installed by scripts/install-deps). Paths by a key stable across machines: folder
// label and file name.
inline std::map<std::string, std::string> Corpus() {
    namespace fs = std::filesystem;
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
inline std::string Shown(const std::string& Data, const std::string& Unit, size_t Count) {
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

// The boundaries the composer draws at random, eight digits, named by the order they are drawn
// in instead. A boundary that the data of an attachment brings stays as it is.
inline std::string WithBoundariesNamed(const std::string& Saved) {
    const std::string parameter = "; boundary=\"";
    std::map<std::string, std::string> names;
    auto rename = [&](std::string& Line, size_t From, size_t Length, bool Declared) {
        const std::string boundary = Line.substr(From, Length);
        const bool digits =
            boundary.size() == 8 && boundary.find_first_not_of("012345678") == std::string::npos;
        if (Declared && digits && !names.contains(boundary))
            names[boundary] = "B" + std::to_string(names.size());
        if (const auto found = names.find(boundary); found != names.end())
            Line.replace(From, Length, found->second);
    };
    std::string out;
    for (size_t p = 0; p < Saved.size();) {
        const size_t end = std::min(Saved.find('\n', p), Saved.size() - 1) + 1;
        std::string line = Saved.substr(p, end - p);
        p = end;
        if (const size_t at = line.find(parameter);
            line.starts_with("Content-Type:") && at != std::string::npos) {
            const size_t from = at + parameter.size();
            rename(line, from, line.find('"', from) - from, true);
        } else if (line.starts_with("--")) {
            rename(line, 2, line.find_first_of("-\r\n", 2) - 2, false);
        }
        out += line;
    }
    return out;
}

// What in the header block of a saved message breaks a limit: a line longer than the 998
// characters of RFC 5322 section 2.1.1, or an encoded word (a blank-separated "=?...?=") longer
// than the 75 of RFC 2047 section 2. Empty when nothing does.
inline std::string HeaderLimitsBroken(const std::string& Saved) {
    const std::string block = Saved.substr(0, Saved.find("\r\n\r\n"));
    std::string broken;
    for (size_t p = 0; p < block.size();) {
        const size_t end = std::min(block.find("\r\n", p), block.size());
        const std::string_view line = std::string_view(block).substr(p, end - p);
        if (line.size() > 998) broken += "line of " + std::to_string(line.size()) + "; ";
        for (size_t w = 0; w < line.size();) {
            const size_t wordEnd = std::min(line.find(' ', w), line.size());
            const std::string_view word = line.substr(w, wordEnd - w);
            if (word.size() > 75 && word.starts_with("=?") && word.ends_with("?="))
                broken += "word of " + std::to_string(word.size()) + "; ";
            w = wordEnd + 1;
        }
        p = end + 2;
    }
    return broken;
}

// The addresses, subject, priority and attachments of a message, on one line each.
inline std::vector<std::string> Outline(const TmsMessage& Message) {
    std::vector<std::string> outline{Message.Sender().Name + " <" + Message.Sender().Address + ">",
                                     Message.Subject() + " " + std::to_string(Message.Priority())};
    for (const TmsAddressList* list : {&Message.Recipients(), &Message.CC(), &Message.BCC()})
        for (int32_t i = 0; i < list->Count(); ++i)
            outline.push_back(list->Items(i)->Name + " <" + list->Items(i)->Address + ">");
    for (int32_t i = 0; i < Message.Attachments().Count(); ++i) {
        TmsAttItem& item = *Message.Attachments().Items(i);
        outline.push_back(item.FileName() + " " + item.ContentType() + " " + Bytes(item));
    }
    return outline;
}

// The position of a value among the names of an enumeration.
inline int Named(const std::string& Value, const std::vector<std::string>& Names) {
    for (size_t i = 0; i < Names.size(); ++i)
        if (Names[i] == Value) return static_cast<int>(i);
    throw std::runtime_error("unknown name " + Value);
}

// Builds a message from a script, one instruction a line with its arguments as fields:
//   from|to|cc|bcc NAME ADDRESS, subject TEXT, body LINE, header LINE, type CONTENT-TYPE,
//   charset us-ascii|iso-8859-1|iso-2022-jp, priority low|normal|high, receipt, uu,
//   newsgroups NAMES, attach FILE-NAME [BYTES [CONTENT-TYPE none|base64|qp]],
//   random DIGITS (the digits the composer draws boundaries from; the function returns them).
inline std::string Script(TmsCustomMessage& M, const std::vector<std::string>& Lines) {
    std::string random = "1";
    for (const std::string& line : Lines) {
        const TestCase c = CaseOf(line);
        const std::string& op = c[0];
        auto* message = dynamic_cast<TmsMessage*>(&M);
        if (op == "from") {
            M.Sender().Name = c[1];
            M.Sender().Address = c[2];
        } else if (op == "to" || op == "cc" || op == "bcc") {
            auto item = std::make_unique<TmsMailAddress>();
            item->Name = c[1];
            item->Address = c[2];
            (op == "to"   ? message->Recipients()
             : op == "cc" ? message->CC()
                          : message->BCC())
                .Add(std::move(item));
        } else if (op == "attach") {
            auto item = std::make_unique<TmsAttItem>();
            item->SetFileName(c[1]);
            const std::string data = c.size() > 2 ? c[2] : "";
            item->Stream.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
            if (c.size() > 3) item->SetContentType(c[3]);
            if (c.size() > 4)
                item->TransferEncoding =
                    static_cast<TAttEncoding>(Named(c[4], {"none", "base64", "qp"}));
            M.Attachments().Add(std::move(item));
        } else if (op == "subject") {
            M.SetSubject(c[1]);
        } else if (op == "body") {
            M.Body().Add(c[1]);
        } else if (op == "header") {
            M.Headers().Add(c[1]);
        } else if (op == "type") {
            M.SetContentType(c[1]);
        } else if (op == "charset") {
            M.SetCharSet(
                static_cast<TCharSet>(Named(c[1], {"us-ascii", "iso-8859-1", "iso-2022-jp"})));
        } else if (op == "priority") {
            message->SetPriority(static_cast<TPriority>(Named(c[1], {"low", "normal", "high"})));
        } else if (op == "receipt") {
            message->SetReturnReceipt(true);
        } else if (op == "uu") {
            M.SetEncoding(meUU);
        } else if (op == "newsgroups") {
            dynamic_cast<TmsArticle&>(M).SetNewsGroups(c[1]);
        } else if (op == "random") {
            random = c[1];
        } else {
            throw std::runtime_error("unknown instruction " + line);
        }
    }
    return random;
}

}  // namespace vex::test
