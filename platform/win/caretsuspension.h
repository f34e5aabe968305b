#pragma once

namespace vex {

// For the window tree: painting and scrolling take the caret's pixels out of the windows while
// they run, so that they neither paint over an inverted rectangle nor carry one along. The
// caret comes back, where it is then, when the last suspension ends.
void SuspendCaret();
void ResumeCaret();

// Suspends the caret for the scope.
class TCaretSuspension {
public:
    TCaretSuspension() { SuspendCaret(); }
    ~TCaretSuspension() { ResumeCaret(); }
    TCaretSuspension(const TCaretSuspension&) = delete;
    TCaretSuspension& operator=(const TCaretSuspension&) = delete;
};

}  // namespace vex
