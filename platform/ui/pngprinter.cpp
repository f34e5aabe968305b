#include "platform/ui/pngprinter.h"

#include "platform/ui/pngpages.h"

namespace vex {

namespace {

class TPngDocument : public TPrintDocument {
public:
    TPngDocument(const TPngPrinter& Printer, const TPrintJob& Job)
        : FFormat(Job.Format),
          FPages(std::make_unique<TPngPages>(Printer.Folder(), Printer.BaseName(),
                                             Printer.Resolution())) {}

    void AddPage(TPrintedPage Page) override {
        if (!FPages) throw EPrinter("The PNG pages are no longer open");
        FPages->Add(Page, FFormat);
    }
    void Finish() override {
        if (!FPages) throw EPrinter("The PNG pages are no longer open");
        const std::unique_ptr<TPngPages> pages = std::move(FPages);
        pages->Commit();
    }
    void Cancel() noexcept override { FPages.reset(); }

private:
    TPageFormat FFormat;
    std::unique_ptr<TPngPages> FPages;
};

}  // namespace

TPngPrinter::TPngPrinter(std::string Folder, std::string BaseName, int32_t Resolution)
    : FFolder(std::move(Folder)), FBaseName(std::move(BaseName)), FResolution(Resolution) {}

std::unique_ptr<TPrintDocument> TPngPrinter::Start(const TPrintJob& Job) {
    return std::make_unique<TPngDocument>(*this, Job);
}

}  // namespace vex
