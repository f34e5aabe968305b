// The entry fields: a numeric field for whole minutes, and a field whose picture mask places a
// sign, thousands separators and decimals.

#include "components/entry/OvcBase.h"
#include "components/entry/OvcNF.h"
#include "examples/gallery/groups.h"

namespace gallery {

using namespace vex;

int EntryFields(TForm* Form, int Left, int Top) {
    TFramedPanel* group = AddGroup(Form, Left, Top, 80, "Entry fields");
    // Every entry field takes its key commands and reports its errors through the form's
    // controller.
    new TOvcController(Form);
    AddLabel(group, Rect(10, 14, 130, 30), "Minutes (2 to 600)");
    auto* minutes = Add<TOvcNumericField>(group, Rect(140, 10, 220, 32));
    minutes->SetRangeLo("2");
    minutes->SetRangeHi("600");
    minutes->SetArrowIncDec(true);
    minutes->SetAsInteger(15);

    AddLabel(group, Rect(10, 48, 130, 64), "Balance");
    auto* balance = Add<TOvcNumericField>(group, Rect(140, 44, 280, 66));
    balance->SetDataType(nftDouble);
    balance->SetPictureMask("###,###.##");
    balance->SetAsString("-1234.5");
    return group->BoundsRect().Bottom;
}

}  // namespace gallery
