#pragma once

// A shown form for list and combo box tests, with the built-in fixed font (rows 12 pixels high,
// characters 6 wide), and a person's input injected through the same path the display's takes.

#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"

namespace vex::test {

inline constexpr int32_t RowHeight = 12;

struct TListScene {
    TListScene() {
        Form->SetBoundsRect(Rect(10, 10, 250, 200));
        Form->Font().SetName(FixedFontName);
        Form->Font().SetHeight(-RowHeight);
        Form->Font().SetColor(clWindowText);
        Form->Show();
        Application().ProcessMessages();
    }
    ~TListScene() {
        delete Form;
        ReleaseAllKeys();
    }
    TListScene(const TListScene&) = delete;
    TListScene& operator=(const TListScene&) = delete;

    template <class T, class... Args>
    T* Add(TWinControl* Parent, TRect Bounds, Args&&... More) {
        auto* c = new T(Form, std::forward<Args>(More)...);
        c->SetBoundsRect(Bounds);
        c->SetParent(Parent);
        return c;
    }

    TForm* Form = new TForm(nullptr);
};

// Holds the modifier keys of Keys ("shift", "ctrl") down around Action, as a person does.
template <class TAction>
void WithModifiers(const std::vector<int32_t>& Keys, TAction Action) {
    for (int32_t key : Keys)
        InjectKey(key, true);
    Application().ProcessMessages();
    Action();
    for (int32_t key : Keys)
        InjectKey(key, false);
    Application().ProcessMessages();
}

inline void PressKey(int32_t Key, const std::vector<int32_t>& Modifiers = {}) {
    WithModifiers(Modifiers, [&] {
        InjectKey(Key, true);
        InjectKey(Key, false);
        Application().ProcessMessages();
    });
}

inline void TypeText(const std::string& Text) {
    for (char c : Text) {
        const bool upper = c >= 'A' && c <= 'Z';
        PressKey(upper || (c >= '0' && c <= '9') ? c : c - 'a' + 'A',
                 upper ? std::vector<int32_t>{VK_SHIFT} : std::vector<int32_t>{});
    }
}

// A click (or a double click) at a client point of Control, with modifiers held.
inline void ClickAt(TControl& Control, TPoint At, const std::vector<int32_t>& Modifiers = {},
                    int Clicks = 1) {
    WithModifiers(Modifiers, [&] {
        InjectMouseMove(Control.ClientToScreen(At));
        for (int i = 0; i < Clicks; ++i) {
            InjectMouseButton(mbLeft, true);
            InjectMouseButton(mbLeft, false);
        }
        Application().ProcessMessages();
    });
}

inline void DragBetween(TControl& Control, TPoint From, TPoint To) {
    InjectMouseMove(Control.ClientToScreen(From));
    InjectMouseButton(mbLeft, true);
    Application().ProcessMessages();
    InjectMouseMove(Control.ClientToScreen(To));
    Application().ProcessMessages();
    InjectMouseButton(mbLeft, false);
    Application().ProcessMessages();
}

}  // namespace vex::test
