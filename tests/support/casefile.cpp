#include "tests/support/casefile.h"

#include <fstream>
#include <stdexcept>

namespace vex::test {

int64_t TestCase::Int(size_t I) const {
    return std::stoll(Fields.at(I), nullptr, 0);
}

namespace {

// The quoted text starting at Line[At], which is the opening quote; At ends past the closing one.
std::string Unquote(const std::string& Line, size_t& At, const std::string& Where) {
    std::string text;
    for (++At; At < Line.size() && Line[At] != '"'; ++At) {
        if (Line[At] != '\\' || At + 1 == Line.size()) {
            text += Line[At];
            continue;
        }
        const char c = Line[++At];
        if (c == 'x' && At + 2 < Line.size()) {
            text += static_cast<char>(std::stoi(Line.substr(At + 1, 2), nullptr, 16));
            At += 2;
        } else {
            text += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c == '0' ? '\0' : c;
        }
    }
    if (At++ == Line.size()) throw std::runtime_error(Where + ": unterminated text");
    return text;
}

}  // namespace

std::vector<TestCase> ReadCases(const std::string& Path) {
    std::ifstream in(Path);
    if (!in) throw std::runtime_error("cannot read " + Path);
    std::vector<TestCase> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        TestCase c{{}, Path + ":" + std::to_string(number)};
        for (size_t at = 0; at < line.size();) {
            if (line[at] == ' ' || line[at] == '\t') {
                ++at;
            } else if (line[at] == '#') {
                break;
            } else if (line[at] == '"') {
                c.Fields.push_back(Unquote(line, at, c.Where));
            } else {
                const size_t end = line.find_first_of(" \t#", at);
                c.Fields.push_back(line.substr(at, end - at));
                at = end == std::string::npos ? line.size() : end;
            }
        }
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

}  // namespace vex::test
