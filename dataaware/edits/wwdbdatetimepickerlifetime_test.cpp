// The picker freed by its own handlers, in the middle of whatever raised them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbdatetimepicker_testsupport.h"
#include "platform/core/datetime.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/keyboard.h"

namespace vex {
namespace {

using test::DayAt;

// Every path that changes the text tells OnChange, which may free the picker; nothing may touch
// it after that.
TEST(DBDateTimePickerLifetime, FreedFromItsOwnOnChangeWhateverChangedTheText) {
    using TAction = std::function<void(TwwDBDateTimePicker&)>;
    const TAction nothing = [](TwwDBDateTimePicker&) {};
    const TAction onTheDay = [](TwwDBDateTimePicker&) { test::TypeKey(VK_RIGHT); };
    const TAction pending = [](TwwDBDateTimePicker&) {
        test::TypeKey(VK_RIGHT);
        test::TypeKey('1', '1');
    };
    const struct {
        const char* Name;
        TAction Prepare, Act;
    } cases[] = {
        {"Up", nothing, [](TwwDBDateTimePicker&) { test::TypeKey(VK_UP); }},
        {"End", nothing, [](TwwDBDateTimePicker&) { test::TypeKey(VK_END); }},
        {"a digit", onTheDay, [](TwwDBDateTimePicker&) { test::TypeKey('7', '7'); }},
        {"a first digit pending", onTheDay, [](TwwDBDateTimePicker&) { test::TypeKey('1', '1'); }},
        {"the pending digit taken by Left", pending,
         [](TwwDBDateTimePicker&) { test::TypeKey(VK_LEFT); }},
        {"the pending digit taken by the Date getter", pending,
         [](TwwDBDateTimePicker& P) { P.Date(); }},
        {"the pending digit taken by a drop-down", pending,
         [](TwwDBDateTimePicker&) {
             test::WithModifiers({VK_MENU}, [] { test::TypeKey(VK_DOWN); });
         }},
        {"the pending digit taken by leaving", pending,
         [](TwwDBDateTimePicker& P) {
             auto* next = new TEdit(P.Owner());
             next->SetParent(P.Parent());
             next->SetFocus();
         }},
        {"a letter", nothing, [](TwwDBDateTimePicker&) { test::TypeKey('J', 'j'); }},
        {"Delete", nothing, [](TwwDBDateTimePicker&) { test::TypeKey(VK_DELETE); }},
        {"Space", nothing, [](TwwDBDateTimePicker&) { test::TypeKey(VK_SPACE, ' '); }},
        {"Escape after an edit", [](TwwDBDateTimePicker&) { test::TypeKey(VK_UP); },
         [](TwwDBDateTimePicker&) { test::TypeKey(VK_ESCAPE, '\x1b'); }},
        {"a key on an empty picker", [](TwwDBDateTimePicker& P) { P.SetValue(0); },
         [](TwwDBDateTimePicker&) { test::TypeKey(VK_RIGHT); }},
        {"cut", nothing,
         [](TwwDBDateTimePicker& P) {
             P.SelectAll();
             SendMessage(P.Handle(), WM_CUT, 0, 0);
         }},
        {"paste", nothing,
         [](TwwDBDateTimePicker& P) {
             test::SetClipboardText("7/4/2030");
             SendMessage(P.Handle(), WM_PASTE, 0, 0);
         }},
        {"value setter", nothing, [](TwwDBDateTimePicker& P) { P.SetValue(DayAt(2030, 7, 4)); }},
        {"Alt+Down on an empty picker", [](TwwDBDateTimePicker& P) { P.SetValue(0); },
         [](TwwDBDateTimePicker&) {
             test::WithModifiers({VK_MENU}, [] { test::TypeKey(VK_DOWN); });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TPickerScene scene;
        TwwDBDateTimePicker* picker = scene.Picker;
        picker->SetDisplayFormat("mmmm dd, yyyy");
        picker->SetValue(DayAt(2024, 3, 5, 9));
        picker->SetFocus();
        test::TypeKey(VK_F2);
        c.Prepare(*picker);
        picker->OnChange = [&](TObject*) { delete std::exchange(picker, nullptr); };
        c.Act(*picker);
        EXPECT_EQ(picker, nullptr);
    }
}

// A press on the form's caption reaches no control, only the mouse hooks.
void PressCaption(TForm& Form) {
    TRect r;
    GetWindowRect(Form.Handle(), r);
    test::ClickAt(Point((r.Left + r.Right) / 2, r.Top + 8));
    test::PumpUntilIdle();
}

// Three pickers dropped down in turn and freed in every order, one of them while it is down:
// whichever is open still closes on a press elsewhere, and no hook is left behind.
TEST(DBDateTimePickerLifetime, PickersFreedInAnyOrderLeaveTheOpenOneClosingOnAPressElsewhere) {
    const int orders[][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& order : orders) {
        SCOPED_TRACE(std::to_string(order[0]) + std::to_string(order[1]) +
                     std::to_string(order[2]));
        test::TPickerScene scene;
        std::vector<TwwDBDateTimePicker*> pickers = {
            scene.Picker, scene.Add<TwwDBDateTimePicker>(scene.Form, Rect(10, 50, 150, 70)),
            scene.Add<TwwDBDateTimePicker>(scene.Form, Rect(10, 90, 150, 110))};
        for (TwwDBDateTimePicker* p : pickers)
            p->SetValue(DayAt(2024, 3, 5));
        for (int step = 0; step < 3; ++step) {
            // The next picker still here drops down, and the one due to go goes while it is.
            TwwDBDateTimePicker* open = nullptr;
            for (TwwDBDateTimePicker* p : pickers)
                if (p != nullptr && open == nullptr) open = p;
            open->SetFocus();
            test::PressKey(VK_DOWN, {VK_MENU});
            ASSERT_TRUE(open->IsDroppedDown());
            TwwDBDateTimePicker*& going = pickers[static_cast<size_t>(order[step])];
            const bool openGoes = going == open;
            delete std::exchange(going, nullptr);
            PressCaption(*scene.Form);
            if (!openGoes) {
                EXPECT_FALSE(open->IsDroppedDown());
            }
        }
        PressCaption(*scene.Form);
    }
}

// The binding goes away under an open calendar: closing it writes nowhere.
TEST(DBDateTimePickerLifetime, DataSourceOrDataSetFreedWhileDroppedDown) {
    for (bool dataSet : {false, true}) {
        SCOPED_TRACE(dataSet ? "data set" : "data source");
        auto data = std::make_unique<test::TMomentsTable>();
        test::TPickerScene scene;
        TwwDBDateTimePicker& picker = *scene.Picker;
        picker.SetDataSource(&data->Source);
        picker.SetDataField("Stamp");
        data->Table.Open();
        picker.SetFocus();
        test::PressKey(VK_DOWN, {VK_MENU});
        ASSERT_TRUE(picker.IsDroppedDown());
        test::PressKey(VK_RIGHT);
        if (dataSet)
            data->Source.SetDataSet(nullptr);
        else
            data.reset();
        test::PressKey(VK_RIGHT);
        test::PressKey(VK_RETURN);
        EXPECT_FALSE(picker.IsDroppedDown());
        EXPECT_EQ(picker.Field(), nullptr);
        PressCaption(*scene.Form);
    }
}

}  // namespace
}  // namespace vex
