#pragma once

#include <atomic>
#include <cstdint>

namespace vex {

// Where the libraries read the time. The base class is the system clock; tests install a
// TFixedClock, and the message loop derives a virtual clock from this class, so nothing in the
// libraries may call the operating system's clock directly.
class TClock {
public:
    virtual ~TClock() = default;

    // Wall time in milliseconds since 1970-01-01 00:00 UTC.
    virtual int64_t UtcMilliseconds() const;
    // The local zone's offset from UTC at that instant, in minutes, east positive.
    virtual int32_t LocalOffsetMinutes(int64_t UtcMs) const;
    // Monotonic milliseconds from an arbitrary start; never goes back when the wall clock does.
    virtual int64_t TickMilliseconds() const;

    // How the message loop sleeps when nothing is due for Milliseconds of this clock's time:
    // the real milliseconds to wait for outside events, and what the clock makes of a wait that
    // ended with none. The system clock sleeps the whole time and lets real time pass; a virtual
    // clock sleeps a short grace period and then jumps ahead.
    virtual int64_t RealWaitMilliseconds(int64_t Milliseconds) const { return Milliseconds; }
    virtual void IdleWaitEnded(int64_t /*Milliseconds*/) {}
};

// The clock in force: the system clock unless a TClockOverride is alive.
TClock& Clock();

// Installs a clock for its lifetime and restores the previous one after. The clock must outlive
// the override; overrides nest and must end in reverse order.
class TClockOverride {
public:
    explicit TClockOverride(TClock& AClock);
    ~TClockOverride();
    TClockOverride(const TClockOverride&) = delete;
    TClockOverride& operator=(const TClockOverride&) = delete;

private:
    TClock* FPrevious;
};

// A clock that stands still until told otherwise. Safe to set from one thread while another
// reads it.
class TFixedClock : public TClock {
public:
    TFixedClock() = default;
    TFixedClock(int64_t UtcMs, int32_t OffsetMinutes, int64_t TickMs = 0);

    int64_t UtcMilliseconds() const override { return FUtcMs; }
    int32_t LocalOffsetMinutes(int64_t) const override { return FOffsetMinutes; }
    int64_t TickMilliseconds() const override { return FTickMs; }

    void SetUtcMilliseconds(int64_t Value) { FUtcMs = Value; }
    void SetLocalOffsetMinutes(int32_t Value) { FOffsetMinutes = Value; }
    void SetTickMilliseconds(int64_t Value) { FTickMs = Value; }
    // Moves wall time and tick count forward together, as real time passing would.
    void Advance(int64_t Milliseconds);

private:
    std::atomic<int64_t> FUtcMs = 0;
    std::atomic<int32_t> FOffsetMinutes = 0;
    std::atomic<int64_t> FTickMs = 0;
};

// The tick count of the original: TickMilliseconds cut to 32 bits, so it wraps after 49.7 days
// and callers must compare ticks by unsigned difference.
uint32_t GetTickCount();

}  // namespace vex
