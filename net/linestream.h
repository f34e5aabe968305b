#pragma once

#include <string>

#include "platform/core/stream.h"

namespace vex {

// A message loaded into memory and handed out line by line. A line ends at CR LF, LF or a lone
// CR; a final line without a break still counts, and a final break adds no empty line. Lines
// may be of any length and may hold NUL bytes.
class TLineStream : public TMemoryStream {
    VEX_CLASS(TLineStream, TMemoryStream)

public:
    // The next line without its break; false, with S empty and AtEnd set, when none is left.
    bool ReadLine(std::string& S);
    bool AtEnd() const { return FAtEnd; }
    // Back to the first line.
    void Reset();

private:
    bool FAtEnd = false;
};

}  // namespace vex
