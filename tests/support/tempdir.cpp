#include "tests/support/tempdir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace vex::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vex-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    FPath = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string ReadWholeFile(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + Path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& Path, const std::string& Contents) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(Contents.data(), static_cast<std::streamsize>(Contents.size()));
    if (!out) throw std::runtime_error("cannot write " + Path);
}

}  // namespace vex::test
