#include "components/entry/EsDateEd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "components/entry/EsUtil.h"
#include "components/entry/escal_testsupport.h"
#include "platform/core/clock.h"
#include "platform/core/profile.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/systemparameters.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A date edit as the statistics window has them (month and day required, "/" for today) on a
// shown form, with the clock at noon on 4 July 2026 and the fixed-metric font.
class EsDateEdit : public ::testing::Test {
protected:
    EsDateEdit() {
        Clock.SetUtcMilliseconds(1783166400000);
        Form.Form->Font().SetName(FixedFontName);
        Form.Form->Font().SetSize(8);
        Edit = Form.Add<TEsDateEdit>(Form.Form, Rect(20, 20, 140, 44));
        Edit->SetName("dtStart");
        Edit->PopupCalFont().SetName(FixedFontName);
        Edit->PopupCalFont().SetSize(8);
        Edit->OnSetDate = [this](TObject*) { Log.push_back("set " + Edit->Text()); };
        Edit->OnExit = [this](TObject*) { Log.push_back("exit"); };
        Other = Form.Add<TEsDateEdit>(Form.Form, Rect(20, 60, 140, 84));
        Edit->SetFocus();
        test::PumpUntilIdle();
    }
    ~EsDateEdit() override { test::ReleaseAllKeys(); }

    std::string Shown() { return test::IsoText(Edit->Date()); }
    void AltKey(int32_t Key) {
        const test::TKeysHeld alt({VK_MENU});
        test::DeliverKey(WM_SYSKEYDOWN, Key, test::AltDown);
        test::DeliverKey(WM_SYSKEYUP, Key, test::AltDown);
        test::PumpUntilIdle();
    }
    void Click(TControl& Control, TPoint Client) {
        InjectMouseMove(Control.ClientToScreen(Client));
        InjectMouseButton(mbLeft, true);
        InjectMouseButton(mbLeft, false);
        test::PumpUntilIdle();
    }
    bool CalendarDown() { return Edit->Calendar() != nullptr && Edit->Calendar()->Visible(); }
    // The centre of the calendar's cell of Day.
    TPoint DayInCalendar(int32_t Day) {
        TEsCalendar& cal = *Edit->Calendar();
        const int32_t index = cal.DayGrid().FirstIndex + Day - 1;
        const TRect r = cal.Cell(2 + (index - 1) / 7, (index - 1) % 7);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

    TFixedClock Clock;
    TClockOverride UseClock{Clock};
    TProfileOverride Profile;
    test::TShownForm Form{Rect(10, 10, 330, 300)};
    TEsDateEdit* Edit = nullptr;
    TEsDateEdit* Other = nullptr;
    std::vector<std::string> Log;
};

TEST_F(EsDateEdit, StartsWithTheLocalesOrderTodayTextAndTheCenturyAsEpoch) {
    EXPECT_EQ(Edit->DateOrder(), 0);
    EXPECT_EQ(Edit->TodayString(), "/");
    EXPECT_EQ(Edit->Epoch(), 2000);
    EXPECT_EQ(Edit->RequiredFields(), (TEsRequiredFields{rfMonth, rfDay}));
    EXPECT_EQ(Edit->PopupCalColors().ColorScheme(), TEsCalColorScheme::csWindows);
    EXPECT_EQ(Edit->Text(), "") << "the name never becomes the text";
    WriteProfileString("intl", "iDate", "1");
    EXPECT_EQ(TEsDateEdit(nullptr).DateOrder(), 1);
    DeleteProfileString("intl", "iDate");
    EXPECT_EQ(TEsDateEdit(nullptr).DateOrder(), 0);
}

TEST_F(EsDateEdit, ReadingTheDateReadsTheTextAndShowsItInTheShortFormat) {
    Edit->SetText("3/15");
    EXPECT_EQ(Shown(), "2026-03-15");
    EXPECT_EQ(Edit->Text(), "3/15/26");
    Edit->SetText("");
    EXPECT_EQ(Edit->Date(), 0) << "no date, and required parts: no error";
    Edit->SetText("/");
    EXPECT_EQ(Shown(), "2026-07-04");
    Edit->SetText("15");
    EXPECT_THROW(Edit->Date(), EEsError);
    EXPECT_EQ(Edit->Text(), "15") << "the text stays as typed";
    Edit->SetText("");
    Edit->SetRequiredFields({});
    EXPECT_EQ(Shown(), "2026-07-04");
    Edit->SetForceCentury(true);
    EXPECT_EQ(Edit->Text(), "7/4/26") << "shown again at the next read";
    Edit->Date();
    EXPECT_EQ(Edit->Text(), "7/4/2026");
}

TEST_F(EsDateEdit, ForcingTheCenturyShowsTheEditsDateNotTheLastOneTheCalendarHad) {
    Edit->SetText("3/4/2024");
    Edit->PopupOpen();
    Edit->PopupClose(nullptr);
    Edit->SetDate(test::IsoDate("2025-05-06"));
    Edit->SetForceCentury(true);
    EXPECT_EQ(Edit->Text(), "5/6/2025");
    EXPECT_EQ(Shown(), "2025-05-06");
}

TEST_F(EsDateEdit, SettingTheDateShowsItAndTellsEvenWhenItIsNone) {
    Edit->SetDate(test::IsoDate("2024-02-29"));
    Edit->SetDate(0);
    EXPECT_EQ(Log, (std::vector<std::string>{"set 2/29/24", "set "}));
    EXPECT_TRUE(Edit->Modified());
}

TEST_F(EsDateEdit, ADateOfAnotherCenturyShownWithTwoDigitsReadsBackUnchanged) {
    for (const char* date : {"1950-01-02", "0001-01-01", "9999-12-31"}) {
        SCOPED_TRACE(date);
        Edit->SetDate(test::IsoDate(date));
        EXPECT_EQ(Shown(), date);
        Edit->PopupOpen();
        EXPECT_EQ(test::IsoText(Edit->Calendar()->Date()), date);
        Edit->PopupClose(nullptr);
    }
    Edit->SetText("1/2/50");
    EXPECT_EQ(Shown(), "2050-01-02") << "typed, a short year is of this century";
}

TEST_F(EsDateEdit, LeavingWithABadTextKeepsTheFocusAndTellsNoExit) {
    Edit->SetText("31.2");
    EXPECT_THROW(Other->SetFocus(), EEsError);
    test::PumpUntilIdle();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_TRUE(Log.empty());
    Edit->SetText("2/3");
    Other->SetFocus();
    EXPECT_EQ(Log, std::vector<std::string>{"exit"});
    EXPECT_EQ(Edit->Text(), "2/3/26");
}

TEST_F(EsDateEdit, PlusAndMinusStepADay) {
    struct TCase {
        const char* Text;
        char Key;
        const char* Date;
    };
    const TCase cases[] = {{"", '+', "2026-07-05"},
                           {"3/1/2024", '-', "2024-02-29"},
                           {"1/1/2024", '-', "2023-12-31"},
                           {"12/31/2024", '+', "2025-01-01"},
                           {"12/31/9999", '+', "9999-12-31"}};  // the last day there is
    Edit->SetForceCentury(true);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        Edit->SetText(c.Text);
        test::TypeKey(c.Key == '+' ? VK_ADD : VK_SUBTRACT, c.Key);
        EXPECT_EQ(Shown(), c.Date);
        EXPECT_EQ(Edit->Text().find(c.Key), std::string::npos) << "the key is not typed";
    }
    Edit->SetAllowIncDec(false);
    Edit->SetText("");
    test::TypeKey(VK_ADD, '+');
    EXPECT_EQ(Edit->Text(), "+");
}

TEST_F(EsDateEdit, AHandlerMayFreeTheEditItIsToldOfByAKeyOrTheCalendar) {
    Edit->OnSetDate = [this](TObject*) { delete std::exchange(Edit, nullptr); };
    test::TypeKey(VK_ADD, '+');
    EXPECT_EQ(Edit, nullptr);

    Other->SetFocus();
    Other->PopupOpen();
    test::PumpUntilIdle();
    Other->OnSetDate = [this](TObject*) { delete std::exchange(Other, nullptr); };
    test::TypeKey(VK_RIGHT);
    EXPECT_EQ(Other, nullptr);
}

TEST_F(EsDateEdit, TheTodayTextIsTypedAsATextAndTheLetterTIsNoDate) {
    test::TypeKey(VK_OEM_2, '/');
    EXPECT_EQ(Shown(), "2026-07-04");
    Edit->SetText("t");
    EXPECT_THROW(Edit->Date(), EEsError);
}

TEST_F(EsDateEdit, AltDownDropsTheCalendarAndEscapeTakesItBack) {
    Edit->SetText("3/10/24");
    Edit->SetSelStart(2);
    AltKey(VK_DOWN);
    ASSERT_TRUE(CalendarDown());
    EXPECT_TRUE(Edit->PopupActive());
    EXPECT_TRUE(Edit->Calendar()->Focused());
    EXPECT_TRUE(Edit->Calendar()->MouseCapture());
    EXPECT_EQ(test::IsoText(Edit->Calendar()->Date()), "2024-03-10");
    test::TypeKey(VK_ESCAPE, '\x1B');
    EXPECT_FALSE(CalendarDown());
    EXPECT_FALSE(Edit->PopupActive());
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(GetCapture(), HWND(0));
    EXPECT_EQ(Edit->SelStart(), 2) << "the caret where it was";

    AltKey(VK_DOWN);
    test::TypeKey(VK_RIGHT);
    EXPECT_EQ(Edit->Text(), "3/11/24") << "moving in the calendar changes the text at once";
    EXPECT_TRUE(CalendarDown());
    EXPECT_EQ(Log.back(), "set 3/11/24");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "exit"), 0) << "no exit while it is down";
}

TEST_F(EsDateEdit, ADayChosenWithTheMouseOrEnterClosesTheCalendar) {
    Edit->SetText("3/10/24");
    Edit->PopupOpen();
    test::PumpUntilIdle();
    Click(*Edit->Calendar(), DayInCalendar(20));
    EXPECT_FALSE(CalendarDown());
    EXPECT_EQ(Edit->Text(), "3/20/24");
    EXPECT_EQ(Edit->SelStart(), 7) << "the caret after the text";
    EXPECT_TRUE(Edit->Focused());

    Edit->SetReadOnly(true);
    EXPECT_FALSE(Edit->Button().Enabled());
    AltKey(VK_DOWN);
    ASSERT_TRUE(CalendarDown()) << "a read-only edit still drops its calendar by the keys";
    test::TypeKey(VK_DOWN);
    test::TypeKey(VK_RETURN, '\r');
    EXPECT_FALSE(CalendarDown());
    EXPECT_EQ(Edit->Text(), "3/27/24");
}

TEST_F(EsDateEdit, TheButtonDropsTheCalendarWhoseMonthButtonsKeepItDown) {
    TEsEdButton& button = Edit->Button();
    EXPECT_EQ(button.Glyph().Width(), 8);
    EXPECT_EQ(button.Top(), 0);
    EXPECT_EQ(button.BoundsRect().Right, Edit->Width() - 4) << "inside the sunken border";
    Edit->SetText("3/10/24");
    Click(button, Point(button.Width() / 2, button.Height() / 2));
    ASSERT_TRUE(CalendarDown());
    const TRect next = Edit->Calendar()->ButtonRect(cbNextMonth);
    Click(*Edit->Calendar(), Point((next.Left + next.Right) / 2, (next.Top + next.Bottom) / 2));
    EXPECT_TRUE(CalendarDown()) << "a month button moves the date as the keys do";
    EXPECT_EQ(Edit->Text(), "4/10/24");
    test::TypeKey(VK_RETURN, '\r');
    EXPECT_FALSE(CalendarDown());

    Edit->SetReadOnly(true);
    EXPECT_FALSE(button.Enabled());
    Edit->SetReadOnly(false);
    EXPECT_TRUE(button.Enabled());
    Edit->SetShowButton(false);
    EXPECT_EQ(button.Width(), 0);
}

TEST_F(EsDateEdit, AClickOutsideTheCalendarClosesItAndAClickOnTheEditKeepsItsCaret) {
    Edit->SetText("3/10/24");
    Edit->SetSelStart(3);
    Edit->PopupOpen();
    test::PumpUntilIdle();
    Click(*Edit, Point(10, 10));
    EXPECT_FALSE(CalendarDown());
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->SelStart(), 3);
    EXPECT_EQ(Edit->Text(), "3/10/24");
    Edit->PopupOpen();
    test::PumpUntilIdle();
    AltKey(VK_UP);
    EXPECT_FALSE(CalendarDown());
}

TEST_F(EsDateEdit, ABadTextOpensNoCalendarAndLeavingStillTellsExit) {
    Edit->SetText("31.2");
    EXPECT_THROW(Edit->PopupOpen(), EEsError);
    EXPECT_FALSE(CalendarDown());
    EXPECT_FALSE(Edit->PopupActive());
    Edit->SetText("2/3");
    Other->SetFocus();
    EXPECT_EQ(Log, std::vector<std::string>{"exit"});
}

TEST_F(EsDateEdit, OpeningTwiceStillGivesBackTheFormsScrollingAndTheEditsCursor) {
    Form.Form->SetAutoScroll(true);
    Edit->SetCursor(crIBeam);
    Edit->PopupOpen();
    Edit->PopupOpen();
    Edit->PopupClose(nullptr);
    EXPECT_TRUE(Form.Form->AutoScroll());
    EXPECT_EQ(Edit->Cursor(), crIBeam);
}

TEST_F(EsDateEdit, TheEditOrItsFormMayBeFreedWhileTheCalendarIsDown) {
    Edit->PopupOpen();
    test::PumpUntilIdle();
    delete std::exchange(Edit, nullptr);
    test::PumpUntilIdle();
    {
        test::TShownForm another(Rect(40, 40, 300, 300));
        auto* edit = another.Add<TEsDateEdit>(another.Form, Rect(20, 20, 140, 44));
        edit->SetFocus();
        edit->PopupOpen();
        test::PumpUntilIdle();
        ASSERT_TRUE(edit->Calendar()->Visible());
    }
    test::PumpUntilIdle();
}

TEST_F(EsDateEdit, TakingTheFocusAwayWhileTheCalendarIsDownClosesIt) {
    Form.Form->SetAutoScroll(true);
    Edit->SetText("3/4/2024");
    Edit->PopupOpen();
    test::PumpUntilIdle();
    Other->SetFocus();  // as a timer might
    test::PumpUntilIdle();
    EXPECT_FALSE(CalendarDown());
    EXPECT_TRUE(Form.Form->AutoScroll());
    EXPECT_TRUE(Other->Focused());

    Edit->SetFocus();
    Edit->PopupOpen();
    test::PumpUntilIdle();
    Edit->OnSetDate = [this](TObject*) { Other->SetFocus(); };
    Click(*Edit->Calendar(), DayInCalendar(12));
    EXPECT_FALSE(CalendarDown());
    EXPECT_EQ(Shown(), "2024-03-12");
}

TEST_F(EsDateEdit, TheCalendarOpensAboveNearTheBottomAndEndsBeforeTheRightEdge) {
    TRect saved;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &saved, 0);
    struct TCase {
        TRect WorkArea;
        bool Above;
        bool Shifted;
    };
    const TCase cases[] = {{Rect(0, 0, 1000, 1000), false, false},
                           {Rect(0, 0, 1000, 200), true, false},
                           {Rect(0, 0, 220, 1000), false, true},
                           {Rect(0, 0, 220, 200), true, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.WorkArea.Right);
        TRect area = c.WorkArea;
        SystemParametersInfo(SPI_SETWORKAREA, 0, &area, 0);
        Edit->PopupOpen();
        const TPoint corner = Edit->ClientToScreen(Point(-2, Edit->Height() - 2));
        const TEsCalendar& cal = *Edit->Calendar();
        // Above, the edit near the top has no room: the calendar stays on the work area.
        EXPECT_EQ(cal.Top(), c.Above ? 0 : corner.Y);
        EXPECT_EQ(cal.Left(), c.Shifted ? 220 - 200 - 1 : corner.X);
        EXPECT_EQ(cal.Width(), 200);
        Edit->PopupClose(nullptr);
    }
    SystemParametersInfo(SPI_SETWORKAREA, 0, &saved, 0);
}

TEST_F(EsDateEdit, PictureOfTheCalendarDroppedUnderTheEdit) {
    Edit->SetText("7/4/26");
    Edit->PopupOpen();
    test::PumpUntilIdle();
    TBitmap form, popup;
    PictureOfControl(*Form.Form, form);
    PictureOfControl(*Edit->Calendar(), popup);
    // Both are top-level windows: the popup lies at its screen offset from the form's window.
    const TEsCalendar& cal = *Edit->Calendar();
    form.Canvas().Draw(cal.Left() - Form.Form->Left(), cal.Top() - Form.Form->Top(), popup);
    EXPECT_TRUE(test::MatchesReferencePicture(form, kPictures, "esdateedit-popup"));
}

}  // namespace
}  // namespace vex
