#include "components/entry/OvcParasNode.h"

#include <algorithm>
#include <new>

#include "components/entry/OvcParasMemory.h"
#include "components/entry/OvcParasText.h"
#include "components/entry/OvcTexts.h"
#include "platform/core/exceptions.h"

namespace vex {

namespace {

constexpr size_t MaxLength = UINT16_MAX;

bool Wraps(int32_t WrapColumn) {
    return WrapColumn > 0 && WrapColumn < 32767;
}

// Asks for a text of Length characters and a table of Lines line starts, more than the node
// held before.
void RequestGrowth(size_t Length, size_t OldLength, size_t Lines, size_t OldLines) {
    if (Length > MaxLength) throw ERangeError("Paragraph longer than 65535 characters");
    if (Length > OldLength) ParaMemoryRequest(Length + 1);
    if (Lines > OldLines) ParaMemoryRequest(Lines * sizeof(uint16_t));
}

// Appends the starts of the lines that follow the line starting at Start.
void WrapFrom(std::string_view Text, size_t Start, int32_t WrapColumn, uint8_t TabSize,
              std::vector<uint16_t>& Starts) {
    for (;;) {
        Start = NextLineStart(Text, Start, WrapColumn, TabSize);
        if (Start >= Text.size()) return;
        Starts.push_back(static_cast<uint16_t>(Start));
    }
}

std::vector<uint16_t> Wrapped(std::string_view Text, int32_t WrapColumn, uint8_t TabSize) {
    std::vector<uint16_t> starts{0};
    if (Wraps(WrapColumn)) WrapFrom(Text, 0, WrapColumn, TabSize, starts);
    return starts;
}

}  // namespace

TParaNode::TParaNode(std::string_view Text, int32_t WrapColumn, uint8_t TabSize) {
    try {
        FLineStarts = Wrapped(Text, WrapColumn, TabSize);
        RequestGrowth(Text.size(), 0, FLineStarts.size(), 0);
        FText = Text;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(GetOvcString(scOutOfMemory));
    }
}

std::string_view TParaNode::LineText(int32_t I) const {
    const size_t start = FLineStarts.at(static_cast<size_t>(I));
    const size_t end = static_cast<size_t>(I) + 1 < FLineStarts.size()
                           ? FLineStarts[static_cast<size_t>(I) + 1]
                           : FText.size();
    return std::string_view(FText).substr(start, end - start);
}

int32_t TParaNode::LineOf(int32_t Offset) const {
    const auto after = std::upper_bound(FLineStarts.begin() + 1, FLineStarts.end(), Offset);
    return static_cast<int32_t>(after - FLineStarts.begin()) - 1;
}

TLineSpan TParaNode::Edit(int32_t Offset, int32_t OldLen, std::string_view New, int32_t WrapColumn,
                          uint8_t TabSize) {
    const size_t at = static_cast<size_t>(Offset);
    std::string text = FText.substr(0, at);
    text.append(New).append(std::string_view(FText).substr(at + static_cast<size_t>(OldLen)));
    if (!Wraps(WrapColumn)) {
        RequestGrowth(text.size(), FText.size(), 1, 1);
        FText.swap(text);
        return {0, 0};
    }

    // Only the line before the edit can take back a word the edit made room for; past the edit,
    // once a line starts where an old one started, the rest is the old text shifted.
    const int32_t edited = LineOf(Offset);
    const int32_t delta = static_cast<int32_t>(New.size()) - OldLen;
    const size_t unchangedFrom = at + New.size();
    const size_t from = static_cast<size_t>(std::max(edited - 1, 0));
    std::vector<uint16_t> starts(FLineStarts.begin(), FLineStarts.begin() + from + 1);
    size_t old = from + 1;
    size_t start = starts.back();
    int32_t last = -1;
    for (;;) {
        start = NextLineStart(text, start, WrapColumn, TabSize);
        if (start >= text.size()) break;
        if (start >= unchangedFrom) {
            while (old < FLineStarts.size() && FLineStarts[old] + delta < static_cast<int>(start))
                ++old;
            if (old < FLineStarts.size() && FLineStarts[old] + delta == static_cast<int>(start)) {
                last = static_cast<int32_t>(starts.size()) - 1;
                for (; old < FLineStarts.size(); ++old)
                    starts.push_back(static_cast<uint16_t>(FLineStarts[old] + delta));
                break;
            }
        }
        starts.push_back(static_cast<uint16_t>(start));
    }
    RequestGrowth(text.size(), FText.size(), starts.size(), FLineStarts.size());

    const size_t e = static_cast<size_t>(edited);
    const bool previousChanged = e > 0 && (e >= starts.size() || starts[e] != FLineStarts[e]);
    const int32_t first = previousChanged ? edited - 1 : edited;
    FText.swap(text);
    FLineStarts.swap(starts);
    return {first, last < 0 ? LineCount() - 1 : std::max(last, first)};
}

void TParaNode::Rewrap(int32_t WrapColumn, uint8_t TabSize) {
    std::vector<uint16_t> starts = Wrapped(FText, WrapColumn, TabSize);
    RequestGrowth(0, 0, starts.size(), FLineStarts.size());
    FLineStarts.swap(starts);
}

}  // namespace vex
