#pragma once

#include <cstdint>
#include <string>

#include "platform/core/object.h"
#include "platform/gfx/font.h"
#include "platform/ui/printer.h"

namespace vex {

// Where a text of the page header or footer goes.
enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders { pbNoborder, pbSingle, pbDouble };
// How the table is scaled to the page's width: never, only up, only down, always, or as the
// grid's OnFitToPage allows.
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// How the grid prints. Lengths are print units, tenths of a millimetre; fonts keep their
// sizes in points and are converted when printing.
class TPrintsettings : public TPersistent {
    VEX_CLASS(TPrintsettings, TPersistent)

public:
    TPrintsettings() = default;
    TPrintsettings(const TPrintsettings&) = delete;
    TPrintsettings& operator=(const TPrintsettings&) = delete;

    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    // PagePrefix, a blank and the page number.
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    TPrintBorders Borders = pbNoborder;
    std::string TitleText;
    // Each page's table centred between the page's edges; otherwise it starts at LeftSize.
    bool Centered = false;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int32_t FooterSize = 0;
    int32_t HeaderSize = 0;
    int32_t LeftSize = 0;
    int32_t RightSize = 0;
    int32_t ColumnSpacing = 0;
    int32_t RowSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    std::string PagePrefix = "page";
    int32_t FixedWidth = 0;
    bool UseFixedWidth = false;
    int32_t FixedHeight = 0;
    bool UseFixedHeight = false;
    TFitToPage FitToPage = fpNever;

    // Setting a font copies it into the one the settings own.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value) { FFont.Assign(&Value); }
    TFont& HeaderFont() { return FHeaderFont; }
    const TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const TFont& Value) { FHeaderFont.Assign(&Value); }
    TFont& FooterFont() { return FFooterFont; }
    const TFont& FooterFont() const { return FFooterFont; }
    void SetFooterFont(const TFont& Value) { FFooterFont.Assign(&Value); }

    void Assign(const TPersistent* Source) override;

private:
    TFont FFont;
    TFont FHeaderFont;
    TFont FFooterFont;
};

}  // namespace vex
