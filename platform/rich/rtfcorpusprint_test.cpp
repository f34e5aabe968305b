// Documents made by real writers, printed to PDF by the control, read back (pdftotext, in the
// order drawn) to the words unrtf finds in them: pagination loses, repeats and reorders nothing.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditmessages.h"
#include "platform/rich/rtfcorpus_testsupport.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/poppler_testsupport.h"
#include "platform/ui/printer.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// The control prints a page per printable area: a border the device leaves blank is the page's
// margins, an inch here.
class TInchMarginPdfPrinter : public TPdfPrinter {
public:
    int32_t UnprintableMargin() const override { return 254; }  // tenths of a millimetre
};

// The process's printer, on letter paper, printing into File until the scope ends.
class PrintingToPdf {
public:
    explicit PrintingToPdf(const std::string& File) {
        auto pdf = std::make_unique<TInchMarginPdfPrinter>();
        pdf->SetFileName(File);
        std::vector<std::unique_ptr<TPrinterDevice>> devices;
        devices.push_back(std::move(pdf));
        FPrevious = Printer().SetDevices(std::move(devices));
        TDeviceMode letter;
        letter.dmPaperSize = DMPAPER_LETTER;
        Printer().SetPrinter("PDF", letter);
    }
    ~PrintingToPdf() { Printer().SetDevices(std::move(FPrevious)); }
    PrintingToPdf(const PrintingToPdf&) = delete;
    PrintingToPdf& operator=(const PrintingToPdf&) = delete;

private:
    std::vector<std::unique_ptr<TPrinterDevice>> FPrevious;
};

TEST(RtfCorpusPrint, EveryFilePrintedToPdfReadsToTheWordsUnrtfFindsInOrder) {
    RequirePoppler();
    const test::TempDir folder;
    for (const std::string& file : test::RtfCorpusFiles()) {
        SCOPED_TRACE(file);
        const std::string pdf = folder.File(file + ".pdf");
        {
            const PrintingToPdf printing(pdf);
            TRichEdit edit(nullptr);
            edit.StreamIn(test::ReadWholeFile(test::RtfCorpus + file), SF_RTF);
            edit.Print(file);
        }
        std::vector<std::string> ours =
            test::Words(test::RunPoppler({"pdftotext", "-raw", pdf, "-"}).value_or(""));
        std::vector<std::string> theirs = test::Words(test::UnrtfText(test::RtfCorpus + file));
        ASSERT_FALSE(theirs.empty()) << "unrtf gave nothing; is it installed?";
        test::RemoveKnownDifferences(file, ours, theirs);
        EXPECT_EQ(ours, theirs);
    }
}

}  // namespace
}  // namespace vex
