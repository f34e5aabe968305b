// Spinners of each shape and look, each beside a numeric field that it steps.
#include "components/entry/OvcBase.h"
#include "components/entry/OvcNF.h"
#include "components/entry/OvcSC.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"

namespace gallery {

using namespace vex;

namespace {

// The entry controls find their form's controller when their windows are made.
void EnsureController(TForm* Form) {
    for (int32_t i = 0; i < Form->ComponentCount(); ++i)
        if (dynamic_cast<TOvcController*>(Form->Components(i)) != nullptr) return;
    new TOvcController(Form);
}

// One field with its spinner: where the spinner stands, and how it looks. A horizontal
// spinner above or below its field is Thickness high; beside it, Thickness wide.
struct TSpinnerSample {
    const char* Caption;
    TRect Label;
    TRect Field;
    int32_t Value;
    TOvcBaseSpinner::TPosition Position;
    TSpinOrientation Orientation;
    int32_t Thickness;  // 0: as made
    TButtonStyle Style;
};

const TSpinnerSample kSamples[] = {
    {"Minutes:", Rect(8, 12, 80, 28), Rect(90, 8, 160, 32), 600, TOvcBaseSpinner::scRight,
     soVertical, 0, bsAutoDetect},
    {"Left:", Rect(8, 44, 80, 60), Rect(108, 40, 178, 64), 2, TOvcBaseSpinner::scLeft, soVertical,
     0, bsAutoDetect},
    {"Win 3.1:", Rect(8, 76, 80, 92), Rect(90, 72, 160, 96), 5, TOvcBaseSpinner::scRight,
     soVertical, 0, bsWin31},
    {"Caret:", Rect(8, 108, 80, 124), Rect(90, 104, 160, 128), 12345, TOvcBaseSpinner::scRight,
     soHorizontal, 30, bsAutoDetect},
    {"Above:", Rect(210, 8, 290, 24), Rect(210, 43, 290, 67), 100, TOvcBaseSpinner::scTop,
     soHorizontal, 16, bsAutoDetect},
    {"Below:", Rect(210, 76, 290, 92), Rect(210, 94, 290, 118), 0, TOvcBaseSpinner::scBottom,
     soHorizontal, 14, bsAutoDetect},
};

void AddSample(TWinControl* Parent, const TSpinnerSample& Sample) {
    AddLabel(Parent, Sample.Label, Sample.Caption);
    auto* field = Add<TOvcNumericField>(Parent, Sample.Field);
    field->SetRangeLo("0");
    field->SetRangeHi("99999");
    field->SetAsInteger(Sample.Value);
    auto* spinner = new TOvcSpinner(Parent);
    spinner->SetParent(Parent);
    spinner->SetAttachedControl(field);
    spinner->SetOrientation(Sample.Orientation);
    spinner->SetStyle(Sample.Style);
    if (Sample.Thickness != 0) {
        const bool beside = Sample.Position == TOvcBaseSpinner::scRight ||
                            Sample.Position == TOvcBaseSpinner::scLeft;
        if (beside)
            spinner->SetWidth(Sample.Thickness);
        else
            spinner->SetHeight(Sample.Thickness);
    }
    spinner->SetPosition(Sample.Position);
}

}  // namespace

int Spinners(TForm* Form, int Left, int Top) {
    EnsureController(Form);
    TFramedPanel* box = AddGroup(Form, Left, Top, 140, "Spinners");
    for (const TSpinnerSample& sample : kSamples)
        AddSample(box, sample);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
