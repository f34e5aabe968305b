#include "platform/ui/popupmenu.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/applicationevents.h"
#include "platform/ui/form.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/timer.h"
#include "platform/win/window.h"
#include "platform/win/windowpos.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::ClickAt;
using test::ItemCentre;
using test::NewItem;
using test::OpenMenus;
using test::TapKey;

// A shown form with the keys, a panel on it and a popup menu of "&Open", "Save &As" (disabled),
// a line, "&Recent" with two sub-items, "Sen&d" and "Sen&d later" (one letter twice), "E&xit".
class PopupMenuTest : public ::testing::Test {
protected:
    PopupMenuTest() {
        Form.Form->SetFocus();
        Panel = Form.Add<test::TPlainPanel>(Form.Form, Rect(10, 10, 150, 100));
        Panel->SetName("Panel");
        Menu = new TPopupMenu(Form.Form);
        TMenuItem* root = Menu->Items();
        NewItem(root, "&Open", &Clicks);
        NewItem(root, "Save &As", &Clicks)->SetEnabled(false);
        NewItem(root, "-");
        TMenuItem* recent = NewItem(root, "&Recent", &Clicks);
        NewItem(recent, "&First.txt", &Clicks);
        NewItem(recent, "&Second.txt", &Clicks);
        NewItem(root, "Sen&d", &Clicks);
        NewItem(root, "Sen&d later", &Clicks);
        NewItem(root, "E&xit", &Clicks);
        test::PumpUntilIdle();
    }
    ~PopupMenuTest() override { test::PumpUntilIdle(); }

    // Opens the menu at At with the script's actions, then lets the posted command come.
    void PopupWith(const std::vector<std::function<void()>>& Actions, TPoint At = Point(300, 200)) {
        TModalScript script;
        for (const auto& action : Actions)
            script.Then(action);
        Menu->Popup(At.X, At.Y);
        EXPECT_TRUE(OpenMenus().empty());
        EXPECT_EQ(GetCapture(), HWND{0});
        EXPECT_TRUE(Clicks.empty()) << "a click came before the menu had closed";
        test::PumpUntilIdle();
    }

    std::vector<std::string> Clicks;
    test::TFixedMenuFont FixedFont;
    test::TShownForm Form;
    test::TPlainPanel* Panel;
    TPopupMenu* Menu;
};

TEST_F(PopupMenuTest, KeysChooseTheItemTheyReach) {
    struct TCase {
        const char* Name;
        std::vector<int32_t> Keys;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"down and enter", {VK_DOWN, VK_RETURN}, {"&Open"}},
        {"up wraps to the end", {VK_UP, VK_RETURN}, {"E&xit"}},
        {"end goes to the last", {VK_DOWN, VK_DOWN, VK_END, VK_RETURN}, {"E&xit"}},
        {"home goes to the first", {VK_UP, VK_HOME, VK_RETURN}, {"&Open"}},
        {"lines are passed over", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {}},  // Recent opens
        {"right opens a sub-menu",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
         {"&Second.txt"}},
        {"left closes it again",
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN},
         {"Sen&d"}},
        {"escape closes", {VK_DOWN, VK_ESCAPE}, {}},
        {"an accelerator chooses at once", {'X'}, {"E&xit"}},
        {"an accelerator opens its sub-menu", {'R', 'F'}, {"&First.txt"}},
        {"a letter twice moves between its items", {'D', 'D', VK_RETURN}, {"Sen&d later"}},
        {"a letter no item has does nothing", {'Q', VK_DOWN, VK_RETURN}, {"&Open"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        std::vector<std::function<void()>> actions;
        for (const int32_t key : c.Keys)
            actions.push_back([key] { TapKey(key); });
        // Whatever the keys left open, the menu ends.
        actions.push_back([] { TapKey(VK_ESCAPE), TapKey(VK_ESCAPE), TapKey(VK_ESCAPE); });
        PopupWith(actions);
        EXPECT_EQ(Clicks, c.Expected);
    }
}

TEST_F(PopupMenuTest, DisabledItemsAreNotChosen) {
    PopupWith({[] { TapKey(VK_DOWN), TapKey(VK_DOWN), TapKey(VK_RETURN); },
               [] { ClickAt(ItemCentre("Save As")); },
               [] {
                   EXPECT_EQ(OpenMenus().size(), 1u);
                   TapKey(VK_ESCAPE);
               }});
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, TheMouseHighlightsOpensAndChooses) {
    PopupWith({[] { InjectMouseMove(ItemCentre("Recent")); },
               [] {
                   ASSERT_EQ(OpenMenus().size(), 2u) << "hovering opens the sub-menu";
                   EXPECT_EQ(OpenMenus()[0]->Selected(), 3);
               },
               [] { ClickAt(ItemCentre("Second.txt")); }});
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Second.txt"});
}

TEST_F(PopupMenuTest, AClickOutsideClosesTheMenuAndIsEaten) {
    int panelClicks = 0;
    Panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        ++panelClicks;
    };
    PopupWith({[&] { ClickAt(Panel->ClientToScreen(Point(20, 20))); }});
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(panelClicks, 0);
}

TEST_F(PopupMenuTest, StaysOnTheScreen) {
    const TRect screen = Screen().WorkAreaRect();
    PopupWith({[&] {
                   const TRect shown = OpenMenus().at(0)->BoundsRect();
                   EXPECT_LE(shown.Right, screen.Right);
                   EXPECT_LE(shown.Bottom, screen.Bottom);
                   EXPECT_GE(shown.Left, screen.Left);
                   EXPECT_GE(shown.Top, screen.Top);
               },
               [] { TapKey(VK_ESCAPE); }},
              Point(screen.Right - 2, screen.Bottom - 2));
}

TEST_F(PopupMenuTest, RunsAsTheOnlyMenuAndFiresOnPopupFirst) {
    std::vector<std::string> seen;
    Menu->OnPopup = [&](TObject*) { seen.push_back(MenuRunning() ? "popup in menu" : "popup"); };
    TPopupMenu other(nullptr);
    NewItem(other.Items(), "Other");
    other.OnPopup = [&](TObject*) { seen.push_back("other"); };
    PopupWith({[&] {
                   seen.push_back(MenuRunning() ? "running" : "not running");
                   other.Popup(10, 10);  // refused: one menu at a time
               },
               [] { TapKey(VK_ESCAPE); }});
    EXPECT_EQ(seen, (std::vector<std::string>{"popup", "running"}));
    EXPECT_FALSE(MenuRunning());
}

TEST_F(PopupMenuTest, TheSelectedItemsHintIsTheApplications) {
    Menu->Items()->Items(0)->SetHint("Opens a file");
    std::vector<std::string> hints;
    PopupWith({[] { TapKey(VK_DOWN); }, [&] { hints.push_back(ApplicationEvents().Hint()); },
               [] { TapKey(VK_DOWN); }, [&] { hints.push_back(ApplicationEvents().Hint()); },
               [] { TapKey(VK_ESCAPE); }});
    EXPECT_EQ(hints, (std::vector<std::string>{"Opens a file", ""}));
}

TEST_F(PopupMenuTest, ARightClickOnAControlOpensItsPopupMenu) {
    Panel->SetPopupMenu(Menu);
    TModalScript script;
    script.Then([] { TapKey('O'); });
    ClickAt(Panel->ClientToScreen(Point(30, 40)), mbRight);
    test::PumpUntilIdle();
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Open"});
    EXPECT_EQ(Menu->PopupComponent(), Panel);
    EXPECT_EQ(Menu->PopupPoint(), Panel->ClientToScreen(Point(30, 40)));

    Clicks.clear();
    Menu->SetAutoPopup(false);
    ClickAt(Panel->ClientToScreen(Point(30, 40)), mbRight);
    test::PumpUntilIdle();
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, TheContextMenuKeyOpensItAtTheControl) {
    Panel->SetPopupMenu(Menu);
    Panel->SetTabStop(true);
    Panel->SetFocus();
    TModalScript script;
    script.Then([] { TapKey(VK_DOWN), TapKey(VK_RETURN); });
    script.Then([] { TapKey(VK_ESCAPE); });
    TapKey(VK_APPS);
    Application().ProcessMessages();
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Open"});
    EXPECT_EQ(Menu->PopupPoint(), Panel->ClientToScreen(Point(0, 0)));

    Clicks.clear();
    InjectKey(VK_SHIFT, true);
    TapKey(VK_F10);
    InjectKey(VK_SHIFT, false);
    Application().ProcessMessages();
    EXPECT_EQ(script.Pending(), 0u) << "Shift+F10 opens it too";
}

TEST_F(PopupMenuTest, ItsShortCutsReachTheControlAndWhatItHolds) {
    Panel->SetPopupMenu(Menu);
    Menu->Items()->Items(0)->SetShortCut(ShortCut('O', {ssCtrl}));
    auto* inside = Form.Add<test::TPlainPanel>(Panel, Rect(5, 5, 50, 30));
    auto* outside = Form.Add<test::TPlainPanel>(Form.Form, Rect(160, 10, 190, 40));
    const auto ctrlO = [] {
        InjectKey(VK_CONTROL, true);
        TapKey('O');
        InjectKey(VK_CONTROL, false);
        Application().ProcessMessages();
    };
    inside->SetFocus();
    ctrlO();
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Open"});
    EXPECT_TRUE(OpenMenus().empty());
    outside->SetFocus();
    ctrlO();
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Open"}) << "no shortcut outside the control";
}

TEST_F(PopupMenuTest, AMenuFreedOrRobbedOfTheMouseWhileOpenEndsItsLoop) {
    PopupWith({[] { TapKey(VK_DOWN); }, [] { ReleaseCapture(); }, [] { TapKey(VK_RETURN); }});
    PopupWith({[] { TapKey(VK_DOWN); }, [&] { delete Menu; }});
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, ItemsTakenOutWhileOpenEndTheLoop) {
    PopupWith({[&] { TapKey(VK_DOWN); }, [&] { delete Menu->Items()->Items(0); },
               [] { TapKey(VK_RETURN); }});
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, OwnerDrawingThatChangesTheTreeEndsTheMenuSafely) {
    // A handler that frees the item it sizes or paints, another item, or the whole menu: the
    // menu closes without touching what is gone and without choosing anything.
    using TChange = std::function<void(TObject * Sender)>;
    struct TCase {
        const char* Name;
        bool WhileDrawing;
        TChange Change;
    };
    const TChange freeItself = [](TObject* Sender) { delete Sender; };
    const TChange freeLast = [this](TObject*) {
        delete Menu->Items()->Items(Menu->Items()->Count() - 1);
    };
    const TChange addOne = [this](TObject*) { NewItem(Menu->Items(), "New"); };
    const TChange freeMenu = [this](TObject*) { delete Menu; };
    const std::vector<TCase> cases = {
        {"measuring frees the item", false, freeItself},
        {"measuring frees another item", false, freeLast},
        {"measuring adds an item", false, addOne},
        {"measuring frees the menu", false, freeMenu},
        {"drawing frees the item", true, freeItself},
        {"drawing frees another item", true, freeLast},
        {"drawing frees the menu", true, freeMenu},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        Menu = new TPopupMenu(Form.Form);
        for (const char* caption : {"&Open", "&Close", "E&xit"})
            NewItem(Menu->Items(), caption, &Clicks);
        TMenuItem* first = Menu->Items()->Items(0);
        bool changed = false;
        const auto once = [&changed, change = c.Change](TObject* Sender) {
            if (!std::exchange(changed, true)) change(Sender);
        };
        if (c.WhileDrawing)
            first->OnDrawItem = [once](TObject* Sender, TCanvas*, TRect, bool) { once(Sender); };
        else
            first->OnMeasureItem = [once](TObject* Sender, TCanvas*, int32_t&, int32_t&) {
                once(Sender);
            };
        PopupWith({[] { test::PumpUntilIdle(); }, [] { TapKey(VK_DOWN), TapKey(VK_RETURN); }});
        EXPECT_TRUE(changed);
        EXPECT_TRUE(Clicks.empty());
    }
}

TEST_F(PopupMenuTest, AQuitEndsTheMenuAndStaysPosted) {
    TModalScript script;
    script.Then([] { TapKey(VK_DOWN); }).Then([] { PostQuitMessage(7); }).Then([] {
        TapKey(VK_RETURN);
    });
    Menu->Popup(300, 200);
    EXPECT_TRUE(OpenMenus().empty());
    EXPECT_EQ(GetCapture(), HWND{0});
    EXPECT_FALSE(MenuRunning());
    MSG msg;
    ASSERT_TRUE(PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    test::PumpUntilIdle();
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, AModalFormShownWhileOpenEndsTheMenu) {
    TForm dialog(nullptr);
    dialog.SetBoundsRect(Rect(50, 50, 200, 150));
    bool menuHeldTheMouse = true;
    PopupWith({[] { TapKey(VK_DOWN); },
               [&] {
                   TModalScript inner;
                   inner.Then([&] {
                       const std::vector<TMenuWindow*> open = OpenMenus();
                       menuHeldTheMouse = !open.empty() && GetCapture() == open[0]->Handle();
                       dialog.SetModalResult(mrOk);
                   });
                   dialog.ShowModal();
               },
               [] { TapKey(VK_RETURN); }});
    EXPECT_FALSE(menuHeldTheMouse) << "the modal form could not be clicked";
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(PopupMenuTest, AcceleratorsAboveAsciiMatchInEitherCase) {
    NewItem(Menu->Items(), "&\xE9tat", &Clicks);  // e acute, Windows-1252
    for (const WPARAM typed : {WPARAM{0xE9}, WPARAM{0xC9}}) {
        Clicks.clear();
        PopupWith({[typed] { PostMessage(OpenMenus().at(0)->Handle(), WM_CHAR, typed, 0); },
                   [] { TapKey(VK_ESCAPE); }});
        EXPECT_EQ(Clicks, std::vector<std::string>{"&\xE9tat"}) << typed;
    }
}

TEST_F(PopupMenuTest, StaysOnTheScreenFromAnyPoint) {
    const TRect screen = Screen().WorkAreaRect();
    for (const TPoint at : {Point(INT32_MIN, INT32_MIN), Point(INT32_MAX, INT32_MAX),
                            Point(-50, screen.Bottom + 50), Point(screen.Right + 50, -50)}) {
        SCOPED_TRACE(::testing::Message() << at.X << "," << at.Y);
        PopupWith({[&] {
                       const TRect shown = OpenMenus().at(0)->BoundsRect();
                       EXPECT_TRUE(PtInRect(screen, Point(shown.Left, shown.Top)));
                       EXPECT_LE(shown.Right, screen.Right);
                       EXPECT_LE(shown.Bottom, screen.Bottom);
                   },
                   [] { TapKey(VK_ESCAPE); }},
                  at);
    }
}

TEST_F(PopupMenuTest, LooksClassic) {
    TMenuItem* root = Menu->Items();
    root->Items(0)->SetShortCut(ShortCut('O', {ssCtrl}));
    root->Items(0)->SetDefault(true);
    root->Items(4)->SetChecked(true);
    root->Items(5)->SetRadioItem(true);
    root->Items(5)->SetChecked(true);
    root->Items(6)->SetBreak(mbBarBreak);
    PopupWith({[] { TapKey(VK_DOWN), TapKey(VK_DOWN), TapKey(VK_DOWN), TapKey(VK_RIGHT); },
               [] {
                   std::vector<TMenuWindow*> open = OpenMenus();
                   ASSERT_EQ(open.size(), 2u);
                   EXPECT_TRUE(test::ControlMatchesReferencePicture(
                       *open[0], VEX_TEST_DIR "/testdata/pictures", "popupmenu"));
                   EXPECT_TRUE(test::ControlMatchesReferencePicture(
                       *open[1], VEX_TEST_DIR "/testdata/pictures", "popupsubmenu"));
               },
               [] { TapKey(VK_ESCAPE), TapKey(VK_ESCAPE); }});
}

}  // namespace
}  // namespace vex
