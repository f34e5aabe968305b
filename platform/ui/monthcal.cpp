#include "platform/ui/monthcal.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "platform/core/formatsettings.h"
#include "platform/ui/monthcalclass.h"
#include "platform/ui/monthcalstate.h"
#include "platform/ui/paint.h"
#include "platform/win/capture.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// The state of every calendar window. A handler of a notification may destroy the window it
// came from, so each message holds its window's state until it is done with it.
std::map<HWND, std::shared_ptr<TMonthCalState>>& Calendars() {
    static std::map<HWND, std::shared_ptr<TMonthCalState>> calendars;
    return calendars;
}

std::shared_ptr<TMonthCalState> StateOf(HWND Wnd) {
    const auto at = Calendars().find(Wnd);
    return at == Calendars().end() ? nullptr : at->second;
}

TSize ClientSize(HWND Wnd) {
    TRect client;
    GetClientRect(Wnd, client);
    return TSize{client.Right - client.Left, client.Bottom - client.Top};
}

void Redraw(const TMonthCalState& State) {
    InvalidateRect(State.Wnd, nullptr, false);
}

// The locale's first day of the week, read as the locale's own answer reads it: a setting past
// Sunday wraps round instead of naming a day no week has.
int32_t LocaleFirstDayOfWeek() {
    return FormatSettings().FirstDayOfWeek % 7;
}

// A handler of an earlier notification may have destroyed the window: then nothing more is told.
LRESULT Notify(const TMonthCalState& State, NMHDR& Header, UINT Code) {
    if (!IsWindow(State.Wnd)) return 0;
    Header.hwndFrom = State.Wnd;
    Header.idFrom = static_cast<UINT_PTR>(GetWindowLong(State.Wnd, GWL_ID));
    Header.code = Code;
    return SendMessage(State.NotifyWnd, WM_NOTIFY, Header.idFrom,
                       reinterpret_cast<LPARAM>(&Header));
}

void NotifySelection(const TMonthCalState& State, UINT Code) {
    NMSELCHANGE change;
    change.stSelStart = SystemTimeOfDay(State.SelStart);
    change.stSelEnd = SystemTimeOfDay(State.SelEnd);
    Notify(State, change.nmhdr, Code);
}

// Asks the parent for the bold days whenever the months with a day on the screen change.
void UpdateDayState(TMonthCalState& State) {
    if ((State.Style & MCS_DAYSTATE) == 0) {
        State.DayState.clear();
        State.AskedFirst = -1;
        return;
    }
    int32_t first = 0, count = 0;
    State.DayStateSpan(first, count);
    if (first == State.AskedFirst && count == State.AskedCount) return;
    State.AskedFirst = first;
    State.AskedCount = count;
    std::array<MONTHDAYSTATE, TMonthCalLayout::MaxMonths + 2> masks{};
    NMDAYSTATE request;
    request.stStart = SystemTimeOfDay(
        MonthGridOf(YearOfMonthIndex(first), MonthOfMonthIndex(first), 0).FirstOfMonth);
    request.cDayState = count;
    request.prgDayState = masks.data();
    Notify(State, request.nmhdr, MCN_GETDAYSTATE);
    // A handler that scrolled the calendar had the months it scrolled to asked for already.
    if (State.AskedFirst != first || State.AskedCount != count) return;
    // The parent fills the calendar's array or points the request at one of its own.
    State.DayStateFirst = first;
    State.DayState.assign(static_cast<size_t>(count), 0);
    if (request.prgDayState != nullptr)
        std::copy_n(request.prgDayState, count, State.DayState.begin());
    Redraw(State);
}

// The font and the styles decide the sizes, the client area how many months fit.
void LayOut(TMonthCalState& State) {
    const TWindowContext context(0);
    SelectCalendarFont(*context.DC(), State.Font, false);
    State.Layout =
        TMonthCalLayout(MeasureMonthCal(*context.DC(), State.Style), ClientSize(State.Wnd));
    State.ShowFirst(State.FirstMonth);
    UpdateDayState(State);
    Redraw(State);
}

// What moving the visible months entails: the parent's bold days for them, and a repaint.
void Scrolled(TMonthCalState& State, bool Moved) {
    if (!Moved) return;
    UpdateDayState(State);
    Redraw(State);
}

void Create(HWND Wnd, const CREATESTRUCT& Create) {
    auto state = std::make_shared<TMonthCalState>();
    state->Wnd = Wnd;
    state->NotifyWnd = Create.hwndParent;
    state->Style = Create.style;
    state->FirstDayOfWeek = LocaleFirstDayOfWeek();
    state->Font = TFont().LogFont();
    state->SelStart = state->SelEnd = state->Today();
    state->FirstMonth = MonthIndexOfDay(state->SelStart);
    Calendars()[Wnd] = state;
    LayOut(*state);
}

bool ReadRange(LPARAM LParam, int32_t& First, int32_t& Last) {
    const auto* times = reinterpret_cast<const SYSTEMTIME*>(LParam);
    return times != nullptr && DayOfSystemTime(times[0], First) && DayOfSystemTime(times[1], Last);
}

void WriteRange(LPARAM LParam, int32_t First, int32_t Last) {
    auto* times = reinterpret_cast<SYSTEMTIME*>(LParam);
    if (times == nullptr) return;
    times[0] = SystemTimeOfDay(First);
    times[1] = SystemTimeOfDay(Last);
}

LRESULT SetCurSel(TMonthCalState& State, LPARAM LParam) {
    int32_t day = 0;
    const auto* time = reinterpret_cast<const SYSTEMTIME*>(LParam);
    if (State.MultiSelect() || time == nullptr || !DayOfSystemTime(*time, day) ||
        !State.Selectable(day))
        return 0;
    State.SelStart = State.SelEnd = day;
    Redraw(State);
    Scrolled(State, State.ScrollIntoView(day));
    return 1;
}

LRESULT SetSelRange(TMonthCalState& State, LPARAM LParam) {
    int32_t first = 0, last = 0;
    if (!State.MultiSelect() || !ReadRange(LParam, first, last)) return 0;
    if (first > last) std::swap(first, last);
    if (last - first >= State.MaxSelCount || !State.Selectable(first) || !State.Selectable(last))
        return 0;
    State.SelStart = first;
    State.SelEnd = last;
    Redraw(State);
    Scrolled(State, State.ScrollIntoView(first));
    return 1;
}

LRESULT GetMonthRange(const TMonthCalState& State, WPARAM Which, LPARAM LParam) {
    int32_t first = State.FirstMonth;
    int32_t count = State.VisibleCount();
    if (Which == GMR_DAYSTATE) {
        State.DayStateSpan(first, count);
        const int32_t firstDay = std::max(State.GridOf(0).FirstCell(), FirstEncodableDay);
        const int32_t lastDay = std::min(
            State.GridOf(State.VisibleCount() - 1).DayAt(TMonthGrid::Cells - 1), LastEncodableDay);
        WriteRange(LParam, firstDay, lastDay);
        return count;
    }
    const TMonthGrid last = State.GridOf(count - 1);
    WriteRange(LParam, State.GridOf(0).FirstOfMonth, last.FirstOfMonth + last.Days - 1);
    return count;
}

LRESULT SetRange(TMonthCalState& State, WPARAM Flags, LPARAM LParam) {
    const auto* times = reinterpret_cast<const SYSTEMTIME*>(LParam);
    int32_t minDay = 0, maxDay = 0;
    if ((Flags & (GDTR_MIN | GDTR_MAX)) != 0 && times == nullptr) return 0;
    if ((Flags & GDTR_MIN) != 0 && !DayOfSystemTime(times[0], minDay)) return 0;
    if ((Flags & GDTR_MAX) != 0 && !DayOfSystemTime(times[1], maxDay)) return 0;
    if ((Flags & GDTR_MIN) != 0 && (Flags & GDTR_MAX) != 0 && minDay > maxDay) return 0;
    State.RangeFlags = static_cast<DWORD>(Flags) & (GDTR_MIN | GDTR_MAX);
    State.MinDay = minDay;
    State.MaxDay = maxDay;
    // The selection never lies outside the range.
    State.SelStart = State.ClampToRange(State.SelStart);
    State.SelEnd = State.ClampToRange(State.SelEnd);
    Redraw(State);
    return 1;
}

LRESULT GetRange(const TMonthCalState& State, LPARAM LParam) {
    auto* times = reinterpret_cast<SYSTEMTIME*>(LParam);
    if (times != nullptr) {
        times[0] =
            (State.RangeFlags & GDTR_MIN) != 0 ? SystemTimeOfDay(State.MinDay) : SYSTEMTIME{};
        times[1] =
            (State.RangeFlags & GDTR_MAX) != 0 ? SystemTimeOfDay(State.MaxDay) : SYSTEMTIME{};
    }
    return State.RangeFlags;
}

LRESULT SetFirstDayOfWeek(TMonthCalState& State, LPARAM Day) {
    const int32_t locale = LocaleFirstDayOfWeek();
    const LRESULT previous = MAKELONG(static_cast<uint16_t>(State.FirstDayOfWeek),
                                      State.FirstDayOfWeek != locale ? 1 : 0);
    if (Day < -1 || Day > 6) return previous;
    State.FirstDayOfWeek = Day == -1 ? locale : static_cast<int32_t>(Day);
    UpdateDayState(State);
    Redraw(State);
    return previous;
}

LRESULT SetColor(TMonthCalState& State, WPARAM Index, LPARAM Color) {
    if (Index >= State.Colors.size()) return -1;
    const TColor previous = ColorToRGB(State.Colors[Index]);
    State.Colors[Index] = static_cast<TColor>(Color);
    Redraw(State);
    return previous;
}

LRESULT HitTestMessage(const TMonthCalState& State, LPARAM LParam) {
    auto* info = reinterpret_cast<MCHITTESTINFO*>(LParam);
    if (info == nullptr) return -1;
    const TWindowContext context(0);
    info->st = SYSTEMTIME{};
    info->uHit = HitTest(State, *context.DC(), info->pt, info->st);
    return info->uHit;
}

// The calendar repaints whatever the request's redraw flag says: a window made and given its
// font before its first paint would otherwise show nothing until something else repainted it.
void SetFont(TMonthCalState& State, WPARAM Font) {
    TLogFont description = TFont().LogFont();
    if (Font != 0) GetObject(static_cast<HFONT>(Font), description);
    State.FontHandle = static_cast<HFONT>(Font);
    State.Font = description;
    LayOut(State);
}

UINT HitAt(const TMonthCalState& State, LPARAM Point, int32_t& Day) {
    const TWindowContext context(0);
    SYSTEMTIME time;
    const UINT hit =
        HitTest(State, *context.DC(), vex::Point(GET_X_LPARAM(Point), GET_Y_LPARAM(Point)), time);
    if (IsDateHit(hit) || hit == MCHT_TODAYLINK) DayOfSystemTime(time, Day);
    return hit;
}

// Makes First to Last the selection, telling the parent when it changed.
void Select(TMonthCalState& State, int32_t First, int32_t Last) {
    if (First == State.SelStart && Last == State.SelEnd) return;
    State.SelStart = First;
    State.SelEnd = Last;
    Redraw(State);
    NotifySelection(State, MCN_SELCHANGE);
}

void ButtonDown(TMonthCalState& State, LPARAM Point) {
    int32_t day = 0;
    const UINT hit = HitAt(State, Point, day);
    const int32_t delta = State.MonthDelta != 0 ? State.MonthDelta : State.VisibleCount();
    const int64_t first = State.FirstMonth;
    if (hit == MCHT_TITLEBTNPREV) return Scrolled(State, State.ShowFirst(first - delta));
    if (hit == MCHT_TITLEBTNNEXT) return Scrolled(State, State.ShowFirst(first + delta));
    if ((!IsDateHit(hit) && hit != MCHT_TODAYLINK) || !State.Selectable(day)) return;
    Scrolled(State, State.ScrollIntoView(day));
    Select(State, day, day);
    if (!IsWindow(State.Wnd)) return;
    if (hit == MCHT_TODAYLINK) return NotifySelection(State, MCN_SELECT);
    State.Tracking = true;
    State.Anchor = day;
    SetCapture(State.Wnd);
}

// A drag moves a single selection along, and in multi-select mode stretches the selection from
// the day pressed, as far as the maximum count and the range allow.
void Drag(TMonthCalState& State, LPARAM Point) {
    int32_t day = State.Anchor;
    const UINT hit = HitAt(State, Point, day);
    if (!IsDateHit(hit)) return;
    if (!State.MultiSelect()) {
        if (State.Selectable(day)) Select(State, day, day);
        return;
    }
    const int32_t reach = State.MaxSelCount - 1;
    day = State.ClampToRange(std::clamp(day, State.Anchor - reach, State.Anchor + reach));
    Select(State, std::min(day, State.Anchor), std::max(day, State.Anchor));
}

void ButtonUp(TMonthCalState& State) {
    if (!State.Tracking) return;
    State.Tracking = false;
    ReleaseCapture();
    NotifySelection(State, MCN_SELECT);
}

LRESULT Paint(TMonthCalState& State, WPARAM Given) {
    const TPaintScope scope(State.Wnd, reinterpret_cast<HDC>(Given));
    if (scope.DC() == nullptr) return 0;
    TRect client;
    GetClientRect(State.Wnd, client);
    PaintMonthCal(State, *scope.DC(), client);
    return 0;
}

LRESULT Dispatch(TMonthCalState& State, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
        case MCM_GETCURSEL:
            if (State.MultiSelect() || LParam == 0) return 0;
            *reinterpret_cast<SYSTEMTIME*>(LParam) = SystemTimeOfDay(State.SelStart);
            return 1;
        case MCM_SETCURSEL:
            return SetCurSel(State, LParam);
        case MCM_GETMAXSELCOUNT:
            return State.MaxSelCount;
        case MCM_SETMAXSELCOUNT:
            if (!State.MultiSelect() || WParam < 1 || WParam > LastEncodableDay) return 0;
            State.MaxSelCount = static_cast<int32_t>(WParam);
            return 1;
        case MCM_GETSELRANGE:
            if (!State.MultiSelect() || LParam == 0) return 0;
            WriteRange(LParam, State.SelStart, State.SelEnd);
            return 1;
        case MCM_SETSELRANGE:
            return SetSelRange(State, LParam);
        case MCM_GETMONTHRANGE:
            return GetMonthRange(State, WParam, LParam);
        case MCM_SETDAYSTATE: {
            const auto* masks = reinterpret_cast<const MONTHDAYSTATE*>(LParam);
            if (masks == nullptr || static_cast<size_t>(WParam) != State.DayState.size()) return 0;
            std::copy_n(masks, State.DayState.size(), State.DayState.begin());
            Redraw(State);
            return 1;
        }
        case MCM_GETMINREQRECT: {
            auto* rect = reinterpret_cast<TRect*>(LParam);
            if (rect == nullptr) return 0;
            const TSize size = State.Layout.Metrics().MinimumSize();
            *rect = Rect(0, 0, size.cx, size.cy);
            return 1;
        }
        case MCM_SETCOLOR:
            return SetColor(State, WParam, LParam);
        case MCM_GETCOLOR:
            return WParam < State.Colors.size() ? ColorToRGB(State.Colors[WParam]) : -1;
        case MCM_SETTODAY: {
            int32_t day = 0;
            const auto* time = reinterpret_cast<const SYSTEMTIME*>(LParam);
            if (time == nullptr)
                State.TodaySet.reset();
            else if (DayOfSystemTime(*time, day))
                State.TodaySet = day;
            Redraw(State);
            return 0;
        }
        case MCM_GETTODAY:
            if (LParam == 0) return 0;
            *reinterpret_cast<SYSTEMTIME*>(LParam) = SystemTimeOfDay(State.Today());
            return 1;
        case MCM_HITTEST:
            return HitTestMessage(State, LParam);
        case MCM_SETFIRSTDAYOFWEEK:
            return SetFirstDayOfWeek(State, LParam);
        case MCM_GETFIRSTDAYOFWEEK:
            return MAKELONG(static_cast<uint16_t>(State.FirstDayOfWeek),
                            State.FirstDayOfWeek != LocaleFirstDayOfWeek() ? 1 : 0);
        case MCM_GETRANGE:
            return GetRange(State, LParam);
        case MCM_SETRANGE:
            return SetRange(State, WParam, LParam);
        case MCM_GETMONTHDELTA:
            return State.MonthDelta != 0 ? State.MonthDelta : State.VisibleCount();
        case MCM_SETMONTHDELTA:
            return std::exchange(State.MonthDelta, static_cast<int32_t>(WParam));
        case WM_SETFONT:
            SetFont(State, WParam);
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(State.FontHandle);
        case WM_SIZE:
            LayOut(State);
            return 0;
        case WM_STYLECHANGED:
            if (WParam == static_cast<WPARAM>(GWL_STYLE)) {
                State.Style = reinterpret_cast<const STYLESTRUCT*>(LParam)->styleNew;
                LayOut(State);
            }
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            State.Focused = Msg == WM_SETFOCUS;
            Redraw(State);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ButtonDown(State, LParam);
            return 0;
        case WM_MOUSEMOVE:
            if (State.Tracking) Drag(State, LParam);
            return 0;
        case WM_LBUTTONUP:
            ButtonUp(State);
            return 0;
        case WM_CAPTURECHANGED:
            State.Tracking = false;
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return Paint(State, WParam);
        default:
            return DefWindowProc(State.Wnd, Msg, WParam, LParam);
    }
}

}  // namespace

LRESULT MonthCalWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_CREATE) {
        Create(Wnd, *reinterpret_cast<const CREATESTRUCT*>(LParam));
        return 0;
    }
    const std::shared_ptr<TMonthCalState> state = StateOf(Wnd);
    if (Msg == WM_NCDESTROY) Calendars().erase(Wnd);
    if (state == nullptr || Msg == WM_NCDESTROY) return DefWindowProc(Wnd, Msg, WParam, LParam);
    return Dispatch(*state, Msg, WParam, LParam);
}

void RegisterMonthCalClass() {
    WNDCLASS registered;
    if (GetClassInfo(MONTHCAL_CLASS, registered)) return;
    WNDCLASS calendar;
    calendar.style = CS_DBLCLKS;
    calendar.lpfnWndProc = MonthCalWndProc;
    calendar.lpszClassName = MONTHCAL_CLASS;
    RegisterClass(calendar);
}

}  // namespace vex
