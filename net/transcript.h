#pragma once

#include <string>

namespace vex {

class TStrings;

// Writes the lines to the file, creating its folder when missing and replacing the file as a
// whole. A failure raises EInOutError.
void WriteTranscript(const TStrings& Lines, const std::string& FileName);

}  // namespace vex
