#include "tests/support/tabletext.h"

#include <sstream>
#include <stdexcept>

#include "tests/support/tempdir.h"

namespace vex::test {
namespace {

std::string Unescape(const std::string& Cell) {
    std::string out;
    for (size_t i = 0; i < Cell.size(); ++i) {
        if (Cell[i] != '\\' || i + 1 == Cell.size()) {
            out += Cell[i];
            continue;
        }
        switch (Cell[++i]) {
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 'x':
                out += static_cast<char>(std::stoi(Cell.substr(i + 1, 2), nullptr, 16));
                i += 2;
                break;
            default:
                out += Cell[i];
        }
    }
    return out;
}

}  // namespace

std::vector<std::vector<std::string>> ReadTable(const std::string& Path) {
    std::istringstream in(ReadWholeFile(Path));
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with("# ")) continue;
        std::vector<std::string>& row = rows.emplace_back();
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(Unescape(line.substr(start, tab - start)));
        row.push_back(Unescape(line.substr(start)));
    }
    if (rows.empty()) throw std::runtime_error("no cases in " + Path);
    return rows;
}

}  // namespace vex::test
