#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/core/set.h"
#include "platform/core/systemtime.h"
#include "platform/core/types.h"
#include "platform/gfx/colors.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/inputevents.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/panel.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/wincontrol.h"

namespace vex {

// A date outside a calendar's or picker's limits.
VEX_EXCEPTION(EDateTimeError, Exception);

enum TwwMonthOption { mdoDayState, mdoWeekNumbers, mdoNoToday, mdoNoTodayCircle, mdoMultiSelect };
using TwwMonthOptions = TSet<TwwMonthOption, 8>;

// 0 Monday to 6 Sunday, as the calendar window counts; the last follows the user's locale.
enum TwwCalDayOfWeek {
    wwdowMonday,
    wwdowTuesday,
    wwdowWednesday,
    wwdowThursday,
    wwdowFriday,
    wwdowSaturday,
    wwdowSunday,
    wwdowLocaleDefault
};

// The MCS_* styles of the options; common controls before 4.71 know no MCS_NOTODAY.
DWORD wwMonthCalendarStyle(TwwMonthOptions Options, TComCtlVersion Version);

using TCalcBoldDayEvent = std::function<void(TObject* Sender, TDateTime ADate, int32_t Month,
                                             int32_t Day, int32_t Year, bool& Accept)>;
// Month, Day and Year of the day under the pointer; Day 0 when it is on no day.
using TmcMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int32_t X,
                                             int32_t Y, int32_t Month, int32_t Day, int32_t Year)>;
using TmcMouseUPDownEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X,
                       int32_t Y, int32_t Month, int32_t Day, int32_t Year)>;

// The six colours of a calendar's parts, indexed like the window's MCSC_* colours. Owned by a
// month calendar, a change goes to its window at once; owned by anything else (a picker's
// settings for its drop-down) it is only kept.
class TwwDateTimeColors : public TPersistent {
    VEX_CLASS(TwwDateTimeColors, TPersistent)

public:
    explicit TwwDateTimeColors(TPersistent* AOwner);

    // Index 0 (MCSC_BACKGROUND) to 5 (MCSC_TRAILINGTEXT).
    TColor Colors(int32_t Index) const { return FColors.at(static_cast<size_t>(Index)); }
    void SetColors(int32_t Index, TColor Value);

    TColor BackColor() const { return Colors(0); }
    TColor TextColor() const { return Colors(1); }
    void SetTextColor(TColor Value) { SetColors(1, Value); }
    TColor TitleBackColor() const { return Colors(2); }
    void SetTitleBackColor(TColor Value) { SetColors(2, Value); }
    TColor TitleTextColor() const { return Colors(3); }
    void SetTitleTextColor(TColor Value) { SetColors(3, Value); }
    TColor MonthBackColor() const { return Colors(4); }
    void SetMonthBackColor(TColor Value) { SetColors(4, Value); }
    TColor TrailingTextColor() const { return Colors(5); }
    void SetTrailingTextColor(TColor Value) { SetColors(5, Value); }

    // Copies the five published colours of another TwwDateTimeColors.
    void Assign(const TPersistent* Source) override;

private:
    TPersistent* FOwner;
    std::array<TColor, 6> FColors{clWindow, clWindowText, clActiveCaption,
                                  clWhite,  clWhite,      clInactiveCaptionText};
};

// How the year menu of a calendar's title is laid out.
class TwwPopupYearOptions : public TPersistent {
    VEX_CLASS(TwwPopupYearOptions, TPersistent)

public:
    int32_t YearsPerColumn = 10;
    int32_t NumberColumns = 2;
    int32_t StartYear = 1990;
    // An item above the years opens a box to type any year in range.
    bool ShowEditYear = false;

    void Assign(const TPersistent* Source) override;
};

// A popup menu that knows whether it is open.
class TCalendarPopupMenu : public TPopupMenu {
    VEX_CLASS(TCalendarPopupMenu, TPopupMenu)

public:
    using TPopupMenu::TPopupMenu;
    void Popup(int32_t X, int32_t Y) override;
    bool IsPopupOpen() const { return FPopupOpen; }

private:
    bool FPopupOpen = false;
};

// A month calendar over the native "SysMonthCal32" window that keeps its selection within
// MinDate and MaxDate itself (days outside cannot be clicked, keyed or selected), chooses months
// and years from popup menus on its title, keeps the time of day of Date when the day changes,
// asks the application which days to show in bold, and reports the day under the mouse. Every
// new window gets the whole state again, so a change of style loses nothing.
class TwwMonthCalendar : public TWinControl {
    VEX_CLASS(TwwMonthCalendar, TWinControl)

public:
    explicit TwwMonthCalendar(TComponent* AOwner);
    ~TwwMonthCalendar() override;

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    TwwDateTimeColors* CalColors() const { return FCalColors.get(); }
    void SetCalColors(const TwwDateTimeColors* Value) { FCalColors->Assign(Value); }

    // Date and Time both give the whole date-time. Setting Date changes the day and keeps the
    // time; a day past a non-zero limit raises EDateTimeError and changes nothing. Setting Time
    // changes the time of day and keeps the day.
    TDateTime Date() const { return FDateTime; }
    void SetDate(TDateTime Value);
    TDateTime Time() const { return FDateTime; }
    void SetTime(TDateTime Value);

    // The multi-select range; days past a non-zero limit are stored as the limit and raise.
    TDateTime SelectionStart() const { return FSelStart; }
    void SetSelectionStart(TDateTime Value);
    TDateTime SelectionEnd() const { return FSelEnd; }
    void SetSelectionEnd(TDateTime Value);

    // 0: no limit.
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);

    TwwMonthOptions Options() const { return FOptions; }
    virtual void SetOptions(TwwMonthOptions Value);
    int32_t MaxSelectCount() const { return FMaxSelectCount; }
    void SetMaxSelectCount(int32_t Value);

    TwwPopupYearOptions* PopupYearOptions() const { return FPopupYearOptions.get(); }
    void SetPopupYearOptions(const TwwPopupYearOptions* Value) { FPopupYearOptions->Assign(Value); }

    TwwCalDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TwwCalDayOfWeek Value);

    // Never below what the window needs for one month.
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

    // Whether the month or the year menu of the title is open now.
    bool IsPopupMenuOpen() const;
    // The native hit test at a client point.
    MCHITTESTINFO HitTest(TPoint ClientPoint);

    TNotifyEvent OnChange;
    TCalcBoldDayEvent OnCalcBoldDay;
    // These hide the plain control's mouse events: they tell the day under the pointer too.
    TmcMouseUPDownEvent OnMouseDown;
    TmcMouseMoveEvent OnMouseMove;
    TmcMouseUPDownEvent OnMouseUp;

    void WndProc(TMessage& Message) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The calendar takes the focus on a click; the drop-down of a picker leaves it there.
    virtual void FocusRequest();
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    // Fires OnChange.
    virtual void Change();

    void CNKeyDown(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CNNotify(TMessage& Message);

private:
    // Clamps Value into the limits and hands it to the window; stored only when the window
    // takes it (or there is none yet).
    void InternalSetDate(TDateTime Value);
    // One end of the multi-select range (FSelStart or FSelEnd) to the day of Value.
    void SetSelectionDay(TDateTime& End, TDateTime Value);
    void SendRange();
    void SendSelection();
    void SendFirstDayOfWeek();
    void SendFont();
    void SizeToFit();
    bool RequiredSize(int32_t& Width, int32_t& Height);
    // Whether the day (clamped to its month) of a date the hit test gave lies outside the limits.
    bool OutOfRange(const SYSTEMTIME& Day) const;
    bool DayInRange(TDateTime Day) const;
    // MinDate, or without one 31 December 1899, where the calendar starts then.
    TDateTime FirstDay() const;
    // The whole-day test against both limits of a day number Year, Month, Day (day clamped).
    bool MonthDayInRange(int32_t Year, int32_t Month, int32_t Day) const;

    // The title (wwmonthcalendarmenus.cpp).
    // Sets Date to Target, or to the limit Target passes with a beep; true when Date changed.
    bool MoveDateWithin(TDateTime Target);
    void ClickTitleArrow(bool Forward);
    void ClickTitleYear(const MCHITTESTINFO& Hit);
    void ClickTitleMonth(const MCHITTESTINFO& Hit);
    void BuildYearMenu();
    // The screen point below the left end of the title part the hit is on.
    TPoint BelowTitlePart(const MCHITTESTINFO& Hit);
    void MonthChosen(int32_t Month);
    void YearChosen(int32_t Year);
    void EditYear();
    void YearLimits(int32_t& MinYear, int32_t& MaxYear) const;

    // Keys and notifications (wwmonthcalendarinput.cpp).
    bool ReadSelection(TDateTime& Start, TDateTime& End);
    void MoveSelectionEnd(int32_t Days);
    void GetDayState(NMDAYSTATE& State);
    void SelectionChanged(const NMSELCHANGE& Notice);
    void FireMouse(const TmcMouseUPDownEvent& Event, TMouseButton Button, TShiftState Shift,
                   int32_t X, int32_t Y);

    TBorderStyle FBorderStyle = bsNone;
    std::unique_ptr<TwwDateTimeColors> FCalColors;
    TDateTime FDateTime;
    TDateTime FSelStart = 0;
    TDateTime FSelEnd = 0;
    TDateTime FMaxDate = 0;
    TDateTime FMinDate = 0;
    TwwMonthOptions FOptions{mdoDayState};
    int32_t FMaxSelectCount = 31;
    bool FSelectionChanged = false;
    TCalendarPopupMenu* FYearMenu = nullptr;
    TCalendarPopupMenu* FMonthMenu = nullptr;
    SYSTEMTIME FClickedTitle;
    int32_t FClickedTitleMonth = 0;
    // Set while this control sizes itself or hands the window a date, so that neither the
    // resize nor the window's answer starts the same work again.
    bool FSizingToFit = false;
    bool FSettingDate = false;
    std::unique_ptr<TwwPopupYearOptions> FPopupYearOptions;
    TwwCalDayOfWeek FFirstDayOfWeek = wwdowLocaleDefault;
};

}  // namespace vex
