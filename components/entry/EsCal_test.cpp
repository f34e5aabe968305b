#include "components/entry/EsCal.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "components/entry/escal_testsupport.h"
#include "platform/core/clock.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/input.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {
namespace {

const std::string kPictures = VEX_TEST_DIR "/testdata/pictures";

// A calendar on 10 March 2024 (a Sunday, in a month that begins on a Friday) on a shown form,
// with the clock at noon on 15 March 2026 and the fixed-metric font.
class EsCalendar : public ::testing::Test {
protected:
    EsCalendar() {
        Clock.SetUtcMilliseconds(1773576000000);
        Form.Form->Font().SetName(FixedFontName);
        Form.Form->Font().SetSize(8);
        Cal = Form.Add<TEsCalendar>(Form.Form, Rect(10, 10, 210, 150));
        Cal->SetDate(test::IsoDate("2024-03-10"));
        Cal->OnChange = [this](TObject*, TDateTime Date) {
            Changes.push_back(test::IsoText(Date) + (Cal->KeyboardChange() ? " keys" : ""));
        };
        test::PumpUntilIdle();
    }
    ~EsCalendar() override { test::ReleaseAllKeys(); }

    void Click(TPoint Client, TMouseButton Button = mbLeft) {
        InjectMouseMove(Cal->ClientToScreen(Client));
        InjectMouseButton(Button, true);
        InjectMouseButton(Button, false);
        test::PumpUntilIdle();
    }
    // The centre of the week cell Index (1 to 42).
    TPoint CellCentre(int32_t Index) {
        const TRect r = Cal->Cell(2 + (Index - 1) / 7, (Index - 1) % 7);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    int32_t IndexOf(int32_t Day) { return Cal->DayGrid().FirstIndex + Day - 1; }
    std::string Shown() { return test::IsoText(Cal->Date()); }

    TFixedClock Clock;
    TClockOverride UseClock{Clock};
    test::TShownForm Form{Rect(10, 10, 240, 190)};
    TEsCalendar* Cal = nullptr;
    std::vector<std::string> Changes;
};

TEST_F(EsCalendar, TheLayoutSharesTheClientAreaAmongSevenColumnsAndEightRows) {
    // 192 pixels of grid: 27 a column, and the first four (the remainder 3 plus one) one more.
    EXPECT_EQ(Cal->Cell(2, 0), Rect(4, Cal->Cell(2, 0).Top, 32, Cal->Cell(2, 0).Bottom));
    EXPECT_EQ(Cal->Cell(2, 3).Right - Cal->Cell(2, 3).Left, 28);
    EXPECT_EQ(Cal->Cell(2, 4).Right - Cal->Cell(2, 4).Left, 27);
    EXPECT_EQ(Cal->Cell(7, 6).Right, 197);
    EXPECT_EQ(Cal->Cell(0, 0).Top, 4);
    EXPECT_EQ(Cal->Cell(7, 6).Bottom, 136) << "the rows fill the height but for the margins";
    for (int32_t r = 3; r < 8; ++r)
        EXPECT_EQ(Cal->Cell(r, 0).Bottom - Cal->Cell(r, 0).Top,
                  Cal->Cell(2, 0).Bottom - Cal->Cell(2, 0).Top);
    const TRect prevMonth = Cal->ButtonRect(cbPrevMonth);
    EXPECT_EQ(prevMonth.Left, 4);
    EXPECT_EQ(prevMonth.Right - prevMonth.Left, 24);
    EXPECT_EQ(Cal->ButtonRect(cbPrevYear).Left, prevMonth.Right);
    EXPECT_EQ(Cal->ButtonRect(cbNextMonth).Right, 196);
    EXPECT_EQ(Cal->ButtonRect(cbNextYear).Right, Cal->ButtonRect(cbNextMonth).Left);
    EXPECT_EQ(Cal->ButtonRect(cbToday), Rect(196 - 50, Cal->Cell(7, 0).Top, 196, 136));
    Cal->SetShowToday(false);
    EXPECT_EQ(Cal->ButtonRect(cbToday), TRect{});
}

TEST_F(EsCalendar, KeysMoveTheDateAndReportItAsAKeyboardChange) {
    Cal->SetFocus();
    test::TypeKey(VK_RIGHT);
    test::TypeKey(VK_DOWN);
    test::TypeKey(VK_END);
    {
        test::TKeysHeld ctrl({VK_CONTROL});
        test::TypeKey(VK_PRIOR);
    }
    test::TypeKey(VK_NEXT);
    EXPECT_EQ(Changes,
              (std::vector<std::string>{"2024-03-11 keys", "2024-03-18 keys", "2024-03-31 keys",
                                        "2023-03-31 keys", "2023-04-30 keys"}));
    EXPECT_FALSE(Cal->KeyboardChange());
    Changes.clear();
    test::TypeKey(VK_RETURN, '\r');
    test::TypeKey(VK_SPACE, ' ');
    EXPECT_EQ(Changes, (std::vector<std::string>{"2023-04-30", "2023-04-30"}));
    Changes.clear();
    test::TypeKey('Z', '\x1A');
    EXPECT_EQ(Shown(), "2026-03-15") << "Ctrl+Z goes to today";
    EXPECT_TRUE(Changes.empty()) << "without telling";
}

TEST_F(EsCalendar, AHandlerThatThrowsDoesNotLeaveTheKeyboardFlagSet) {
    Cal->OnChange = [](TObject*, TDateTime) { throw Exception("no"); };
    Cal->SetFocus();
    uint16_t key = VK_RIGHT;
    EXPECT_THROW(Cal->Perform(WM_KEYDOWN, key, 0), Exception);
    EXPECT_FALSE(Cal->KeyboardChange());
    EXPECT_EQ(Shown(), "2024-03-11");
}

TEST_F(EsCalendar, AHandlerMayFreeTheCalendarItIsToldOf) {
    Cal->OnChange = [this](TObject*, TDateTime) { delete std::exchange(Cal, nullptr); };
    Cal->SetFocus();
    test::TypeKey(VK_RIGHT);
    EXPECT_EQ(Cal, nullptr);
}

TEST_F(EsCalendar, SettingTheDateNeverTellsAndAnEqualDateChangesNothing) {
    Cal->SetDate(test::IsoDate("2025-07-01"));
    Cal->SetDate(test::IsoDate("2025-07-01"));
    EXPECT_TRUE(Changes.empty());
    EXPECT_EQ(Cal->DayGrid().FirstIndex, 3) << "1 July 2025 is a Tuesday";
}

TEST_F(EsCalendar, ALeftClickOnADayChoosesItAndARightClickMovesSilently) {
    Click(CellCentre(IndexOf(10)));
    EXPECT_EQ(Changes, std::vector<std::string>{"2024-03-10"}) << "the current day, unchanged";
    EXPECT_TRUE(Cal->Focused());
    Click(CellCentre(IndexOf(20)), mbRight);
    EXPECT_EQ(Shown(), "2024-03-20");
    EXPECT_EQ(Changes.size(), 1u);
    Click(CellCentre(IndexOf(5)));
    EXPECT_EQ(Shown(), "2024-03-05");
    EXPECT_EQ(Changes.back(), "2024-03-05");
}

TEST_F(EsCalendar, ADayOfAnotherMonthIsChosenOnlyWhenInactiveDaysShow) {
    // March 2024 begins on a Friday: cell 1 is 25 February.
    Click(CellCentre(1));
    EXPECT_EQ(Shown(), "2024-03-10");
    EXPECT_TRUE(Changes.empty());
    Click(CellCentre(37));  // 1 April, left of the today button
    EXPECT_EQ(Shown(), "2024-03-10");
    Cal->SetShowInactive(true);
    Click(CellCentre(1));
    EXPECT_EQ(Shown(), "2024-02-25");
    EXPECT_EQ(Changes, std::vector<std::string>{"2024-02-25"});
}

TEST_F(EsCalendar, TheWheelStepsByWeeksMonthsOrYearsAsItTurns) {
    struct TCase {
        int16_t Delta;
        const char* Date;
    };
    const TCase cases[] = {{-120, "2024-04-10"}, {120, "2024-03-10"}, {-240, "2025-03-10"},
                           {240, "2024-03-10"},  {-60, "2024-03-17"}, {60, "2024-03-10"},
                           {0, "2024-03-10"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Delta);
        Cal->Perform(WM_MOUSEWHEEL,
                     static_cast<WPARAM>(MAKELONG(0, static_cast<uint16_t>(c.Delta))), 0);
        EXPECT_EQ(Shown(), c.Date);
    }
    EXPECT_EQ(Changes.size(), 6u);
    EXPECT_EQ(Changes.front(), "2024-04-10 keys");
}

TEST_F(EsCalendar, TheButtonsStepMonthsAndYearsAndTodayTellsOnlyAChange) {
    Cal->ButtonClick(cbNextMonth);
    Cal->ButtonClick(cbPrevYear);
    Cal->ButtonClick(cbNextYear);
    Cal->ButtonClick(cbPrevMonth);
    Cal->ButtonClick(cbToday);
    Cal->ButtonClick(cbToday);
    EXPECT_EQ(Changes,
              (std::vector<std::string>{"2024-04-10 keys", "2023-04-10 keys", "2024-04-10 keys",
                                        "2024-03-10 keys", "2026-03-15"}));
}

TEST_F(EsCalendar, TheCalendarAsksForTheArrowKeysAndItsPopupIsABorderedToolWindow) {
    EXPECT_EQ(Cal->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    Cal->SetBorderStyle(bsSingle);
    EXPECT_NE(GetWindowLong(Cal->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    Cal->SetCtl3D(false);
    EXPECT_NE(GetWindowLong(Cal->Handle(), GWL_STYLE) & WS_BORDER, 0);

    auto* popup = new TEsCalendar(Form.Form, true);
    popup->SetParent(Form.Form);
    popup->HandleNeeded();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(popup->Handle(), GWL_STYLE)) &
                  ~(WS_VISIBLE | WS_DISABLED | WS_TABSTOP),
              WS_POPUP | WS_BORDER);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(popup->Handle(), GWL_EXSTYLE)),
              WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE);
    EXPECT_FALSE(popup->Ctl3D());
    EXPECT_EQ(test::IsoText(popup->Date()), "2026-03-15") << "a new window shows today";
}

TEST_F(EsCalendar, TheSpeedButtonsCarryTheirGlyphsAndStepTheDate) {
    for (TEsCalButton b : {cbPrevMonth, cbNextMonth, cbToday, cbNextYear, cbPrevYear}) {
        SCOPED_TRACE(b);
        ASSERT_NE(Cal->Button(b), nullptr);
        EXPECT_EQ(Cal->Button(b)->BoundsRect(), Cal->ButtonRect(b));
        EXPECT_GT(Cal->Button(b)->Glyph().Width(), 0);
    }
    const TRect next = Cal->ButtonRect(cbNextMonth);
    Click(Point((next.Left + next.Right) / 2, (next.Top + next.Bottom) / 2));
    const TRect today = Cal->ButtonRect(cbToday);
    Click(Point((today.Left + today.Right) / 2, (today.Top + today.Bottom) / 2));
    EXPECT_EQ(Changes, (std::vector<std::string>{"2024-04-10 keys", "2026-03-15"}));
    Cal->SetShowToday(false);
    EXPECT_EQ(Cal->Button(cbToday), nullptr);
    Cal->SetShowToday(true);
    EXPECT_EQ(Cal->Button(cbToday)->BoundsRect(), Cal->ButtonRect(cbToday));
}

TEST_F(EsCalendar, TheMonthMenuOnTheTitleChoosesAMonthAroundTheCurrentOneSilently) {
    const test::TFixedMenuFont menuFont;
    Cal->SetDate(test::IsoDate("2026-01-31"));
    const TRect title = Cal->Cell(0, 3);
    std::vector<std::string> captions;
    TModalScript script;
    script.Then([&] {
        const std::vector<TMenuWindow*> open = test::OpenMenus();
        ASSERT_EQ(open.size(), 1u);
        const TMenuItem& items = open[0]->ParentItem();
        for (int32_t i = 0; i < items.Count(); ++i)
            captions.push_back(items.Items(i)->Caption());
        test::ClickAt(test::ItemCentre("November"));
    });
    Click(Point((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2), mbRight);
    EXPECT_EQ(captions, (std::vector<std::string>{"October", "November", "December", "January",
                                                  "February", "March", "April"}));
    EXPECT_EQ(Shown(), "2025-11-30") << "November of the year before, the day lowered";
    EXPECT_TRUE(Changes.empty());
    EXPECT_FALSE(Cal->MenuActive());
}

// The calendar as it shows, against its reviewed pictures.
TEST_F(EsCalendar, TheCalendarMayBeFreedWhileItsMonthMenuIsUp) {
    const test::TFixedMenuFont menuFont;
    const TRect title = Cal->Cell(0, 3);
    TModalScript script;
    script.Then([&] { delete std::exchange(Cal, nullptr); });
    Click(Point((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2), mbRight);
    EXPECT_EQ(Cal, nullptr);
}

TEST_F(EsCalendar, PicturesInEachSchemeAndState) {
    struct TCase {
        const char* Name;
        TEsCalColorScheme Scheme;
    };
    const TCase schemes[] = {{"escal-windows", TEsCalColorScheme::csWindows},
                             {"escal-gold", TEsCalColorScheme::csGold},
                             {"escal-ocean", TEsCalColorScheme::csOcean},
                             {"escal-rose", TEsCalColorScheme::csRose},
                             {"escal-custom", TEsCalColorScheme::csCustom}};
    for (const TCase& c : schemes) {
        SCOPED_TRACE(c.Name);
        Cal->Colors().SetColorScheme(c.Scheme);
        test::PumpUntilIdle();
        EXPECT_TRUE(test::ControlMatchesReferencePicture(*Cal, kPictures, c.Name));
    }
    Cal->Colors().SetColorScheme(TEsCalColorScheme::csWindows);
    Cal->SetFocus();
    Cal->SetShowInactive(true);
    Cal->SetWeekStarts(dtMonday);
    Cal->SetDayNameWidth(2);
    Cal->SetBorderStyle(bsSingle);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Cal, kPictures, "escal-focused-inactive"));
    // Too narrow for "September 2024": the short month name.
    Cal->SetDate(test::IsoDate("2024-09-02"));
    Cal->SetBounds(10, 10, 130, 120);
    test::PumpUntilIdle();
    EXPECT_TRUE(test::ControlMatchesReferencePicture(*Cal, kPictures, "escal-narrow"));
}

}  // namespace
}  // namespace vex
