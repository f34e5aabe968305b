#include "dataaware/edits/wwmaplist.h"

#include "dataaware/edits/wwdbcombomaplist.h"

namespace vex {

int32_t TwwMapLookup::IndexOfDisplay(const TStrings& Items, bool MapList, std::string_view Text) {
    if (!Ready(Items, MapList)) return wwIndexOfDisplay(Items, MapList, Text);
    return Find(FByDisplay, Text);
}

int32_t TwwMapLookup::IndexOfValue(const TStrings& Items, bool MapList, std::string_view Value) {
    if (!Ready(Items, MapList)) return wwIndexOfValue(Items, MapList, Value);
    return Find(FByStored, Value);
}

void TwwMapLookup::ItemsChanging() {
    ItemsChanged();
    FChanging = true;
}

void TwwMapLookup::ItemsChanged() {
    FByDisplay.clear();
    FByStored.clear();
    FBuilt = false;
    FChanging = false;
}

bool TwwMapLookup::Ready(const TStrings& Items, bool MapList) {
    if (FChanging) return false;
    if (FBuilt && FBuiltMapList == MapList) return true;
    ItemsChanged();
    const int32_t count = Items.Count();
    FByDisplay.reserve(static_cast<size_t>(count));
    FByStored.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const std::string item = Items.Strings(i);
        const TwwMapItem parts = MapList ? wwSplitMapItem(item) : TwwMapItem{item, item};
        // emplace keeps the entry already there: the first item wins, as a scan finds it.
        FByDisplay.emplace(parts.Display, i);
        FByStored.emplace(parts.Stored, i);
    }
    FBuilt = true;
    FBuiltMapList = MapList;
    return true;
}

int32_t TwwMapLookup::Find(const TIndex& Index, std::string_view Key) {
    const auto found = Index.find(Key);
    return found == Index.end() ? -1 : found->second;
}

}  // namespace vex
