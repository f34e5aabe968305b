#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "dataaware/richedit/wwriched_testsupport.h"
#include "dataaware/richedit/wwrichstrings.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/colors.h"
#include "platform/rich/rtfcorpus_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/poppler_testsupport.h"
#include "platform/ui/printer.h"
#include "platform/ui/printer_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// The process's printer prints to one PDF file for the test's lifetime.
class WwRichPrint : public ::testing::Test {
protected:
    WwRichPrint() : FScope(PdfDevices(File())) {}

    std::string File() const { return FFolder.File("printed.pdf"); }
    bool Printed() const { return ::access(File().c_str(), F_OK) == 0; }

    static std::vector<std::unique_ptr<TPrinterDevice>> PdfDevices(const std::string& Name) {
        auto pdf = std::make_unique<TPdfPrinter>();
        pdf->SetFileName(Name);
        std::vector<std::unique_ptr<TPrinterDevice>> devices;
        devices.push_back(std::move(pdf));
        return devices;
    }

    test::TempDir FFolder;
    test::TPrinterDevicesScope FScope;
};

// A copy painted into another picture shows the text where the control shows it, from its
// top left, though a printer is there to lay pages out by.
TEST_F(WwRichPrint, ACopyPaintedWithAPrinterShowsTheTextFromTheTopLeft) {
    test::TwwRichOnForm on("first\r\nsecond\r\nthird");
    on.Edit->SetSelStart(0);
    on.Edit->SetSelLength(5);
    on.Edit->SelAttributes().SetColor(clRed);
    on.Edit->SetSelLength(0);
    for (const double margin : {0.5, 3.0}) {
        SCOPED_TRACE(margin);
        on.Edit->PrintMargins().SetTop(margin);
        on.Edit->PrintMargins().SetLeft(margin);
        const TRect client = on.Edit->ClientRect();
        TBitmap copy;
        copy.SetSize(client.Right, client.Bottom);
        on.Edit->SetControlState(on.Edit->ControlState() + TControlState{csPaintCopy});
        on.Edit->Perform(WM_PAINT, reinterpret_cast<WPARAM>(copy.Canvas().Handle()), 0);
        on.Edit->SetControlState(on.Edit->ControlState() - TControlState{csPaintCopy});
        const auto rgb = static_cast<uint32_t>(ColorToRGB(clRed));
        const uint32_t red = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        TRect ink{client.Right, client.Bottom, 0, 0};
        for (int32_t y = 0; y < client.Bottom; ++y)
            for (int32_t x = 0; x < client.Right; ++x)
                if (copy.ScanLine(y)[x] == red)
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
        ASSERT_LT(ink.Left, ink.Right) << "the copy shows no red text";
        EXPECT_LT(ink.Left, 12);
        EXPECT_LT(ink.Bottom, on.Edit->Layout().Line(0).Height + 4);
    }
}

TEST_F(WwRichPrint, PagesHoldTheTextWithinTheMargins) {
    RequirePoppler();
    std::string text;
    for (int32_t i = 1; i <= 120; ++i)
        text += "Line " + std::to_string(i) + " of the release note\r\n";
    test::TwwRichOnForm on;
    // A face the printer keeps as text, for the reader to find.
    on.Edit->Font().SetName("Arial");
    on.Edit->SetText(text);
    for (const double margin : {1.0, 3.0}) {
        SCOPED_TRACE(margin);
        on.Edit->PrintMargins().SetTop(margin);
        on.Edit->PrintMargins().SetLeft(margin);
        on.Edit->Print("Release note");
        const test::TPdfInfo info = test::PdfInfo(File());
        EXPECT_GE(info.Pages, 2);
        const TPixelImage page = test::PdfPagePicture(File(), 1, 72);
        const test::TInkBox ink = test::InkBox(page);
        EXPECT_NEAR(ink.Left, margin * 72, 3);
        EXPECT_NEAR(ink.Top, margin * 72, 12);
        const std::vector<std::string> words = test::Words(test::PdfText(File()));
        EXPECT_EQ(words, test::Words(text));
    }
}

TEST_F(WwRichPrint, CentimetreMarginsAreTakenAtTheLibrarysFactor) {
    RequirePoppler();
    test::TwwRichOnForm on("text");
    on.Edit->SetMeasurementUnits(muCentimeters);
    on.Edit->PrintMargins().SetLeft(5.074);  // two inches by the library's centimetre
    on.Edit->Print("Release note");
    EXPECT_NEAR(test::InkBox(test::PdfPagePicture(File(), 1, 72)).Left, 144, 3);
}

TEST_F(WwRichPrint, MarginsThatMeetAndAMissingPrinterAreErrorsFromPrint) {
    test::TwwRichOnForm on("text");
    on.Edit->PrintMargins().SetLeft(4.25);
    on.Edit->PrintMargins().SetRight(4.25);
    EXPECT_THROW(on.Edit->Print("Release note"), EPrinter);
    on.Edit->PrintMargins().SetLeft(1);
    on.Edit->PrintMargins().SetTop(6);
    on.Edit->PrintMargins().SetBottom(6);
    EXPECT_THROW(on.Edit->Print("Release note"), EPrinter);
    EXPECT_FALSE(Printed());
    on.Edit->PrintMargins().SetTop(1);
    on.Edit->PrintMargins().SetBottom(1);
    test::TPrinterDevicesScope none({});
    EXPECT_THROW(on.Edit->Print("Release note"), EPrinter);
    EXPECT_FALSE(Printed());
}

// A printer whose output fails at the second page, as a full disk or a lost queue does.
class TFailingPrinter : public TPrinterDevice {
public:
    std::string Name() const override { return "Failing"; }
    std::unique_ptr<TPrintDocument> Start(const TPrintJob&) override {
        struct TDocument : TPrintDocument {
            void AddPage(TPrintedPage) override {
                if (++Pages == 2) throw EPrinter("The printer stopped");
            }
            void Finish() override {}
            void Cancel() noexcept override {}
            int32_t Pages = 0;
        };
        return std::make_unique<TDocument>();
    }
};

TEST_F(WwRichPrint, APrinterFailingHalfWayLeavesTheControlToPrintAgain) {
    RequirePoppler();
    std::string text;
    for (int32_t i = 1; i <= 120; ++i)
        text += "Line " + std::to_string(i) + "\r\n";
    test::TwwRichOnForm on;
    on.Edit->Font().SetName("Arial");
    on.Edit->SetText(text);
    {
        std::vector<std::unique_ptr<TPrinterDevice>> failing;
        failing.push_back(std::make_unique<TFailingPrinter>());
        test::TPrinterDevicesScope scope(std::move(failing));
        EXPECT_THROW(on.Edit->Print("Release note"), EPrinter);
        EXPECT_FALSE(Printer().Printing());
    }
    EXPECT_EQ(on.Edit->Text(), text);
    on.Edit->Print("Release note");
    EXPECT_EQ(test::Words(test::PdfText(File())), test::Words(text));
}

TEST_F(WwRichPrint, AnEmptyDocumentAndOneLineLongerThanAPagePrint) {
    RequirePoppler();
    test::TwwRichOnForm on;
    on.Edit->Font().SetName("Arial");
    on.Edit->Print("Empty");
    EXPECT_EQ(test::PdfInfo(File()).Pages, 1);
    const std::string line(20000, 'x');
    on.Edit->SetText(line);
    on.Edit->Print("One line");
    EXPECT_GE(test::PdfInfo(File()).Pages, 2);
    std::string printed;
    for (const std::string& word : test::Words(test::PdfText(File())))
        printed += word;
    EXPECT_EQ(printed.size(), line.size());
    EXPECT_EQ(printed.find_first_not_of('x'), std::string::npos);
}

TEST_F(WwRichPrint, EveryCorpusFilePrintsToItsWords) {
    RequirePoppler();
    const std::vector<std::string> files = test::RtfCorpusFiles();
    ASSERT_GE(files.size(), 4u);
    test::TwwRichOnForm on;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        on.Edit->Lines().LoadFromFile(test::RtfCorpus + file);
        on.Edit->Print(test::RtfCorpus + file);
        EXPECT_EQ(test::Words(test::PdfText(File())), test::Words(on.Edit->Text()));
    }
}

// The width the lines of a long paragraph take on screen.
int32_t WidestLine(const TwwCustomRichEdit& Edit) {
    int32_t widest = 0;
    for (int32_t i = 0; i < Edit.Layout().LineCount(); ++i)
        widest = std::max(widest, Edit.Layout().Line(i).Width);
    return widest;
}

TEST_F(WwRichPrint, PrinterWidthLinesBreakAtThePageWhateverTheWindow) {
    std::string paragraph;
    for (int32_t i = 0; i < 60; ++i)
        paragraph += "word" + std::to_string(i) + " ";
    test::TwwRichOnForm on(paragraph, Rect(0, 0, 300, 100));
    on.Edit->SetEditWidth(rewPrinterSize);
    // A4 paper less two one-inch margins leaves 6.27 inches: 602 pixels on screen.
    const int32_t lines = on.Edit->GetLineCount();
    EXPECT_GT(WidestLine(*on.Edit), 540);
    EXPECT_LE(WidestLine(*on.Edit), 602);
    on.Edit->SetBounds(0, 0, 150, 100);
    EXPECT_EQ(on.Edit->GetLineCount(), lines);
    on.Edit->SetEditWidth(rewWindowSize);
    EXPECT_LT(WidestLine(*on.Edit), 150);
    test::TPrinterDevicesScope none({});
    on.Edit->SetEditWidth(rewPrinterSize);
    EXPECT_LT(WidestLine(*on.Edit), 150) << "without a printer the window's width holds";
}

TEST_F(WwRichPrint, WindowWidthLinesFollowTheWindowInsideTheInset) {
    test::TwwRichOnForm on("text", Rect(0, 0, 200, 60));
    const TRect wide = on.Edit->FormattingRect();
    EXPECT_EQ(wide.Left, 3);
    EXPECT_EQ(wide.Top, 2);
    EXPECT_EQ(wide.Right, on.Edit->ClientWidth());
    on.Edit->SetBounds(0, 0, 6, 60);
    const TRect narrow = on.Edit->FormattingRect();
    EXPECT_EQ(narrow.Right - narrow.Left, 0) << "narrower than the inset: no width";
}

TEST_F(WwRichPrint, APaperSizeGoesToThePrinterInPrinterWidth) {
    test::TwwRichOnForm on("text");
    on.Edit->SetEditWidth(rewPrinterSize);
    on.Edit->SetPaperSize(DMPAPER_A5);
    std::string device;
    TDeviceMode mode;
    Printer().GetPrinter(device, mode);
    EXPECT_EQ(mode.dmPaperSize, DMPAPER_A5);
    EXPECT_THROW(on.Edit->SetPaperSize(999), EPrinter);
    EXPECT_EQ(on.Edit->PaperSize(), DMPAPER_A5);
}

}  // namespace
}  // namespace vex
