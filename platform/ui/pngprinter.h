#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/printerdevice.h"

namespace vex {

// A printer whose pages become PNG pictures, <Folder>/<BaseName>-<n>.png at Resolution pixels
// per inch, all in place when the job ends and none when it is aborted or fails. Pages are
// laid out at the device's own resolution like on any printer and scaled to Resolution.
class TPngPrinter : public TPrinterDevice {
public:
    TPngPrinter(std::string Folder, std::string BaseName, int32_t Resolution);

    std::string Name() const override { return "PNG"; }
    const std::string& Folder() const { return FFolder; }
    const std::string& BaseName() const { return FBaseName; }
    int32_t Resolution() const { return FResolution; }
    std::unique_ptr<TPrintDocument> Start(const TPrintJob& Job) override;

private:
    std::string FFolder;
    std::string FBaseName;
    int32_t FResolution;
};

}  // namespace vex
