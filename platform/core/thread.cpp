#include "platform/core/thread.h"

#include "platform/core/exceptions.h"

namespace vex {

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {}

TThread::~TThread() {
    if (!FThread.joinable()) return;
    if (FThread.get_id() == std::this_thread::get_id()) {
        // Freeing itself at the end of Run: nothing touches the object after this.
        FThread.detach();
        return;
    }
    Terminate();
    FThread.join();
}

void TThread::AfterConstruction() {
    if (!FCreateSuspended) Start();
}

void TThread::Start() {
    std::lock_guard<std::mutex> lock(FStartLock);
    if (FStarted) throw EInvalidOperation("Thread already started");
    // Marked only once the thread exists: if it cannot be made, nothing waits for it.
    FThread = std::thread(&TThread::Run, this);
    FStarted = true;
}

int32_t TThread::WaitFor() {
    if (FFreeOnTerminate) throw EInvalidOperation("Cannot wait for a thread that frees itself");
    {
        std::lock_guard<std::mutex> lock(FStartLock);
        if (!FStarted)
            throw EInvalidOperation("Cannot wait for a thread that has not been started");
    }
    if (FThread.get_id() == std::this_thread::get_id())
        throw EInvalidOperation("A thread cannot wait for itself");
    // One waiter joins; any other waits here until it has.
    std::lock_guard<std::mutex> join(FJoinLock);
    if (FThread.joinable()) FThread.join();
    return ReturnValue;
}

void TThread::Run() {
    {
        // Start assigns FThread after the thread exists; wait until it has.
        std::lock_guard<std::mutex> lock(FStartLock);
    }
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    FFinished = true;
    if (FFreeOnTerminate) delete this;
}

}  // namespace vex
