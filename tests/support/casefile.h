#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vex::test {

// One line of a case file: a table of test cases kept in a data file beside the tests. Fields
// are apart by blanks; text stands in double quotes with C escapes (\t \r \n \" \\ \xNN); a #
// outside quotes starts a comment.
struct TestCase {
    std::vector<std::string> Fields;
    std::string Where;  // "file:line", for SCOPED_TRACE

    const std::string& operator[](size_t I) const { return Fields.at(I); }
    int64_t Int(size_t I) const;  // decimal or 0x hexadecimal
};

// Every case of the file; throws std::runtime_error when it cannot be read or a line is malformed.
std::vector<TestCase> ReadCases(const std::string& Path);
// The cases of one table of a file that holds several, named by each line's first field, which
// is dropped.
std::vector<TestCase> ReadCases(const std::string& Path, const std::string& Table);

}  // namespace vex::test
