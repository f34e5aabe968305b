#pragma once

#include "platform/win/caret.h"

namespace vex::test {

// Keeps the caret on for its lifetime, so that a picture of a focused edit does not depend on
// when in the blink it is taken.
struct TSteadyCaret {
    UINT Saved = GetCaretBlinkTime();
    TSteadyCaret() { SetCaretBlinkTime(CaretNoBlink); }
    ~TSteadyCaret() { SetCaretBlinkTime(Saved); }
    TSteadyCaret(const TSteadyCaret&) = delete;
    TSteadyCaret& operator=(const TSteadyCaret&) = delete;
};

}  // namespace vex::test
