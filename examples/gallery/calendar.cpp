// The calendar and the date edit with its drop-down calendar.
#include "components/entry/EsCal.h"
#include "components/entry/EsDateEd.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/core/datetime.h"

namespace gallery {

using namespace vex;

int Calendars(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 232, "Calendar and date edit");
    TLabel* chosen = AddLabel(box, Rect(8, 172, 290, 188), "");
    auto* calendar = Add<TEsCalendar>(box, Rect(8, 8, 218, 166));
    calendar->SetBorderStyle(bsSingle);
    calendar->SetShowInactive(true);
    calendar->SetWeekStarts(dtMonday);
    calendar->OnChange = [chosen](TObject*, TDateTime Date) {
        chosen->SetCaption("Chosen: " + FormatDateTime("dddd, d mmmm yyyy", Date));
    };
    AddLabel(box, Rect(8, 202, 100, 218), "Alt+Down:");
    auto* edit = Add<TEsDateEdit>(box, Rect(104, 198, 224, 222));
    edit->SetForceCentury(true);
    edit->SetDate(EncodeDate(2024, 2, 29));
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
