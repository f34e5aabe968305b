#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"

namespace vex {
namespace {

// A grid of 3 x 4 cells 60 x 16 with one fixed row, in the fixed font (blocks 6 x 9 in a line
// 12 high), unframed so its client area is its 200 x 100 bounds. Column 1 starts at x 61, row 1
// at y 17. The current cell sits at (1, 2), away from the cells the tests look at.
struct TPaintScene : test::TListScene {
    TPaintScene() {
        Grid = Add<TAdvStringGrid>(Form, Rect(0, 0, 200, 100));
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(0);
        Grid->SetDefaultColWidth(60);
        Grid->SetDefaultRowHeight(16);
        Grid->SetRow(2);
        Images.SetWidth(8);
        Images.SetHeight(8);
        TBitmap blue;
        blue.SetSize(8, 8);
        blue.Canvas().Brush().SetColor(clBlue);
        blue.Canvas().FillRect(Rect(0, 0, 8, 8));
        Images.Add(blue, nullptr);
    }
    const TBitmap& Shown() {
        test::PumpUntilIdle();
        PictureOfControl(*Grid, Picture);
        return Picture;
    }
    uint32_t PixelAt(int32_t X, int32_t Y) { return Shown().ScanLine(Y)[X]; }
    // The box (right and bottom exclusive) of the pixels of one colour within Area; empty when
    // there are none.
    TRect BoxOf(TColor Color, TRect Area) {
        const TBitmap& picture = Shown();
        const uint32_t pixel = ColorToPixel(Color);
        TRect box = Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
        for (int32_t y = Area.Top; y < Area.Bottom; ++y)
            for (int32_t x = Area.Left; x < Area.Right; ++x)
                if (picture.ScanLine(y)[x] == pixel)
                    box = Rect(std::min(box.Left, x), std::min(box.Top, y),
                               std::max(box.Right, x + 1), std::max(box.Bottom, y + 1));
        return box.Left == INT32_MAX ? TRect{} : box;
    }
    static TRect Cell11() { return Rect(61, 17, 121, 33); }

    TAdvStringGrid* Grid = nullptr;
    TImageList Images{nullptr};
    TBitmap Picture;
};

TEST(AdvGridPaint, TextIsPlacedByTheOwnersAlignmentAndVAlignment) {
    const struct {
        const char* Name;
        TAlignment Alignment;
        TVAlignment VAlignment;
        TRect Text;
    } cases[] = {
        {"left, centred", taLeftJustify, vtaCenter, Rect(63, 19, 75, 28)},
        {"right", taRightJustify, vtaCenter, Rect(107, 19, 119, 28)},
        {"centred", taCenter, vtaCenter, Rect(85, 19, 97, 28)},
        {"top", taLeftJustify, vtaTop, Rect(63, 17, 75, 26)},
        {"bottom", taLeftJustify, vtaBottom, Rect(63, 21, 75, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetCells(1, 1, "ab");
        s.Grid->SetVAlignment(c.VAlignment);
        s.Grid->OnGetAlignment = [&](TObject*, int32_t ARow, int32_t ACol, TAlignment& A) {
            if (ARow == 1 && ACol == 1) A = c.Alignment;
        };
        EXPECT_EQ(s.BoxOf(clBlack, TPaintScene::Cell11()), c.Text);
    }
}

TEST(AdvGridPaint, CellColoursComeFromTheOwnerThenTheSelectionColours) {
    const struct {
        const char* Name;
        TColor SelectionColor;
        TColor SelectionTextColor;
        bool Selected;
        TColor Fill;
        TColor Text;
    } cases[] = {
        {"not selected: the owner's colours", clRed, clLime, false, clYellow, clBlue},
        {"selected: the selection colours", clRed, clLime, true, clRed, clLime},
        {"selection colours of none: the owner's", clNone, clNone, true, clYellow, clBlue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetCells(1, 1, "ab");
        s.Grid->SetSelectionColor(c.SelectionColor);
        s.Grid->SetSelectionTextColor(c.SelectionTextColor);
        if (c.Selected) s.Grid->SetSelection({1, 1, 2, 2});
        s.Grid->OnGetCellColor = [](TObject*, int32_t ARow, int32_t ACol, TGridDrawState,
                                    TBrush& ABrush, TFont& AFont) {
            if (ARow != 1 || ACol != 1) return;
            ABrush.SetColor(clYellow);
            AFont.SetColor(clBlue);
        };
        EXPECT_EQ(s.PixelAt(118, 30), ColorToPixel(c.Fill));
        EXPECT_EQ(s.PixelAt(63, 19), ColorToPixel(c.Text));
    }
}

TEST(AdvGridPaint, FooterRowsAndRightFixedColumnsAreFixedCellsFramedInBlack) {
    const struct {
        const char* Name;
        int32_t Footers;
        int32_t RightCols;
        TPoint Inside;        // a pixel inside the footer or right fixed cell
        TPoint Border;        // a pixel of the line above or left of it
        TColor BorderColour;  // black when framed, the data lines' silver when not
    } cases[] = {
        {"a footer row", 1, 0, Point(90, 60), Point(90, 50), clBlack},
        {"a right fixed column", 0, 1, Point(170, 40), Point(121, 40), clBlack},
        {"neither", 0, 0, Point(90, 60), Point(90, 50), clSilver},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetFixedFooters(c.Footers);
        s.Grid->SetFixedRightCols(c.RightCols);
        const bool fixed = c.Footers + c.RightCols > 0;
        std::vector<bool> fixedStates;
        s.Grid->OnGetCellColor = [&](TObject*, int32_t ARow, int32_t ACol, TGridDrawState AState,
                                     TBrush&, TFont&) {
            if (ARow == 3 && ACol == 2) fixedStates.push_back(AState.Contains(gdFixed));
        };
        EXPECT_EQ(s.PixelAt(c.Inside.X, c.Inside.Y), ColorToPixel(fixed ? clBtnFace : clWindow));
        EXPECT_EQ(s.PixelAt(c.Border.X, c.Border.Y), ColorToPixel(c.BorderColour));
        ASSERT_FALSE(fixedStates.empty());
        EXPECT_EQ(fixedStates.back(), fixed);
    }
}

TEST(AdvGridPaint, ImagesArePlacedByTheirPlacementsAndMakeRoomForText) {
    const struct {
        const char* Name;
        int32_t HAlign;
        int32_t VAlign;
        TAlignment Alignment;
        TRect Image;
        TRect Text;
    } cases[] = {
        {"left, top", 0, 0, taLeftJustify, Rect(62, 18, 70, 26), Rect(63, 19, 75, 28)},
        {"right, bottom", 1, 1, taLeftJustify, Rect(112, 24, 120, 32), Rect(63, 19, 75, 28)},
        {"centred both ways", 2, 2, taLeftJustify, Rect(87, 21, 95, 29), Rect(63, 19, 75, 28)},
        {"before left text", 3, 2, taLeftJustify, Rect(63, 21, 71, 29), Rect(73, 19, 85, 28)},
        {"after left text", 4, 4, taLeftJustify, Rect(77, 18, 85, 26), Rect(63, 19, 75, 28)},
        {"before right text", 3, 2, taRightJustify, Rect(97, 21, 105, 29), Rect(107, 19, 119, 28)},
        {"after right text", 4, 2, taRightJustify, Rect(111, 21, 119, 29), Rect(97, 19, 109, 28)},
        {"below a line of text", 0, 3, taLeftJustify, Rect(62, 29, 70, 33), Rect(63, 19, 75, 28)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetGridImages(&s.Images);
        s.Grid->SetCells(1, 1, "ab");
        s.Grid->AddCellImage(1, 1, 0, c.HAlign, c.VAlign);
        s.Grid->OnGetAlignment = [&](TObject*, int32_t, int32_t, TAlignment& A) {
            A = c.Alignment;
        };
        EXPECT_EQ(s.BoxOf(clBlue, TPaintScene::Cell11()), c.Image);
        EXPECT_EQ(s.BoxOf(clBlack, TPaintScene::Cell11()), c.Text);
    }
}

TEST(AdvGridPaint, TheSortMarkShowsInTheSortColumnsHeaderPointingTheSortsWay) {
    const struct {
        const char* Name;
        bool SortShow;
        TSortDirection Direction;
        int32_t MarkedColumn;  // -1 for none
        bool TipOnTop;
    } cases[] = {
        {"ascending", true, sdAscending, 1, true},
        {"descending", true, sdDescending, 1, false},
        {"not shown", false, sdAscending, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        for (int32_t col = 0; col < 3; ++col)
            s.Grid->SetCells(col, 0, "ab");
        s.Grid->SetSortShow(c.SortShow);
        s.Grid->SetSortColumn(1);
        s.Grid->SetSortDirection(c.Direction);
        for (int32_t col = 0; col < 3; ++col) {
            // Inside the raised edge of the header cell.
            const TRect inside = Rect(61 * col + 3, 2, 61 * col + 57, 14);
            const TRect mark = s.BoxOf(clBtnShadow, inside);
            EXPECT_EQ(!IsRectEmpty(mark), col == c.MarkedColumn) << "column " << col;
            if (col != c.MarkedColumn) continue;
            // 10 pixels behind the text, which ends 14 pixels into the cell.
            EXPECT_EQ(mark.Left, 61 * col + 2 + 12 + 10);
            // The mark's widest row is its base, away from the tip.
            const TRect whole = Rect(mark.Left, inside.Top, inside.Right, inside.Bottom);
            int32_t widestRow = -1;
            int32_t widest = 0;
            for (int32_t y = whole.Top; y < whole.Bottom; ++y) {
                const TRect row = Rect(whole.Left, y, whole.Right, y + 1);
                const TRect drawn = s.BoxOf(clBtnHighlight, row);
                if (drawn.Right - drawn.Left > widest) {
                    widest = drawn.Right - drawn.Left;
                    widestRow = y;
                }
            }
            EXPECT_EQ(widestRow > mark.Top, c.TipOnTop);
        }
    }
}

TEST(AdvGridPaint, SelectionRectangleFramesTheSelectedCells) {
    for (bool frame : {true, false}) {
        SCOPED_TRACE(frame);
        TPaintScene s;
        s.Grid->SetSelectionRectangle(frame);
        s.Grid->SetSelection({1, 1, 2, 2});
        // The block from (61, 17) to (182, 50), its edges inside the cells.
        for (TPoint edge : {Point(61, 25), Point(181, 25), Point(100, 17), Point(100, 49)})
            EXPECT_EQ(s.PixelAt(edge.X, edge.Y) == ColorToPixel(clWindowText), frame)
                << edge.X << "," << edge.Y;
    }
}

TEST(AdvGridPaint, EventsSeeRealColumnsAndTheZoomedFont) {
    TPaintScene s;
    s.Grid->SetColCount(4);
    s.Grid->SetCells(2, 1, "ab");
    s.Grid->HideColumn(0);
    s.Grid->Zoom(2);
    std::vector<int32_t> colourColumns;
    std::vector<int32_t> drawnColumns;
    int32_t drawnFontSize = 0;
    s.Grid->OnGetCellColor = [&](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush&,
                                 TFont&) {
        if (ARow == 1) colourColumns.push_back(ACol);
    };
    s.Grid->OnDrawCell = [&](TObject*, int32_t ACol, int32_t ARow, TRect, TGridDrawState) {
        if (ARow == 1) drawnColumns.push_back(ACol);
        drawnFontSize = s.Grid->Canvas().Font().Size();
    };
    s.Shown();
    EXPECT_EQ(colourColumns, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(drawnColumns, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(drawnFontSize, s.Grid->Font().Size() + 2);
    // Display column 1, now 62 wide from x 63, shows the text of real column 2.
    EXPECT_FALSE(IsRectEmpty(s.BoxOf(clBlack, Rect(65, 19, 125, 37))));
}

TEST(AdvGridPaint, ZoomingOutShrinksTheTextToOnePointAndNoFurther) {
    TPaintScene s;
    int32_t drawnSize = 0;
    s.Grid->OnDrawCell = [&](TObject*, int32_t, int32_t, TRect, TGridDrawState) {
        drawnSize = s.Grid->Canvas().Font().Size();
    };
    int32_t previous = INT32_MAX;
    for (int32_t zoom = 0; zoom >= -10; --zoom) {
        SCOPED_TRACE(zoom);
        s.Grid->Zoom(zoom - s.Grid->ZoomFactor());
        s.Grid->Invalidate();
        s.Shown();
        EXPECT_GE(drawnSize, 1);
        EXPECT_LE(drawnSize, previous);
        previous = drawnSize;
    }
}

TEST(AdvGridPaint, WithoutDefaultDrawingTheOwnerDrawsAlone) {
    TPaintScene s;
    s.Grid->SetDefaultDrawing(false);
    s.Grid->SetCells(1, 1, "ab");
    int32_t drawn = 0;
    s.Grid->OnDrawCell = [&](TObject*, int32_t, int32_t, TRect, TGridDrawState) { ++drawn; };
    EXPECT_TRUE(IsRectEmpty(s.BoxOf(clBlack, TPaintScene::Cell11())));
    EXPECT_EQ(drawn, 12);
}

// The owner may free the grid from any event drawing or measuring asks; the grid then touches
// nothing of itself on the way out.
TEST(AdvGridPaint, AGridFreedByAnEventOfItsDrawingIsLeftAlone) {
    const struct {
        const char* Name;
        bool InColours;
        bool Measuring;
    } cases[] = {
        {"OnGetCellColor while painting", true, false},
        {"OnGetAlignment while painting", false, false},
        {"OnGetCellColor while sizing columns", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetCells(1, 1, "ab");
        test::PumpUntilIdle();
        auto freeGrid = [&s] {
            delete s.Grid;
            s.Grid = nullptr;
        };
        if (c.InColours)
            s.Grid->OnGetCellColor = [&](TObject*, int32_t, int32_t, TGridDrawState, TBrush&,
                                         TFont&) { freeGrid(); };
        else
            s.Grid->OnGetAlignment = [&](TObject*, int32_t, int32_t, TAlignment&) { freeGrid(); };
        if (c.Measuring)
            s.Grid->AutoSizeColumns(false, 10);
        else
            s.Grid->Invalidate();
        test::PumpUntilIdle();
        EXPECT_EQ(s.Grid, nullptr);
        EXPECT_EQ(s.Form->ControlCount(), 0);
    }
}

TEST(AdvGridPaint, LinkCellsShowTheirAddressUnderlinedInTheLinkColour) {
    const struct {
        const char* Name;
        bool Show;
        bool Full;
        const char* Text;
        TRect Red;
    } cases[] = {
        {"mailto: the address alone", true, false, "mailto:ann@x", Rect(63, 19, 93, 30)},
        {"a scheme is left out too", true, false, "http://ab", Rect(63, 19, 75, 30)},
        {"URLFull: all of it", true, true, "http://ab", Rect(63, 19, 117, 30)},
        {"without URLShow: plain text", false, false, "http://ab", TRect{}},
        {"no link", true, false, "ab", TRect{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetCells(1, 1, c.Text);
        s.Grid->SetURLShow(c.Show);
        s.Grid->SetURLFull(c.Full);
        s.Grid->SetURLColor(clRed);
        EXPECT_EQ(s.BoxOf(clRed, TPaintScene::Cell11()), c.Red);
    }
}

TEST(AdvGridPaint, MultilineCellsDrawALineForEachBreakPlacedAsABlock) {
    const struct {
        const char* Name;
        TVAlignment VAlignment;
        TRect Text;
    } cases[] = {
        {"top", vtaTop, Rect(63, 17, 81, 38)},
        {"centre", vtaCenter, Rect(63, 25, 81, 46)},
        {"bottom", vtaBottom, Rect(63, 33, 81, 54)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        s.Grid->SetRowHeights(1, 40);
        s.Grid->SetMultilinecells(true);
        s.Grid->SetVAlignment(c.VAlignment);
        s.Grid->SetCells(1, 1, "ab\r\ncde");
        EXPECT_EQ(s.BoxOf(clBlack, Rect(61, 17, 121, 57)), c.Text);
    }
}

// A cell of each kind, drawn with the fixed-metric font and compared with a reviewed picture.
TEST(AdvGridPaint, EachKindOfCellLooksAsReviewed) {
    TBitmap picture;
    picture.SetSize(10, 10);
    picture.Canvas().Brush().SetColor(clWhite);
    picture.Canvas().FillRect(Rect(0, 0, 10, 10));
    picture.Canvas().Brush().SetColor(clRed);
    picture.Canvas().FillRect(Rect(2, 2, 8, 8));
    auto graphic = [](TCellGraphic::TKind Kind, uint8_t HAlign, uint8_t VAlign) {
        auto g = std::make_unique<TCellGraphic>();
        g->Kind = Kind;
        g->HAlign = HAlign;
        g->VAlign = VAlign;
        return g;
    };
    std::vector<std::unique_ptr<TCellGraphic>> graphics;
    const struct {
        const char* Name;
        std::function<void(TPaintScene&)> Setup;
    } cases[] = {
        {"plain", [](TPaintScene& s) { s.Grid->SetCells(1, 1, "abc"); }},
        {"right",
         [](TPaintScene& s) {
             s.Grid->SetCells(1, 1, "abc");
             s.Grid->OnGetAlignment = [](TObject*, int32_t, int32_t ACol, TAlignment& A) {
                 if (ACol == 1) A = taRightJustify;
             };
         }},
        {"selected",
         [](TPaintScene& s) {
             s.Grid->SetCells(1, 1, "abc");
             s.Grid->SetSelection({1, 1, 1, 1});
         }},
        {"link",
         [](TPaintScene& s) {
             s.Grid->SetURLShow(true);
             s.Grid->SetURLColor(clBlue);
             s.Grid->SetCells(1, 1, "mailto:ann@x");
         }},
        {"ellipsis",
         [](TPaintScene& s) {
             s.Grid->SetEnhTextSize(true);
             s.Grid->SetCells(1, 1, "abcdefghijklmnop");
         }},
        {"multiline",
         [](TPaintScene& s) {
             s.Grid->SetMultilinecells(true);
             s.Grid->SetRowHeights(1, 30);
             s.Grid->SetCells(1, 1, "ab\rcd");
         }},
        {"wordwrap",
         [](TPaintScene& s) {
             s.Grid->SetWordWrap(true);
             s.Grid->SetRowHeights(1, 30);
             s.Grid->SetCells(1, 1, "abc defg hij");
         }},
        {"checkbox",
         [&](TPaintScene& s) {
             for (bool checked : {false, true}) {
                 graphics.push_back(graphic(TCellGraphic::ctCheckBox, 2, 2));
                 graphics.back()->CheckState = checked;
                 s.Grid->SetObjects(checked ? 2 : 1, 1, graphics.back().get());
             }
         }},
        {"image",
         [](TPaintScene& s) {
             s.Grid->SetGridImages(&s.Images);
             s.Grid->SetCells(1, 1, "ab");
             s.Grid->AddCellImage(1, 1, 0, 3, 2);
         }},
        {"bitmap",
         [&](TPaintScene& s) {
             s.Grid->SetCells(1, 1, "ab");
             s.Grid->SetCells(2, 1, "ab");
             s.Grid->SetSelection({2, 1, 2, 1});
             for (int32_t col : {1, 2}) {
                 graphics.push_back(graphic(TCellGraphic::ctBitmap, 4, 2));
                 graphics.back()->Bitmap = &picture;
                 graphics.back()->Transparent = true;
                 s.Grid->SetObjects(col, 1, graphics.back().get());
             }
         }},
        {"sortheader",
         [](TPaintScene& s) {
             s.Grid->SetCells(1, 0, "ab");
             s.Grid->SetSortShow(true);
             s.Grid->SetSortColumn(1);
         }},
        {"footer",
         [](TPaintScene& s) {
             s.Grid->SetFixedFooters(1);
             s.Grid->SetFixedRightCols(1);
             s.Grid->SetCells(1, 3, "ab");
             s.Grid->SetCells(2, 1, "cd");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPaintScene s;
        c.Setup(s);
        EXPECT_TRUE(test::MatchesReferencePicture(
            s.Shown(), std::string(VEX_TEST_DIR) + "/testdata/advgrid/cells", c.Name));
    }
}

}  // namespace
}  // namespace vex
