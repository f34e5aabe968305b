#include "platform/win/x11/x11errortrap.h"

namespace vex {

namespace {

// The innermost trap; Xlib calls handlers on the thread of the failing call, and the presenter
// lives on the main thread.
TX11ErrorTrap* gInnermost = nullptr;
TX11UntrappedErrors gUntrapped;

int Record(Display*, XErrorEvent* Error) {
    ++gUntrapped.Count;
    gUntrapped.LastCode = Error->error_code;
    gUntrapped.LastRequest = Error->request_code;
    return 0;
}

}  // namespace

void RecordUntrappedX11Errors() {
    static const bool installed = (XSetErrorHandler(&Record), true);
    (void)installed;
}

TX11UntrappedErrors UntrappedX11Errors() {
    return gUntrapped;
}

TX11ErrorTrap::TX11ErrorTrap(Display* Dpy)
    : FDisplay(Dpy), FFirstSerial(NextRequest(Dpy)), FOuter(gInnermost) {
    FPrevious = XSetErrorHandler(&Handle);
    gInnermost = this;
}

TX11ErrorTrap::~TX11ErrorTrap() {
    if (NextRequest(FDisplay) != FSyncedUpTo) XSync(FDisplay, False);
    gInnermost = FOuter;
    XSetErrorHandler(FPrevious);
}

int TX11ErrorTrap::Sync() {
    XSync(FDisplay, False);
    FSyncedUpTo = NextRequest(FDisplay);
    return FError;
}

int TX11ErrorTrap::Handle(Display* Dpy, XErrorEvent* Error) {
    // Errors of requests sent before a trap pass it by, to the handler they were sent under.
    TX11ErrorTrap* outermost = nullptr;
    for (TX11ErrorTrap* trap = gInnermost; trap != nullptr; trap = trap->FOuter) {
        if (trap->FDisplay == Dpy && Error->serial >= trap->FFirstSerial) {
            if (trap->FError == Success) trap->FError = Error->error_code;
            return 0;
        }
        outermost = trap;
    }
    return outermost != nullptr && outermost->FPrevious != nullptr
               ? outermost->FPrevious(Dpy, Error)
               : 0;
}

}  // namespace vex
