#include "platform/ui/pdfprinter.h"

#include "platform/ui/pdfpages.h"

namespace vex {

namespace {

class TPdfDocument : public TPrintDocument {
public:
    TPdfDocument(const std::string& FileName, const TPrintJob& Job)
        : FFormat(Job.Format), FPages(std::make_unique<TPdfPages>(FileName, Job.Title)) {}

    void AddPage(TPrintedPage Page) override {
        if (!FPages) throw EPrinter("The PDF document is no longer open");
        FPages->Add(Page, FFormat);
    }
    void Finish() override {
        if (!FPages) throw EPrinter("The PDF document is no longer open");
        // Whatever happens, the document is done with: a failed commit has removed its file.
        const std::unique_ptr<TPdfPages> pages = std::move(FPages);
        pages->Commit();
    }
    void Cancel() noexcept override { FPages.reset(); }

private:
    TPageFormat FFormat;
    std::unique_ptr<TPdfPages> FPages;
};

}  // namespace

std::unique_ptr<TPrintDocument> TPdfPrinter::Start(const TPrintJob& Job) {
    if (FFileName.empty()) throw EPrinter("No output file name is set for the PDF printer");
    return std::make_unique<TPdfDocument>(FFileName, Job);
}

}  // namespace vex
