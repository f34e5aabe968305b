#include "platform/ui/pngprinter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/files.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/pagereplay_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

size_t Entries(const std::string& Folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(Folder),
                                             std::filesystem::directory_iterator()));
}

// Prints a three-page table on Device, then finishes or cancels the job.
void PrintTable(TPrinterDevice& Device, bool Finish) {
    TRecordedJob table = test::RecordedTable(100, 3, Device.PixelsPerInch());
    auto document = Device.Start(table.Job);
    for (TPrintedPage& page : table.Pages)
        document->AddPage(std::move(page));
    if (Finish)
        document->Finish();
    else
        document->Cancel();
}

TEST(PngPrinter, WritesOnePictureAPageAtItsResolutionOnlyWhenTheJobEnds) {
    test::TempDir folder;
    test::WriteWholeFile(folder.File("table-1.png"), "old");
    TPngPrinter printer(folder.Path(), "table", 50);
    PrintTable(printer, false);
    EXPECT_EQ(test::ReadWholeFile(folder.File("table-1.png")), "old");
    EXPECT_EQ(Entries(folder.Path()), 1u);

    PrintTable(printer, true);
    EXPECT_EQ(Entries(folder.Path()), 3u);
    for (const char* name : {"table-1.png", "table-2.png", "table-3.png"}) {
        SCOPED_TRACE(name);
        TBitmap page;
        page.LoadFromFile(folder.File(name));
        // A4 at 50 pixels per inch.
        EXPECT_EQ(page.Width(), 413);
        EXPECT_EQ(page.Height(), 585);
    }
}

// A page that cannot take its place fails the job after the pages before it were placed: they
// go again, and what they replaced is back.
TEST(PngPrinter, APageThatCannotBePlacedLeavesTheFolderAsItWas) {
    test::TempDir folder;
    test::WriteWholeFile(folder.File("table-1.png"), "old");
    ASSERT_TRUE(std::filesystem::create_directory(folder.File("table-3.png")));
    TPngPrinter printer(folder.Path(), "table", 50);
    EXPECT_THROW(PrintTable(printer, true), EPrinter);
    EXPECT_EQ(test::ReadWholeFile(folder.File("table-1.png")), "old");
    EXPECT_FALSE(FileExists(folder.File("table-2.png")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("table-3.png")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.File("table-3.png")));
    EXPECT_EQ(Entries(folder.Path()), 2u);
}

TEST(PngPrinter, ARefusedResolutionOrNameIsAPrinterErrorAtTheStart) {
    test::TempDir folder;
    TPrintJob job;
    job.Format = test::RecordedTable(1, 1).Job.Format;
    EXPECT_THROW(TPngPrinter(folder.Path(), "page", 0).Start(job), EPrinter);
    EXPECT_THROW(TPngPrinter(folder.Path(), "", 96).Start(job), EPrinter);
    // A sheet beyond any bitmap's size.
    TPngPrinter huge(folder.Path(), "page", 9600);
    auto document = huge.Start(job);
    EXPECT_THROW(document->AddPage({}), EPrinter);
    document->Cancel();
    EXPECT_EQ(Entries(folder.Path()), 0u);
}

TEST(PdfPrinter, WritesItsFileWhenTheJobEndsAndNothingWhenItIsCancelled) {
    test::TempDir folder;
    TPdfPrinter printer;
    EXPECT_EQ(printer.Name(), "PDF");
    EXPECT_THROW(printer.Start(TPrintJob{}), EPrinter);  // no file name yet

    printer.SetFileName(folder.File("out.pdf"));
    PrintTable(printer, false);
    EXPECT_EQ(Entries(folder.Path()), 0u);
    PrintTable(printer, true);
    EXPECT_EQ(test::ReadWholeFile(folder.File("out.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(Entries(folder.Path()), 1u);
}

}  // namespace
}  // namespace vex
