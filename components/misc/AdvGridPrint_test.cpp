#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridPrintJob.h"
#include "platform/core/clock.h"
#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/gfx/drawtext.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/fontengine.h"
#include "platform/gfx/mapmode.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/printer.h"
#include "platform/ui/recordingprinter.h"

namespace vex {
namespace {

// A page of A4 at 254 pixels per inch: a pixel is a print unit, so recorded positions read as
// the layout's. Cells print in the fixed font at 10 points: 35 units high, 18 wide a letter.
constexpr int32_t kPageWidth = 2100;
constexpr int32_t kPageHeight = 2970;
constexpr int32_t kLetter = 18;
constexpr int32_t kLine = 35;

struct TText {
    int32_t X;
    int32_t Y;
    std::string Text;
    int32_t Height;  // of the font, in units
};

std::vector<TText> TextsOf(const TPrintedPage& Page) {
    std::vector<TText> texts;
    for (const TCanvasCall& call : Page.Calls)
        if (call.Name == "ExtTextOut")
            texts.push_back({call.Points.at(0).X, call.Points.at(0).Y, call.Text,
                             call.Face ? call.Face->Metrics().tmHeight : 0});
    return texts;
}

// The text's first output; a missing text fails the test.
TText FindText(const TPrintedPage& Page, const std::string& Text) {
    const std::vector<TText> texts = TextsOf(Page);
    const auto found = std::ranges::find(texts, Text, &TText::Text);
    EXPECT_NE(found, texts.end()) << Text;
    return found == texts.end() ? TText{} : *found;
}

std::vector<TCanvasCall> CallsNamed(const TPrintedPage& Page, const std::string& Name) {
    std::vector<TCanvasCall> calls;
    std::ranges::copy_if(Page.Calls, std::back_inserter(calls),
                         [&](const TCanvasCall& C) { return C.Name == Name; });
    return calls;
}

std::string CellText(int32_t ACol, int32_t ARow) {
    return "r" + std::to_string(ARow) + "c" + std::to_string(ACol);
}

// An image list of one picture, 16 pixels square.
struct TOneImage {
    TOneImage() {
        TBitmap picture;
        picture.SetSize(16, 16);
        List.Add(picture, nullptr);
    }
    TImageList List{nullptr};
};

// A grid printed on a recording printer, at a fixed time: 7 March 2026, 14:05.
struct TPrintScene {
    explicit TPrintScene(int32_t Cols = 3, int32_t Rows = 3) {
        auto device = std::make_unique<TRecordingPrinter>("Recorder", 254, 0);
        Device = device.get();
        test::UseDevice(Printer, std::move(device));
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        for (int32_t r = 0; r < Rows; ++r)
            for (int32_t c = 0; c < Cols; ++c)
                Grid->SetCells(c, r, CellText(c, r));
        TPrintsettings& s = Grid->PrintSettings();
        s.Font().SetName(FixedFontName);
        s.Font().SetSize(10);
        s.HeaderFont().SetName(FixedFontName);
        s.HeaderFont().SetSize(12);
        s.FooterFont().SetName(FixedFontName);
        s.FooterFont().SetSize(8);
    }
    // The pages of the job printed last.
    const std::vector<TPrintedPage>& Print() {
        PrintGrid();
        return Device->Jobs().back().Pages;
    }
    void PrintGrid() { TAdvGridPrintJob(*Grid, Printer).Run(); }
    // The cell texts of each page, in the order they were printed.
    std::vector<std::vector<std::string>> CellsByPage() {
        std::vector<std::vector<std::string>> pages;
        for (const TPrintedPage& page : Print()) {
            pages.emplace_back();
            for (const TText& text : TextsOf(page))
                if (text.Text.starts_with("r")) pages.back().push_back(text.Text);
        }
        return pages;
    }

    TFixedClock Clock{DateTimeToUnix(EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 0, 0)) * 1000, 0};
    TClockOverride ClockOverride{Clock};
    TFormatSettingsOverride Format{TFormatSettings{}};
    TPrinter Printer;
    TRecordingPrinter* Device = nullptr;
    std::unique_ptr<TAdvStringGrid> Grid = std::make_unique<TAdvStringGrid>(nullptr);
};

TEST(AdvGridPrint, AOnePageGridPrintsOnOnePageNumberedOneInItsOrientation) {
    TPrintScene s;
    TPrintsettings& settings = s.Grid->PrintSettings();
    settings.Time = settings.Date = ppTopLeft;
    settings.Title = ppTopCenter;
    settings.TitleText = "Rules";
    settings.PageNr = ppBottomRight;
    settings.HeaderSize = 120;
    settings.FooterSize = 20;
    settings.LeftSize = 100;
    settings.RightSize = 150;
    settings.Orientation = poLandscape;
    const std::vector<TPrintedPage> pages = s.Print();
    ASSERT_EQ(pages.size(), 1u);
    // Header letters are 42 high and 21 wide, footer letters 28 and 14.
    EXPECT_EQ(FindText(pages[0], "2:05 PM 3/7/26").X, 100);
    EXPECT_EQ(FindText(pages[0], "2:05 PM 3/7/26").Y, 120);
    EXPECT_EQ(FindText(pages[0], "Rules").X, (100 + kPageHeight - 150 - 5 * 21) / 2);
    const TText number = FindText(pages[0], "page 1");
    EXPECT_EQ(number.X, kPageHeight - 150 - 6 * 14);
    // The footer: 20, and twice a line and a quarter of a cell's line (8).
    EXPECT_GT(number.Y, kPageWidth - 20 - 2 * (28 + 8));
    EXPECT_LE(number.Y + 28, kPageWidth - 20);

    // Rows start below the header's line and its spacing. Each column is its widest text and an
    // "a" wide, and 20 apart; text keeps half of both from the cell's left.
    EXPECT_EQ(FindText(pages[0], "r0c0").Y, 120 + 42 + 8);
    EXPECT_EQ(FindText(pages[0], "r0c0").X, 100 + (20 + kLetter) / 2);
    EXPECT_EQ(FindText(pages[0], "r2c2").X - FindText(pages[0], "r2c1").X, 5 * kLetter + 20);
    EXPECT_EQ(s.CellsByPage(),
              (std::vector<std::vector<std::string>>{
                  {"r0c0", "r0c1", "r0c2", "r1c0", "r1c1", "r1c2", "r2c0", "r2c1", "r2c2"}}));
}

TEST(AdvGridPrint, FixedWidthColumnsPrintSideBySideWithoutGaps) {
    TPrintScene s(4, 2);
    TPrintsettings& settings = s.Grid->PrintSettings();
    settings.LeftSize = 50;
    settings.ColumnSpacing = 60;
    settings.UseFixedWidth = true;
    settings.FixedWidth = 300;
    settings.Borders = pbSingle;
    const TPrintedPage& page = s.Print().at(0);
    std::vector<int32_t> lefts;
    for (int32_t c = 0; c < 4; ++c)
        lefts.push_back(FindText(page, CellText(c, 1)).X - kLetter / 2);
    EXPECT_EQ(lefts, (std::vector<int32_t>{50, 350, 650, 950}));
    std::vector<int32_t> verticals;
    for (const TCanvasCall& line : CallsNamed(page, "LineTo"))
        if (line.Points[0].X == line.Points[1].X) verticals.push_back(line.Points[0].X);
    EXPECT_EQ(verticals, (std::vector<int32_t>{350, 650, 950}));
    const std::vector<TCanvasCall> frames = CallsNamed(page, "Polyline");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Points[1].X, 1250);
}

TEST(AdvGridPrint, FitToPageShrinksOnlyWideTablesAndGrowsOnlyNarrowOnes) {
    struct TCase {
        const char* Name;
        TFitToPage Mode;
        int32_t Letters;  // of each cell
        double Answer;    // of OnFitToPage
        size_t Pages;
        int32_t FontHeight;
    };
    // Narrow: three columns of 2 letters. Wide: three of 60, 3354 units across 2100.
    const std::vector<TCase> cases = {
        {"shrink, narrow", fpShrink, 2, 1, 1, kLine}, {"shrink, wide", fpShrink, 60, 1, 1, 22},
        {"grow, wide", fpGrow, 60, 1, 3, kLine},      {"grow, narrow", fpGrow, 2, 1, 1, 444},
        {"custom, halved", fpCustom, 2, 0.5, 1, 18},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPrintScene s(3, 1);
        for (int32_t col = 0; col < 3; ++col)
            s.Grid->SetCells(col, 0, "r" + std::string(static_cast<size_t>(c.Letters - 1), 'x'));
        s.Grid->PrintSettings().FitToPage = c.Mode;
        s.Grid->OnFitToPage = [&](TObject*, double& Scale, bool&) {
            EXPECT_GT(Scale, 1);
            Scale = c.Answer;
        };
        const std::vector<TPrintedPage>& pages = s.Print();
        ASSERT_EQ(pages.size(), c.Pages);
        EXPECT_EQ(TextsOf(pages.back()).at(0).Height, c.FontHeight);
    }
}

TEST(AdvGridPrint, PrintsBandAfterBandRepeatingTheFixedRowsAndColumnsWhenAsked) {
    struct TCase {
        bool Rows;
        bool Cols;
        // The first cell of each page: two bands of two pages, 84 rows of 35 filling a page.
        std::vector<std::string> Firsts;
    };
    const std::vector<TCase> cases = {
        {false, false, {"r0c0", "r84c0", "r0c2", "r84c2"}},
        {true, false, {"r0c0", "r0c0", "r0c2", "r0c2"}},
        {false, true, {"r0c0", "r84c0", "r0c0", "r84c0"}},
        {true, true, {"r0c0", "r0c0", "r0c0", "r0c0"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Rows << c.Cols);
        TPrintScene s(3, 120);
        s.Grid->SetFixedRows(1);
        s.Grid->SetFixedCols(1);
        s.Grid->PrintSettings().RepeatFixedRows = c.Rows;
        s.Grid->PrintSettings().RepeatFixedCols = c.Cols;
        // Column 0 fits beside column 1 or 2, which do not fit together.
        for (int32_t r = 0; r < 120; ++r)
            for (int32_t col = 1; col < 3; ++col)
                s.Grid->SetCells(col, r, CellText(col, r) + std::string(60, '.'));
        std::vector<int32_t> bandPages;
        s.Grid->OnPrintPage = [&](TObject* Sender, TCanvas&, int32_t PageNr, int32_t Width,
                                  int32_t Height) {
            EXPECT_EQ(Sender, s.Grid.get());
            EXPECT_EQ(Width, kPageWidth);
            EXPECT_EQ(Height, kPageHeight);
            bandPages.push_back(PageNr);
        };
        std::vector<std::string> firsts;
        for (const auto& page : s.CellsByPage())
            firsts.push_back(page.at(0).substr(0, page.at(0).find('.')));
        EXPECT_EQ(firsts, c.Firsts);
        EXPECT_EQ(bandPages, (std::vector<int32_t>{1, 3}));
    }
}

TEST(AdvGridPrint, EveryPageMakesProgressOnHostileLayouts) {
    struct TCase {
        const char* Name;
        std::function<void(TPrintScene&)> Setup;
        size_t Pages;
        bool CellsShow = true;
    };
    const std::vector<TCase> cases = {
        // Without a limit, a quarter of its height between the rows and the footer would leave
        // the rows no room.
        {"a row taller than the page",
         [](TPrintScene& s) {
             std::string tall = "r1c0";
             for (int32_t i = 0; i < 200; ++i)
                 tall += "\r\nmore";
             s.Grid->SetCells(0, 1, tall);
         },
         3},
        {"a new page asked before every row",
         [](TPrintScene& s) {
             s.Grid->OnPrintNewPage = [](TObject*, int32_t, bool& NewPage) { NewPage = true; };
         },
         10},
        {"a column wider than the page",
         [](TPrintScene& s) { s.Grid->SetCells(1, 4, std::string(300, 'r')); }, 3},
        {"room for less than a row",
         [](TPrintScene& s) {
             s.Grid->PrintSettings().HeaderSize = 1000;
             // Less the footer's line and spacing, 2 * (28 + 8).
             s.Grid->PrintSettings().FooterSize = kPageHeight - 1000 - 72 - 1;
         },
         10},
        {"rows of no height",
         [](TPrintScene& s) {
             s.Grid->PrintSettings().UseFixedHeight = true;
             s.Grid->PrintSettings().FixedHeight = 0;
         },
         1, false},
        {"fixed rows taller than the page, repeated",
         [](TPrintScene& s) {
             s.Grid->SetFixedRows(2);
             s.Grid->PrintSettings().RepeatFixedRows = true;
             s.Grid->PrintSettings().UseFixedHeight = true;
             s.Grid->PrintSettings().FixedHeight = 2000;
         },
         10},
        {"columns of no width, fitted",
         [](TPrintScene& s) {
             s.Grid->PrintSettings().UseFixedWidth = true;
             s.Grid->PrintSettings().FixedWidth = 0;
             s.Grid->PrintSettings().FitToPage = fpAlways;
         },
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPrintScene s(3, 10);
        s.Grid->PrintSettings().PageNr = ppBottomCenter;
        c.Setup(s);
        const std::vector<TPrintedPage>& pages = s.Print();
        EXPECT_EQ(pages.size(), c.Pages);
        for (size_t p = 0; p < pages.size(); ++p) {
            // No page is blank, each is numbered in turn, and no cell reaches the footer.
            const int32_t footer = FindText(pages[p], "page " + std::to_string(p + 1)).Y;
            size_t cells = 0;
            for (const TCanvasCall& text : CallsNamed(pages[p], "ExtTextOut")) {
                if (!text.UserClip) continue;
                ++cells;
                EXPECT_LE(text.UserClip->Bounds().Bottom, footer);
            }
            EXPECT_EQ(cells > 0, c.CellsShow);
        }
    }
}

TEST(AdvGridPrint, TheCellEventsGiveColoursFontsAndAlignment) {
    TPrintScene s(2, 2);
    s.Grid->OnGetCellPrintColor = [&](TObject* Sender, int32_t ARow, int32_t ACol, TGridDrawState,
                                      TBrush& ABrush, TFont& AFont) {
        EXPECT_EQ(Sender, s.Grid.get());
        if (ARow == 1 && ACol == 1) {
            ABrush.SetColor(clRed);
            AFont.SetSize(20);
        }
    };
    s.Grid->OnGetAlignment = [](TObject*, int32_t ARow, int32_t ACol, TAlignment& A) {
        if (ARow == 0 && ACol == 1) A = taRightJustify;
    };
    s.Grid->SetCells(1, 0, "r0c1 right");
    const TPrintedPage& page = s.Print().at(0);
    const std::vector<TCanvasCall> fills = CallsNamed(page, "FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].BrushColor, clRed);
    const TRect cell = fills[0].Rects.at(0);
    const TText big = FindText(page, "r1c1");
    EXPECT_EQ(big.Height, 71);  // 20 points
    EXPECT_TRUE(cell.Left < big.X && big.Y < cell.Bottom);
    // The column is as wide as its widest cell in that cell's font: "r0c1 right" and an "a" at
    // 18 a letter, against "r1c1" and an "a" at 36.
    EXPECT_EQ(cell.Right - cell.Left, 11 * kLetter + 20);
    EXPECT_EQ(FindText(page, "r0c1 right").X + 10 * kLetter, cell.Right - (20 + kLetter) / 2);
}

TEST(AdvGridPrint, BordersAndImagesPrintWithTheCells) {
    TPrintScene s(2, 3);
    TOneImage images;
    s.Grid->SetGridImages(&images.List);
    s.Grid->AddCellImage(1, 0, 0, 0, 0);
    for (const auto& [borders, frames] :
         {std::pair{pbNoborder, 0u}, {pbSingle, 1u}, {pbDouble, 2u}}) {
        s.Grid->PrintSettings().Borders = borders;
        const TPrintedPage& page = s.Print().at(0);
        EXPECT_EQ(CallsNamed(page, "Polyline").size(), frames);
        // Two lines between the rows, one between the columns.
        EXPECT_EQ(CallsNamed(page, "LineTo").size(), frames ? 3u : 0u);
        // 16 pixels print as 16 points.
        const std::vector<TCanvasCall> drawn = CallsNamed(page, "StretchDraw");
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].Rects.at(0).Right - drawn[0].Rects.at(0).Left, 56);
        EXPECT_EQ(drawn[0].Rects.at(0).Bottom - drawn[0].Rects.at(0).Top, 56);
    }
    s.Grid->SetGridImages(nullptr);
}

TEST(AdvGridPrint, NothingStartsWithoutAPrinterOrWithoutRoom) {
    const std::vector<std::pair<const char*, std::function<void(TPrintScene&)>>> cases = {
        {"no printer", [](TPrintScene& s) { s.Printer.SetDevices({}); }},
        {"margins", [](TPrintScene& s) { s.Grid->PrintSettings().LeftSize = kPageWidth; }},
    };
    for (const auto& [name, setup] : cases) {
        SCOPED_TRACE(name);
        TPrintScene s;
        int32_t events = 0;
        s.Grid->OnPrintPage = [&](TObject*, TCanvas&, int32_t, int32_t, int32_t) { ++events; };
        s.Grid->OnPrintNewPage = [&](TObject*, int32_t, bool&) { ++events; };
        setup(s);
        EXPECT_THROW(s.PrintGrid(), EPrinter);
        EXPECT_EQ(events, 0);
        EXPECT_FALSE(s.Printer.Printing());
        if (!s.Printer.HasPrinter()) continue;
        EXPECT_EQ(s.Device->OpenJobs() + s.Device->CancelledJobs(), 0);
        EXPECT_TRUE(s.Device->Jobs().empty());
    }
}

TEST(AdvGridPrint, AFailureWhilePrintingDropsTheJob) {
    struct TCase {
        const char* Name;
        std::function<void(TPrintScene&)> Setup;
        bool Silent;  // EAbort rather than an error
    };
    const std::vector<TCase> cases = {
        {"a handler raises",
         [](TPrintScene& s) {
             s.Grid->OnPrintNewPage = [](TObject*, int32_t ARow, bool&) {
                 if (ARow == 5) throw EConvertError("bad row");
             };
         },
         false},
        {"a handler frees the grid",
         [](TPrintScene& s) {
             // Once measured, row 5 is printed.
             s.Grid->OnGetCellPrintColor = [&s, calls = 0](TObject*, int32_t ARow, int32_t ACol,
                                                           TGridDrawState, TBrush&,
                                                           TFont&) mutable {
                 if (ARow == 5 && ACol == 0 && ++calls == 2) s.Grid.reset();
             };
         },
         true},
        {"a handler removes the rows and columns still to print",
         [](TPrintScene& s) {
             s.Grid->OnPrintNewPage = [&s](TObject*, int32_t ARow, bool&) {
                 if (ARow != 5) return;
                 s.Grid->SetRowCount(1);
                 s.Grid->SetColCount(1);
             };
         },
         false},
        {"a handler aborts the printer",
         [](TPrintScene& s) {
             s.Grid->OnPrintNewPage = [&s](TObject*, int32_t ARow, bool&) {
                 if (ARow == 5) s.Printer.Abort();
             };
         },
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPrintScene s(3, 10);
        c.Setup(s);
        if (c.Silent)
            EXPECT_THROW(s.PrintGrid(), EAbort);
        else
            EXPECT_THROW(s.PrintGrid(), Exception);
        EXPECT_FALSE(s.Printer.Printing());
        EXPECT_TRUE(s.Device->Jobs().empty());
        EXPECT_EQ(s.Device->OpenJobs(), 0);
        EXPECT_EQ(s.Device->CancelledJobs(), 1);
    }
}

TEST(AdvGridPrint, TheColourEventMayReplaceTheCellsText) {
    TPrintScene s;
    const std::string grown(80, 'g');
    s.Grid->SetCells(1, 1, "r1c1, a text too long to be kept inline");
    s.Grid->OnGetCellPrintColor = [&](TObject*, int32_t ARow, int32_t ACol, TGridDrawState, TBrush&,
                                      TFont&) {
        if (ARow == 1 && ACol == 1) s.Grid->SetCells(1, 1, grown);
    };
    const std::vector<TPrintedPage>& pages = s.Print();
    ASSERT_EQ(pages.size(), 1u);
    // The column is measured by the text the event left, so all of it shows.
    for (const TCanvasCall& text : CallsNamed(pages[0], "ExtTextOut")) {
        if (text.Text != grown) continue;
        ASSERT_TRUE(text.UserClip);
        EXPECT_LE(text.Points.at(0).X + 80 * kLetter, text.UserClip->Bounds().Right);
    }
    FindText(pages[0], grown);
}

TEST(AdvGridPrint, WhatThePageEventDoesToTheCanvasStaysInIt) {
    auto placed = [](const TPrintedPage& Page) {
        // Each text, where it starts and the bottom right of its clip.
        std::vector<std::tuple<std::string, int32_t, int32_t, int32_t, int32_t>> texts;
        for (const TCanvasCall& call : CallsNamed(Page, "ExtTextOut")) {
            const TRect clip = call.UserClip ? call.UserClip->Bounds() : TRect{};
            texts.emplace_back(call.Text, call.Points.at(0).X, call.Points.at(0).Y, clip.Right,
                               clip.Bottom);
        }
        return texts;
    };
    TPrintScene s(3, 100);
    s.Grid->PrintSettings().PageNr = ppBottomCenter;
    s.Grid->PrintSettings().Borders = pbSingle;
    const std::vector<TPrintedPage> plain = s.Print();
    s.Grid->OnPrintPage = [](TObject*, TCanvas& Canvas, int32_t, int32_t, int32_t) {
        Canvas.SetMapMode(MM_TEXT);
        Canvas.SetWindowOrg(Point(300, -400));
        Canvas.SetTextAlign(TA_RIGHT | TA_BASELINE);
        Canvas.IntersectClipRect(Rect(0, 0, 10, 10));
        Canvas.Pen().SetColor(clRed);
        // Saved states it never restores, as many as the canvas keeps.
        for (int32_t i = 0; i < TCanvas::MaxSavedStates; ++i)
            Canvas.SaveDC();
    };
    const std::vector<TPrintedPage>& handled = s.Print();
    ASSERT_EQ(handled.size(), plain.size());
    ASSERT_GT(plain.size(), 1u);
    for (size_t p = 0; p < plain.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(placed(handled[p]), placed(plain[p]));
        for (const TCanvasCall& line : CallsNamed(handled[p], "LineTo"))
            EXPECT_EQ(line.PenColor, clBlack);
    }
}

TEST(AdvGridPrint, AnyScaleTheFitEventGivesPrintsOrIsRefused) {
    struct TCase {
        double Scale;
        bool Refused;
    };
    const std::vector<TCase> cases = {
        {1e-300, false},
        {1e300, false},
        {std::numeric_limits<double>::infinity(), true},
        {std::numeric_limits<double>::quiet_NaN(), true},
        {-2, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Scale);
        TPrintScene s(2, 3);
        TOneImage images;
        s.Grid->SetGridImages(&images.List);
        for (int32_t align = 0; align < 5; ++align)
            s.Grid->AddCellImage(align % 2, align % 3, 0, align, align % 4);
        s.Grid->PrintSettings().FitToPage = fpCustom;
        s.Grid->OnFitToPage = [&](TObject*, double& Scale, bool&) { Scale = c.Scale; };
        if (c.Refused) {
            EXPECT_THROW(s.PrintGrid(), EPrinter);
        } else {
            const std::vector<TPrintedPage>& pages = s.Print();
            EXPECT_GE(pages.size(), 1u);
            EXPECT_LE(pages.size(), 6u);
        }
        s.Grid->SetGridImages(nullptr);
    }
}

}  // namespace
}  // namespace vex
