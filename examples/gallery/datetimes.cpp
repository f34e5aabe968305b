// The date-time pickers (short and long dates drop down a month calendar, and a time) and the
// month calendar window as a program makes it, with week numbers and bold days.
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/core/datetime.h"
#include "platform/core/systemtime.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/datetimepicker.h"
#include "platform/ui/monthcal.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowstyles.h"

namespace gallery {

using namespace vex;

namespace {

// A window of the month calendar class, whose days 1 and 15 are bold in every month.
class TMonthCalendarWindow : public TWinControl {
public:
    using TWinControl::TWinControl;

    // Takes the least size that shows one month in the window's font.
    void SizeToMonth() {
        const HWND wnd = Handle();
        SendMessage(wnd, WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 1);
        TRect need;
        SendMessage(wnd, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
        SetBounds(Left(), Top(), need.Right - need.Left + 4, need.Bottom - need.Top + 4);
    }

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        InitCommonControlsEx(INITCOMMONCONTROLSEX{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES});
        WNDCLASS calendar;
        GetClassInfo(MONTHCAL_CLASS, calendar);
        Params.WindowClass.lpfnWndProc = calendar.lpfnWndProc;
        Params.WindowClass.style = calendar.style;
        Params.Style |= MCS_WEEKNUMBERS | MCS_DAYSTATE;
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void WndProc(TMessage& Message) override {
        const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (Message.Msg != CN_NOTIFY || header->code != MCN_GETDAYSTATE)
            return TWinControl::WndProc(Message);
        const auto* request = reinterpret_cast<const NMDAYSTATE*>(header);
        for (int32_t i = 0; i < request->cDayState; ++i)
            request->prgDayState[i] = 1u << 0 | 1u << 14;
    }
};

}  // namespace

int DateTimePickers(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 300, "Date and time pickers, month calendar");
    const TDateTime value = ComposeDateTime(EncodeDate(2024, 2, 29), EncodeTime(14, 7, 0, 0));
    TLabel* changed = AddLabel(box, Rect(8, 92, 290, 108), "Alt+Down drops the calendar down");
    const struct {
        const char* Caption;
        TDateTimeKind Kind;
        TDTDateFormat Format;
    } pickers[] = {{"Short date", dtkDate, dfShort},
                   {"Long date", dtkDate, dfLong},
                   {"Time", dtkTime, dfShort}};
    int y = 8;
    for (const auto& p : pickers) {
        AddLabel(box, Rect(8, y + 3, 80, y + 19), p.Caption);
        auto* picker = Add<TDateTimePicker>(box, Rect(84, y, 284, y + 22));
        picker->SetKind(p.Kind);
        picker->SetDateFormat(p.Format);
        picker->SetDateTime(value);
        picker->OnChange = [changed, picker](TObject*) {
            changed->SetCaption("Changed: " +
                                FormatDateTime("dddd, d mmmm yyyy hh:nn", picker->DateTime()));
        };
        y += 28;
    }
    auto* calendar = Add<TMonthCalendarWindow>(box, Rect(8, 116, 200, 290));
    calendar->SizeToMonth();
    SYSTEMTIME today = DateTimeToSystemTime(EncodeDate(2024, 2, 29));
    SendMessage(calendar->Handle(), MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
    SendMessage(calendar->Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&today));
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
