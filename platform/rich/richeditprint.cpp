#include "platform/gfx/dcstate.h"
#include "platform/gfx/mapmode.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richlayoutfonts.h"
#include "platform/ui/printer.h"

namespace vex {

void TCustomRichEdit::Print(const std::string& Caption) {
    TPrinter& printer = Printer();
    printer.SetTitle(Caption);
    printer.BeginDoc();
    try {
        TCanvas& canvas = printer.Canvas();
        const HDC dc = canvas.Handle();
        const int32_t width =
            MulDiv(printer.PageWidth(), TwipsPerInch, GetDeviceCaps(dc, LOGPIXELSX));
        const int32_t height =
            MulDiv(printer.PageHeight(), TwipsPerInch, GetDeviceCaps(dc, LOGPIXELSY));
        TFormatRange range;
        range.Canvas = &canvas;
        range.Target = &canvas;
        range.Rect = Rect(0, 0, width, height);
        range.PageRect = range.Rect;
        const int32_t length = FEngine.TextLength();
        // A page per rectangle until the text is out, or a page takes nothing more.
        for (;;) {
            const int32_t next = FormatRange(&range, true);
            if (next < 0 || next <= range.CpMin || next >= length) break;
            printer.NewPage();
            range.CpMin = next;
        }
        FormatRange(nullptr, false);
        printer.EndDoc();
    } catch (...) {
        FormatRange(nullptr, false);
        if (printer.Printing()) printer.Abort();
        throw;
    }
}

}  // namespace vex
