#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/msmsg.h"
#include "net/msmsgcls.h"
#include "net/msmsgenc.h"
#include "platform/core/stream.h"

namespace vex::test {

inline std::string Bytes(TmsAttItem& Item) {
    return std::string(Item.Stream.Memory(), static_cast<size_t>(Item.Stream.Size()));
}

inline std::string Bytes(TMemoryStream& Stream) {
    return std::string(Stream.Memory(), static_cast<size_t>(Stream.Size()));
}

// An attachment typed from its file name.
inline TmsAttItem& Attach(TmsCustomMessage& Message, const std::string& FileName,
                          const std::string& Data = "") {
    auto item = std::make_unique<TmsAttItem>();
    item->SetFileName(FileName);
    item->Stream.WriteBuffer(Data.data(), static_cast<int32_t>(Data.size()));
    TmsAttItem& added = *item;
    Message.Attachments().Add(std::move(item));
    return added;
}

// An attachment whose type and transfer encoding are set by hand after its name.
inline TmsAttItem& Attach(TmsCustomMessage& Message, const std::string& FileName,
                          const std::string& Data, const std::string& ContentType,
                          TAttEncoding Encoding) {
    TmsAttItem& item = Attach(Message, FileName, Data);
    item.SetContentType(ContentType);
    item.TransferEncoding = Encoding;
    return item;
}

inline void AddAddress(TmsAddressList& List, const std::string& Name, const std::string& Address) {
    auto item = std::make_unique<TmsMailAddress>();
    item->Name = Name;
    item->Address = Address;
    List.Add(std::move(item));
}

// The lines of Text, each of which must end with CR LF.
inline std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> lines;
    size_t p = 0;
    for (size_t end; (end = Text.find("\r\n", p)) != std::string::npos; p = end + 2)
        lines.push_back(Text.substr(p, end - p));
    EXPECT_EQ(p, Text.size()) << "the text does not end with a line break";
    return lines;
}

// Random numbers taken from a string of digits, over and over, so boundaries are known.
inline std::function<uint32_t(uint32_t)> Digits(const std::string& Sequence) {
    auto next = std::make_shared<size_t>(0);
    return [Sequence, next](uint32_t) -> uint32_t {
        return static_cast<uint32_t>(Sequence[(*next)++ % Sequence.size()] - '0');
    };
}

// The lines the composer writes for a message or an article, boundaries drawn from Random.
inline std::vector<std::string> Compose(TmsCustomMessage& Message,
                                        const std::string& Random = "1") {
    TStringStream out;
    std::unique_ptr<TmsCustomEncoder> encoder;
    if (auto* article = dynamic_cast<TmsArticle*>(&Message))
        encoder = std::make_unique<TmsArticleEncoder>(article);
    else
        encoder = std::make_unique<TmsMessageEncoder>(dynamic_cast<TmsMessage*>(&Message));
    encoder->Stream = &out;
    encoder->Random = Digits(Random);
    encoder->Encode();
    return SplitLines(out.DataString());
}

}  // namespace vex::test
