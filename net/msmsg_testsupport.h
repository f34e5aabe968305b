#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/msmsg.h"
#include "net/msmsgcls.h"
#include "net/msmsgenc.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex::test {

inline std::string Bytes(TmsAttItem& Item) {
    return std::string(Item.Stream.Memory(), static_cast<size_t>(Item.Stream.Size()));
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
