#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "net/msmsg.h"
#include "platform/core/stream.h"

namespace vex::test {

// A message written line by line, every line ended by CR LF: the header block, the empty line
// and the body.
class MessageBuilder {
public:
    MessageBuilder& Header(std::string_view Name, std::string_view Value) {
        FHeaders.push_back(std::string(Name) + ": " + std::string(Value));
        return *this;
    }
    MessageBuilder& Line(std::string_view Text = "") {
        FBody.emplace_back(Text);
        return *this;
    }
    MessageBuilder& Lines(std::initializer_list<std::string_view> Texts) {
        for (std::string_view text : Texts)
            Line(text);
        return *this;
    }
    // "--" and the boundary, the part's header lines, an empty line and its data lines.
    MessageBuilder& Part(std::string_view Boundary, std::initializer_list<std::string_view> Headers,
                         std::initializer_list<std::string_view> Data) {
        Line("--" + std::string(Boundary));
        Lines(Headers);
        Line();
        return Lines(Data);
    }
    MessageBuilder& Close(std::string_view Boundary) {
        return Line("--" + std::string(Boundary) + "--");
    }
    std::string Text() const {
        std::string text;
        for (const std::string& line : FHeaders)
            text += line + "\r\n";
        text += "\r\n";
        for (const std::string& line : FBody)
            text += line + "\r\n";
        return text;
    }

private:
    std::vector<std::string> FHeaders;
    std::vector<std::string> FBody;
};

inline void LoadMessage(TmsMessage& Message, const std::string& Text) {
    TStringStream stream(Text);
    TmsMessageDecoder decoder(stream);
    decoder.Message = &Message;
    decoder.Decode();
}

inline std::vector<std::string> BodyLines(const TmsCustomMessage& Message) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < Message.Body().Count(); ++i)
        lines.push_back(Message.Body()[i]);
    return lines;
}

inline std::string Bytes(TmsAttItem& Item) {
    return std::string(Item.Stream.Memory(), static_cast<size_t>(Item.Stream.Size()));
}

inline const std::string kParseErrorLine =
    "The following error has been occured while processing the message:";
inline const std::string kOriginalStoredLine =
    "The original message will be stored as an attachment";

}  // namespace vex::test
