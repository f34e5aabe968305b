#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/core/object.h"

namespace vex {

// A worker thread whose work is the virtual Execute. The base constructor never starts it, since
// the derived class's Execute does not exist yet: a class constructed with CreateSuspended false
// calls AfterConstruction as the last step of its own constructor, and a suspended one waits for
// Start (or Resume).
//
// A thread freed while it runs is told to terminate and joined, so it never outlives its object.
// With FreeOnTerminate the thread frees its own object once Execute returns; such a thread must
// not be freed by anyone else after it has started, nor waited for. The base destructor joins
// only after a derived class's members are gone, so a class whose Execute uses its own members
// calls Terminate and WaitFor in its own destructor.
class TThread : public TObject {
    VEX_CLASS(TThread, TObject)

public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts a thread created suspended; a thread already started raises EInvalidOperation.
    void Start();
    void Resume() { Start(); }

    // Asks Execute to end; it sees the request by polling Terminated.
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }

    // Waits for Execute to return and gives ReturnValue. A thread never started, or one that
    // frees itself, raises EInvalidOperation instead of waiting for ever or for a freed object.
    int32_t WaitFor();

    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }

    bool Suspended() const { return !FStarted; }
    bool Finished() const { return FFinished; }

    // What escaped Execute, if anything; the thread ends there instead of ending the program.
    std::exception_ptr FatalException() const { return FFatalException; }

protected:
    virtual void Execute() = 0;
    // Starts the thread unless it was created suspended.
    void AfterConstruction();

    int32_t ReturnValue = 0;

private:
    void Run();

    std::thread FThread;
    std::mutex FStartLock;
    std::mutex FJoinLock;
    bool FCreateSuspended;
    std::atomic<bool> FStarted = false;
    std::atomic<bool> FTerminated = false;
    std::atomic<bool> FFinished = false;
    std::atomic<bool> FFreeOnTerminate = false;
    std::exception_ptr FFatalException;
};

}  // namespace vex
