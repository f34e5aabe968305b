#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/core/stringlist.h"

namespace vex {

// The first item showing a text or storing a value, found without a scan: a bound combo box
// asks both on every record of a walk through its dataset. Built on first use from the items as
// they are then; the owner of the items reports each change through ItemsChanging and
// ItemsChanged, and between the two (a change or a whole BeginUpdate..EndUpdate) every answer
// comes from a scan, since the items may be half changed.
class TwwMapLookup {
public:
    // As wwIndexOfDisplay and wwIndexOfValue.
    int32_t IndexOfDisplay(const TStrings& Items, bool MapList, std::string_view Text);
    int32_t IndexOfValue(const TStrings& Items, bool MapList, std::string_view Value);

    void ItemsChanging();
    void ItemsChanged();

private:
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view S) const { return std::hash<std::string_view>()(S); }
    };
    using TIndex = std::unordered_map<std::string, int32_t, THash, std::equal_to<>>;

    // Whether the indexes answer for Items read with MapList, building them if they may.
    bool Ready(const TStrings& Items, bool MapList);
    static int32_t Find(const TIndex& Index, std::string_view Key);

    TIndex FByDisplay;
    TIndex FByStored;
    bool FBuilt = false;
    bool FBuiltMapList = false;
    bool FChanging = false;
};

}  // namespace vex
