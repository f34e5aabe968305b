#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/printer.h"

namespace vex::test {

// Gives the process's printer the devices a test names (none: the no-printer state) for as long
// as it lives, then puts back the devices it had and the settings of its jobs, so that no test
// prints on the machine's printers or leaves them changed for the next.
class TPrinterDevicesScope {
public:
    explicit TPrinterDevicesScope(std::vector<std::unique_ptr<TPrinterDevice>> Devices)
        : FTitle(Printer().Title()),
          FCopies(Printer().Copies()),
          FCollate(Printer().Collate()),
          FOrientation(Printer().Orientation()),
          FIndex(Printer().PrinterIndex()) {
        if (Printer().HasPrinter()) Printer().GetPrinter(FDevice, FMode);
        FDevices = Printer().SetDevices(std::move(Devices));
    }
    ~TPrinterDevicesScope() {
        TPrinter& printer = Printer();
        printer.SetDevices(std::move(FDevices));
        if (FIndex >= 0) {
            printer.SetPrinter(FDevice, FMode);
            // Names may repeat: the index is what was selected.
            printer.SetPrinterIndex(FIndex);
        }
        printer.SetTitle(FTitle);
        printer.SetCopies(FCopies);
        printer.SetCollate(FCollate);
        printer.SetOrientation(FOrientation);
    }
    TPrinterDevicesScope(const TPrinterDevicesScope&) = delete;
    TPrinterDevicesScope& operator=(const TPrinterDevicesScope&) = delete;

private:
    std::vector<std::unique_ptr<TPrinterDevice>> FDevices;
    std::string FTitle;
    int32_t FCopies;
    bool FCollate;
    TPrinterOrientation FOrientation;
    int32_t FIndex;
    std::string FDevice;
    TDeviceMode FMode;
};

}  // namespace vex::test
