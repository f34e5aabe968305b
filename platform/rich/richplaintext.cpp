#include "platform/rich/richplaintext.h"

#include "platform/rich/richdocument.h"

namespace vex {

TRichFragment PlainTextFragment(std::string_view Text, int32_t CharFormat, int32_t ParaFormat) {
    TRichFragment fragment;
    size_t at = 0;
    while (at < Text.size()) {
        const size_t end = Text.find_first_of("\r\n", at);
        fragment.Paragraphs.back().Append(Text.substr(at, end - at), CharFormat);
        if (end == std::string_view::npos) break;
        fragment.EndParagraph(ParaFormat);
        at = end + 1;
        if (Text[end] == '\r' && at < Text.size() && Text[at] == '\n') ++at;
    }
    return fragment;
}

std::string DocumentTextOf(std::string_view Text) {
    std::string text;
    text.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
        text.push_back(Text[i] == '\n' ? '\r' : Text[i]);
    }
    return text;
}

std::string PlainTextOf(const TRichDocument& Document, int32_t Start, int32_t Count) {
    const std::string text = Document.Text(Start, Count);
    std::string plain;
    plain.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\r')
            plain.append("\r\n");
        else
            plain.push_back(c);
    }
    return plain;
}

std::string PlainTextOf(const TRichDocument& Document) {
    return PlainTextOf(Document, 0, Document.Length());
}

}  // namespace vex
