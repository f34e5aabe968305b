#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::strtable {

struct TextEntry {
    int32_t Id;
    std::u16string Text;
    int Line;
};

// Reads the text form of a table: UTF-8 lines of the form  NUMBER "text" , where NUMBER may be
// negative, and '#' lines and blank lines are skipped. The text takes the escapes \" \\ \n \r
// \t and \xHH (a Windows-1252 byte); every other character is kept as it is, beyond the 16-bit
// plane as a surrogate pair.
// A bad line, invalid UTF-8, a number outside 32 bits or a number given twice throws
// rescomp::ResourceError naming FileName and the line. The entries come in file order.
std::vector<TextEntry> ParseTextTable(std::string_view Text, const std::string& FileName);

}  // namespace vex::strtable
