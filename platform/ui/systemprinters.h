#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vex {

// The queue names of lpstat's answer: "lpstat -e" gives one a line, "lpstat -a" starts each
// line with one. Lines that name nothing a queue could be called are passed over, and the list
// is capped, so a strange answer costs nothing.
std::vector<std::string> ParseLpstatQueues(std::string_view Answer);

// The CUPS queues lpstat lists; none when it is missing, fails or does not answer in time.
std::vector<std::string> CupsQueues();

// Whether the settings leave the PDF printer on (the default).
bool PdfPrinterEnabled();

}  // namespace vex
