#include "platform/ui/mainmenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/application.h"
#include "platform/win/capture.h"
#include "platform/win/modaldriver.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowpos.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::ClickAt;
using test::ItemCentre;
using test::NewItem;
using test::OpenMenus;
using test::TapKey;

void AltKey(int32_t Key) {
    InjectKey(VK_MENU, true);
    TapKey(Key);
    InjectKey(VK_MENU, false);
}

// A shown form with a focused control and a main menu: "&File" (Open, Save with Ctrl+S),
// "&Edit" (Undo, "&Paste" disabled) and "&Help" without items.
class MainMenuTest : public ::testing::Test {
protected:
    MainMenuTest() {
        Form.Form->Font().SetName(FixedFontName);
        Field = Form.Add<test::TLogged>(Form.Form, Rect(10, 10, 100, 40), Log, "field");
        Menu = new TMainMenu(Form.Form);
        TMenuItem* file = NewItem(Menu->Items(), "&File", &Clicks);
        NewItem(file, "&Open", &Clicks);
        NewItem(file, "&Save", &Clicks)->SetShortCut(ShortCut('S', {ssCtrl}));
        TMenuItem* edit = NewItem(Menu->Items(), "&Edit", &Clicks);
        NewItem(edit, "&Undo", &Clicks);
        NewItem(edit, "&Paste", &Clicks)->SetEnabled(false);
        NewItem(Menu->Items(), "&Help", &Clicks);
        ClientBefore = Form.Form->ClientRect();
        Form.Form->SetMenu(Menu);
        Form.Form->FocusControl(Field);
        Settle();
    }
    ~MainMenuTest() override { Settle(); }

    static void Settle() { Application().ProcessMessages(); }

    // Runs the input with a script for the menu's loop, then lets the command come.
    void Run(const std::function<void()>& Input, const std::vector<std::function<void()>>& Script) {
        TModalScript script;
        for (const auto& action : Script)
            script.Then(action);
        Input();
        Settle();
        EXPECT_TRUE(OpenMenus().empty());
        EXPECT_EQ(GetCapture(), HWND{0});
        EXPECT_FALSE(MenuRunning());
        Settle();
    }

    TPoint TitleCentre(int32_t Title) {
        TRect r = Menu->TitleBounds(Title);
        TRect window;
        GetWindowRect(Form.Form->Handle(), window);
        return Point(window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2);
    }

    // The log and the clicks outlive the form, whose going is logged.
    test::TLog Log;
    std::vector<std::string> Clicks;
    test::TFixedMenuFont FixedFont;
    test::TShownForm Form;
    test::TLogged* Field;
    TMainMenu* Menu;
    TRect ClientBefore;
};

TEST_F(MainMenuTest, TheBarTakesClientHeight) {
    const int32_t bar = Menu->BarBounds().Bottom - Menu->BarBounds().Top;
    EXPECT_GE(bar, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(Form.Form->ClientHeight(), ClientBefore.Bottom - bar);
    EXPECT_EQ(Form.Form->ClientWidth(), ClientBefore.Right);
    // A menu with no visible title shows no bar.
    for (int32_t i = 0; i < Menu->Items()->Count(); ++i)
        Menu->Items()->Items(i)->SetVisible(false);
    EXPECT_EQ(Form.Form->ClientRect(), ClientBefore);
    Menu->Items()->Items(2)->SetVisible(true);
    EXPECT_EQ(Form.Form->ClientHeight(), ClientBefore.Bottom - bar);
    delete Menu;
    EXPECT_EQ(Form.Form->Menu(), nullptr);
    EXPECT_EQ(Form.Form->ClientRect(), ClientBefore);
}

TEST_F(MainMenuTest, TitlesThatDoNotFitGoOnInMoreRows) {
    const TRect oneRow = Menu->BarBounds();
    const int32_t row = oneRow.Bottom - oneRow.Top;
    const int32_t clientWithoutBar = Form.Form->ClientHeight() + row;
    // Room for two titles a row.
    Form.Form->SetWidth(Form.Form->Width() - oneRow.Right + Menu->TitleBounds(1).Right + 4);
    Settle();
    const TRect twoRows = Menu->BarBounds();
    EXPECT_EQ(twoRows.Bottom - twoRows.Top, 2 * row);
    EXPECT_EQ(Form.Form->ClientHeight(), clientWithoutBar - 2 * row);
    EXPECT_EQ(Menu->TitleBounds(1).Top, Menu->TitleBounds(0).Top);
    EXPECT_EQ(Menu->TitleBounds(2).Top, Menu->TitleBounds(0).Bottom);
    EXPECT_EQ(Menu->TitleBounds(2).Left, Menu->TitleBounds(0).Left);
    Run([&] { ClickAt(TitleCentre(2)); }, {});
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Help"});
}

TEST_F(MainMenuTest, KeysOpenTitlesAndChoose) {
    struct TCase {
        const char* Name;
        std::function<void()> Input;
        std::vector<int32_t> Keys;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"alt and a letter drops the title down",
         [] { AltKey('F'); },
         {VK_DOWN, VK_RETURN},
         {"&Save"}},
        {"its items' letters choose", [] { AltKey('E'); }, {'U'}, {"&Undo"}},
        {"right moves to the next title", [] { AltKey('F'); }, {VK_RIGHT, VK_RETURN}, {"&Undo"}},
        {"left goes round to the last", [] { AltKey('F'); }, {VK_LEFT, VK_RETURN}, {"&Help"}},
        {"a title without items is chosen itself", [] { AltKey('H'); }, {}, {"&Help"}},
        {"f10 selects the first title",
         [] { TapKey(VK_F10); },
         {VK_RIGHT, VK_DOWN, VK_RETURN},
         {"&Undo"}},
        {"escape closes the drop-down, then the bar",
         [] { AltKey('F'); },
         {VK_ESCAPE, VK_ESCAPE},
         {}},
        {"a disabled item is no choice", [] { AltKey('E'); }, {VK_UP, VK_RETURN, VK_ESCAPE}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        Log.clear();
        std::vector<std::function<void()>> actions;
        for (const int32_t key : c.Keys)
            actions.push_back([key] { TapKey(key); });
        actions.push_back([] { TapKey(VK_ESCAPE), TapKey(VK_ESCAPE), TapKey(VK_ESCAPE); });
        Run(c.Input, actions);
        EXPECT_EQ(Clicks, c.Expected);
        // The keys the menu took never reach the focused control.
        for (const std::string& line : Log)
            for (const char* key : {"keydown 13", "keydown 37", "keydown 39", "keydown 40"})
                EXPECT_NE(line, std::string("field ") + key);
    }
}

TEST_F(MainMenuTest, TheMouseOpensTitlesAndChooses) {
    Run([&] { ClickAt(TitleCentre(0)); }, {[&] { InjectMouseMove(TitleCentre(1)); },
                                           [] {
                                               ASSERT_EQ(OpenMenus().size(), 1u);
                                               EXPECT_EQ(OpenMenus()[0]->ParentItem().Caption(),
                                                         "&Edit");
                                           },
                                           [] { ClickAt(ItemCentre("Undo")); }});
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Undo"});

    Clicks.clear();
    Run([&] { ClickAt(TitleCentre(2)); }, {});
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Help"});

    Clicks.clear();
    Run([&] { ClickAt(TitleCentre(0)); }, {[&] { ClickAt(TitleCentre(0)); }});
    EXPECT_TRUE(Clicks.empty()) << "a second press on the open title closes it";
}

TEST_F(MainMenuTest, ShortCutsComeBeforeTheFocusedControl) {
    InjectKey(VK_CONTROL, true);
    TapKey('S');
    InjectKey(VK_CONTROL, false);
    Settle();
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Save"});
    for (const std::string& line : Log) {
        EXPECT_NE(line, "field keydown 83");
        EXPECT_EQ(line.find("keypress"), std::string::npos) << line;
    }
}

TEST_F(MainMenuTest, ACommandMessageClicksItsItem) {
    TMenuItem* undo = Menu->Items()->Items(1)->Items(0);
    EXPECT_EQ(Form.Form->Perform(WM_COMMAND, undo->Command(), 0), 0);
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Undo"});
}

TEST_F(MainMenuTest, AMenuFreedWhileOpenEndsItsLoop) {
    Run([] { AltKey('F'); },
        {[&] { delete std::exchange(Menu, nullptr); }, [] { TapKey(VK_RETURN); }});
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Form.Form->Menu(), nullptr);
    EXPECT_EQ(Form.Form->ClientRect(), ClientBefore);
}

TEST_F(MainMenuTest, AFormFreedWhileItsMenuIsOpenEndsTheLoop) {
    // A timer or another window may free the form while its menu is open: whatever opened the
    // menu must not touch the form, its menu or its control after that.
    const auto rebuild = [this] {
        Form.Form = new TForm(nullptr);
        Form.Form->SetBoundsRect(Rect(10, 10, 210, 160));
        Form.Form->Show();
        Field = Form.Add<test::TLogged>(Form.Form, Rect(10, 10, 100, 40), Log, "field");
        Menu = new TMainMenu(Form.Form);
        NewItem(NewItem(Menu->Items(), "&File", &Clicks), "&Open", &Clicks);
        Form.Form->SetMenu(Menu);
        Form.Form->FocusControl(Field);
        Settle();
    };
    const std::vector<std::pair<const char*, std::function<void()>>> inputs = {
        {"alt and a letter", [] { AltKey('F'); }},
        {"f10", [] { TapKey(VK_F10); }},
        {"a click on a title", [this] { ClickAt(TitleCentre(0)); }},
    };
    for (const auto& [name, input] : inputs) {
        SCOPED_TRACE(name);
        if (Form.Form == nullptr) rebuild();
        Run(input, {[&] {
                EXPECT_TRUE(MenuRunning());
                delete std::exchange(Form.Form, nullptr);
            }});
        EXPECT_TRUE(Clicks.empty());
    }
}

TEST_F(MainMenuTest, ADropDownWhoseMeasuringFreesTheMenuEndsTheLoop) {
    Menu->Items()->Items(1)->Items(0)->OnMeasureItem =
        [this](TObject*, TCanvas*, int32_t&, int32_t&) { delete std::exchange(Menu, nullptr); };
    Run([] { AltKey('F'); }, {[] { TapKey(VK_RIGHT); }, [] { TapKey(VK_RETURN); }});
    EXPECT_EQ(Menu, nullptr);
    EXPECT_EQ(Form.Form->Menu(), nullptr);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MainMenuTest, AMenuTakenFromItsFormWhileOpenCloses) {
    TMainMenu other(nullptr);
    NewItem(other.Items(), "&Other", &Clicks);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"no menu", [this] { Form.Form->SetMenu(nullptr); }},
        {"another menu", [&] { Form.Form->SetMenu(&other); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Form.Form->SetMenu(Menu);
        Settle();
        Run([] { AltKey('F'); }, {[&] { change(); },
                                  [] {
                                      EXPECT_TRUE(OpenMenus().empty());
                                      TapKey(VK_RETURN);
                                  }});
        EXPECT_TRUE(Clicks.empty());
    }
    Form.Form->SetMenu(Menu);
}

TEST_F(MainMenuTest, AnItemMayFreeTheFormItIsOn) {
    Menu->Items()->Items(0)->Items(0)->OnClick = [&](TObject*) {
        delete std::exchange(Form.Form, nullptr);
    };
    Run([] { AltKey('F'); }, {[] { TapKey(VK_RETURN); }});
    EXPECT_EQ(Form.Form, nullptr);
}

TEST_F(MainMenuTest, TitleAcceleratorsAboveAsciiMatchInEitherCase) {
    // "&" and e acute in Windows-1252, whose upper case is 0xC9.
    TMenuItem* title = NewItem(Menu->Items(),
                               "&\xE9"
                               "dition",
                               &Clicks);
    NewItem(title, "&Copier", &Clicks);
    const HWND form = Form.Form->Handle();
    struct TCase {
        const char* Name;
        std::function<void()> Input;
        std::vector<std::function<void()>> Script;
    };
    const std::vector<TCase> cases = {
        {"alt and the lower case letter",
         [&] { EXPECT_TRUE(Menu->OpenByAccelerator('\xE9')); },
         {}},
        {"alt and the upper case letter",
         [&] { EXPECT_TRUE(Menu->OpenByAccelerator('\xC9')); },
         {}},
        {"the letter typed on the bar", [] { TapKey(VK_F10); }, {[form] {
             PostMessage(form, WM_CHAR, 0xE9, 0);
         }}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        std::vector<std::function<void()>> script = c.Script;
        script.push_back([] { TapKey(VK_RETURN); });
        script.push_back([] { TapKey(VK_ESCAPE), TapKey(VK_ESCAPE); });
        Run(c.Input, script);
        EXPECT_EQ(Clicks, std::vector<std::string>{"&Copier"});
    }
}

TEST_F(MainMenuTest, LooksClassic) {
    Menu->Items()->Items(0)->Items(0)->SetChecked(true);
    Run([] { AltKey('F'); },
        {[] { TapKey(VK_DOWN); },
         [&] {
             std::vector<TMenuWindow*> open = OpenMenus();
             ASSERT_EQ(open.size(), 1u);
             EXPECT_TRUE(test::ControlMatchesReferencePicture(
                 *Form.Form, VEX_TEST_DIR "/testdata/pictures", "mainmenubar"));
             EXPECT_TRUE(test::ControlMatchesReferencePicture(
                 *open[0], VEX_TEST_DIR "/testdata/pictures", "mainmenudropdown"));
         },
         [] { TapKey(VK_ESCAPE), TapKey(VK_ESCAPE); }});
}

}  // namespace
}  // namespace vex
