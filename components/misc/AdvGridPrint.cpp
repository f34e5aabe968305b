#include "components/misc/AdvGridPrintJob.h"

namespace vex {

void TAdvStringGrid::Print() {
    TAdvGridPrintJob(*this, Printer()).Run();
}

}  // namespace vex
