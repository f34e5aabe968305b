#include "dataaware/edits/wwdbcombomaplist.h"

#include "platform/core/stringutils.h"

namespace vex {

TwwMapItem wwSplitMapItem(std::string_view Item) {
    const size_t tab = Item.find('\t');
    if (tab == std::string_view::npos) return {Item, {}};
    return {Item.substr(0, tab), Item.substr(tab + 1)};
}

std::string wwDisplayPart(std::string_view Item, bool MapList) {
    return std::string(MapList ? wwSplitMapItem(Item).Display : Item);
}

int32_t wwIndexOfDisplay(const TStrings& Items, bool MapList, std::string_view Text) {
    for (int32_t i = 0; i < Items.Count(); ++i)
        if (wwDisplayPart(Items.Strings(i), MapList) == Text) return i;
    return -1;
}

int32_t wwIndexOfValue(const TStrings& Items, bool MapList, std::string_view Value) {
    for (int32_t i = 0; i < Items.Count(); ++i) {
        const std::string item = Items.Strings(i);
        if ((MapList ? wwSplitMapItem(item).Stored : std::string_view(item)) == Value) return i;
    }
    return -1;
}

int32_t wwFindDisplayPrefix(const TStrings& Items, bool MapList, int32_t First,
                            std::string_view Prefix) {
    const int32_t count = Items.Count();
    if (count == 0 || Prefix.empty()) return -1;
    const int32_t start = First >= 0 && First < count ? First : 0;
    for (int32_t step = 0; step < count; ++step) {
        const int32_t i = (start + step) % count;
        const std::string display = wwDisplayPart(Items.Strings(i), MapList);
        if (display.size() >= Prefix.size() &&
            AnsiSameText(std::string_view(display).substr(0, Prefix.size()), Prefix))
            return i;
    }
    return -1;
}

}  // namespace vex
