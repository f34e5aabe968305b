#include "platform/win/pendingwindows.h"

#include <algorithm>

namespace vex {

bool TPendingWindows::Contains(HWND Wnd) const {
    return std::binary_search(begin(), end(), Wnd);
}

const HWND* TPendingWindows::After(HWND Wnd) const {
    return std::upper_bound(begin(), end(), Wnd);
}

void TPendingWindows::Insert(HWND Wnd) {
    if (Empty() || FItems.back() < Wnd) {
        FItems.push_back(Wnd);
        return;
    }
    const HWND* at = std::lower_bound(begin(), end(), Wnd);
    if (*at == Wnd) return;
    auto index = static_cast<size_t>(at - FItems.data());
    // The shorter side moves to make room. Windows that join at the front one after the other
    // (children invalidated from the top of the stacking order) find room there: when there is
    // none, half as much is made as there are windows, so each move is paid for by the joins it
    // serves. Not more: a window that then leaves the front must not make the unused front
    // outgrow the rest, or one joining and leaving there again and again would move them all
    // each time.
    const bool frontShorter = index - FHead < FItems.size() - index;
    if (frontShorter && FHead == 0) {
        const size_t room = std::max<size_t>(FItems.size() / 2, 8);
        FItems.insert(FItems.begin(), room, HWND{});
        FHead = room;
        index += room;
    }
    if (frontShorter) {
        std::move(FItems.begin() + FHead, FItems.begin() + index, FItems.begin() + FHead - 1);
        --FHead;
        FItems[index - 1] = Wnd;
    } else {
        FItems.insert(FItems.begin() + index, Wnd);
    }
}

void TPendingWindows::Erase(HWND Wnd) {
    // Windows leave as they paint, in the order they were made or the reverse (siblings from the
    // top of the stacking order), so the one leaving is nearly always at an end.
    const HWND* at = Empty() || *begin() == Wnd ? begin()
                     : *(end() - 1) == Wnd      ? end() - 1
                                                : std::lower_bound(begin(), end(), Wnd);
    if (at == end() || *at != Wnd) return;
    const auto index = static_cast<size_t>(at - FItems.data());
    if (index - FHead < FItems.size() - index - 1) {
        std::move_backward(FItems.begin() + FHead, FItems.begin() + index,
                           FItems.begin() + index + 1);
        ++FHead;
    } else {
        FItems.erase(FItems.begin() + index);
    }
    // Once the unused front outgrows the rest it goes: the array stays within twice the windows
    // that wait, and dropping it moves no more handles than were taken out to make it.
    if (FHead * 2 >= FItems.size()) {
        FItems.erase(FItems.begin(), FItems.begin() + FHead);
        FHead = 0;
    }
}

}  // namespace vex
