#pragma once

// A windowed control made of the month calendar class, as a component wraps it: the class's
// procedure behind the control's, and the calendar's notifications coming back as CN_NOTIFY.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/font.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/monthcal.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"

namespace vex::test {

inline SYSTEMTIME Day(uint16_t Year, uint16_t Month, uint16_t Day) {
    SYSTEMTIME time;
    time.wYear = Year;
    time.wMonth = Month;
    time.wDay = Day;
    return time;
}

inline std::string DayText(const SYSTEMTIME& Time) {
    return std::to_string(Time.wYear) + "-" + std::to_string(Time.wMonth) + "-" +
           std::to_string(Time.wDay);
}

class TCalendarProbe : public TWinControl {
public:
    explicit TCalendarProbe(TComponent* AOwner, DWORD Styles = 0)
        : TWinControl(AOwner), Styles(Styles) {}

    DWORD Styles;
    // "selchange 2024-3-5 2024-3-5", "select ...", "daystate 2024-10-1 14".
    std::vector<std::string> Notes;
    // The bold days of a month asked for with MCN_GETDAYSTATE; none when unset.
    std::function<MONTHDAYSTATE(uint16_t Year, uint16_t Month)> BoldDays;
    // Runs after each note is taken.
    std::function<void(const std::string& Note)> OnNote;

    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
        return SendMessage(Handle(), Msg, WParam, LParam);
    }
    template <class T>
    LRESULT Send(UINT Msg, WPARAM WParam, T* Pointer) {
        return Send(Msg, WParam, reinterpret_cast<LPARAM>(Pointer));
    }

    // The built-in font of Height pixels, whose glyphs are blocks of known sizes.
    void UseFixedFont(int32_t Height) {
        TLogFont font;
        font.lfHeight = -Height;
        font.lfFaceName = FixedFontName;
        if (FFont != 0) DeleteObject(FFont);
        FFont = CreateFontIndirect(font);
        Send(WM_SETFONT, static_cast<WPARAM>(FFont), 1);
    }
    ~TCalendarProbe() override {
        DestroyHandle();
        if (FFont != 0) DeleteObject(FFont);
    }

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        INITCOMMONCONTROLSEX init;
        init.dwICC = ICC_DATE_CLASSES;
        InitCommonControlsEx(init);
        WNDCLASS calendar;
        GetClassInfo(MONTHCAL_CLASS, calendar);
        Params.WindowClass.lpfnWndProc = calendar.lpfnWndProc;
        Params.WindowClass.style = calendar.style;
        Params.Style |= Styles;
        Params.WinClassName = "TCalendarProbe";
    }

    void WndProc(TMessage& Message) override {
        if (Message.Msg != CN_NOTIFY) return TWinControl::WndProc(Message);
        const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (header->code == MCN_SELCHANGE || header->code == MCN_SELECT) {
            const auto* change = reinterpret_cast<const NMSELCHANGE*>(header);
            Notes.push_back(std::string(header->code == MCN_SELCHANGE ? "selchange " : "select ") +
                            DayText(change->stSelStart) + " " + DayText(change->stSelEnd));
        } else if (header->code == MCN_GETDAYSTATE) {
            const auto* request = reinterpret_cast<const NMDAYSTATE*>(header);
            Notes.push_back("daystate " + DayText(request->stStart) + " " +
                            std::to_string(request->cDayState));
            int32_t month = request->stStart.wYear * 12 + request->stStart.wMonth - 1;
            for (int32_t i = 0; i < request->cDayState && BoldDays; ++i, ++month)
                request->prgDayState[i] = BoldDays(static_cast<uint16_t>(month / 12),
                                                   static_cast<uint16_t>(month % 12 + 1));
        }
        if (OnNote) OnNote(Notes.back());
    }

private:
    HFONT FFont = 0;
};

}  // namespace vex::test
