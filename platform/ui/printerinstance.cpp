#include "platform/ui/printer.h"

namespace vex {

TPrinter& Printer() {
    static TPrinter printer;
    // Asking the machine runs lpstat: only once, and only for a process that prints.
    static const bool listed = (printer.SetDevices(SystemPrinters()), true);
    (void)listed;
    return printer;
}

}  // namespace vex
