#include "tests/support/casefile.h"

#include <fstream>
#include <stdexcept>

namespace vex::test {

int64_t TestCase::Int(size_t I) const {
    return std::stoll(Fields.at(I), nullptr, 0);
}

namespace {

// The bytes an escape stands for, starting at Text[At], just past the backslash; At ends on the
// escape's last character.
char Escaped(std::string_view Text, size_t& At) {
    const char c = Text[At];
    if (c == 'x' && At + 2 < Text.size()) {
        At += 2;
        return static_cast<char>(std::stoi(std::string(Text.substr(At - 1, 2)), nullptr, 16));
    }
    return c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c == '0' ? '\0' : c;
}

// The quoted text starting at Line[At], which is the opening quote; At ends past the closing one.
std::string Unquote(const std::string& Line, size_t& At, const std::string& Where) {
    std::string text;
    for (++At; At < Line.size() && Line[At] != '"'; ++At)
        text += Line[At] == '\\' && At + 1 < Line.size() ? Escaped(Line, ++At) : Line[At];
    if (At++ == Line.size()) throw std::runtime_error(Where + ": unterminated text");
    return text;
}

std::ifstream Open(const std::string& Path) {
    std::ifstream in(Path);
    if (!in) throw std::runtime_error("cannot read " + Path);
    return in;
}

}  // namespace

std::string Unescape(std::string_view Text) {
    std::string text;
    for (size_t at = 0; at < Text.size(); ++at)
        text += Text[at] == '\\' && at + 1 < Text.size() ? Escaped(Text, ++at) : Text[at];
    return text;
}

TestCase CaseOf(const std::string& Line, const std::string& Where) {
    TestCase c{{}, Where};
    for (size_t at = 0; at < Line.size();) {
        if (Line[at] == ' ' || Line[at] == '\t') {
            ++at;
        } else if (Line[at] == '#') {
            break;
        } else if (Line[at] == '"') {
            c.Fields.push_back(Unquote(Line, at, Where));
        } else {
            const size_t end = Line.find_first_of(" \t#", at);
            c.Fields.push_back(Line.substr(at, end - at));
            at = end == std::string::npos ? Line.size() : end;
        }
    }
    return c;
}

std::vector<TestCase> ReadCases(const std::string& Path) {
    std::ifstream in = Open(Path);
    std::vector<TestCase> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        TestCase c = CaseOf(line, Path + ":" + std::to_string(number));
        if (!c.Fields.empty()) cases.push_back(std::move(c));
    }
    if (cases.empty()) throw std::runtime_error("no cases in " + Path);
    return cases;
}

std::vector<TestCase> ReadCases(const std::string& Path, const std::string& Table) {
    std::vector<TestCase> cases;
    for (TestCase& c : ReadCases(Path))
        if (c[0] == Table) {
            c.Fields.erase(c.Fields.begin());
            cases.push_back(std::move(c));
        }
    if (cases.empty()) throw std::runtime_error(Path + " holds no table " + Table);
    return cases;
}

std::vector<TestBlock> ReadBlocks(const std::string& Path) {
    std::ifstream in = Open(Path);
    std::vector<TestBlock> blocks;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.starts_with("== "))
            blocks.push_back({line.substr(3), {{}}, Path + ":" + std::to_string(number)});
        else if (blocks.empty() && (line.empty() || line.starts_with('#')))
            continue;
        else if (blocks.empty())
            throw std::runtime_error(Path + ":" + std::to_string(number) + ": outside a block");
        else if (line == "--")
            blocks.back().Parts.emplace_back();
        else
            blocks.back().Parts.back().push_back(line);
    }
    if (blocks.empty()) throw std::runtime_error("no blocks in " + Path);
    for (TestBlock& block : blocks)
        for (std::vector<std::string>& part : block.Parts)
            while (!part.empty() && part.back().empty())
                part.pop_back();
    return blocks;
}

}  // namespace vex::test
