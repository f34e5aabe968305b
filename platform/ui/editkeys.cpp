#include "platform/ui/editkeys.h"

#include <array>

#include "platform/win/keyboard.h"

namespace vex {

namespace {

struct TKeyBinding {
    uint16_t Key;
    bool Ctrl;
    bool Shift;  // the binding needs Shift (moves take it either way)
    TEditAction Action;
};

constexpr std::array<TKeyBinding, 16> kKeys = {{
    {VK_LEFT, false, false, TEditAction::MoveCharLeft},
    {VK_RIGHT, false, false, TEditAction::MoveCharRight},
    {VK_LEFT, true, false, TEditAction::MoveWordLeft},
    {VK_RIGHT, true, false, TEditAction::MoveWordRight},
    {VK_HOME, false, false, TEditAction::MoveLineStart},
    {VK_END, false, false, TEditAction::MoveLineEnd},
    {VK_HOME, true, false, TEditAction::MoveTextStart},
    {VK_END, true, false, TEditAction::MoveTextEnd},
    {VK_UP, false, false, TEditAction::MoveRowUp},
    {VK_DOWN, false, false, TEditAction::MoveRowDown},
    {VK_PRIOR, false, false, TEditAction::MovePageUp},
    {VK_NEXT, false, false, TEditAction::MovePageDown},
    {VK_DELETE, false, true, TEditAction::Cut},
    {VK_DELETE, false, false, TEditAction::DeleteCharRight},
    {VK_INSERT, true, false, TEditAction::Copy},
    {VK_INSERT, false, true, TEditAction::Paste},
}};

}  // namespace

bool IsEditMove(TEditAction Action) {
    return Action >= TEditAction::MoveCharLeft && Action <= TEditAction::MovePageDown;
}

TEditAction EditKeyAction(uint16_t Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shift = Shift.Contains(ssShift);
    for (const TKeyBinding& binding : kKeys) {
        if (binding.Key != Key || binding.Ctrl != ctrl) continue;
        if (IsEditMove(binding.Action) || binding.Shift == shift) return binding.Action;
    }
    return TEditAction::None;
}

TEditAction EditCharAction(char Ch) {
    switch (Ch) {
        case '\x03':
            return TEditAction::Copy;
        case '\x08':
            return TEditAction::DeleteCharLeft;
        case '\x16':
            return TEditAction::Paste;
        case '\x18':
            return TEditAction::Cut;
        case '\x1A':
            return TEditAction::Undo;
        case '\x7F':
            return TEditAction::DeleteWordLeft;
        default:
            return TEditAction::None;
    }
}

}  // namespace vex
