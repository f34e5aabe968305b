#include "dataaware/richedit/wwprintmargins.h"

#include <algorithm>
#include <cstdint>

#include "platform/core/typinfo.h"
#include "platform/ui/printerdevice.h"

namespace vex {

namespace {

const bool PrintMarginsPublished = [] {
    using M = TwwPrintMargins;
    RegisterProperties(M::StaticClassInfo(),
                       {FloatProperty("Top", "Double", &M::Top, &M::SetTop),
                        FloatProperty("Bottom", "Double", &M::Bottom, &M::SetBottom),
                        FloatProperty("Left", "Double", &M::Left, &M::SetLeft),
                        FloatProperty("Right", "Double", &M::Right, &M::SetRight)});
    return true;
}();

}  // namespace

void TwwPrintMargins::Assign(const TPersistent* Source) {
    const auto* margins = dynamic_cast<const TwwPrintMargins*>(Source);
    if (margins == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FTop = margins->FTop;
    FBottom = margins->FBottom;
    FLeft = margins->FLeft;
    FRight = margins->FRight;
}

TwwPageTwips wwPageTwips(const TPageFormat& Format) {
    const auto twips = [&](int32_t Pixels) {
        return wwPixelsToTwips(Pixels, Format.PixelsPerInch);
    };
    return {twips(Format.Paper.cx),
            twips(Format.Paper.cy),
            {twips(Format.PrintableOffset.X), twips(Format.PrintableOffset.Y)}};
}

bool wwMarginsLeaveRoom(const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                        const TwwPageTwips& Page) {
    // The text goes where wwMarginRect puts it, so room anywhere else on the sheet is none.
    const TRect text = wwMarginRect(Margins, Units, Page);
    return text.Right > text.Left && text.Bottom > text.Top;
}

TRect wwMarginRect(const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                   const TwwPageTwips& Page) {
    const TPoint offset = Page.PrintableOffset;
    const auto extent = [](int32_t Size, int32_t Offset) {
        return std::clamp<int64_t>(int64_t{Size} - 2 * int64_t{Offset}, 0, INT32_MAX);
    };
    const int64_t printableWidth = extent(Page.Width, offset.X);
    const int64_t printableHeight = extent(Page.Height, offset.Y);
    const auto across = [&](int64_t V) {
        return static_cast<int32_t>(std::clamp<int64_t>(V, 0, printableWidth));
    };
    const auto down = [&](int64_t V) {
        return static_cast<int32_t>(std::clamp<int64_t>(V, 0, printableHeight));
    };
    const auto twips = [&](double Value) { return wwMeasurementToTwips(Value, Units); };
    return {across(int64_t{twips(Margins.Left())} - offset.X),
            down(int64_t{twips(Margins.Top())} - offset.Y),
            across(int64_t{Page.Width} - twips(Margins.Right()) - offset.X),
            down(int64_t{Page.Height} - twips(Margins.Bottom()) - offset.Y)};
}

}  // namespace vex
