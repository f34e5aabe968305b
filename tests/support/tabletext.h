#pragma once

#include <string>
#include <vector>

namespace vex::test {

// The rows of a table of test cases kept in a text file: one row a line, cells separated by tabs,
// blank lines and comments (lines starting with "# ", a hash and a blank) skipped. Cells may
// write \t, \r, \n, \\ and \xHH for the bytes they stand for, so cases with control or
// non-ASCII bytes read plainly.
std::vector<std::vector<std::string>> ReadTable(const std::string& Path);

}  // namespace vex::test
