// The bound edit controls driven by one script twice: injected with no display, and by xdotool
// on an Xvfb display. A phone number typed under its picture, "m" and "a" completing Mango in a
// combo box that stores its code, a minute stepped with Up, a day picked from the dropped-down
// calendar, a drop-down accepted by a click elsewhere, and one that still closes so after
// another picker is freed: the texts, and the fields the post writes, come out the same at
// either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dataaware/edits/wwcalendar_testsupport.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wweditsfixture_testsupport.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/toplevel.h"

namespace vex {
namespace {

// The second contact, whose stamp is 1 July 2024 18:00, on a form of its phone, fruit and
// stamp, with a spare picker below them.
class TScene {
public:
    TScene() {
        FData.Contacts.Open();
        FData.Contacts.FindKey({"2"});
        Phone = Add<TwwDBEdit>(10);
        Phone->SetDataSource(&FData.Source);
        Phone->SetDataField("Phone");
        Fruit = Add<TwwDBComboBox>(40);
        Fruit->SetMapList(true);
        Fruit->SetShowMatchText(true);
        for (const char* item : test::kFruitItems)
            Fruit->Items().Add(item);
        Fruit->SetDataSource(&FData.Source);
        Fruit->SetDataField("Fruit");
        Stamp = Add<TwwDBDateTimePicker>(70);
        Stamp->SetDisplayFormat("mm/dd/yyyy hh:nn");
        Stamp->SetDataSource(&FData.Source);
        Stamp->SetDataField("Stamp");
        Spare = Add<TwwDBDateTimePicker>(100);
        Spare->SetDate(test::DayAt(2024, 1, 1));
        SetActiveWindow(FShown.Form->Handle());
    }

    std::string State() const {
        return "phone " + Phone->Text() + ", fruit " + Fruit->Text() + ", stamp " + Stamp->Text() +
               (Stamp->IsDroppedDown() ? " dropped down" : "") +
               (Spare != nullptr ? "" : ", spare freed") + ", fields " + FData.Phone.AsString() +
               "|" + FData.Fruit.AsString() + "|" + test::Shown(FData.Stamp.AsDateTime());
    }

    TPoint Middle(TControl& Control) const { return test::MiddleOf(Control); }
    // The middle of the minutes in the stamp's text, measured in its own font.
    TPoint StampMinutes() const {
        TBitmap measure;
        measure.Canvas().Font().Assign(&Stamp->Font());
        const std::string text = Stamp->Text();
        const int32_t before = measure.Canvas().TextWidth(text.substr(0, text.size() - 2));
        const int32_t minutes = measure.Canvas().TextWidth(text.substr(text.size() - 2));
        return Stamp->ClientToScreen(Point(2 + before + minutes / 2, Stamp->ClientHeight() / 2));
    }
    TPoint CalendarDay(uint16_t Month, uint16_t Day) const {
        TwwPopupCalendar& calendar = *Stamp->PopupCalendar();
        return calendar.ClientToScreen(test::FindDay(calendar, 2024, Month, Day));
    }
    TPoint CalendarNextMonth() const {
        TwwPopupCalendar& calendar = *Stamp->PopupCalendar();
        return calendar.ClientToScreen(test::FindCode(calendar, MCHT_TITLEBTNNEXT));
    }
    TPoint Elsewhere() const { return FShown.Form->ClientToScreen(Point(300, 150)); }

    void FreeSpare() {
        delete Spare;
        Spare = nullptr;
    }
    void Post() { FData.Contacts.Post(); }

    TwwDBEdit* Phone;
    TwwDBComboBox* Fruit;
    TwwDBDateTimePicker* Stamp;
    TwwDBDateTimePicker* Spare;
    std::vector<std::string> Record;

private:
    template <class T>
    T* Add(int32_t Top) {
        return FShown.Add<T>(FShown.Form, Rect(10, Top, 210, Top + 24));
    }

    test::TEditsFixture FData{VEX_TEST_DIR "/testdata/wwedits.sql"};
    test::TShownForm FShown{Rect(40, 50, 460, 250)};
};

// Each step is keys typed, a click, or something the program does between them.
struct TStep {
    std::vector<int32_t> Keys;
    TPoint (*At)(const TScene&) = nullptr;
    void (*Do)(TScene&) = nullptr;
};

const std::vector<TStep> kScript = {
    {{}, [](const TScene& S) { return S.Middle(*S.Phone); }},
    {{'5', '5', '5', '1', '2', '3', '4', '5', '6', '7'}},
    {{}, [](const TScene& S) { return S.Middle(*S.Fruit); }},
    {{'M'}},
    {{'A'}},
    {{}, [](const TScene& S) { return S.StampMinutes(); }},
    {{VK_UP}},
    {{VK_MENU, VK_DOWN}},
    {{}, [](const TScene& S) { return S.CalendarDay(7, 17); }},
    // The calendar's month moves the value at once; a click elsewhere keeps what it shows.
    {{VK_MENU, VK_DOWN}},
    {{}, [](const TScene& S) { return S.CalendarNextMonth(); }},
    {{}, [](const TScene& S) { return S.Elsewhere(); }},
    // A picker freed while another is down takes nothing of the other's with it.
    {{}, [](const TScene& S) { return S.Middle(*S.Stamp); }},
    {{VK_MENU, VK_DOWN}},
    {{}, nullptr, [](TScene& S) { S.FreeSpare(); }},
    {{}, [](const TScene& S) { return S.Elsewhere(); }},
    {{}, nullptr, [](TScene& S) { S.Post(); }},
};

std::vector<std::string> RunScript(const test::TScriptInput& Input, int64_t Settle) {
    return test::RunModalSteps<TScene>(
        kScript,
        [&Input](const TStep& Step, TScene& S) {
            if (Step.Do != nullptr)
                Step.Do(S);
            else if (Step.At != nullptr)
                Input.Click(Step.At(S));
            else
                Input.Keys(Step.Keys);
        },
        Settle);
}

class DataAwareEditsOnDisplay : public test::OnDisplayTest {};

TEST_F(DataAwareEditsOnDisplay, TypingPickingAndClickingDoTheSameOnTheDisplayAsInjected) {
    const std::vector<std::string> injected = RunScript(test::InjectedInput(), 50);
    const std::string typed = "phone (555)123-4567, fruit Mango, stamp ";
    const std::string fields = "fields (555)123-4567|MG|2024-07-01 18:00";
    const std::vector<std::string> expected = {
        "phone , fruit , stamp 07/01/2024 18:00, fields ||2024-07-01 18:00",
        "phone (555)123-4567, fruit , stamp 07/01/2024 18:00, fields ||2024-07-01 18:00",
        "phone (555)123-4567, fruit , stamp 07/01/2024 18:00, fields (555)123-4567||2024-07-01 "
        "18:00",
        "phone (555)123-4567, fruit Melon, stamp 07/01/2024 18:00, fields "
        "(555)123-4567||2024-07-01 "
        "18:00",
        typed + "07/01/2024 18:00, fields (555)123-4567||2024-07-01 18:00",
        typed + "07/01/2024 18:00, " + fields,
        typed + "07/01/2024 18:01, " + fields,
        typed + "07/01/2024 18:01 dropped down, " + fields,
        typed + "07/17/2024 18:01, " + fields,
        typed + "07/17/2024 18:01 dropped down, " + fields,
        typed + "08/17/2024 18:01 dropped down, " + fields,
        typed + "08/17/2024 18:01, " + fields,
        typed + "08/17/2024 18:01, " + fields,
        typed + "08/17/2024 18:01 dropped down, " + fields,
        typed + "08/17/2024 18:01 dropped down, spare freed, " + fields,
        typed + "08/17/2024 18:01, spare freed, " + fields,
        typed + "08/17/2024 18:01, spare freed, fields (555)123-4567|MG|2024-08-17 18:01",
    };
    EXPECT_EQ(injected, expected);

    PresentOnDisplay();
    EXPECT_EQ(RunScript(test::DisplayInput(FServer.DisplayName()), 400), injected);
}

}  // namespace
}  // namespace vex
