#include "platform/rich/richeditwords.h"

#include <string>

#include "platform/rich/richdocument.h"
#include "platform/ui/edittext.h"

namespace vex {

namespace {

enum class TKind { Blank, Word, Other };

TKind KindAt(const std::string& Text, int32_t Offset) {
    const char ch = Text[static_cast<size_t>(Offset)];
    if (ch == ' ' || ch == '\t') return TKind::Blank;
    return IsEditWordChar(ch) ? TKind::Word : TKind::Other;
}

}  // namespace

int32_t RichWordLeft(const TRichDocument& Document, int32_t Position) {
    int32_t offset = 0;
    const int32_t paragraph = Document.Locate(Position, offset);
    const int32_t start = Document.ParagraphStart(paragraph);
    if (offset == 0) return paragraph == 0 ? 0 : start - 1;
    const std::string& text = Document.Paragraph(paragraph).Text;
    while (offset > 0 && KindAt(text, offset - 1) == TKind::Blank)
        --offset;
    if (offset > 0) {
        const TKind kind = KindAt(text, offset - 1);
        while (offset > 0 && KindAt(text, offset - 1) == kind)
            --offset;
    }
    return start + offset;
}

int32_t RichWordRight(const TRichDocument& Document, int32_t Position) {
    int32_t offset = 0;
    const int32_t paragraph = Document.Locate(Position, offset);
    const int32_t start = Document.ParagraphStart(paragraph);
    const std::string& text = Document.Paragraph(paragraph).Text;
    const auto length = static_cast<int32_t>(text.size());
    if (offset == length)
        return paragraph + 1 < Document.ParagraphCount() ? start + length + 1 : start + length;
    const TKind kind = KindAt(text, offset);
    if (kind != TKind::Blank)
        while (offset < length && KindAt(text, offset) == kind)
            ++offset;
    while (offset < length && KindAt(text, offset) == TKind::Blank)
        ++offset;
    return start + offset;
}

void RichWordAt(const TRichDocument& Document, int32_t Position, int32_t& First, int32_t& Last) {
    int32_t offset = 0;
    const int32_t paragraph = Document.Locate(Position, offset);
    const int32_t start = Document.ParagraphStart(paragraph);
    const std::string& text = Document.Paragraph(paragraph).Text;
    const auto length = static_cast<int32_t>(text.size());
    First = Last = start + offset;
    if (length == 0) return;
    const int32_t at = offset < length ? offset : length - 1;
    const TKind kind = KindAt(text, at);
    int32_t first = at;
    int32_t last = at + 1;
    while (first > 0 && KindAt(text, first - 1) == kind)
        --first;
    while (last < length && KindAt(text, last) == kind)
        ++last;
    First = start + first;
    Last = start + last;
}

}  // namespace vex
