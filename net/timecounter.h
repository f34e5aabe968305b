#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/object.h"

namespace vex {

class TTimer;

// Counts whole seconds down on a one-second timer of the message loop. A wait starts it, pumps
// messages and looks at Expired; progress starts it again. It never raises: its owner does.
class TTimeCounter : public TObject {
    VEX_CLASS(TTimeCounter, TObject)

public:
    TTimeCounter();
    ~TTimeCounter() override;

    void Start();
    void Stop();

    int32_t TimeOut() const { return FTimeOut; }
    void SetTimeOut(int32_t Seconds) { FTimeOut = Seconds; }
    int32_t SecondsLeft() const { return FSecondsLeft; }
    // Set when the seconds left fall below 1; cleared only by its owner.
    bool Expired() const { return FExpired; }
    void SetExpired(bool Value) { FExpired = Value; }

private:
    void Tick();

    std::unique_ptr<TTimer> FTimer;
    int32_t FSecondsLeft = 0;
    int32_t FTimeOut = 60;
    bool FExpired = false;
};

}  // namespace vex
