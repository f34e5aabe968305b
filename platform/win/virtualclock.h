#pragma once

#include <cstdint>

#include "platform/core/clock.h"

namespace vex {

// Time for tests: it stands still while anything happens and jumps to the next timer or
// deadline when the loop has found nothing to do for a short real grace period, so a two-minute
// time-out passes in a fraction of a second while a loopback peer still gets its turn to answer.
class TVirtualClock : public TFixedClock {
public:
    explicit TVirtualClock(int64_t GraceMilliseconds = 5) : FGrace(GraceMilliseconds) {}

    int64_t RealWaitMilliseconds(int64_t Milliseconds) const override {
        return Milliseconds < FGrace ? Milliseconds : FGrace;
    }
    void IdleWaitEnded(int64_t Milliseconds) override { Advance(Milliseconds); }

private:
    int64_t FGrace;
};

}  // namespace vex
