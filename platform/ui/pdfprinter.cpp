#include "platform/ui/pdfprinter.h"

#include "platform/ui/pagereplaydocument.h"
#include "platform/ui/pdfpages.h"

namespace vex {

std::unique_ptr<TPrintDocument> TPdfPrinter::Start(const TPrintJob& Job) {
    if (FFileName.empty()) throw EPrinter("No output file name is set for the PDF printer");
    return std::make_unique<TPagesDocument<TPdfPages>>(
        Job.Format, std::make_unique<TPdfPages>(FFileName, Job.Title), "PDF document");
}

}  // namespace vex
