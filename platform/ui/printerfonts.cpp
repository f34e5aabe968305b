#include "platform/ui/printerfonts.h"

#include <utility>

#include "platform/ui/printer.h"

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
    // Asked from a paint as often as not: no printer is an empty list, never an error.
    if (!InstalledList() && !Printer().HasPrinter()) return {};
    return PrintableFontFaces();
}

}  // namespace vex
