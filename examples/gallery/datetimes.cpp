// The date-time pickers: short and long dates (which drop down a month calendar) and a time.
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/core/datetime.h"
#include "platform/ui/datetimepicker.h"

namespace gallery {

using namespace vex;

int DateTimePickers(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 118, "Date and time pickers");
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
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
