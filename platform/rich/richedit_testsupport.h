#pragma once

#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/rich/richedit.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex::test {

// A key with the modifiers held while it goes down ("S" Shift, "C" Ctrl) and the character it
// types, if any.
struct TRichKey {
    uint16_t Key;
    std::string Held;
    char Char = 0;
};

inline void PressKey(const TRichKey& Key) {
    std::vector<int32_t> held;
    if (Key.Held.find('S') != std::string::npos) held.push_back(VK_SHIFT);
    if (Key.Held.find('C') != std::string::npos) held.push_back(VK_CONTROL);
    const TKeysHeld keys(held);
    TypeKey(Key.Key, Key.Char);
}

inline void TypeChars(const std::string& Text) {
    for (char c : Text)
        DeliverKey(WM_CHAR, static_cast<uint8_t>(c));
}

// A focused rich-text control of the class TEdit on a shown form, its text in the fixed font:
// every character as wide as the next, so places on screen follow from positions.
template <typename TEdit>
struct TRichControlOnForm {
    TShownForm Shown;
    TEdit* Edit;
    TRichControlOnForm(TRect FormBounds, const std::string& Name, const std::string& Text,
                       TRect Bounds)
        : Shown(FormBounds) {
        Edit = Shown.Add<TEdit>(Shown.Form, Bounds);
        Edit->SetName(Name);
        Edit->Font().SetName(FixedFontName);
        Edit->Font().SetHeight(-12);
        Edit->SetText(Text);
        Edit->SetFocus();
        ReleaseAllKeys();
    }
    // A point inside the character at Position, for the mouse.
    LPARAM At(int32_t Position) const {
        const TPoint p = Edit->PosFromChar(Position);
        return MAKELONG(p.X + 2, p.Y + 3);
    }
};

struct TRichOnForm : TRichControlOnForm<TRichEdit> {
    explicit TRichOnForm(const std::string& Text = "", TRect Bounds = Rect(10, 10, 250, 130))
        : TRichControlOnForm(Rect(10, 10, 330, 230), "RichEdit1", Text, Bounds) {}
};

}  // namespace vex::test
