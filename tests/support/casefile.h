#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex::test {

// Tables of test cases and longer inputs live in data files beside the tests; this is the one
// reader of them all.
//
// A case is one line of fields apart by blanks. A field holding a blank, a quote, a # or a byte
// a text file would not keep stands in double quotes with C escapes (\t \r \n \0 \" \\ \xNN);
// a # outside quotes starts a comment.
struct TestCase {
    std::vector<std::string> Fields;
    std::string Where;  // "file:line", for SCOPED_TRACE

    const std::string& operator[](size_t I) const { return Fields.at(I); }
    size_t size() const { return Fields.size(); }
    int64_t Int(size_t I) const;  // decimal or 0x hexadecimal
};

// A block holds what does not fit on one line: a line "== name" opens it, a line "--" ends one
// part and starts the next, and the other lines are kept as they stand but for blank lines at a
// part's end (lines starting with "#" before the first block are notes). Each part's lines can be
// read as cases with CaseOf.
struct TestBlock {
    std::string Name;
    std::vector<std::vector<std::string>> Parts;
    std::string Where;
};

// Every case of the file; throws std::runtime_error when it cannot be read, holds no case or a
// line is malformed.
std::vector<TestCase> ReadCases(const std::string& Path);
// The cases of one table of a file that holds several, named by each line's first field, which
// is dropped.
std::vector<TestCase> ReadCases(const std::string& Path, const std::string& Table);
// One line read as a case.
TestCase CaseOf(const std::string& Line, const std::string& Where = "");

std::vector<TestBlock> ReadBlocks(const std::string& Path);

// Text with C escapes, as inside quotes, turned into its bytes.
std::string Unescape(std::string_view Text);

}  // namespace vex::test
