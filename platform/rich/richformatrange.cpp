#include "platform/rich/richformatrange.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/gfx/canvas.h"
#include "platform/rich/richlayout.h"
#include "platform/rich/richlayoutfonts.h"
#include "platform/rich/richpaint.h"

namespace vex {

namespace {

// Draws lines First to Last into Area (twips), the characters of [CpMin, CpEnd) alone.
void RenderLines(TCanvas& Canvas, const TRichLayout& Layout, const TRect& Area, int32_t First,
                 int32_t Last, int32_t CpMin, int32_t CpEnd, const TRichLinks* Links) {
    const int32_t ppi = Layout.PixelsPerInch();
    const TRect area = Rect(TwipsToPixels(Area.Left, ppi), TwipsToPixels(Area.Top, ppi),
                            TwipsToPixels(Area.Right, ppi), TwipsToPixels(Area.Bottom, ppi));
    const TPoint origin =
        Point(area.Left, SaturateToInt32(int64_t{area.Top} - Layout.Line(First).Top));
    const int32_t saved = Canvas.SaveDC();
    Canvas.IntersectClipRect(area);
    // A range that starts or ends inside a line leaves the rest of that line undrawn.
    const auto leaveOut = [&](int32_t Position, bool Before) {
        const TRichLineInfo line = Layout.Line(Layout.LineFromChar(Position));
        const int32_t x = SaturateToInt32(int64_t{origin.X} + Layout.PosFromChar(Position).X);
        const int32_t top = SaturateToInt32(int64_t{origin.Y} + line.Top);
        Canvas.ExcludeClipRect(Rect(Before ? area.Left : x, top, Before ? x : area.Right,
                                    SaturateToInt32(int64_t{top} + line.Height)));
    };
    if (CpMin > Layout.Line(First).Start) leaveOut(CpMin, true);
    const TRichLineInfo last = Layout.Line(Last);
    if (CpEnd < last.Start + last.Length) leaveOut(CpEnd, false);
    TRichPaintOptions options;
    options.Background = clNone;
    options.AutoText = clBlack;
    options.Links = Links;
    PaintRichLines(Canvas, Layout, origin, First, Last, options);
    Canvas.RestoreDC(saved);
}

}  // namespace

class TRichFormatter::TImpl {
public:
    explicit TImpl(const TRichDocument& Document) : FDocument(Document) {}

    // The layout at a device's resolution, width and height, kept while they stay the same. A
    // row too tall for an empty page is printed flat: cut at the page's foot, the rest of its
    // cells' text would be printed nowhere.
    TRichLayout& LayoutFor(int32_t PixelsPerInch, int32_t Width, int32_t Height) {
        if (!FLayout) FLayout = std::make_unique<TRichLayout>(FDocument, PixelsPerInch);
        FLayout->SetPixelsPerInch(PixelsPerInch);
        FLayout->SetWrapWidth(Width);
        FLayout->SetFlatRowsOver(std::max(Height, 1));
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
    const TRichLayout& layout = FImpl->LayoutFor(ppi, width, height);

    // Whole lines from the one holding CpMin, as many as the height takes, at least one.
    const int32_t first = layout.LineFromChar(cpMin);
    const int32_t top = layout.Line(first).Top;
    int32_t last = layout.LineAtY(SaturateToInt32(int64_t{top} + std::max(height, 1) - 1));
    const TRichLineInfo lastLine = layout.Line(last);
    if (last > first && int64_t{lastLine.Top} + lastLine.Height - top > height) --last;
    last = std::min(last, layout.LineFromChar(cpEnd - 1));
    const int32_t next =
        last + 1 < layout.LineCount() ? std::min(layout.LineIndex(last + 1), cpEnd) : cpEnd;

    if (Render) RenderLines(*Range.Canvas, layout, Range.Rect, first, last, cpMin, cpEnd, Links);
    return next;
}

}  // namespace vex
