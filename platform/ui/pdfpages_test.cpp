#include "platform/ui/pdfpages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <iterator>

#include "platform/core/files.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/pngpages.h"
#include "platform/ui/poppler_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using test::CellText;

constexpr int32_t TableRows = 300;
constexpr int32_t TableColumns = 6;

// One table printed on the PDF printer and on the recording one, shared by the checks that
// read them.
class PrintedTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Folder = std::make_unique<test::TempDir>();
        Recorded = std::make_unique<TRecordedJob>(test::RecordedTable(TableRows, TableColumns));
        TPrinter printer;
        auto pdf = std::make_unique<TPdfPrinter>();
        pdf->SetFileName(File());
        test::UseDevice(printer, std::move(pdf));
        printer.SetTitle("Table");
        PageCount = test::PrintTable(printer, TableRows, TableColumns);
    }
    static void TearDownTestSuite() {
        Recorded.reset();
        Folder.reset();
    }
    static std::string File() { return Folder->File("table.pdf"); }
    static const TPageFormat& Format() { return Recorded->Job.Format; }

    static inline std::unique_ptr<test::TempDir> Folder;
    static inline std::unique_ptr<TRecordedJob> Recorded;
    static inline int32_t PageCount = 0;
};

TEST_F(PrintedTable, HasTheRecordedPagesAtTheirSize) {
    RequirePoppler();
    ASSERT_GT(PageCount, 1);
    const test::TPdfInfo info = test::PdfInfo(File());
    EXPECT_EQ(info.Pages, static_cast<int32_t>(Recorded->Pages.size()));
    EXPECT_NEAR(info.Width, Format().Paper.cx * 72.0 / Format().PixelsPerInch, 0.5);
    EXPECT_NEAR(info.Height, Format().Paper.cy * 72.0 / Format().PixelsPerInch, 0.5);
}

TEST_F(PrintedTable, ReadsBackAsTheCellTextsInRowOrderWithEveryPageNumber) {
    RequirePoppler();
    const std::string text = test::PdfText(File());
    size_t at = 0;
    int32_t page = 0;
    const int32_t rowsPerPage = (TableRows + PageCount - 1) / PageCount;
    for (int32_t row = 1; row <= TableRows; ++row) {
        // Each page's number comes before its first row.
        if ((row - 1) % rowsPerPage == 0) {
            at = text.find("page " + std::to_string(++page), at);
            ASSERT_NE(at, std::string::npos) << "page " << page;
        }
        for (int32_t column = 1; column <= TableColumns; ++column) {
            at = text.find(CellText(row, column), at);
            ASSERT_NE(at, std::string::npos) << CellText(row, column);
        }
    }
    EXPECT_EQ(page, PageCount);
}

TEST_F(PrintedTable, EmbedsEveryFontItUses) {
    RequirePoppler();
    const auto fonts = test::PdfFonts(File());
    ASSERT_FALSE(fonts.empty());
    for (const test::TPdfFont& font : fonts)
        EXPECT_TRUE(font.Embedded) << font.Name;
}

TEST_F(PrintedTable, PngPagesPutRuleLinesAndInkWhereTheReaderDrawsThem) {
    RequirePoppler();
    for (int32_t page : {1, PageCount}) {
        SCOPED_TRACE("page " + std::to_string(page));
        const TPixelImage read = test::PdfPagePicture(File(), page, 96);
        TBitmap ours;
        RenderPage(Recorded->Pages[static_cast<size_t>(page - 1)], Format(), 96, ours);
        const TPixelImage mine = test::PictureOf(ours);
        ASSERT_EQ(read.Width, mine.Width);
        ASSERT_EQ(read.Height, mine.Height);
        const auto ourRows = test::RuleLines(mine, true);
        ASSERT_GT(ourRows.size(), 2u);
        EXPECT_TRUE(test::SameLines(ourRows, test::RuleLines(read, true), 1));
        EXPECT_TRUE(test::SameLines(test::RuleLines(mine, false), test::RuleLines(read, false), 1));
        const test::TInkBox a = test::InkBox(mine), b = test::InkBox(read);
        EXPECT_NEAR(a.Left, b.Left, 2);
        EXPECT_NEAR(a.Top, b.Top, 2);
        EXPECT_NEAR(a.Right, b.Right, 2);
        EXPECT_NEAR(a.Bottom, b.Bottom, 2);
    }
}

// Glyphs placed by the face's own advances stay where the canvas put them over a long run, and
// a reader extracts the text drawn: no drift at the end of a line, no letters split or merged.
TEST(PdfPages, TextKeepsTheCanvasPlacesAndReadsBackAsDrawn) {
    RequirePoppler();
    std::string longRun;
    for (int i = 0; i < 4; ++i)
        longRun += "The quick brown fox jumps over the lazy dog. ";
    longRun.pop_back();
    std::string sentences;
    for (int i = 0; i < 4; ++i)
        sentences += "The quick brown fox jumps over the lazy dog.";
    struct TCase {
        const char* Name;
        const char* FontName;
        int32_t Height;
        TFontStyles Style;
        int32_t Orientation;
        std::string Text;
    };
    const TCase cases[] = {
        {"a long run", "Arial", -40, {}, 0, longRun},
        {"a long run at a small size", "Arial", -9, {}, 0, longRun},
        {"sentences without spaces at a small size", "Arial", -9, {}, 0, sentences},
        {"kerning-prone pairs", "Times New Roman", -60, {}, 0, "AVAWAYATToVaWaYoLTTyPaFAr.y,"},
        {"bold", "Arial", -40, TFontStyles{fsBold}, 0, longRun.substr(0, 120)},
        {"turned upwards", "Arial", -40, {}, 900, "Turned text reads upwards, AVAWAY"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool upright = c.Orientation == 0;
        const int32_t width = upright ? 4000 : 160, height = upright ? 160 : 1200;
        TBitmap drawn;
        drawn.SetSize(width, height);
        TPrintedPage page;
        {
            TCanvas canvas(drawn);
            TCanvasRecorder recorder(canvas, TRecordLevel::Primitives);
            canvas.Font().SetName(c.FontName);
            canvas.Font().SetHeight(c.Height);
            canvas.Font().SetStyle(c.Style);
            canvas.Font().SetOrientation(c.Orientation);
            canvas.Brush().SetStyle(bsClear);
            canvas.TextOut(upright ? 20 : 30, upright ? 40 : height - 20, c.Text);
            page.Calls = recorder.TakeCalls();
        }
        TPageFormat format;
        format.PixelsPerInch = 600;
        format.Paper = format.Printable = TSize{width, height};
        test::TempDir folder;
        const std::string file = folder.File("text.pdf");
        {
            TPdfPages pdf(file, "");
            pdf.Add(page, format);
            pdf.Commit();
        }
        std::string text = test::RunPoppler({"pdftotext", file, "-"}).value_or("");
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
            text.pop_back();
        EXPECT_EQ(text, c.Text);

        const TPixelImage read = test::PdfPagePicture(file, 1, 600);
        const TPixelImage mine = test::PictureOf(drawn);
        ASSERT_EQ(read.Width, mine.Width);
        ASSERT_EQ(read.Height, mine.Height);
        // The canvas draws hinted glyphs, the reader the outlines: their edges differ by a
        // little of the em, while a drift would grow along the line to the box's far end.
        const int32_t near = std::max(2, -c.Height / 8);
        const test::TInkBox a = test::InkBox(mine), b = test::InkBox(read);
        EXPECT_NEAR(a.Left, b.Left, near);
        EXPECT_NEAR(a.Top, b.Top, near);
        EXPECT_NEAR(a.Right, b.Right, near);
        EXPECT_NEAR(a.Bottom, b.Bottom, near);
    }
}

TEST(PdfPages, AppearOnlyWhenCommittedAndLeaveNoTemporaryFile) {
    struct TCase {
        const char* Name;
        bool Commit;
        bool Existed;
    };
    const TCase cases[] = {
        {"committed", true, false},
        {"dropped", false, false},
        {"dropped over an existing file", false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TempDir folder;
        const std::string file = folder.File("out.pdf");
        if (c.Existed) test::WriteWholeFile(file, "old");
        {
            const TRecordedJob job = test::RecordedTable(3, 2, 300);
            TPdfPages pdf(file, "Title");
            pdf.Add(job.Pages[0], job.Job.Format);
            if (c.Commit) pdf.Commit();
        }
        if (c.Commit)
            EXPECT_EQ(test::ReadWholeFile(file).substr(0, 5), "%PDF-");
        else if (c.Existed)
            EXPECT_EQ(test::ReadWholeFile(file), "old");
        else
            EXPECT_FALSE(FileExists(file));
        const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                           std::filesystem::directory_iterator());
        EXPECT_EQ(entries, c.Commit || c.Existed ? 1 : 0);
    }
}

TEST(PdfPages, AFolderThatTakesNoFileIsAPrinterError) {
    test::TempDir folder;
    EXPECT_THROW(TPdfPages(folder.File("missing/out.pdf"), ""), EPrinter);
    EXPECT_THROW(TPdfPages(folder.Path() + "/", ""), EPrinter);
}

}  // namespace
}  // namespace vex
