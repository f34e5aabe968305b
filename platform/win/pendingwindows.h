#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/messages.h"

namespace vex {

// The windows that wait to paint, in handle order, which is the order they were made. A window
// joins when it is invalidated and leaves when it paints, and both nearly always happen at the
// ends: a parent and its children are invalidated in the order they were made and paint in that
// order, or join in the reverse order when children are invalidated from the top of the
// stacking order. So the handles lie in one sorted array whose front is left unused as windows
// leave there, or kept free for windows to join there, and no window costs an allocation of its
// own.
class TPendingWindows {
public:
    const HWND* begin() const { return FItems.data() + FHead; }
    const HWND* end() const { return FItems.data() + FItems.size(); }
    bool Empty() const { return FHead == FItems.size(); }

    bool Contains(HWND Wnd) const;
    // The first window made after Wnd, or end().
    const HWND* After(HWND Wnd) const;
    void Insert(HWND Wnd);
    void Erase(HWND Wnd);

private:
    std::vector<HWND> FItems;
    size_t FHead = 0;  // the items before it are unused
};

}  // namespace vex
