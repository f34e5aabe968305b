#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vex {

// Moves Item to Position in List, a position beyond either end meaning that end; false when the
// item is not in the list or already there.
template <class T, class TItem>
bool MoveInList(std::vector<T*>& List, TItem* Item, int64_t Position) {
    const auto at = std::find(List.begin(), List.end(), Item);
    if (at == List.end()) return false;
    const auto from = at - List.begin();
    const auto to = std::clamp<int64_t>(Position, 0, std::ssize(List) - 1);
    if (from == to) return false;
    T* item = *at;
    List.erase(at);
    List.insert(List.begin() + to, item);
    return true;
}

// A list of controls as it is now, each with its life, for walks that call out to handlers
// which may free any of them.
template <class T>
std::vector<std::pair<T*, std::weak_ptr<const void>>> Snapshot(const std::vector<T*>& List) {
    std::vector<std::pair<T*, std::weak_ptr<const void>>> snapshot;
    snapshot.reserve(List.size());
    for (T* c : List)
        snapshot.emplace_back(c, c->LifeToken());
    return snapshot;
}

}  // namespace vex
