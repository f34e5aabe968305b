#include <algorithm>
#include <cstdint>
#include <string>

#include "dataaware/richedit/wwriched.h"
#include "platform/rich/richformatrange.h"
#include "platform/ui/printer.h"
#include "platform/ui/screen.h"

namespace vex {

void TwwCustomRichEdit::SetEditWidth(TwwRichEditWidth Value) {
    if (FEditWidth == Value) return;
    FEditWidth = Value;
    LayoutText();
}

void TwwCustomRichEdit::SetPaperSize(int16_t Value) {
    if (FindPaperSize(Value) == nullptr)
        throw EPrinter("Paper size " + std::to_string(Value) + " is not one a printer knows");
    FPaperSize = Value;
    if (Owner() == nullptr || FEditWidth != rewPrinterSize || !Printer().HasPrinter()) return;
    ApplyPaperSize();
    LayoutText();
}

void TwwCustomRichEdit::ApplyPaperSize() {
    std::string device;
    TDeviceMode mode;
    Printer().GetPrinter(device, mode);
    mode.dmFields |= DM_PAPERSIZE;
    mode.dmPaperSize = FPaperSize;
    Printer().SetPrinter(device, mode);
}

void TwwCustomRichEdit::LayoutText() {
    int32_t target = 0;
    if (FEditWidth == rewPrinterSize && Printer().HasPrinter()) {
        try {
            const TwwPageTwips page = wwPageTwips(Printer().PageFormat());
            const int64_t margins =
                int64_t{wwMeasurementToTwips(FPrintMargins.Left(), FMeasurementUnits)} +
                wwMeasurementToTwips(FPrintMargins.Right(), FMeasurementUnits);
            target = static_cast<int32_t>(std::clamp<int64_t>(page.Width - margins, 1, INT32_MAX));
        } catch (const Exception&) {
            // A printer that cannot tell its page leaves the lines at the window's width; Print
            // reports why.
            target = 0;
        }
    }
    if (target != FLastTargetWidth) {
        FLastTargetWidth = target;
        SetTargetWidth(target);
    }
    if (HandleAllocated()) {
        const TRect rect{FLeftInset, 2, std::max(ClientWidth(), FLeftInset), ClientHeight()};
        if (rect != FLastFormatRect) {
            FLastFormatRect = rect;
            SetFormattingRect(rect);
        }
    }
    FLayoutDone = true;
}

int32_t TwwCustomRichEdit::FormatRange(const TFormatRange* Range, bool Render) {
    if (Range == nullptr || !Printer().HasPrinter())
        return TCustomRichEdit::FormatRange(Range, Render);
    TFormatRange request = *Range;
    request.Rect =
        wwMarginRect(FPrintMargins, FMeasurementUnits, wwPageTwips(Printer().PageFormat()));
    if (ControlState().Contains(csPaintCopy)) {
        const int32_t perInch = Screen().PixelsPerInch();
        request.Rect.Top = 0;
        request.Rect.Left = 0;
        if (WordWrap()) request.Rect.Right = wwPixelsToTwips(ClientWidth(), perInch);
    }
    return TCustomRichEdit::FormatRange(&request, Render);
}

void TwwCustomRichEdit::Print(const std::string& Caption) {
    if (FEditWidth == rewPrinterSize) ApplyPaperSize();
    const TwwPageTwips page = wwPageTwips(Printer().PageFormat());
    if (!wwMarginsLeaveRoom(FPrintMargins, FMeasurementUnits, page))
        throw EPrinter("The print margins leave no room for text on the page");
    TCustomRichEdit::Print(Caption);
}

}  // namespace vex
