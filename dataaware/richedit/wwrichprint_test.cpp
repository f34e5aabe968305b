#include "dataaware/richedit/wwrichprint.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rich/richformatrange.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/poppler_testsupport.h"
#include "platform/ui/printer.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A document of Length characters that takes PerPage of them a page, naming each page it draws.
struct TPagedText {
    int32_t Length = 25;
    int32_t PerPage = 10;
    int32_t FailOnPage = 0;  // 1 on: that page's format fails
    std::vector<TRect> Rects;
    int32_t Releases = 0;

    int32_t operator()(const TFormatRange* Range, bool Render) {
        if (Range == nullptr) {
            ++Releases;
            return 0;
        }
        Rects.push_back(Range->Rect);
        const int32_t page = static_cast<int32_t>(Rects.size());
        if (page == FailOnPage) throw EPrinter("the page cannot be laid out");
        if (Render) Range->Canvas->TextOut(200, 200, "page " + std::to_string(page));
        return std::min(Range->CpMin + PerPage, Length);
    }
};

class WwPrintRichText : public ::testing::Test {
protected:
    WwPrintRichText() {
        auto pdf = std::make_unique<TPdfPrinter>();
        pdf->SetFileName(File());
        std::vector<std::unique_ptr<TPrinterDevice>> devices;
        devices.push_back(std::move(pdf));
        FPrinter.SetDevices(std::move(devices));
    }

    std::string File() const { return FFolder.File("print.pdf"); }
    void Print(TPagedText& Text) {
        wwPrintRichText(
            FPrinter, "Release note", Text.Length, FMargins, muInches,
            [&](const TFormatRange* Range, bool Render) { return Text(Range, Render); });
    }

    test::TempDir FFolder;
    TPrinter FPrinter;
    TwwPrintMargins FMargins;
};

TEST_F(WwPrintRichText, PrintsAPageARectangleWithinTheMarginsUntilTheTextEnds) {
    RequirePoppler();
    TPagedText text;
    Print(text);
    const TRect margins = wwMarginRect(FMargins, muInches, wwPageTwips(FPrinter.PageFormat()));
    EXPECT_EQ(text.Rects, std::vector<TRect>(3, margins));
    EXPECT_EQ(text.Releases, 1);
    EXPECT_EQ(test::PdfInfo(File()).Pages, 3);
    const std::string printed = test::PdfText(File());
    EXPECT_LT(printed.find("page 1"), printed.find("page 2"));
    EXPECT_LT(printed.find("page 2"), printed.find("page 3"));
}

TEST_F(WwPrintRichText, StopsWhenAPageTakesNothingMore) {
    RequirePoppler();
    TPagedText text;
    text.PerPage = 0;
    Print(text);
    EXPECT_EQ(text.Rects.size(), 1u);
    EXPECT_EQ(test::PdfInfo(File()).Pages, 1);
}

TEST_F(WwPrintRichText, MarginsThatMeetAreAnErrorBeforeAnyJob) {
    FMargins.SetLeft(4.25);
    FMargins.SetRight(4.25);
    TPagedText text;
    EXPECT_THROW(Print(text), EPrinter);
    EXPECT_TRUE(text.Rects.empty());
    EXPECT_NE(::access(File().c_str(), F_OK), 0);
}

TEST_F(WwPrintRichText, NoPrinterIsAnError) {
    FPrinter.SetDevices({});
    TPagedText text;
    EXPECT_THROW(Print(text), EPrinter);
    EXPECT_TRUE(text.Rects.empty());
}

TEST_F(WwPrintRichText, AFailingPageLeavesNoFileAndNoJob) {
    TPagedText text;
    text.FailOnPage = 2;
    EXPECT_THROW(Print(text), EPrinter);
    EXPECT_FALSE(FPrinter.Printing());
    EXPECT_EQ(text.Releases, 1);
    EXPECT_NE(::access(File().c_str(), F_OK), 0);
}

}  // namespace
}  // namespace vex
