#pragma once

#include "dataaware/richedit/wwrichunits.h"
#include "platform/core/geometry.h"
#include "platform/core/object.h"

namespace vex {

struct TPageFormat;

// The margins a rich-text control prints within, in the control's measurement units.
class TwwPrintMargins : public TPersistent {
    VEX_CLASS(TwwPrintMargins, TPersistent)

public:
    double Top() const { return FTop; }
    void SetTop(double Value) { FTop = Value; }
    double Bottom() const { return FBottom; }
    void SetBottom(double Value) { FBottom = Value; }
    double Left() const { return FLeft; }
    void SetLeft(double Value) { FLeft = Value; }
    double Right() const { return FRight; }
    void SetRight(double Value) { FRight = Value; }

    void Assign(const TPersistent* Source) override;

private:
    double FTop = 1.0;
    double FBottom = 1.0;
    double FLeft = 1.0;
    double FRight = 1.0;
};

// A printer's sheet in twips: its whole size and where its printable area begins.
struct TwwPageTwips {
    int32_t Width = 0;
    int32_t Height = 0;
    TPoint PrintableOffset;
};

// A printer's sheet in twips, from its format in device pixels.
TwwPageTwips wwPageTwips(const TPageFormat& Format);

// Whether the margins leave some of the sheet to print on: wwMarginRect is neither empty nor
// inverted.
bool wwMarginsLeaveRoom(const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                        const TwwPageTwips& Page);

// Where the text goes on the sheet, in twips from the printable area's top-left: inside the
// margins, each edge held within the printable area.
TRect wwMarginRect(const TwwPrintMargins& Margins, TwwMeasurementUnits Units,
                   const TwwPageTwips& Page);

}  // namespace vex
