#include "net/timecounter.h"

#include "platform/win/timer.h"

namespace vex {

TTimeCounter::TTimeCounter() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetEnabled(false);
    FTimer->SetInterval(1000);
    FTimer->OnTimer = [this](TObject*) { Tick(); };
}

TTimeCounter::~TTimeCounter() = default;

void TTimeCounter::Start() {
    FSecondsLeft = FTimeOut;
    // Restarting the timer makes every Start count a full second to the first tick.
    FTimer->SetEnabled(false);
    FTimer->SetEnabled(true);
}

void TTimeCounter::Stop() {
    FTimer->SetEnabled(false);
}

void TTimeCounter::Tick() {
    --FSecondsLeft;
    if (FSecondsLeft < 1) FExpired = true;
}

}  // namespace vex
