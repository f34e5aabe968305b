#pragma once

// Driving an open menu in tests as a person would: keys and the pointer through synthetic input,
// the open levels found among the top-level windows.

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/menus.h"
#include "platform/ui/menuwindow.h"
#include "platform/ui/screen.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"

namespace vex::test {

inline void TapKey(int32_t VirtualKey) {
    InjectKey(VirtualKey, true);
    InjectKey(VirtualKey, false);
}

// A modifier in a list of keys holds for the key after it.
inline bool IsModifier(int32_t Key) {
    return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU;
}

// Keys injected in turn, a modifier held for the key after it.
inline void InjectKeys(const std::vector<int32_t>& Keys) {
    int32_t held = 0;
    for (int32_t key : Keys) {
        if (IsModifier(key)) {
            held = key;
            InjectKey(held, true);
            continue;
        }
        TapKey(key);
        if (held != 0) InjectKey(held, false);
        held = 0;
    }
}

inline void ClickAt(TPoint Screen, TMouseButton Button = mbLeft) {
    InjectMouseMove(Screen);
    InjectMouseButton(Button, true);
    InjectMouseButton(Button, false);
}

// The open levels of a menu, outermost first.
inline std::vector<TMenuWindow*> OpenMenus() {
    std::vector<TMenuWindow*> open;
    EnumWindows(
        [&](HWND Wnd, LPARAM) {
            if (auto* menu = dynamic_cast<TMenuWindow*>(FindControl(Wnd)))
                if (IsWindowVisible(Wnd)) open.insert(open.begin(), menu);
            return true;
        },
        0);
    return open;
}

// The middle of the item of the innermost open level whose caption (without "&") is Caption.
inline TPoint ItemCentre(const std::string& Caption) {
    std::vector<TMenuWindow*> open = OpenMenus();
    if (open.empty()) throw std::runtime_error("no menu is open");
    TMenuWindow* level = open.back();
    const int32_t place = level->PlaceOf(level->ParentItem().Find(Caption));
    if (place < 0) throw std::runtime_error(Caption + " is not shown");
    const TRect r = level->ScreenBoundsOf(place);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The screen's menu font is the built-in fixed font while it lives, so that menus are laid out
// and drawn the same wherever the tests run.
class TFixedMenuFont {
public:
    TFixedMenuFont() {
        FSaved.Assign(&Screen().MenuFont());
        Screen().MenuFont().SetName(FixedFontName);
    }
    ~TFixedMenuFont() { Screen().MenuFont().Assign(&FSaved); }
    TFixedMenuFont(const TFixedMenuFont&) = delete;
    TFixedMenuFont& operator=(const TFixedMenuFont&) = delete;

private:
    TFont FSaved;
};

inline TMenuItem* NewItem(TMenuItem* Parent, const std::string& Caption,
                          std::vector<std::string>* Log = nullptr) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(Caption);
    if (Log != nullptr) item->OnClick = [Log, Caption](TObject*) { Log->push_back(Caption); };
    Parent->Add(item);
    return item;
}

}  // namespace vex::test
