#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dataaware/richedit/wwprintmargins.h"

namespace vex {

class TPrinter;
struct TFormatRange;
struct TPageFormat;

// A printer's sheet in twips, from its format in device pixels.
TwwPageTwips wwPageTwips(const TPageFormat& Format);

// Fits part of a document onto a device and answers the first character left over (a rich-text
// control's format range); a null range releases what was kept for the pages.
using TwwFormatRangeProc = std::function<int32_t(const TFormatRange* Range, bool Render)>;

// Prints a document of TextLength characters on Printer as the job Title, a page for each
// rectangle within the margins, until the text is all printed or a page takes nothing more.
// Raises EPrinter when there is no printer or the margins leave no room on the sheet; a job
// that fails half way leaves no output.
void wwPrintRichText(TPrinter& Printer, const std::string& Title, int32_t TextLength,
                     const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                     const TwwFormatRangeProc& FormatRange);

}  // namespace vex
