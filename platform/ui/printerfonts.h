#pragma once

#include <functional>
#include <vector>

#include "platform/gfx/fontfaces.h"

namespace vex {

// The faces the printer draws documents with. The printer puts its own list in when it comes;
// until then it prints with the screen's faces, so that is what it offers.
using TFontFaceList = std::function<std::vector<TFontFace>()>;
void SetPrinterFontFaces(TFontFaceList List);
std::vector<TFontFace> PrinterFontFaces();

}  // namespace vex
