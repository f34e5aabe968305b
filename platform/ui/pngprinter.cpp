#include "platform/ui/pngprinter.h"

#include "platform/ui/pagereplaydocument.h"
#include "platform/ui/pngpages.h"

namespace vex {

TPngPrinter::TPngPrinter(std::string Folder, std::string BaseName, int32_t Resolution)
    : FFolder(std::move(Folder)), FBaseName(std::move(BaseName)), FResolution(Resolution) {}

std::unique_ptr<TPrintDocument> TPngPrinter::Start(const TPrintJob& Job) {
    return std::make_unique<TPagesDocument<TPngPages>>(
        Job.Format, std::make_unique<TPngPages>(FFolder, FBaseName, FResolution), "PNG pages");
}

}  // namespace vex
