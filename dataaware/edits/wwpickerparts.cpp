#include "dataaware/edits/wwpickerparts.h"

#include <algorithm>

#include "platform/core/datetime.h"
#include "platform/core/formatsettings.h"
#include "platform/ui/customedit.h"

namespace vex {

namespace {

using K = TDateTimeTokenKind;

bool IsDatePart(K Kind) {
    return Kind == K::Day || Kind == K::DayName || Kind == K::Month || Kind == K::MonthName ||
           Kind == K::Year;
}

bool IsTimePart(K Kind) {
    return Kind == K::Hour || Kind == K::Minute || Kind == K::Second || Kind == K::AmPm;
}

bool IsEditable(K Kind, TwwPickerPartsKind PartsKind) {
    switch (PartsKind) {
        case TwwPickerPartsKind::Date:
            return IsDatePart(Kind);
        case TwwPickerPartsKind::TimeOnly:
            return IsTimePart(Kind);
        case TwwPickerPartsKind::DateAndTime:
            break;
    }
    return IsDatePart(Kind) || IsTimePart(Kind);
}

}  // namespace

std::string wwPartsFormat(const std::string& Format, bool CFormat) {
    if (!CFormat) return Format;
    const TFormatSettings& fs = FormatSettings();
    return fs.ShortDateFormat + " " + fs.LongTimeFormat;
}

TwwPartsLayout wwLayoutParts(std::string_view Format, TwwPickerPartsKind Kind, TDateTime Value) {
    TwwPartsLayout layout;
    std::vector<TDateTimeSpan> fields;
    layout.Text = FormatDateTimeSpans(Format, Value, fields);
    // A part that writes nothing (an empty am/pm string) keeps its place, so that the parts
    // after it keep theirs when the hour crosses noon.
    for (const TDateTimeSpan& field : fields)
        if (IsEditable(field.Kind, Kind)) layout.Parts.push_back(field);
    return layout;
}

TwwLocatedPart wwLocatePart(const TwwPartsLayout& Layout, int32_t Part) {
    TwwLocatedPart located;
    if (Part < 1 || static_cast<size_t>(Part) > Layout.Parts.size()) return located;
    located.Field = Layout.Parts[static_cast<size_t>(Part) - 1];
    located.TextToEnd = Layout.Text.substr(0, located.Field.Start + located.Field.Length);
    located.Found = true;
    return located;
}

TwwPartsLayout TwwPickerParts::LayoutFor(TDateTime Value) {
    // A picker with a date and no day shows nothing, so there is no part to edit.
    if (FHost.PartsKind() != TwwPickerPartsKind::TimeOnly && SplitDateTime(Value).Day == 0)
        return {};
    return wwLayoutParts(wwPartsFormat(FHost.EffectiveFormat(), FHost.IsCFormat()),
                         FHost.PartsKind(), Value);
}

std::weak_ptr<const void> TwwPickerParts::Life() {
    return FHost.EditWindow().LifeToken();
}

bool TwwPickerParts::BindingInactive() {
    return !FHost.HasField() && (FHost.HasDataSource() || FHost.HasDataField());
}

bool TwwPickerParts::EditField() {
    // An unbound picker has no dataset to put into edit mode, and edits all the same.
    return FHost.LinkEdit() || !FHost.HasField();
}

int32_t TwwPickerParts::PartCount() {
    return static_cast<int32_t>(LayoutFor(FHost.PickerValue()).Parts.size());
}

TwwLocatedPart TwwPickerParts::LocatePart(int32_t Part, TDateTime Value) {
    return wwLocatePart(LayoutFor(Value), Part);
}

int32_t TwwPickerParts::LastPart() {
    return LastPartOf(LayoutFor(FHost.PickerValue()));
}

int32_t TwwPickerParts::LastPartOf(const TwwPartsLayout& Layout) {
    const auto count = static_cast<int32_t>(Layout.Parts.size());
    if (!FHost.IsCFormat()) return count;
    // A midnight the c format hides leaves the time parts out of the text.
    const size_t shown = FHost.EditWindow().Text().size();
    for (int32_t part = 1; part <= count; ++part)
        if (wwLocatePart(Layout, part).TextToEnd.size() >= shown) return part;
    return count;
}

void TwwPickerParts::HighlightCurrentPart() {
    TCustomEdit& edit = FHost.EditWindow();
    if (!FHost.EditCanModify()) {
        edit.SelectAll();
        return;
    }
    if (FHost.IsDroppedDown()) {
        edit.SetSelLength(0);
        return;
    }
    const TwwPartsLayout layout = LayoutFor(FHost.PickerValue());
    // A part no longer shown (a new format, a midnight the c format hides) gives way to the
    // last one shown.
    if (FCurrentPart > 1) FCurrentPart = std::min(FCurrentPart, std::max(1, LastPartOf(layout)));
    const TwwLocatedPart part = wwLocatePart(layout, FCurrentPart);
    if (!part.Found) {
        edit.SetSelLength(0);
        return;
    }
    edit.SetSelStart(static_cast<int32_t>(part.Field.Start));
    edit.SetSelLength(static_cast<int32_t>(part.Field.Length));
    // A part that writes nothing is shown by the caret where it stands.
    FHost.ShowEditCaret(part.Field.Length == 0);
}

}  // namespace vex
