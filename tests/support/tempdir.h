#pragma once

#include <string>

namespace vex::test {

// A fresh folder under the system's temporary directory, removed with everything in it when the
// object goes out of scope. Paths end without a separator.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

// Whole-file helpers for tests that check what a component wrote.
std::string ReadWholeFile(const std::string& Path);
void WriteWholeFile(const std::string& Path, const std::string& Contents);

}  // namespace vex::test
