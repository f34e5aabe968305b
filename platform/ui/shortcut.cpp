#include "platform/ui/shortcut.h"

#include <array>
#include <string_view>

#include "platform/core/stringutils.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

struct TKeyName {
    uint16_t Key;
    const char* Name;
};

// The keys a shortcut names by a word; letters, digits and function keys are made up below.
constexpr std::array<TKeyName, 15> kKeyNames{{
    {VK_BACK, "BkSp"},
    {VK_TAB, "Tab"},
    {VK_ESCAPE, "Esc"},
    {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},
    {VK_NEXT, "PgDn"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
}};

struct TShiftName {
    TShortCut Bit;
    const char* Prefix;
};

constexpr std::array<TShiftName, 3> kShiftNames{{
    {scShift, "Shift+"},
    {scCtrl, "Ctrl+"},
    {scAlt, "Alt+"},
}};

std::string KeyName(uint16_t Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
        return std::string(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F1 + 11) return "F" + std::to_string(Key - VK_F1 + 1);
    for (const TKeyName& k : kKeyNames)
        if (k.Key == Key) return k.Name;
    return "";
}

}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0) return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift)) result |= scShift;
    if (Shift.Contains(ssCtrl)) result |= scCtrl;
    if (Shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = TShiftState{};
    if ((ShortCut & scShift) != 0) Shift.Include(ssShift);
    if ((ShortCut & scCtrl) != 0) Shift.Include(ssCtrl);
    if ((ShortCut & scAlt) != 0) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
    const std::string name = KeyName(ShortCut & 0xFF);
    if (name.empty()) return "";
    std::string text;
    for (const TShiftName& s : kShiftNames)
        if ((ShortCut & s.Bit) != 0) text += s.Prefix;
    return text + name;
}

TShortCut TextToShortCut(const std::string& Text) {
    TShortCut shift = 0;
    // A view, moved on past each name: a long run of names is not copied down at every one.
    std::string_view rest = Text;
    for (bool found = true; found;) {
        found = false;
        for (const TShiftName& s : kShiftNames) {
            const std::string_view prefix = s.Prefix;
            if (rest.size() > prefix.size() &&
                AnsiSameText(rest.substr(0, prefix.size()), prefix)) {
                shift |= s.Bit;
                rest.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    for (uint16_t key = 1; key <= 0xFF; ++key) {
        const std::string name = KeyName(key);
        if (!name.empty() && AnsiSameText(name, rest)) return static_cast<TShortCut>(key | shift);
    }
    return scNone;
}

}  // namespace vex
