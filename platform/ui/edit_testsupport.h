#pragma once

#include "platform/win/caret.h"

namespace vex::test {

// The caret stays on while a picture is taken, however long the machine takes to draw it.
class TSteadyCaret {
public:
    TSteadyCaret() : FBlink(GetCaretBlinkTime()) { SetCaretBlinkTime(CaretNoBlink); }
    ~TSteadyCaret() { SetCaretBlinkTime(FBlink); }
    TSteadyCaret(const TSteadyCaret&) = delete;
    TSteadyCaret& operator=(const TSteadyCaret&) = delete;

private:
    UINT FBlink;
};

}  // namespace vex::test
