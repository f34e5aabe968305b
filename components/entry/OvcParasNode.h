#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace vex {

// Display lines of one paragraph that an edit touched, counted from 0 within the paragraph.
struct TLineSpan {
    int32_t First;
    int32_t Last;
};

// One paragraph: a line of the file without its line end, and where its display lines start
// when it is wrapped. A wrap column of 0, or of 32767 and more, keeps it one line. The text is
// at most 65535 characters; the list's limits keep it far shorter. The list links the nodes and
// owns those it holds; an undo record owns one it took out of the list.
class TParaNode : public TObject {
    VEX_CLASS(TParaNode, TObject)

public:
    // Raises EOutOfMemory when the text or its line starts cannot be had.
    TParaNode(std::string_view Text, int32_t WrapColumn, uint8_t TabSize);

    std::string_view Text() const { return FText; }
    int32_t Length() const { return static_cast<int32_t>(FText.size()); }

    // At least 1.
    int32_t LineCount() const { return static_cast<int32_t>(FLineStarts.size()); }
    // Offset of display line I's first character; line 0 starts at 0.
    int32_t LineStart(int32_t I) const { return FLineStarts.at(static_cast<size_t>(I)); }
    std::string_view LineText(int32_t I) const;
    // The display line that holds Offset; one past the end belongs to the last line.
    int32_t LineOf(int32_t Offset) const;

    // Replaces OldLen characters at Offset (both inside the text) by New and re-wraps from the
    // line before the one the edit begins in, up to where the old line starts resume. When
    // memory runs short it throws std::bad_alloc and the node is as it was.
    TLineSpan Edit(int32_t Offset, int32_t OldLen, std::string_view New, int32_t WrapColumn,
                   uint8_t TabSize);
    // Wraps the whole text anew; std::bad_alloc leaves the node as it was.
    void Rewrap(int32_t WrapColumn, uint8_t TabSize);

    TParaNode* Next = nullptr;
    TParaNode* Prev = nullptr;

private:
    std::string FText;
    std::vector<uint16_t> FLineStarts;
};

}  // namespace vex
