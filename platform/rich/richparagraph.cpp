#include "platform/rich/richparagraph.h"

#include <algorithm>

namespace vex {

TRichParagraph TRichParagraph::Slice(int32_t From, int32_t To) const {
    TRichParagraph part;
    part.Format = Format;
    if (From >= To) return part;
    part.Text.assign(Text, static_cast<size_t>(From), static_cast<size_t>(To - From));
    int32_t at = 0;
    for (const TRichRun& run : Runs) {
        const int32_t begin = std::max(at, From), end = std::min(at + run.Length, To);
        if (begin < end) part.Runs.push_back({end - begin, run.Format, run.Object});
        at += run.Length;
        if (at >= To) break;
    }
    return part;
}

void TRichParagraph::Append(std::string_view Chars, int32_t CharFormat) {
    if (Chars.empty()) return;
    Text.append(Chars);
    const auto length = static_cast<int32_t>(Chars.size());
    if (!Runs.empty() && !Runs.back().Object && Runs.back().Format == CharFormat)
        Runs.back().Length += length;
    else
        Runs.push_back({length, CharFormat, 0});
}

void TRichParagraph::AppendObject(int32_t CharFormat, uint32_t Object) {
    Text.push_back(RichObjectChar);
    Runs.push_back({1, CharFormat, Object});
}

void TRichParagraph::Append(const TRichParagraph& Other) {
    if (Other.Runs.empty()) return;
    Text.append(Other.Text);
    auto first = Other.Runs.begin();
    if (!Runs.empty() && !Runs.back().Object && !first->Object &&
        Runs.back().Format == first->Format) {
        Runs.back().Length += first->Length;
        ++first;
    }
    Runs.insert(Runs.end(), first, Other.Runs.end());
}

bool TRichParagraph::GrowRun(int32_t Offset, std::string_view Chars, int32_t CharFormat) {
    int32_t end = 0;
    for (TRichRun& run : Runs) {
        end += run.Length;
        if (Offset > end) continue;
        if (run.Object || run.Format != CharFormat) {
            if (Offset == end) continue;  // the next run may take it
            return false;
        }
        Text.insert(static_cast<size_t>(Offset), Chars);
        run.Length += static_cast<int32_t>(Chars.size());
        return true;
    }
    return false;
}

int32_t TRichParagraph::FormatAt(int32_t Offset, int32_t Fallback) const {
    int32_t at = 0;
    for (const TRichRun& run : Runs) {
        at += run.Length;
        if (Offset < at) return run.Format;
    }
    return Runs.empty() ? Fallback : Runs.back().Format;
}

int64_t TRichFragment::Length() const {
    int64_t length = static_cast<int64_t>(Paragraphs.size()) - 1;
    for (const TRichParagraph& paragraph : Paragraphs)
        length += paragraph.Length();
    return length;
}

void TRichFragment::Append(const TRichFragment& Other) {
    Paragraphs.back().Append(Other.Paragraphs.front());
    if (Other.Paragraphs.size() == 1) return;
    Paragraphs.back().Format = Other.Paragraphs.front().Format;
    Paragraphs.insert(Paragraphs.end(), Other.Paragraphs.begin() + 1, Other.Paragraphs.end());
}

void TRichFragment::EndParagraph(int32_t ParaFormat) {
    Paragraphs.back().Format = ParaFormat;
    Paragraphs.emplace_back();
}

}  // namespace vex
