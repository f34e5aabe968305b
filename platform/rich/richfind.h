#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vex {

class TRichDocument;

enum : uint32_t {
    FR_DOWN = 0x1,
    FR_WHOLEWORD = 0x2,
    FR_MATCHCASE = 0x4,
};

// The position of Text within [Start, End) of the document (End -1 for its end): the first
// occurrence searching down, the last searching up; -1 when there is none. A paragraph end in
// Text is "\r" or "\r\n". Without FR_MATCHCASE letters match in either case of the code page; with
// FR_WHOLEWORD a match must neither begin nor end inside a word.
int32_t FindText(const TRichDocument& Document, std::string_view Text, int32_t Start, int32_t End,
                 uint32_t Options);

// Text to search that is not a document: its length, and its characters [From, From + Count)
// (within it) with paragraph ends as "\r".
struct TFindSource {
    int32_t Length = 0;
    std::function<std::string(int32_t From, int32_t Count)> Text;
};
int32_t FindText(const TFindSource& Source, std::string_view Text, int32_t Start, int32_t End,
                 uint32_t Options);

}  // namespace vex
