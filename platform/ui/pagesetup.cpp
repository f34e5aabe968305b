#include "platform/ui/pagesetup.h"

#include "platform/ui/pagesetupform.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

// A run must not start on what it cannot show or give back.
void RequireKnown(const TPageSetupDlg& Record) {
    if ((Record.Flags & PSD_INTHOUSANDTHSOFINCHES) != 0 &&
        (Record.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0)
        throw EPrinter("A page setup takes its margins in one unit, not in two.");
    if (FindPaperSize(Record.DevMode.dmPaperSize) == nullptr)
        throw EPrinter("The paper size " + std::to_string(Record.DevMode.dmPaperSize) +
                       " is not one the printer knows.");
    const int16_t orientation = Record.DevMode.dmOrientation;
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE)
        throw EPrinter("The orientation " + std::to_string(orientation) +
                       " is neither portrait nor landscape.");
}

}  // namespace

bool PageSetupDlg(TPageSetupDlg& Record) {
    RequireKnown(Record);
    // No one could choose, and the run would wait for ever: the answer is Cancel's.
    if (Presenter().Headless() && TModalScript::Current() == nullptr) return false;
    const bool inches = (Record.Flags & PSD_INTHOUSANDTHSOFINCHES) != 0;
    const TMarginUnit unit = inches ? muThousandthsOfInches : muHundredthsOfMillimetres;
    // A handler run meanwhile may change the caller's record: the run works on a copy.
    TPageSetupDlg chosen = Record;
    chosen.Flags |=
        PSD_MARGINS | (inches ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS);
    if ((Record.Flags & PSD_MARGINS) == 0) {
        const int32_t inch = inches ? 1000 : 2540;
        chosen.Margins = Rect(inch, inch, inch, inch);
    }
    TPageSetupForm form(chosen, unit);
    // The copy's hook: the caller's may be replaced, or freed, by the hook itself.
    if ((chosen.Flags & PSD_ENABLEPAGESETUPHOOK) != 0 && chosen.Hook) chosen.Hook(form.Form());
    if (!form.Run(chosen)) return false;
    Record = std::move(chosen);
    return true;
}

}  // namespace vex
