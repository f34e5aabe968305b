#include "dataaware/richedit/wwrichprint.h"

#include "platform/rich/richformatrange.h"
#include "platform/ui/printer.h"

namespace vex {

namespace {

// The failure on its way out is the one to report; a release that fails as well adds nothing.
void ReleaseAfterFailure(const TwwFormatRangeProc& FormatRange) noexcept {
    try {
        FormatRange(nullptr, false);
    } catch (...) {
    }
}

}  // namespace

TwwPageTwips wwPageTwips(const TPageFormat& Format) {
    const auto twips = [&](int32_t Pixels) {
        return wwPixelsToTwips(Pixels, Format.PixelsPerInch);
    };
    return {twips(Format.Paper.cx),
            twips(Format.Paper.cy),
            {twips(Format.PrintableOffset.X), twips(Format.PrintableOffset.Y)}};
}

void wwPrintRichText(TPrinter& Printer, const std::string& Title, int32_t TextLength,
                     const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                     const TwwFormatRangeProc& FormatRange) {
    const TPageFormat format = Printer.PageFormat();
    const TwwPageTwips page = wwPageTwips(format);
    if (!wwMarginsLeaveRoom(Margins, Units, page))
        throw EPrinter("The print margins leave no room for text on the page");

    TFormatRange range;
    range.Rect = wwMarginRect(Margins, Units, page);
    range.PageRect = {0, 0, wwPixelsToTwips(format.Printable.cx, format.PixelsPerInch),
                      wwPixelsToTwips(format.Printable.cy, format.PixelsPerInch)};
    Printer.SetTitle(Title);
    Printer.BeginDoc();
    try {
        range.Canvas = &Printer.Canvas();
        for (;;) {
            const int32_t next = FormatRange(&range, true);
            if (next <= range.CpMin || next >= TextLength) break;
            range.CpMin = next;
            Printer.NewPage();
        }
        FormatRange(nullptr, false);
        Printer.EndDoc();
    } catch (...) {
        if (Printer.Printing()) Printer.Abort();
        ReleaseAfterFailure(FormatRange);
        throw;
    }
}

}  // namespace vex
