#pragma once

// What the tests of push buttons, tool buttons and check boxes share: a shown, active form in
// the built-in fixed font, and input injected as a person's would arrive (through the routing,
// capture and key handling real input takes).

#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/toplevel.h"

namespace vex::test {

class TButtonsScene {
public:
    explicit TButtonsScene(TRect Bounds = Rect(100, 100, 420, 300)) : FShown(Bounds) {
        Form().Font().SetName(FixedFontName);
        Form().Font().SetHeight(-11);
        SetActiveWindow(Form().Handle());
        Application().ProcessMessages();
    }
    ~TButtonsScene() { ReleaseAllKeys(); }
    TButtonsScene(const TButtonsScene&) = delete;
    TButtonsScene& operator=(const TButtonsScene&) = delete;

    TForm& Form() { return *FShown.Form; }
    // A control captioned Caption and named by it without its "&"; its clicks are noted.
    template <class T, class... Args>
    T* Add(const std::string& Caption, TRect Bounds, TWinControl* Parent, Args&&... More) {
        T* control = FShown.Add<T>(Parent != nullptr ? Parent : FShown.Form, Bounds,
                                   std::forward<Args>(More)...);
        std::string Name = Caption;
        std::erase(Name, '&');
        control->SetName(Name);
        control->SetCaption(Caption);
        control->OnClick = [this, Name](TObject*) { Clicks.push_back(Name); };
        return control;
    }

    // The screen point at X, Y of Control.
    static TPoint On(const TControl& Control, int32_t X, int32_t Y) {
        return Control.ClientToScreen(Point(X, Y));
    }
    static TPoint Middle(const TControl& Control) {
        return On(Control, Control.Width() / 2, Control.Height() / 2);
    }
    static void Settle() { Application().ProcessMessages(); }
    static void MoveTo(TPoint Screen) {
        InjectMouseMove(Screen);
        Settle();
    }
    static void Button(bool Down) {
        InjectMouseButton(mbLeft, Down);
        Settle();
    }
    static void ClickOn(const TControl& Control) {
        MoveTo(Middle(Control));
        Button(true);
        Button(false);
    }
    // Key pressed and released, with the keys of Held down around it.
    static void Type(int32_t Key, const std::vector<int32_t>& Held = {}) {
        for (int32_t held : Held)
            InjectKey(held, true);
        InjectKey(Key, true);
        InjectKey(Key, false);
        for (auto held = Held.rbegin(); held != Held.rend(); ++held)
            InjectKey(*held, false);
        Settle();
    }

    // What Control shows now matches the reviewed picture Name.
    static ::testing::AssertionResult LooksAsReviewed(TControl& Control, const std::string& Name) {
        return ControlMatchesReferencePicture(Control, VEX_TEST_DIR "/testdata/pictures", Name);
    }

    // The names of the controls clicked, in order, since the last look.
    std::vector<std::string> TakeClicks() { return std::exchange(Clicks, {}); }
    std::vector<std::string> Clicks;

private:
    TShownForm FShown;
};

}  // namespace vex::test
