// The calendar's title: its arrows, and the month and year menus that replace the window's own.

#include <algorithm>
#include <cmath>
#include <memory>

#include "dataaware/edits/wwmonthcalendar.h"
#include "dataaware/edits/wwpickersupport.h"
#include "dataaware/intl/Wwintl.h"
#include "platform/core/datetime.h"
#include "platform/core/stringutils.h"
#include "platform/ui/inputdialog.h"
#include "platform/ui/monthcal.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/window.h"

namespace vex {

namespace {

constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 9999;
constexpr int64_t kMonthsInCalendar = int64_t{kLastYear} * 12;
// Room the year menu leaves left of its edit item when it has columns.
constexpr int32_t kEditYearMenuMargin = 45;

// Day of Month in Year, pulled in to the month's end; false when the year has no dates.
bool ClampedDay(int32_t Year, int32_t Month, int32_t Day, TDateTime& Value) {
    if (Year < kFirstYear || Year > kLastYear) return false;
    const int32_t day = std::min(Day, wwDaysPerMonth(Year, Month));
    return TryEncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month),
                         static_cast<uint16_t>(day), Value);
}

}  // namespace

bool TwwMonthCalendar::MonthDayInRange(int32_t Year, int32_t Month, int32_t Day) const {
    TDateTime value = 0;
    return ClampedDay(Year, Month, Day, value) && DayInRange(value);
}

bool TwwMonthCalendar::DayInRange(TDateTime Day) const {
    const double day = std::trunc(Day);
    return !(FMaxDate != 0 && day > std::trunc(FMaxDate)) &&
           !(FMinDate != 0 && day < std::trunc(FMinDate));
}

bool TwwMonthCalendar::MoveDateWithin(TDateTime Target) {
    const TDateTime before = FDateTime;
    TDateTime target = Target;
    if (FMaxDate != 0 && std::trunc(target) > std::trunc(FMaxDate)) {
        target = FMaxDate;
        MessageBeep(0);
    } else if (std::trunc(target) < std::trunc(FirstDay())) {
        target = FirstDay();
        MessageBeep(0);
    }
    const std::weak_ptr<const void> life = LifeToken();
    SetDate(target);
    return !life.expired() && std::trunc(FDateTime) != std::trunc(before);
}

void TwwMonthCalendar::ClickTitleArrow(bool Forward) {
    const int64_t delta = static_cast<int32_t>(SendMessage(Handle(), MCM_GETMONTHDELTA, 0, 0));
    // A step past every month there is is no step; the window's delta may be any number.
    const auto months = static_cast<int32_t>(
        std::clamp<int64_t>(Forward ? delta : -delta, -kMonthsInCalendar, kMonthsInCalendar));
    const TDateTime target = wwAddMonths(FDateTime, months);
    if (target == FDateTime) {
        MessageBeep(0);  // the first or last month there is
        return;
    }
    if (MoveDateWithin(target)) Change();
}

TPoint TwwMonthCalendar::BelowTitlePart(const MCHITTESTINFO& Hit) {
    const TRect client = ClientRect();
    TPoint at = Hit.pt;
    while (at.X > client.Left && HitTest(Point(at.X - 1, at.Y)).uHit == Hit.uHit)
        --at.X;
    while (at.Y < client.Bottom && HitTest(Point(at.X, at.Y + 1)).uHit == Hit.uHit)
        ++at.Y;
    return ClientToScreen(Point(at.X, at.Y + 1));
}

void TwwMonthCalendar::ClickTitleYear(const MCHITTESTINFO& Hit) {
    if (FYearMenu == nullptr) FYearMenu = new TCalendarPopupMenu(this);
    FClickedTitle = Hit.st;
    FClickedTitleMonth = Hit.st.wMonth;
    BuildYearMenu();
    TPoint at = BelowTitlePart(Hit);
    const TwwPopupYearOptions& options = *FPopupYearOptions;
    if (options.ShowEditYear && options.NumberColumns != 1)
        at.X -= MenuTextWidth(wwGlobalIntl->MonthCalendar()->PopupYearLabel) + kEditYearMenuMargin;
    FYearMenu->Popup(at.X, at.Y);
}

void TwwMonthCalendar::ClickTitleMonth(const MCHITTESTINFO& Hit) {
    FClickedTitle = Hit.st;
    FClickedTitleMonth = Hit.st.wMonth;
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(FDateTime, year, month, day);
    for (int32_t i = 0; i < FMonthMenu->Items()->Count(); ++i) {
        TMenuItem* item = FMonthMenu->Items()->Items(i);
        item->SetChecked(i + 1 == Hit.st.wMonth);
        item->SetEnabled(MonthDayInRange(Hit.st.wYear, i + 1, day));
    }
    const TPoint at = BelowTitlePart(Hit);
    FMonthMenu->Popup(at.X, at.Y);
}

void TwwMonthCalendar::BuildYearMenu() {
    TMenuItem* root = FYearMenu->Items();
    root->Clear();
    const TwwPopupYearOptions& options = *FPopupYearOptions;
    if (options.ShowEditYear) {
        auto* edit = new TMenuItem(FYearMenu);
        edit->SetCaption(wwGlobalIntl->MonthCalendar()->PopupYearLabel);
        edit->OnClick = [this](TObject*) { EditYear(); };
        root->Add(edit);
        auto* line = new TMenuItem(FYearMenu);
        line->SetCaption("-");
        root->Add(line);
    }
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(FDateTime, year, month, day);
    const int32_t perColumn = std::max(options.YearsPerColumn, 1);
    const int64_t count = int64_t{perColumn} * std::max(options.NumberColumns, 0);
    // Only years that have dates are listed, which also bounds the menu.
    const int64_t first = std::max<int64_t>(options.StartYear, kFirstYear);
    const int64_t last = std::min<int64_t>(int64_t{options.StartYear} + count - 1, kLastYear);
    for (int64_t y = first; y <= last; ++y) {
        const auto shown = static_cast<int32_t>(y);
        const int64_t index = y - options.StartYear;
        auto* item = new TMenuItem(FYearMenu);
        item->SetCaption(IntToStr(shown));
        item->SetChecked(shown == FClickedTitle.wYear);
        item->SetEnabled(MonthDayInRange(shown, month, day));
        const bool columnStart = index % perColumn == 0;
        if (columnStart && (index > 0 || (options.ShowEditYear && options.NumberColumns != 1)))
            item->SetBreak(mbBarBreak);
        item->OnClick = [this, shown](TObject*) { YearChosen(shown); };
        root->Add(item);
    }
}

void TwwMonthCalendar::MonthChosen(int32_t Month) {
    const std::weak_ptr<const void> life = LifeToken();
    MoveDateWithin(wwAddMonths(FDateTime, Month - FClickedTitleMonth));
    if (!life.expired()) Change();
}

void TwwMonthCalendar::YearChosen(int32_t Year) {
    const int32_t titleYear = FClickedTitle.wYear;
    if (Year == titleYear) return;
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(FDateTime, year, month, day);
    // Scroll first, so that the months shown keep their place in the block of months.
    const std::weak_ptr<const void> life = LifeToken();
    SYSTEMTIME visible[2];
    if (SendMessage(Handle(), MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(visible)) !=
        0) {
        TDateTime scrollTo = 0;
        const int32_t edgeMonth = Year > titleYear ? visible[1].wMonth : visible[0].wMonth;
        if (ClampedDay(Year, edgeMonth, 1, scrollTo))
            InternalSetDate(ComposeDateTime(scrollTo, FDateTime));
        if (life.expired()) return;
    }
    TDateTime target = 0;
    if (ClampedDay(Year, month, day, target)) MoveDateWithin(target);
    if (!life.expired()) Change();
}

void TwwMonthCalendar::YearLimits(int32_t& MinYear, int32_t& MaxYear) const {
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(FDateTime, year, month, day);
    MinYear = kFirstYear;
    MaxYear = kLastYear;
    if (FMinDate != 0) {
        uint16_t y = 0, m = 0, d = 0;
        DecodeDate(FMinDate, y, m, d);
        MinYear = MonthDayInRange(y, month, day) ? y : y + 1;
    }
    if (FMaxDate != 0) {
        uint16_t y = 0, m = 0, d = 0;
        DecodeDate(FMaxDate, y, m, d);
        MaxYear = MonthDayInRange(y, month, day) ? y : y - 1;
    }
}

void TwwMonthCalendar::EditYear() {
    int32_t minYear = kFirstYear, maxYear = kLastYear;
    YearLimits(minYear, maxYear);
    std::string caption = wwGlobalIntl->MonthCalendar()->EnterYearPrompt;
    const bool hasMin = FMinDate != 0, hasMax = FMaxDate != 0;
    if (hasMin && hasMax)
        caption += " (" + IntToStr(minYear) + "-" + IntToStr(maxYear) + ")";
    else if (hasMax)
        caption += " (<=" + IntToStr(maxYear) + ")";
    else if (hasMin)
        caption += " (>=" + IntToStr(minYear) + ")";
    const std::string prompt = hasMin || hasMax ? "Enter New Year:" : " ";
    uint16_t year = 0, month = 0, day = 0;
    DecodeDate(FDateTime, year, month, day);
    std::string text = IntToStr(std::clamp<int32_t>(year, minYear, std::max(minYear, maxYear)));
    const std::weak_ptr<const void> life = LifeToken();
    for (;;) {
        if (!InputQuery(caption, prompt, text) || life.expired()) return;
        int32_t chosen = 0;
        if (TryStrToInt(Trim(text), chosen) && chosen >= minYear && chosen <= maxYear) {
            YearChosen(chosen);
            return;
        }
    }
}

}  // namespace vex
