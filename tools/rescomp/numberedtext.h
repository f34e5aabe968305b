#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::rescomp {

// A raw byte written as \xHH stands in a parsed text as RawByte + HH, past the last Unicode code
// point, so that each table format can decide what a byte means.
inline constexpr char32_t RawByte = 0x110000;

struct NumberedText {
    int64_t Id;
    std::u32string Text;
    int Line;
};

// Reads the text form of a numbered string table: UTF-8 lines of the form  NUMBER "text" , '#'
// lines and blank lines skipped, NUMBER within [MinId, MaxId] (negative when MinId allows). The
// text takes the escapes \" \\ \n \r \t and \xHH. Any fault throws ResourceError naming FileName
// and the line. The entries come in file order; duplicates are for the caller to judge.
std::vector<NumberedText> ParseNumberedTexts(std::string_view Text, const std::string& FileName,
                                             int64_t MinId, int64_t MaxId);

}  // namespace vex::rescomp
