#include "platform/ui/printerfonts.h"

#include <utility>

namespace vex {

namespace {

TFontFaceList& InstalledList() {
    static TFontFaceList list;
    return list;
}

}  // namespace

void SetPrinterFontFaces(TFontFaceList List) {
    InstalledList() = std::move(List);
}

std::vector<TFontFace> PrintableFontFaces() {
    return InstalledList() ? InstalledList()() : ScreenFontFaces();
}

std::vector<TFontFace> PrinterFontFaces() {
    return PrintableFontFaces();
}

}  // namespace vex
