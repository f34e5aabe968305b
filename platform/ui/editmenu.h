#pragma once

#include <array>

#include "platform/ui/editkeys.h"

namespace vex {

// The items of an edit's own context menu, in order; a null caption is a separator. Each item
// is enabled while TCustomEdit::CanRun says its action would do something.
struct TEditMenuItem {
    const char* Caption;
    TEditAction Action;
};

inline constexpr std::array<TEditMenuItem, 8> EditMenuItems = {{
    {"&Undo", TEditAction::Undo},
    {nullptr, TEditAction::None},
    {"Cu&t", TEditAction::Cut},
    {"&Copy", TEditAction::Copy},
    {"&Paste", TEditAction::Paste},
    {"&Delete", TEditAction::Clear},
    {nullptr, TEditAction::None},
    {"Select &All", TEditAction::SelectAll},
}};

}  // namespace vex
