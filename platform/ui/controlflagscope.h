#pragma once

#include <memory>
#include <utility>

namespace vex {

// Holds a flag of a control up for its lifetime, which a handler may end by freeing the control
// (Life is the control's life token): the flag of a freed control is not touched. A handler may
// also reach the same routine again; the flag then stays up until the outer scope ends.
class TControlFlagScope {
public:
    TControlFlagScope(bool& Flag, std::weak_ptr<const void> Life)
        : FFlag(Flag), FWasUp(Flag), FLife(std::move(Life)) {
        FFlag = true;
    }
    ~TControlFlagScope() {
        if (!FLife.expired()) FFlag = FWasUp;
    }
    TControlFlagScope(const TControlFlagScope&) = delete;
    TControlFlagScope& operator=(const TControlFlagScope&) = delete;

private:
    bool& FFlag;
    const bool FWasUp;
    std::weak_ptr<const void> FLife;
};

}  // namespace vex
