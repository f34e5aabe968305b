#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
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

    // Hidden without the focus, when HideSelection says so.
    auto* other = on.Shown.Add<TRichEdit>(on.Shown.Form, Rect(10, 140, 100, 170));
    other->SetFocus();
    test::PumpUntilIdle();
    PictureOfControl(*on.Edit, picture);
    EXPECT_GT(Count(picture, selected, clHighlight), 0);
    on.Edit->SetHideSelection(true);
    test::PumpUntilIdle();
    PictureOfControl(*on.Edit, picture);
    EXPECT_EQ(Count(picture, selected, clHighlight), 0);
}

// An object that fills its box with green.
class TGreenBox : public IRichObject {
public:
    TSize Extent() const override { return TSize{300, 300}; }  // 20 pixels each way
    void Draw(TCanvas& Canvas, const TRect& Box) const override {
        Canvas.Brush().SetColor(clLime);
        Canvas.FillRect(Box);
    }
};

TEST(RichEditPaint, ObjectsAreDrawnInTheirBoxesAndSelectedByAClick) {
    TRichOnForm on("ab");
    on.Edit->SetSelStart(1);
    ASSERT_TRUE(on.Edit->InsertObject(std::make_shared<TGreenBox>()));
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(*on.Edit, picture);
    const int32_t border = (picture.Width() - on.Edit->ClientWidth()) / 2;
    const TPoint at = on.Edit->PosFromChar(1);
    const TRect box = Rect(at.X + border, border, at.X + border + 20, border + 20);
    EXPECT_GT(Count(picture, box, clLime), 300);
    on.Edit->PlaceCaretAt(Point(at.X + 10, on.Edit->Layout().Line(0).Baseline - 5));
    EXPECT_EQ(on.Edit->GetSelection(), (TCharRange{1, 2}));
    EXPECT_NE(on.Edit->SelectedObject(), nullptr);
}

// A copy painted into another picture shows the document from its start, whatever the view
// shows, and leaves the view as it was.
TEST(RichEditPaint, ACopyShowsTheTextFromItsStartWhereverTheViewIs) {
    std::string text = "first";
    for (int i = 0; i < 40; ++i)
        text += "\r\nline";
    TRichOnForm on(text);
    on.Edit->SetSelStart(0);
    on.Edit->SetSelLength(5);
    on.Edit->SelAttributes().SetColor(clRed);
    on.Edit->SetSelStart(static_cast<int32_t>(text.size()));
    on.Edit->ScrollCaret();
    test::PumpUntilIdle();
    const int32_t top = on.Edit->FirstVisibleLine();
    ASSERT_GT(top, 0);
    const TRect client = on.Edit->ClientRect();
    TBitmap view;
    PictureOfControl(*on.Edit, view);
    EXPECT_EQ(Count(view, Rect(0, 0, view.Width(), view.Height()), clRed), 0);

    TBitmap copy;
    copy.SetSize(client.Right, client.Bottom);
    on.Edit->SetControlState(on.Edit->ControlState() + TControlState{csPaintCopy});
    on.Edit->Perform(WM_PAINT, reinterpret_cast<WPARAM>(copy.Canvas().Handle()), 0);
    on.Edit->SetControlState(on.Edit->ControlState() - TControlState{csPaintCopy});
    const int32_t lineHeight = on.Edit->Layout().Line(0).Height;
    EXPECT_GT(Count(copy, Rect(0, 0, client.Right, lineHeight), clRed), 0);
    EXPECT_EQ(Count(copy, Rect(0, lineHeight, client.Right, client.Bottom), clRed), 0);
    EXPECT_EQ(on.Edit->FirstVisibleLine(), top);
}

// The longest run of pixels of the colour on one row of Area.
int32_t LongestRun(const TBitmap& Picture, const TRect& Area, TColor Color) {
    int32_t longest = 0;
    for (int32_t y = Area.Top; y < Area.Bottom; ++y) {
        int32_t run = 0;
        for (int32_t x = Area.Left; x < Area.Right; ++x) {
            run = Picture.ScanLine(y)[x] == PixelOf(Color) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

TEST(RichEditPaint, LinksAreUnderlinedInTheInstalledFaces) {
    test::TShownForm shown(Rect(10, 10, 330, 130));
    auto* edit = shown.Add<TRichEdit>(shown.Form, Rect(5, 5, 305, 95));
    edit->SetText(
        "Read http://example.com/notes first.\r\nA second, longer paragraph that wraps "
        "at the right edge of the control.");
    edit->SetAutoUrlDetect(true);
    edit->SetSelStart(37);
    edit->SetSelLength(8);
    edit->SelAttributes().SetStyle(TFontStyles{fsBold});
    edit->SetSelStart(0);
    test::PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(*edit, picture);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveControlPicture(*edit, std::string(dir) + "/richedit-sans.png");

    const int32_t border = (picture.Width() - edit->ClientWidth()) / 2;
    const TRect link = BoxOf(*edit, 5, 29);
    const TRect word = BoxOf(*edit, 0, 4);
    const auto shifted = [&](TRect R) {
        return Rect(R.Left + border, R.Top + border, R.Right + border, R.Bottom + border);
    };
    EXPECT_GE(LongestRun(picture, shifted(link), clWindowText), (link.Right - link.Left) * 9 / 10);
    EXPECT_LT(LongestRun(picture, shifted(word), clWindowText), (word.Right - word.Left) / 2);
    EXPECT_GT(edit->GetLineCount(), 2);
}

}  // namespace
}  // namespace vex
