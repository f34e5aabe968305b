#pragma once

#include <array>
#include <string>

namespace vex {

// Reads a grid file line by line, holding one line and one buffer of the file at most. A line
// ends with CR LF, LF or a CR alone, as the old text readers took them; the end is not part of
// the line. Only a regular file is opened, so a pipe or a device can neither block nor stream
// without end.
class TAdvGridFileReader {
public:
    // A file that cannot be opened raises EAdvGridError "File <name> not found".
    explicit TAdvGridFileReader(const std::string& FileName);
    ~TAdvGridFileReader();
    TAdvGridFileReader(const TAdvGridFileReader&) = delete;
    TAdvGridFileReader& operator=(const TAdvGridFileReader&) = delete;

    // The next line; false at the end of the file. A line longer than the format allows raises
    // the corrupt-file EAdvGridError, a failed read EAdvGridError with the reason.
    bool ReadLine(std::string& Line);
    // Back to the first line.
    void Rewind();

private:
    // False at the end of the file.
    bool Fill();

    std::string FFileName;
    int FHandle = -1;
    std::array<char, 0x10000> FBuffer;
    size_t FPos = 0;
    size_t FEnd = 0;
    // The last line ended with a CR, so an LF next belongs to it.
    bool FAfterCR = false;
};

}  // namespace vex
