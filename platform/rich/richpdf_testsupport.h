#pragma once

// For tests and benchmarks: RTF printed by the control onto the PDF printer, on letter paper
// with an inch of margin all round.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditmessages.h"
#include "platform/ui/pdfprinter.h"
#include "platform/ui/printer.h"

namespace vex::test {

// The control prints a page per printable area: a border the device leaves blank is the page's
// margins.
class TInchMarginPdfPrinter : public TPdfPrinter {
public:
    int32_t UnprintableMargin() const override { return 254; }  // tenths of a millimetre
};

// The process's printer prints on the PDF printer into File until the scope ends.
class TPrintingToPdf {
public:
    explicit TPrintingToPdf(const std::string& File) {
        auto pdf = std::make_unique<TInchMarginPdfPrinter>();
        pdf->SetFileName(File);
        std::vector<std::unique_ptr<TPrinterDevice>> devices;
        devices.push_back(std::move(pdf));
        FPrevious = Printer().SetDevices(std::move(devices));
        TDeviceMode letter;
        letter.dmPaperSize = DMPAPER_LETTER;
        Printer().SetPrinter("PDF", letter);
    }
    ~TPrintingToPdf() { Printer().SetDevices(std::move(FPrevious)); }
    TPrintingToPdf(const TPrintingToPdf&) = delete;
    TPrintingToPdf& operator=(const TPrintingToPdf&) = delete;

private:
    std::vector<std::unique_ptr<TPrinterDevice>> FPrevious;
};

// Reads Rtf into a control, which lays it out and prints it into the PDF file Pdf.
inline void PrintRtfToPdf(std::string_view Rtf, const std::string& Pdf) {
    const TPrintingToPdf printing(Pdf);
    TRichEdit edit(nullptr);
    edit.StreamIn(Rtf, SF_RTF);
    edit.Print("RTF");
}

}  // namespace vex::test
