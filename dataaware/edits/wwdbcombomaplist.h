#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/stringlist.h"

namespace vex {

// The items of a data-aware combo box, read as the user sees them and as the field stores them.
// With MapList an item is a display text and a stored value joined by a TAB (an item without a
// TAB stores nothing); without it an item is both.

struct TwwMapItem {
    std::string_view Display;
    std::string_view Stored;
};
TwwMapItem wwSplitMapItem(std::string_view Item);

std::string wwDisplayPart(std::string_view Item, bool MapList);
// The first item whose display part (Display) or stored part (not Display) equals Text exactly;
// -1 when none does.
int32_t wwIndexOfDisplay(const TStrings& Items, bool MapList, std::string_view Text);
int32_t wwIndexOfValue(const TStrings& Items, bool MapList, std::string_view Value);
// The first item, walking once round the list from First, whose display part starts with Prefix
// in any case; -1 when none does, the list is empty or Prefix is.
int32_t wwFindDisplayPrefix(const TStrings& Items, bool MapList, int32_t First,
                            std::string_view Prefix);

}  // namespace vex
