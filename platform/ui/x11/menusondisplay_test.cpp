// A popup menu and a main menu driven twice through the same script: injected with no display,
// and typed and clicked by xdotool on an Xvfb display. The same items must be chosen.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/mainmenu.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/application.h"
#include "platform/win/modaldriver.h"
#include "platform/win/toplevel.h"
#include "platform/win/x11/x11presenter.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// A form with a main menu ("&File", "&Edit" with "&Undo" and "&Redo") and a panel whose popup
// menu has "&Cut", "C&opy" and "&Paste"; each click goes into Record.
class TScene {
public:
    TScene() {
        FForm->SetCaption("Menu script");
        FForm->SetBounds(40, 50, 320, 220);
        FPanel->SetBoundsRect(Rect(20, 20, 200, 120));
        FPanel->SetParent(FForm);
        auto* popup = new TPopupMenu(FForm);
        for (const char* caption : {"&Cut", "C&opy", "&Paste"})
            Add(popup->Items(), caption);
        FPanel->SetPopupMenu(popup);
        auto* bar = new TMainMenu(FForm);
        Add(Add(bar->Items(), "&File"), "E&xit");
        TMenuItem* edit = Add(bar->Items(), "&Edit");
        Add(edit, "&Undo");
        Add(edit, "&Redo");
        FForm->SetMenu(bar);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    TPoint PanelPoint() const { return FPanel->ClientToScreen(Point(40, 30)); }

    TRecord Record;

private:
    TMenuItem* Add(TMenuItem* Parent, const char* Caption) {
        TMenuItem* item = test::NewItem(Parent, Caption);
        item->OnClick = [this, Caption](TObject*) {
            Record.push_back(std::string("click ") + StripHotkey(Caption));
        };
        return item;
    }

    TForm* FForm = new TForm(nullptr);
    TCustomControl* FPanel = new TCustomControl(FForm);
};

// How a script's input reaches the program: injected, or typed on the display.
struct TInput {
    std::function<void(TPoint Screen, int Button)> Click;
    std::function<void(TPoint Screen)> Move;
    // X key names, "alt+e" or "Down".
    std::function<void(const std::string& Keys)> Keys;
};

int VirtualKeyOf(const std::string& Name) {
    if (Name == "Down") return VK_DOWN;
    if (Name == "Return") return VK_RETURN;
    if (Name == "Escape") return VK_ESCAPE;
    return std::toupper(static_cast<unsigned char>(Name.back()));
}

TInput Injected() {
    return TInput{
        [](TPoint Screen, int Button) { test::ClickAt(Screen, Button == 3 ? mbRight : mbLeft); },
        [](TPoint Screen) { InjectMouseMove(Screen); },
        [](const std::string& Keys) {
            const bool alt = Keys.rfind("alt+", 0) == 0;
            if (alt) InjectKey(VK_MENU, true);
            test::TapKey(VirtualKeyOf(alt ? Keys.substr(4) : Keys));
            if (alt) InjectKey(VK_MENU, false);
        }};
}

TInput Typed(const std::string& Display) {
    return TInput{
        [Display](TPoint Screen, int Button) { test::ClickOnDisplay(Display, Screen, Button); },
        [Display](TPoint Screen) { test::MoveOnDisplay(Display, Screen); },
        [Display](const std::string& Keys) { test::RunXdotool(Display, "key " + Keys); }};
}

// The script: a right click on the panel, then a click on Copy in the popup; Alt+E on the
// main menu, then Down (from Undo) and Return in its drop-down. Inside the menus' loops the modal
// script gives the input, letting each part arrive before the next; Inspect looks at the open
// menu before the choice.
TRecord RunScript(TScene& Scene, const TInput& Input,
                  const std::function<void()>& Inspect = nullptr) {
    {
        TModalScript script;
        script.Wait(100)
            .Then([&] {
                if (Inspect) Inspect();
                Input.Move(test::ItemCentre("Cut"));
            })
            .Wait(100)
            .Then([&] { Input.Click(test::ItemCentre("Copy"), 1); })
            .Wait(100);
        Input.Click(Scene.PanelPoint(), 3);
        test::PumpThroughApplication([&] { return !Scene.Record.empty(); }, 5s);
        Scene.Record.push_back(std::string("menu running ") + (MenuRunning() ? "yes" : "no"));
    }
    {
        TModalScript script;
        script.Wait(100)
            .Then([&] { Input.Keys("Down"); })
            .Wait(100)
            .Then([&] { Input.Keys("Return"); })
            .Wait(100);
        Input.Keys("alt+e");
        test::PumpThroughApplication([&] { return Scene.Record.size() >= 3; }, 5s);
    }
    return Scene.Record;
}

class MenusOnDisplay : public test::OnDisplayTest {};

TEST_F(MenusOnDisplay, MenusChosenOnTheDisplayAreThoseChosenByInjectedInput) {
    TRecord injected;
    {
        TScene scene;
        Application().ProcessMessages();
        injected = RunScript(scene, Injected());
        test::ReleaseAllKeys();
    }
    EXPECT_EQ(injected, (TRecord{"click Copy", "menu running no", "click Redo"}));

    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Menu script"));
    bool grabbed = false;
    bool overrideRedirect = false;
    const TRecord typed = RunScript(scene, Typed(FServer.DisplayName()), [&] {
        // The open menu holds the pointer: another client's grab is refused.
        const int grab = XGrabPointer(FPeer.Dpy(), FPeer.Root(), False, ButtonPressMask,
                                      GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
        grabbed = grab == AlreadyGrabbed;
        if (grab == GrabSuccess) XUngrabPointer(FPeer.Dpy(), CurrentTime);
        // The menu's window is one the window manager never sees.
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(FPeer.Dpy(), FPeer.Root(), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(FPeer.Dpy(), children[i], &attributes) &&
                attributes.map_state == IsViewable && attributes.override_redirect)
                overrideRedirect = true;
        }
        if (children != nullptr) XFree(children);
    });
    EXPECT_EQ(typed, injected);
    EXPECT_TRUE(grabbed);
    EXPECT_TRUE(overrideRedirect);
    // Once closed, the menu holds nothing.
    EXPECT_EQ(XGrabPointer(FPeer.Dpy(), FPeer.Root(), False, ButtonPressMask, GrabModeAsync,
                           GrabModeAsync, 0, 0, CurrentTime),
              GrabSuccess);
    XUngrabPointer(FPeer.Dpy(), CurrentTime);
    XSync(FPeer.Dpy(), False);
}

}  // namespace
}  // namespace vex
