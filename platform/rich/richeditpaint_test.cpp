#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/colors.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/ui/windowpicture.h"

namespace vex {
namespace {

using test::TRichOnForm;

// The bitmap's pixel for a colour (0x00RRGGBB, where a colour is 0x00BBGGRR).
uint32_t PixelOf(TColor Color) {
    const auto rgb = static_cast<uint32_t>(ColorToRGB(Color));
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// How many pixels of Area have the colour.
int32_t Count(const TBitmap& Picture, const TRect& Area, TColor Color) {
    int32_t n = 0;
    for (int32_t y = Area.Top; y < Area.Bottom; ++y)
        for (int32_t x = Area.Left; x < Area.Right; ++x)
            n += Picture.ScanLine(y)[x] == PixelOf(Color) ? 1 : 0;
    return n;
}

// The box of characters [Start, End) of one line, in client coordinates.
TRect BoxOf(TRichEdit& Edit, int32_t Start, int32_t End) {
    const TPoint from = Edit.PosFromChar(Start);
    const TPoint to = Edit.PosFromChar(End);
    const int32_t line = Edit.LineFromChar(Start);
    const int32_t height = Edit.Layout().Line(line).Height;
    return Rect(from.X, from.Y, to.X, from.Y + height);
}

TEST(RichEditPaint, ShowsFormatsTheSelectionAndNothingBelowTheText) {
    TRichOnForm on("plain red bold\r\nsecond line");
    on.Edit->SetHideSelection(false);
    on.Edit->SetSelStart(6);
    on.Edit->SetSelLength(3);
    on.Edit->SelAttributes().SetColor(clRed);
    on.Edit->SetSelStart(10);
    on.Edit->SetSelLength(4);
    on.Edit->SelAttributes().SetStyle(TFontStyles{fsBold});
    on.Edit->SetSelStart(0);
    on.Edit->SetSelLength(5);
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(*on.Edit, picture);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveControlPicture(*on.Edit, std::string(dir) + "/richedit.png");

    // The picture is of the whole window: its client area is inside the border.
    const int32_t border = (picture.Width() - on.Edit->ClientWidth()) / 2;
    const auto shifted = [&](TRect R) {
        return Rect(R.Left + border, R.Top + border, R.Right + border, R.Bottom + border);
    };
    const TRect selected = shifted(BoxOf(*on.Edit, 0, 5));
    const TRect red = shifted(BoxOf(*on.Edit, 6, 9));
    const TRect bold = shifted(BoxOf(*on.Edit, 10, 14));
    const int32_t area = (selected.Right - selected.Left) * (selected.Bottom - selected.Top);
    // Selected text in the highlight's colours, nothing else.
    EXPECT_GT(Count(picture, selected, clHighlight), 0);
    EXPECT_GT(Count(picture, selected, clHighlightText), 0);
    EXPECT_EQ(Count(picture, selected, clHighlight) + Count(picture, selected, clHighlightText),
              area);
    EXPECT_GT(Count(picture, red, clRed), 0);
    EXPECT_EQ(Count(picture, red, clHighlight), 0);
    EXPECT_GT(Count(picture, bold, clWindowText), 0);
    const TRichLineInfo last = on.Edit->Layout().Line(1);
    const TRect below =
        shifted(Rect(0, last.Top + last.Height, on.Edit->ClientWidth(), on.Edit->ClientHeight()));
    EXPECT_EQ(Count(picture, below, clWindow),
              (below.Right - below.Left) * (below.Bottom - below.Top));
}

}  // namespace
}  // namespace vex
