#pragma once

#include <functional>
#include <vector>

#include "platform/gfx/fontfaces.h"

namespace vex {

// The faces printers draw documents with: the screen's, which every back end prints with. A
// list set here (a test's) stands for a printer's and takes their place; null returns to them.
using TFontFaceList = std::function<std::vector<TFontFace>()>;
void SetPrinterFontFaces(TFontFaceList List);
std::vector<TFontFace> PrintableFontFaces();
// The faces of the process's printer (Printer()): none when it has none, unless a list is set.
std::vector<TFontFace> PrinterFontFaces();

}  // namespace vex
