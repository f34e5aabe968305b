#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::rescomp {

struct StringEntry {
    uint16_t Id;
    std::string Text;  // Windows-1252 bytes
    int Line;
};

// Reads a text string table: UTF-8 lines of the form  NUMBER "text" , '#' lines and blank lines
// skipped. The text takes the escapes \" \\ \n \r \t and \xHH (a raw byte); other characters
// are converted to Windows-1252. Any fault throws ResourceError naming FileName and the line.
// Duplicates are left to the module, which sees every table at once.
std::vector<StringEntry> ParseStringTable(std::string_view Text, const std::string& FileName);

}  // namespace vex::rescomp
