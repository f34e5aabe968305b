#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/pngpages.h"
#include "platform/ui/poppler_testsupport.h"
#include "platform/ui/recordingprinter.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A grid of 300 rows and 6 columns printed through the process's printer, once on the PDF
// printer and once on a recording one, shared by the checks that read them back.
class PrintedGrid : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Folder = std::make_unique<test::TempDir>();
        TAdvStringGrid grid(nullptr);
        grid.SetColCount(6);
        grid.SetRowCount(300);
        grid.SetFixedRows(0);
        grid.SetFixedCols(0);
        for (int32_t r = 0; r < 300; ++r)
            for (int32_t c = 0; c < 6; ++c)
                grid.SetCells(c, r, test::CellText(r + 1, c + 1));
        TPrintsettings& settings = grid.PrintSettings();
        settings.Font().SetName("Arial");
        settings.Font().SetSize(10);
        settings.PageNr = ppTopRight;
        settings.HeaderSize = 100;
        settings.FooterSize = 100;
        settings.LeftSize = 150;
        settings.ColumnSpacing = 40;
        settings.Borders = pbSingle;

        auto pdf = std::make_unique<TPdfPrinter>();
        pdf->SetFileName(File());
        test::UseDevice(Printer(), std::move(pdf));
        grid.Print();
        auto recorder = std::make_unique<TRecordingPrinter>();
        TRecordingPrinter& recorded = *recorder;
        test::UseDevice(Printer(), std::move(recorder));
        grid.Print();
        Recorded = std::make_unique<TRecordedJob>(recorded.Jobs().at(0));
        Printer().SetDevices({});
    }
    static void TearDownTestSuite() {
        Recorded.reset();
        Folder.reset();
    }
    static std::string File() { return Folder->File("grid.pdf"); }
    static const TPageFormat& Format() { return Recorded->Job.Format; }
    static int32_t PageCount() { return static_cast<int32_t>(Recorded->Pages.size()); }

    static inline std::unique_ptr<test::TempDir> Folder;
    static inline std::unique_ptr<TRecordedJob> Recorded;
};

TEST_F(PrintedGrid, HasTheRecordedPagesAtTheirSize) {
    RequirePoppler();
    ASSERT_GT(PageCount(), 1);
    const test::TPdfInfo info = test::PdfInfo(File());
    EXPECT_EQ(info.Pages, PageCount());
    EXPECT_NEAR(info.Width, Format().Paper.cx * 72.0 / Format().PixelsPerInch, 0.5);
    EXPECT_NEAR(info.Height, Format().Paper.cy * 72.0 / Format().PixelsPerInch, 0.5);
}

TEST_F(PrintedGrid, ReadsBackAsTheCellTextsInRowOrderUnderEachPageNumber) {
    RequirePoppler();
    const std::string text = test::PdfText(File());
    size_t at = 0;
    int32_t row = 0;
    for (int32_t page = 1; page <= PageCount(); ++page) {
        at = text.find("page " + std::to_string(page), at);
        ASSERT_NE(at, std::string::npos) << "page " << page;
        // The rows the recording printer has on this page.
        for (const TCanvasCall& call : Recorded->Pages[static_cast<size_t>(page - 1)].Calls) {
            if (call.Name != "ExtTextOut" || call.Text.rfind("R", 0) != 0) continue;
            if (call.Text.ends_with("C1")) ++row;
            EXPECT_EQ(call.Text.substr(0, call.Text.find('C')), "R" + std::to_string(row));
            at = text.find(call.Text, at);
            ASSERT_NE(at, std::string::npos) << call.Text;
        }
    }
    EXPECT_EQ(row, 300);
}

TEST_F(PrintedGrid, EmbedsEveryFontItUses) {
    RequirePoppler();
    const auto fonts = test::PdfFonts(File());
    ASSERT_FALSE(fonts.empty());
    for (const test::TPdfFont& font : fonts)
        EXPECT_TRUE(font.Embedded) << font.Name;
}

TEST_F(PrintedGrid, PngPagesPutRuleLinesAndInkWhereTheReaderDrawsThem) {
    RequirePoppler();
    for (int32_t page : {1, PageCount()}) {
        SCOPED_TRACE("page " + std::to_string(page));
        const TPixelImage read = test::PdfPagePicture(File(), page, 96);
        TBitmap sheet;
        RenderPage(Recorded->Pages[static_cast<size_t>(page - 1)], Format(), 96, sheet);
        const TPixelImage ours = test::PictureOf(sheet);
        ASSERT_EQ(read.Width, ours.Width);
        ASSERT_EQ(read.Height, ours.Height);
        // Rows of text are as high as a line, so the letters at a column's left edge are ink
        // down most of the page too: only a rule runs its whole length.
        const auto rows = test::RuleLines(ours, true, 0.9);
        const auto columns = test::RuleLines(ours, false, 0.9);
        ASSERT_EQ(columns.size(), 7u);
        EXPECT_TRUE(test::SameLines(rows, test::RuleLines(read, true, 0.9), 1));
        EXPECT_TRUE(test::SameLines(columns, test::RuleLines(read, false, 0.9), 1));
        const test::TInkBox a = test::InkBox(ours), b = test::InkBox(read);
        EXPECT_NEAR(a.Left, b.Left, 2);
        EXPECT_NEAR(a.Top, b.Top, 2);
        EXPECT_NEAR(a.Right, b.Right, 2);
        EXPECT_NEAR(a.Bottom, b.Bottom, 2);
    }
}

}  // namespace
}  // namespace vex
