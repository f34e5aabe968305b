#pragma once

#include "platform/win/messages.h"

namespace vex {

// For the window tree: painting and scrolling Wnd take the caret's pixels out of its top-level
// window while they run, so that they neither paint over an inverted rectangle nor carry one
// along. The caret comes back, where it is then, when the last suspension ends.
void SuspendCaret(HWND Wnd);
void ResumeCaret();

// Suspends the caret for the scope.
class TCaretSuspension {
public:
    explicit TCaretSuspension(HWND Wnd) { SuspendCaret(Wnd); }
    ~TCaretSuspension() { ResumeCaret(); }
    TCaretSuspension(const TCaretSuspension&) = delete;
    TCaretSuspension& operator=(const TCaretSuspension&) = delete;
};

}  // namespace vex
