#include "platform/ui/commctrl.h"

#include "platform/ui/monthcalclass.h"

namespace vex {

bool InitCommonControlsEx(const INITCOMMONCONTROLSEX& Init) {
    if ((Init.dwICC & ICC_DATE_CLASSES) == 0) return false;
    RegisterMonthCalClass();
    return true;
}

TComCtlVersion ComCtlVersion() {
    return TComCtlVersion{5, 81};
}

}  // namespace vex
