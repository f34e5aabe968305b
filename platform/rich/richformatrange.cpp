#include "platform/rich/richformatrange.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/gfx/canvas.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayoutfonts.h"
#include "platform/rich/richpaint.h"

namespace vex {

class TRichFormatter::TImpl {
public:
    explicit TImpl(const TRichDocument& Document) : FDocument(Document) {}

    // The layout at a device's resolution and width, kept while they stay the same.
    TRichLayout& LayoutFor(int32_t PixelsPerInch, int32_t Width) {
        if (!FLayout) FLayout = std::make_unique<TRichLayout>(FDocument, PixelsPerInch);
        FLayout->SetPixelsPerInch(PixelsPerInch);
        FLayout->SetWrapWidth(Width);
        return *FLayout;
    }

    const TRichDocument& FDocument;
    std::unique_ptr<TRichLayout> FLayout;
};

TRichFormatter::TRichFormatter(const TRichDocument& Document)
    : FImpl(std::make_unique<TImpl>(Document)) {}

TRichFormatter::~TRichFormatter() = default;

void TRichFormatter::Release() {
    FImpl->FLayout.reset();
}

int32_t TRichFormatter::Format(const TFormatRange& Range, bool Render, const TRichLinks* Links) {
    TCanvas* target = Range.Target ? Range.Target : Range.Canvas;
    if (!target || (Render && !Range.Canvas))
        throw EInvalidOperation("A format range needs a canvas to measure and draw with");
    const int32_t length = FImpl->FDocument.Length();
    const int32_t cpMin = std::clamp(Range.CpMin, 0, length);
    const int32_t cpEnd = Range.CpMax < 0 ? length : std::clamp(Range.CpMax, cpMin, length);
    if (cpMin >= cpEnd) return cpEnd;

    // Lines are laid out at the vertical resolution, which sizes the fonts; the rectangle's
    // width is taken at the same one so that a line fills the width its glyphs take.
    const int32_t ppi = target->PixelsPerInchY();
    const int32_t width =
        std::max(1, TwipsToPixels(int64_t{Range.Rect.Right} - Range.Rect.Left, ppi));
    const int32_t height = TwipsToPixels(int64_t{Range.Rect.Bottom} - Range.Rect.Top, ppi);
    const TRichLayout& layout = FImpl->LayoutFor(ppi, width);

    // Whole lines from the one holding CpMin, as many as the height takes, at least one.
    const int32_t first = layout.LineFromChar(cpMin);
    const int32_t top = layout.Line(first).Top;
    int32_t last = layout.LineAtY(SaturateToInt32(int64_t{top} + std::max(height, 1) - 1));
    const TRichLineInfo lastLine = layout.Line(last);
    if (last > first && int64_t{lastLine.Top} + lastLine.Height - top > height) --last;
    last = std::min(last, layout.LineFromChar(cpEnd - 1));
    const int32_t next =
        last + 1 < layout.LineCount() ? std::min(layout.LineIndex(last + 1), cpEnd) : cpEnd;

    if (Render) {
        TCanvas& canvas = *Range.Canvas;
        const TRect area = Rect(TwipsToPixels(Range.Rect.Left, canvas.PixelsPerInchX()),
                                TwipsToPixels(Range.Rect.Top, ppi),
                                TwipsToPixels(Range.Rect.Right, canvas.PixelsPerInchX()),
                                TwipsToPixels(Range.Rect.Bottom, ppi));
        const int32_t saved = canvas.SaveDC();
        canvas.IntersectClipRect(area);
        TRichPaintOptions options;
        options.Background = clNone;
        options.AutoText = clBlack;
        options.Links = Links;
        PaintRichLines(canvas, layout, Point(area.Left, area.Top - top), first, last, options);
        canvas.RestoreDC(saved);
    }
    return next;
}

}  // namespace vex
