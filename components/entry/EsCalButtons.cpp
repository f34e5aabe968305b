// The calendar's five small buttons.
#include <utility>

#include "components/entry/EsCal.h"
#include "components/entry/EsGlyphs.h"

namespace vex {

void TEsCustomCalendar::UpdateButtons() {
    for (TEsCalButton which : {cbPrevMonth, cbNextMonth, cbToday, cbNextYear, cbPrevYear}) {
        TSpeedButton*& button = FButtons[which];
        const bool wanted = which != cbToday || FShowToday;
        if (!wanted) {
            delete std::exchange(button, nullptr);
            continue;
        }
        if (button != nullptr) continue;
        button = new TSpeedButton(this);
        TBitmap glyph;
        LoadEsGlyph(glyph, ButtonGlyph(which));
        button->SetGlyph(glyph);
        button->OnClick = [this, which](TObject*) { ButtonClick(which); };
        button->SetParent(this);
    }
}

void TEsCustomCalendar::PlaceButtons() {
    for (TEsCalButton which : {cbPrevMonth, cbNextMonth, cbToday, cbNextYear, cbPrevYear})
        if (FButtons[which] != nullptr) FButtons[which]->SetBoundsRect(FButtonRects[which]);
}

}  // namespace vex
