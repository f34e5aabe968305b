#include "dataaware/edits/wwmonthcalendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dataaware/edits/wwcalendar_testsupport.h"
#include "dataaware/intl/Wwintl.h"
#include "platform/core/datetime.h"
#include "platform/ui/customedit.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/systemmetrics.h"
#include "tests/support/casefile.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

using test::DayAt;
using test::Shown;

// A calendar on a shown form, its changes counted.
struct TCalendarForm {
    test::TShownForm Shown{Rect(10, 10, 560, 420)};
    TwwMonthCalendar* Calendar;
    int Changes = 0;

    explicit TCalendarForm(TwwMonthOptions Options = {mdoDayState}) {
        Calendar = new TwwMonthCalendar(Shown.Form);
        Calendar->SetOptions(Options);
        Calendar->SetBounds(0, 0, 10, 10);
        Calendar->SetParent(Shown.Form);
        Calendar->OnChange = [this](TObject*) { ++Changes; };
        Calendar->HandleNeeded();
    }
    // Date and time at once: Date keeps the time of day, Time keeps the day.
    void SetAt(TDateTime Value) {
        Calendar->SetDate(Value);
        Calendar->SetTime(Value);
    }
    SYSTEMTIME Selected() {
        SYSTEMTIME time;
        SendMessage(Calendar->Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }
};

std::string Text(const SYSTEMTIME& T) {
    return FormatDateTime("yyyy-mm-dd", EncodeDate(T.wYear, T.wMonth, T.wDay));
}

TDateTime Parsed(const std::string& Day, const std::string& Clock) {
    if (Day == "-") return 0;
    const auto part = [](const std::string& S, size_t At, size_t Length) {
        return static_cast<uint16_t>(std::stoi(S.substr(At, Length)));
    };
    return ComposeDateTime(EncodeDate(part(Day, 0, 4), part(Day, 5, 2), part(Day, 8, 2)),
                           EncodeTime(part(Clock, 0, 2), part(Clock, 3, 2), 0, 0));
}

TEST(MonthCalendar, StyleFollowsTheOptionsAndTheCommonControlsVersion) {
    const TwwMonthOptions all{mdoDayState, mdoWeekNumbers, mdoNoToday, mdoNoTodayCircle,
                              mdoMultiSelect};
    const DWORD every =
        MCS_DAYSTATE | MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE | MCS_MULTISELECT;
    EXPECT_EQ(wwMonthCalendarStyle(all, {4, 71}), every);
    EXPECT_EQ(wwMonthCalendarStyle(all, {5, 81}), every);
    // Older common controls have no MCS_NOTODAY: the today line stays.
    EXPECT_EQ(wwMonthCalendarStyle(all, {4, 70}), every & ~MCS_NOTODAY);
    EXPECT_EQ(wwMonthCalendarStyle({}, {5, 81}), 0u);
}

TEST(MonthCalendar, ColoursCopyOnlyFromTheirOwnKindAndLeaveTheBackground) {
    TwwDateTimeColors source(nullptr), target(nullptr);
    for (int32_t i = 0; i < 6; ++i)
        source.SetColors(i, static_cast<TColor>(0x010101 * (i + 1)));
    target.Assign(&source);
    EXPECT_EQ(target.BackColor(), clWindow) << "the background is the control's colour";
    for (int32_t i = 1; i < 6; ++i)
        EXPECT_EQ(target.Colors(i), source.Colors(i));
    TwwPopupYearOptions years;
    try {
        target.Assign(&years);
        FAIL() << "assigned";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TwwPopupYearOptions to a TwwDateTimeColors");
    }
    try {
        target.Assign(nullptr);
        FAIL() << "assigned";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TwwDateTimeColors");
    }
    EXPECT_THROW(target.SetColors(6, clRed), ERangeError);
}

TEST(MonthCalendar, DateKeepsTheTimeTimeKeepsTheDayAndLimitsRaise) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 3, 5, 8, 30));
    c.SetDate(DayAt(2024, 3, 7, 23, 0));
    EXPECT_EQ(Shown(c.Date()), "2024-03-07 08:30");
    c.SetTime(DayAt(1999, 1, 1, 17, 45));
    EXPECT_EQ(Shown(c.Time()), "2024-03-07 17:45");
    EXPECT_EQ(Text(form.Selected()), "2024-03-07");

    c.SetMaxDate(DayAt(2024, 3, 10));
    c.SetMinDate(DayAt(2024, 3, 1));
    struct TCase {
        TDateTime Value;
        const char* Error;
    };
    const std::vector<TCase> cases = {
        {DayAt(2024, 3, 11), "Date exceeds maximum of 3/10/24"},
        {DayAt(2024, 2, 29), "Date is less than minimum of 3/1/24"},
    };
    for (const TCase& k : cases) {
        try {
            c.SetDate(k.Value);
            ADD_FAILURE() << "set";
        } catch (const EDateTimeError& e) {
            EXPECT_STREQ(e.what(), k.Error);
        }
        EXPECT_EQ(Shown(c.Date()), "2024-03-07 17:45");
    }
    c.SetDate(DayAt(2024, 3, 10, 6, 0));  // the last day itself, whatever its time
    EXPECT_EQ(Shown(c.Date()), "2024-03-10 17:45");
    EXPECT_THROW(c.SetMaxDate(DayAt(2024, 2, 1)), EDateTimeError);
    EXPECT_THROW(c.SetMinDate(DayAt(2024, 4, 1)), EDateTimeError);
    EXPECT_THROW(c.SetMaxDate(1e9), EConvertError) << "no calendar shows it";
    EXPECT_EQ(Shown(c.MaxDate()), "2024-03-10 00:00");
    EXPECT_EQ(form.Changes, 0) << "setting a property is no change of the user's";
}

TEST(MonthCalendar, WithoutAMinimumTheFirstDayShownIsTheLastOf1899) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(1899, 12, 29, 6, 0));
    EXPECT_EQ(Shown(c.Date()), "1899-12-31 06:00");
    EXPECT_EQ(Text(form.Selected()), "1899-12-31");
    c.SetMinDate(DayAt(1800, 1, 1));
    form.SetAt(DayAt(1899, 12, 29, 6, 0));
    EXPECT_EQ(Shown(c.Date()), "1899-12-29 06:00");
}

TEST(MonthCalendar, KeysMoveTheDayAndStopAtTheLimitsWithABeep) {
    for (const test::TestCase& k :
         test::ReadCases(VEX_TEST_DIR "/testdata/calendarkeys.txt", "key")) {
        SCOPED_TRACE(k.Where);
        TCalendarForm form;
        TwwMonthCalendar& c = *form.Calendar;
        c.SetMinDate(Parsed(k[2], "00:00"));
        c.SetMaxDate(Parsed(k[3], "00:00"));
        form.SetAt(Parsed(k[0], k[1]));
        c.SetFocus();
        const std::string name = k[4];
        const WPARAM key = name == "PgUp"    ? VK_PRIOR
                           : name == "PgDn"  ? VK_NEXT
                           : name == "Left"  ? VK_LEFT
                           : name == "Right" ? VK_RIGHT
                           : name == "Up"    ? VK_UP
                                             : VK_DOWN;
        const uint32_t beeps = MessageBeepCount();
        TModalScript noDialog;  // an error box would have nothing to close it
        test::TypeKey(key);
        EXPECT_EQ(noDialog.Exhausted(), 0);
        EXPECT_EQ(Shown(c.Date()), k[5] + " " + k[6]);
        EXPECT_EQ(Text(form.Selected()), k[5]);
        EXPECT_EQ(MessageBeepCount() - beeps, k[7] == "yes" ? 1u : 0u);
    }
}

TEST(MonthCalendar, ArrowKeysMoveTheDayInsteadOfTheFocus) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.Shown.Add<TwwMonthCalendar>(form.Shown.Form, Rect(300, 0, 310, 10));
    form.SetAt(DayAt(2024, 3, 5));
    c.SetFocus();
    test::TypeKey(VK_RIGHT);
    test::TypeKey(VK_DOWN);
    EXPECT_EQ(Shown(c.Date()), "2024-03-13 00:00");
    EXPECT_EQ(form.Changes, 2);
    EXPECT_TRUE(c.Focused());
}

TEST(MonthCalendar, ShiftArrowsStretchTheRangeFromTheDateInMultiSelect) {
    TCalendarForm form({mdoMultiSelect});
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 3, 5));
    c.SetFocus();
    {
        test::TKeysHeld shift({VK_SHIFT});
        test::TypeKey(VK_RIGHT);
        test::TypeKey(VK_DOWN);
    }
    EXPECT_EQ(Shown(c.SelectionStart()), "2024-03-05 00:00");
    EXPECT_EQ(Shown(c.SelectionEnd()), "2024-03-13 00:00");
    EXPECT_EQ(form.Changes, 2);
    // A range of several days is left alone by the page keys.
    test::TypeKey(VK_NEXT);
    EXPECT_EQ(Shown(c.Date()), "2024-03-05 00:00");
    EXPECT_EQ(form.Changes, 2);
}

TEST(MonthCalendar, AClickOnADaySelectsItKeepingTheTimeAndOutOfRangeDaysAreDead) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 3, 5, 13, 0));
    c.SetMaxDate(DayAt(2024, 3, 20));
    test::ClickCalendar(c, test::FindDay(c, 2024, 3, 12));
    EXPECT_EQ(Shown(c.Date()), "2024-03-12 13:00");
    EXPECT_EQ(form.Changes, 1);
    EXPECT_TRUE(c.Focused());
    test::ClickCalendar(c, test::FindDay(c, 2024, 3, 25));
    EXPECT_EQ(Shown(c.Date()), "2024-03-12 13:00");
    EXPECT_EQ(Text(form.Selected()), "2024-03-12");
    EXPECT_EQ(form.Changes, 1);
}

// A drag from a day in range that ends on one outside it lets the mouse go, single or multi.
TEST(MonthCalendar, ADragEndingOnADayOutOfRangeLetsTheMouseGo) {
    for (const bool multi : {false, true}) {
        SCOPED_TRACE(multi ? "multi-select" : "single");
        TCalendarForm form(multi ? TwwMonthOptions{mdoMultiSelect} : TwwMonthOptions{});
        TwwMonthCalendar& c = *form.Calendar;
        form.SetAt(DayAt(2024, 3, 5, 13, 0));
        c.SetMaxDate(DayAt(2024, 3, 20));
        const LPARAM from = PointToLParam(test::FindDay(c, 2024, 3, 18));
        const LPARAM to = PointToLParam(test::FindDay(c, 2024, 3, 25));
        SendMessage(c.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, from);
        SendMessage(c.Handle(), WM_MOUSEMOVE, MK_LBUTTON, to);
        SendMessage(c.Handle(), WM_LBUTTONUP, 0, to);
        EXPECT_EQ(GetCapture(), HWND{0});
        // A move after the release selects nothing more.
        SendMessage(c.Handle(), WM_MOUSEMOVE, 0, PointToLParam(test::FindDay(c, 2024, 3, 19)));
        EXPECT_EQ(Shown(c.Date()), "2024-03-18 13:00");
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd", c.SelectionEnd()), "2024-03-18");
    }
}

TEST(MonthCalendar, MouseEventsTellTheDayUnderThePointer) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 3, 5));
    std::vector<std::string> seen;
    const auto note = [&](const char* What, int32_t Month, int32_t Day, int32_t Year) {
        seen.push_back(std::string(What) + " " + std::to_string(Year) + "-" +
                       std::to_string(Month) + "-" + std::to_string(Day));
    };
    c.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t, int32_t M, int32_t D,
                        int32_t Y) { note("down", M, D, Y); };
    c.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t, int32_t M, int32_t D,
                      int32_t Y) { note("up", M, D, Y); };
    c.OnMouseMove = [&](TObject*, TShiftState, int32_t, int32_t, int32_t M, int32_t D, int32_t Y) {
        note("move", M, D, Y);
    };
    const TPoint day = test::FindDay(c, 2024, 3, 20);
    SendMessage(c.Handle(), WM_MOUSEMOVE, 0, PointToLParam(day));
    test::ClickCalendar(c, day);
    SendMessage(c.Handle(), WM_MOUSEMOVE, 0, PointToLParam(test::FindCode(c, MCHT_CALENDARDAY)));
    EXPECT_EQ(seen, (std::vector<std::string>{"move 2024-3-20", "down 2024-3-20", "up 2024-3-20",
                                              "move 0-0-0"}));
}

TEST(MonthCalendar, TitleArrowsMoveByTheMonthDeltaAndStopAtTheLimit) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 1, 31, 7, 0));
    c.SetMaxDate(DayAt(2024, 4, 10));
    const TPoint next = test::FindCode(c, MCHT_TITLEBTNNEXT);
    const uint32_t beeps = MessageBeepCount();
    test::ClickCalendar(c, next);
    EXPECT_EQ(Shown(c.Date()), "2024-02-29 07:00");
    test::ClickCalendar(c, test::FindCode(c, MCHT_TITLEBTNNEXT));
    EXPECT_EQ(Shown(c.Date()), "2024-03-29 07:00");
    EXPECT_EQ(MessageBeepCount(), beeps);
    test::ClickCalendar(c, test::FindCode(c, MCHT_TITLEBTNNEXT));
    EXPECT_EQ(Shown(c.Date()), "2024-04-10 07:00");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    test::ClickCalendar(c, test::FindCode(c, MCHT_TITLEBTNPREV));
    EXPECT_EQ(Shown(c.Date()), "2024-03-10 07:00");
    c.SetEnabled(false);
    test::ClickCalendar(c, test::FindCode(c, MCHT_TITLEBTNPREV));
    EXPECT_EQ(Shown(c.Date()), "2024-03-10 07:00") << "a disabled calendar takes no clicks";
}

TEST(MonthCalendar, TitleArrowsGoNowhereWithAMonthDeltaPastTheCalendar) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 1, 31, 7, 0));
    for (const WPARAM delta : {WPARAM{0x7fffffff}, WPARAM{0x80000000}})
        for (const UINT arrow : {MCHT_TITLEBTNPREV, MCHT_TITLEBTNNEXT}) {
            SCOPED_TRACE(std::to_string(delta) + (arrow == MCHT_TITLEBTNNEXT ? " next" : " prev"));
            SendMessage(c.Handle(), MCM_SETMONTHDELTA, delta, 0);
            const uint32_t beeps = MessageBeepCount();
            test::ClickCalendar(c, test::FindCode(c, arrow));
            EXPECT_EQ(Shown(c.Date()), "2024-01-31 07:00");
            EXPECT_EQ(MessageBeepCount(), beeps + 1);
        }
    EXPECT_EQ(form.Changes, 0);
}

// What an open menu shows: each item as its caption with marks, "|" before a column break,
// "*" for checked and "~" for disabled ones.
std::vector<std::string> OpenMenuItems() {
    std::vector<std::string> items;
    const std::vector<TMenuWindow*> open = test::OpenMenus();
    if (open.empty()) return items;
    const TMenuItem& root = open.back()->ParentItem();
    for (int32_t i = 0; i < root.Count(); ++i) {
        const TMenuItem* item = root.Items(i);
        items.push_back(std::string(item->Break() == mbBarBreak ? "|" : "") + item->Caption() +
                        (item->Checked() ? "*" : "") + (item->Enabled() ? "" : "~"));
    }
    return items;
}

// Opens the menu of a title part, notes what it shows, chooses Caption and lets its click come.
std::vector<std::string> ChooseFromTitle(TwwMonthCalendar& C, UINT Part,
                                         const std::string& Caption) {
    std::vector<std::string> items;
    TModalScript script;
    script.Then([&] {
        items = OpenMenuItems();
        EXPECT_TRUE(C.IsPopupMenuOpen());
        test::ClickAt(test::ItemCentre(Caption));
    });
    test::ClickCalendar(C, test::FindCode(C, Part));
    test::PumpUntilIdle();
    EXPECT_FALSE(C.IsPopupMenuOpen());
    return items;
}

TEST(MonthCalendar, TheYearMenuListsItsColumnsAndMovesToTheChosenYear) {
    struct TCase {
        int32_t Columns;
        bool EditYear;
        std::vector<std::string> Items;
        const char* Chosen;
        const char* Date;
    };
    const std::vector<TCase> cases = {
        {2, false, {"2022~", "2023", "2024*", "|2025", "2026", "2027~"}, "2026", "2026-02-28"},
        {1, true, {"Edit Year", "-", "2022~", "2023", "2024*"}, "2023", "2023-02-28"},
        {2,
         true,
         {"Edit Year", "-", "|2022~", "2023", "2024*", "|2025", "2026", "2027~"},
         "2024",
         "2024-02-29"},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Columns);
        TCalendarForm form;
        TwwMonthCalendar& c = *form.Calendar;
        form.SetAt(DayAt(2024, 2, 29, 9, 0));
        c.SetMinDate(DayAt(2023, 1, 1));
        c.SetMaxDate(DayAt(2027, 1, 1));
        c.PopupYearOptions()->YearsPerColumn = 3;
        c.PopupYearOptions()->NumberColumns = k.Columns;
        c.PopupYearOptions()->StartYear = 2022;
        c.PopupYearOptions()->ShowEditYear = k.EditYear;
        EXPECT_EQ(ChooseFromTitle(c, MCHT_TITLEYEAR, k.Chosen), k.Items);
        EXPECT_EQ(Shown(c.Date()), std::string(k.Date) + " 09:00");
        EXPECT_EQ(Text(form.Selected()), k.Date);
        // The title's own year changes nothing.
        EXPECT_EQ(form.Changes, std::string(k.Chosen) == "2024" ? 0 : 1);
    }
}

TEST(MonthCalendar, EveryClickOnATitleOpensItsMenu) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 5, 5));
    int opened = 0;
    TModalScript script;
    for (int i = 0; i < 3; ++i)
        script.Then([&] {
            ++opened;
            test::TapKey(VK_ESCAPE);
        });
    const TPoint year = test::FindCode(c, MCHT_TITLEYEAR);
    for (int i = 0; i < 3; ++i)
        test::ClickCalendar(c, year);
    EXPECT_EQ(opened, 3);
}

TEST(MonthCalendar, TheMonthMenuChecksTheTitleMonthAndDisablesMonthsOutOfRange) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 5, 31, 9, 0));
    c.SetMinDate(DayAt(2024, 3, 1));
    c.SetMaxDate(DayAt(2024, 9, 15));
    EXPECT_EQ(
        ChooseFromTitle(c, MCHT_TITLEMONTH, "September"),
        (std::vector<std::string>{"January~", "February~", "March", "April", "May*", "June", "July",
                                  "August", "September~", "October~", "November~", "December~"}));
    EXPECT_EQ(Shown(c.Date()), "2024-05-31 09:00") << "a disabled item chooses nothing";
    c.SetMinDate(0);
    ChooseFromTitle(c, MCHT_TITLEMONTH, "February");
    EXPECT_EQ(Shown(c.Date()), "2024-02-29 09:00");
    EXPECT_EQ(form.Changes, 1);
}

// The running input box's caption and prompt; then Text typed into it and Enter.
std::string AnswerInputBox(const std::string& Text) {
    TCustomForm* box = Screen().ActiveForm();
    if (box == nullptr || !box->Modal()) return "no box";
    const std::string seen =
        box->Caption() + " / " + dynamic_cast<TLabel&>(*box->FindComponent("Prompt")).Caption();
    dynamic_cast<TEdit&>(*box->FindComponent("Edit")).SetText(Text);
    test::TapKey(VK_RETURN);
    return seen;
}

TEST(MonthCalendar, TheEditYearBoxNamesTheLimitsAndAsksAgainUntilAYearFits) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 2, 29, 9, 0));
    c.SetMinDate(DayAt(2020, 3, 1));
    c.SetMaxDate(DayAt(2030, 2, 28));
    c.PopupYearOptions()->ShowEditYear = true;
    std::vector<std::string> boxes;
    TModalScript script;
    script.Then([] { test::ClickAt(test::ItemCentre("Edit Year")); });
    for (const char* typed : {"abc", "2020", "2031", " 2028 "})
        script.Then([&boxes, typed] { boxes.push_back(AnswerInputBox(typed)); });
    test::ClickCalendar(c, test::FindCode(c, MCHT_TITLEYEAR));
    test::PumpUntilIdle();
    // 29 February lies before the minimum in 2020; in 2030 it is pulled in to the 28th, the
    // maximum.
    EXPECT_EQ(boxes, std::vector<std::string>(4, "Enter Valid Year (2021-2030) / Enter New Year:"));
    EXPECT_EQ(Shown(c.Date()), "2028-02-29 09:00");
    EXPECT_EQ(script.Pending(), 0u);
}

TEST(MonthCalendar, DayStateAsksForEachDayOfUpToFourteenMonthsAcrossTheYearEnd) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    int asked = 0;
    c.OnCalcBoldDay = [&](TObject*, TDateTime Day, int32_t Month, int32_t D, int32_t Year,
                          bool& Accept) {
        ++asked;
        uint16_t y = 0, m = 0, d = 0;
        DecodeDate(Day, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, Year * 10000 + Month * 100 + D);
        Accept = D == 1 || (Month == 2 && D == 29) || DayOfWeek(Day) == 1;
    };
    MONTHDAYSTATE masks[16] = {};
    masks[14] = masks[15] = 0xDEAD;
    NMDAYSTATE request;
    request.nmhdr = NMHDR{c.Handle(), 0, MCN_GETDAYSTATE};
    request.stStart.wYear = 2023;
    request.stStart.wMonth = 11;
    request.stStart.wDay = 1;
    request.cDayState = 16;
    request.prgDayState = masks;
    c.Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(masks[14], 0xDEADu) << "never more than fourteen months";
    int days = 0;
    for (int32_t i = 0; i < 14; ++i) {
        const uint16_t year = static_cast<uint16_t>(2023 + (10 + i) / 12);
        const uint16_t month = static_cast<uint16_t>((10 + i) % 12 + 1);
        MONTHDAYSTATE expected = 1;
        for (uint16_t d = 1; d <= MonthDays(year, month); ++d, ++days)
            if (DayOfWeek(EncodeDate(year, month, d)) == 1 || (month == 2 && d == 29))
                expected |= MONTHDAYSTATE{1} << (d - 1);
        EXPECT_EQ(masks[i], expected) << year << "-" << month;
    }
    EXPECT_EQ(asked, days);
}

TEST(MonthCalendar, EveryNewWindowGetsTheWholeStateAgain) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    form.SetAt(DayAt(2024, 7, 14, 12, 0));
    c.SetMinDate(DayAt(2024, 1, 1));
    c.SetMaxDate(DayAt(2024, 12, 31));
    c.CalColors()->SetTitleBackColor(clRed);
    c.SetFirstDayOfWeek(wwdowWednesday);
    c.OnCalcBoldDay = [](TObject*, TDateTime, int32_t, int32_t Day, int32_t, bool& Accept) {
        Accept = Day % 10 == 0;
    };
    const HWND before = c.Handle();
    c.SetOptions({mdoWeekNumbers, mdoDayState});
    ASSERT_NE(c.Handle(), before);
    if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
        SaveControlPicture(c, std::string(dir) + "/monthcalendar.png");
    EXPECT_EQ(Text(form.Selected()), "2024-07-14");
    SYSTEMTIME range[2];
    EXPECT_EQ(SendMessage(c.Handle(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)),
              static_cast<LRESULT>(GDTR_MIN | GDTR_MAX));
    EXPECT_EQ(Text(range[0]) + " " + Text(range[1]), "2024-01-01 2024-12-31");
    EXPECT_EQ(SendMessage(c.Handle(), MCM_GETCOLOR, MCSC_TITLEBK, 0), ColorToRGB(clRed));
    EXPECT_EQ(LOWORD(SendMessage(c.Handle(), MCM_GETFIRSTDAYOFWEEK, 0, 0)), wwdowWednesday);
    // A limit taken away leaves the window too.
    c.SetMinDate(0);
    EXPECT_EQ(SendMessage(c.Handle(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)),
              static_cast<LRESULT>(GDTR_MAX));
}

TEST(MonthCalendar, NeverGetsSmallerThanOneMonth) {
    TCalendarForm form;
    TwwMonthCalendar& c = *form.Calendar;
    TRect needed;
    SendMessage(c.Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    EXPECT_EQ(c.Width(), needed.Right);
    EXPECT_EQ(c.Height(), needed.Bottom);
    c.SetBounds(0, 0, 20, 20);
    EXPECT_EQ(c.Width(), needed.Right);
    c.SetBounds(0, 0, needed.Right * 2 + 20, needed.Bottom);
    EXPECT_EQ(c.Width(), needed.Right * 2 + 20);
    SYSTEMTIME months[2];
    EXPECT_EQ(
        SendMessage(c.Handle(), MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(months)),
        2);
}

// Whatever moves the months shown asks for their bold days, and the handler may free the
// calendar: nothing of it is touched after, and no change is told.
TEST(MonthCalendar, SurvivesAHandlerOfBoldDaysThatFreesIt) {
    const auto clickOn = [](TwwMonthCalendar& C, HWND Wnd, UINT Part) {
        const LPARAM at = PointToLParam(test::FindCode(C, Part));
        SendMessage(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(Wnd, WM_LBUTTONUP, 0, at);
    };
    const auto choose = [clickOn](UINT Part, const std::string& Caption) {
        return [clickOn, Part, Caption](TwwMonthCalendar& C, HWND Wnd) {
            TModalScript script;
            script.Then([&] { test::ClickAt(test::ItemCentre(Caption)); });
            clickOn(C, Wnd, Part);
            test::PumpUntilIdle();
        };
    };
    const struct {
        const char* Name;
        TwwMonthOptions Options;
        std::function<void(TwwMonthCalendar&, HWND)> Act;
    } cases[] = {
        {"Date set",
         {mdoDayState},
         [](TwwMonthCalendar& C, HWND) { C.SetDate(DayAt(2024, 6, 5)); }},
        {"Page Down",
         {mdoDayState},
         [](TwwMonthCalendar& C, HWND) {
             C.SetFocus();
             test::TypeKey(VK_NEXT);
         }},
        {"Shift+Up across a month",
         {mdoDayState, mdoMultiSelect},
         [](TwwMonthCalendar& C, HWND) {
             C.SetFocus();
             const test::TKeysHeld shift({VK_SHIFT});
             test::TypeKey(VK_UP);
         }},
        {"the next arrow",
         {mdoDayState},
         [clickOn](TwwMonthCalendar& C, HWND Wnd) { clickOn(C, Wnd, MCHT_TITLEBTNNEXT); }},
        {"a month chosen", {mdoDayState}, choose(MCHT_TITLEMONTH, "June")},
        {"a year chosen", {mdoDayState}, choose(MCHT_TITLEYEAR, "1995")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TCalendarForm form(c.Options);
        form.SetAt(DayAt(2024, 3, 5, 10, 30));
        const HWND wnd = form.Calendar->Handle();
        form.Calendar->OnCalcBoldDay = [&form](TObject*, TDateTime, int32_t, int32_t, int32_t,
                                               bool&) {
            delete std::exchange(form.Calendar, nullptr);
        };
        c.Act(*form.Calendar, wnd);
        EXPECT_EQ(form.Calendar, nullptr);
        EXPECT_FALSE(IsWindow(wnd));
        EXPECT_EQ(form.Changes, 0);
    }
}

}  // namespace
}  // namespace vex
