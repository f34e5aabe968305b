#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/win/application.h"
#include "platform/win/window.h"

namespace vex::test {

// Dispatches every message that is ready now, painting and what dispatching itself posts
// included, and returns once none is left; a timer not yet due is not waited for. Exceptions go
// to the application object, as in its message loop. A queue that never runs dry (a window
// that invalidates itself whenever it paints) fails the test after Limit messages instead of
// hanging; a WM_QUIT is put back for the caller's loop.
inline bool PumpUntilIdle(size_t Limit = 100000) {
    MSG msg;
    for (size_t dispatched = 0; PeekMessage(msg, 0, 0, 0, PM_REMOVE); ++dispatched) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return true;
        }
        if (dispatched == Limit) {
            ADD_FAILURE() << "the queue never ran dry: " << Limit << " messages dispatched";
            return false;
        }
        try {
            DispatchMessage(msg);
        } catch (...) {
            Application().HandleException(nullptr);
        }
    }
    return true;
}

}  // namespace vex::test
