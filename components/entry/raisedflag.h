#pragma once

namespace vex {

// Sets Flag for as long as it lives, also when what runs meanwhile fails: a guard against
// re-entry, or a mark that a change under way is the control's own.
class TRaisedFlag {
public:
    explicit TRaisedFlag(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TRaisedFlag() { FFlag = false; }
    TRaisedFlag(const TRaisedFlag&) = delete;
    TRaisedFlag& operator=(const TRaisedFlag&) = delete;

private:
    bool& FFlag;
};

}  // namespace vex
