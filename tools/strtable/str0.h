#pragma once

#include <string>
#include <vector>

#include "tools/strtable/texttable.h"

namespace vex::strtable {

// The binary "STR0" table of the entries: the magic, the count, the entries sorted by id
// (compared as signed), then the texts in UTF-16LE in the same order, each right after the one
// before, the last ending the table. Every number is a little-endian 32-bit value. Duplicate
// ids or a table too large for 32-bit offsets throw rescomp::ResourceError naming FileName.
std::string BuildStr0(std::vector<TextEntry> Entries, const std::string& FileName);

}  // namespace vex::strtable
