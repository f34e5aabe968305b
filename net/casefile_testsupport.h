#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vex::test {

// A case kept under net/testdata: "== Name" opens it, "--" ends one part and starts the next,
// "#" lines are notes. Lines are kept raw; \xHH stands for a byte a text file would not keep.
struct FileCase {
    std::string Name;
    std::vector<std::vector<std::string>> Parts;
};

inline std::vector<FileCase> CasesOf(const std::string& FileName) {
    std::ifstream in(std::string(VEX_SOURCE_DIR) + "/net/testdata/" + FileName);
    EXPECT_TRUE(in.is_open()) << FileName;
    std::vector<FileCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("#")) continue;
        if (line.starts_with("== "))
            cases.push_back({line.substr(3), {{}}});
        else if (line == "--")
            cases.back().Parts.emplace_back();
        else if (!cases.empty())
            cases.back().Parts.back().push_back(line);
    }
    return cases;
}

inline std::string Unescaped(const std::string& Text) {
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text.compare(i, 2, "\\x") == 0 && i + 4 <= Text.size()) {
            out += static_cast<char>(std::stoi(Text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// The lines of a part as a header block: each ends in CR LF.
inline std::string Crlf(const std::vector<std::string>& Lines) {
    std::string text;
    for (const std::string& line : Lines)
        text += Unescaped(line) + "\r\n";
    return text;
}

// The fields of a table row "a | b | c", each without the blanks around it.
inline std::vector<std::string> FieldsOf(const std::string& Row) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t bar = Row.find('|'); start <= Row.size(); bar = Row.find('|', start)) {
        std::string field = Row.substr(start, bar == std::string::npos ? bar : bar - start);
        field.erase(0, field.find_first_not_of(' '));
        field.erase(field.find_last_not_of(' ') + 1);
        fields.push_back(Unescaped(field));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return fields;
}

}  // namespace vex::test
