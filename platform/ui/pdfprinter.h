#pragma once

#include <memory>
#include <string>

#include "platform/ui/printerdevice.h"

namespace vex {

// The "PDF" printer: a job becomes one PDF file, FileName, which appears whole when the job
// ends and not at all when it is aborted or fails.
class TPdfPrinter : public TPrinterDevice {
public:
    std::string Name() const override { return "PDF"; }
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // EPrinter without a file name, or when its folder takes no file.
    std::unique_ptr<TPrintDocument> Start(const TPrintJob& Job) override;

private:
    std::string FFileName;
};

}  // namespace vex
