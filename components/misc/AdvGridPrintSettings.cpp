#include "components/misc/AdvGridPrintSettings.h"

namespace vex {

void TPrintsettings::Assign(const TPersistent* Source) {
    const auto* from = dynamic_cast<const TPrintsettings*>(Source);
    if (!from) {
        TPersistent::Assign(Source);
        return;
    }
    Time = from->Time;
    Date = from->Date;
    PageNr = from->PageNr;
    Title = from->Title;
    Borders = from->Borders;
    TitleText = from->TitleText;
    Centered = from->Centered;
    RepeatFixedRows = from->RepeatFixedRows;
    RepeatFixedCols = from->RepeatFixedCols;
    FooterSize = from->FooterSize;
    HeaderSize = from->HeaderSize;
    LeftSize = from->LeftSize;
    RightSize = from->RightSize;
    ColumnSpacing = from->ColumnSpacing;
    RowSpacing = from->RowSpacing;
    Orientation = from->Orientation;
    PagePrefix = from->PagePrefix;
    FixedWidth = from->FixedWidth;
    UseFixedWidth = from->UseFixedWidth;
    FixedHeight = from->FixedHeight;
    UseFixedHeight = from->UseFixedHeight;
    FitToPage = from->FitToPage;
    SetFont(from->FFont);
    SetHeaderFont(from->FHeaderFont);
    SetFooterFont(from->FFooterFont);
}

}  // namespace vex
