#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "components/entry/EsBase.h"
#include "components/entry/EsCalColors.h"
#include "components/entry/EsCalGrid.h"
#include "platform/ui/formtypes.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/speedbutton.h"

namespace vex {

enum TEsDateFormat : uint8_t { dfShort, dfLong };
// How many letters of each day name the calendar shows: 1 to 3.
using TEsDayNameWidth = uint8_t;
using TDateChangeEvent = std::function<void(TObject* Sender, TDateTime Date)>;

// The calendar's small buttons, in the order they are made.
enum TEsCalButton : uint8_t { cbPrevMonth, cbNextMonth, cbToday, cbNextYear, cbPrevYear };

// One month as a grid of six weeks under a title ("mmmm yyyy") and the day names, with buttons
// for the month and year before and after and for today. The current date is drawn as a button
// face; the keys, the wheel, the buttons, a click on a day and the month menu on the title move
// it. Made with AsPopup it is the drop-down of a date edit: a bordered popup window that
// holds the mouse while it is open.
class TEsCustomCalendar : public TEsBase {
    VEX_CLASS(TEsCustomCalendar, TEsBase)

public:
    explicit TEsCustomCalendar(TComponent* AOwner) : TEsCustomCalendar(AOwner, false) {}
    TEsCustomCalendar(TComponent* AOwner, bool AsPopup);

    TDateTime Date() const { return FDate; }
    // Moves the calendar to Value without OnChange.
    void SetDate(TDateTime Value);

    TEsCalColors& Colors() { return FColors; }
    void SetColors(const TEsCalColors& Value) { FColors.Assign(&Value); }
    TEsDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TEsDateFormat Value);
    // Values outside 1 to 3 are taken as the nearest.
    TEsDayNameWidth DayNameWidth() const { return FDayNameWidth; }
    void SetDayNameWidth(TEsDayNameWidth Value);
    bool ShowDate() const { return FShowDate; }
    void SetShowDate(bool Value);
    bool ShowInactive() const { return FShowInactive; }
    void SetShowInactive(bool Value);
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    // bsNone or bsSingle; other styles are taken as bsSingle.
    void SetBorderStyle(TFormBorderStyle Value);
    TEsDayType WeekStarts() const { return FWeekStarts; }
    void SetWeekStarts(TEsDayType Value);
    static std::string Version() { return "1.05"; }

    bool AsPopup() const { return FAsPopup; }
    // True while OnChange reports a move made by the keys, the month and year buttons or the
    // wheel: a date edit keeps its drop-down open for those.
    bool KeyboardChange() const { return FKeyboardChange; }
    bool MenuActive() const { return FMenuActive; }
    // The rectangle of the grid's cell at Row (0 the title, 1 the day names, 2 to 7 the weeks)
    // and Column (0 to 6), in client coordinates.
    const TRect& Cell(int32_t Row, int32_t Column) const { return FCells[Row][Column]; }
    // Where a button sits; an empty rectangle for a today button that is not shown.
    const TRect& ButtonRect(TEsCalButton Button) const { return FButtonRects[Button]; }
    // The button, owned and shown by the calendar; nil for the today button while ShowToday is
    // off.
    TSpeedButton* Button(TEsCalButton Which) const { return FButtons[Which]; }
    const TEsDayGrid& DayGrid() const { return FGrid; }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

    // The resource name of a button's glyph.
    static const char* ButtonGlyph(TEsCalButton Button);
    // What a button does, as a click on it.
    void ButtonClick(TEsCalButton Button);

    TDateChangeEvent OnChange;

protected:
    virtual void DoChange(TDateTime Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void CMFontChanged(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    using TEsBase::DoMouseWheel;
    void DoMouseWheel(TShiftState Shift, int16_t Delta, int16_t XPos, int16_t YPos) override;

private:
    // Layout and painting (EsCalPaint.cpp).
    void Layout();
    void PaintTitle(TCanvas& Canvas);
    void PaintDayNames(TCanvas& Canvas, std::array<bool, 7>& Weekend);
    void PaintSeparator(TCanvas& Canvas);
    void PaintDays(TCanvas& Canvas, const std::array<bool, 7>& Weekend);
    void PaintCurrentDay(TCanvas& Canvas);
    // The cell of the current day, 1 to 42.
    int32_t CurrentIndex() const { return FGrid.FirstIndex + FDay - 1; }
    TRect IndexRect(int32_t Index) const;
    void InvalidateIndex(int32_t Index);

    // Keys, clicks and the wheel (EsCalInput.cpp).
    // Moves to Date, when there is one and it differs, and reports it as a keyboard move.
    void MoveByKeys(std::optional<TDateTime> Date);
    // The week cell at a client point: 1 to 42, or 0 outside the weeks.
    int32_t IndexAt(int32_t X, int32_t Y) const;
    void ClickDay(TMouseButton Button, int32_t X, int32_t Y);

    // The buttons made, and the today button made or freed as ShowToday says
    // (EsCalButtons.cpp).
    void UpdateButtons();
    void PlaceButtons();

    // The month menu on the title (EsCalMonthMenu.cpp).
    bool OverTitle(int32_t X, int32_t Y) const;
    void ShowMonthMenu(int32_t X, int32_t Y);
    void MonthMenuClick(int32_t Position);

    void RebuildGrid();

    // Raises one of the calendar's flags for as long as it lives, and lowers it at the end
    // unless a handler has freed the calendar meanwhile.
    struct TRaisedFlag {
        bool& Flag;
        std::weak_ptr<const void> Life;
        ~TRaisedFlag() {
            if (!Life.expired()) Flag = false;
        }
    };
    TRaisedFlag Raise(bool& Flag) {
        Flag = true;
        return {Flag, LifeToken()};
    }

    bool FKeyboardChange = false;
    TEsCalColors FColors;
    TDateTime FDate = 0;
    TEsDateFormat FDateFormat = dfLong;
    TEsDayNameWidth FDayNameWidth = 3;
    bool FShowDate = true;
    bool FShowInactive = false;
    bool FShowToday = true;
    TFormBorderStyle FBorderStyle = bsNone;
    TEsDayType FWeekStarts = dtSunday;
    bool FMenuActive = false;
    TEsDayGrid FGrid;
    uint16_t FDay = 0;
    uint16_t FMonth = 0;
    uint16_t FYear = 0;
    std::array<std::array<TRect, 7>, 8> FCells{};
    std::array<TRect, 5> FButtonRects{};
    std::array<TSpeedButton*, 5> FButtons{};
    TPopupMenu* FMonthMenu = nullptr;
    int32_t FGridWidth = 0;
    bool FAsPopup = false;
};

// The calendar as it is put on a form.
class TEsCalendar : public TEsCustomCalendar {
    VEX_CLASS(TEsCalendar, TEsCustomCalendar)

public:
    using TEsCustomCalendar::TEsCustomCalendar;
};

}  // namespace vex
