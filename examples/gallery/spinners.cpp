// Spinners of each shape and look, each beside a field that it steps.
#include <algorithm>
#include <string>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcCmd.h"
#include "components/entry/OvcSC.h"
#include "components/entry/OvcSpinTarget.h"
#include "examples/gallery/gallerykit.h"
#include "examples/gallery/groups.h"
#include "platform/ui/customedit.h"

namespace gallery {

using namespace vex;

namespace {

// A number from 0 to 600 in a plain edit, stepped the way the numeric field steps: past an
// end it wraps to the other.
class TNumberEdit : public TEdit, public TOvcSpinTarget {
public:
    explicit TNumberEdit(TComponent* AOwner) : TEdit(AOwner) {}

    void IncreaseValue(bool Wrap, double Delta) override { Step(Wrap, Delta); }
    void DecreaseValue(bool Wrap, double Delta) override { Step(Wrap, -Delta); }
    void SetSelection(uint16_t Start, uint16_t End) override {
        SetSelStart(Start);
        SetSelLength(End - Start);
    }
    void PerformSpinCommand(uint16_t Command) override {
        const int32_t caret = SelStart() + (Command == ccLeft ? -1 : Command == ccRight ? 1 : 0);
        SetSelStart(std::clamp<int32_t>(caret, 0, static_cast<int32_t>(Text().size())));
    }

private:
    void Step(bool Wrap, double Delta) {
        constexpr int64_t lo = 0, hi = 600;
        int64_t value = 0;
        try {
            value = std::stoll(Text());
        } catch (const std::exception&) {
            return;  // not a number: nothing to step
        }
        if (Delta > 0 && value >= hi)
            value = Wrap ? lo : value;
        else if (Delta < 0 && value <= lo)
            value = Wrap ? hi : value;
        else
            value = std::clamp<int64_t>(value + static_cast<int64_t>(Delta), lo, hi);
        SetText(std::to_string(value));
    }
};

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
    const char* Text;
    TOvcBaseSpinner::TPosition Position;
    TSpinOrientation Orientation;
    int32_t Thickness;  // 0: as made
    TButtonStyle Style;
};

const TSpinnerSample kSamples[] = {
    {"Minutes:", Rect(8, 12, 80, 28), Rect(90, 8, 160, 32), "600", TOvcBaseSpinner::scRight,
     soVertical, 0, bsAutoDetect},
    {"Left:", Rect(8, 44, 80, 60), Rect(108, 40, 178, 64), "2", TOvcBaseSpinner::scLeft, soVertical,
     0, bsAutoDetect},
    {"Win 3.1:", Rect(8, 76, 80, 92), Rect(90, 72, 160, 96), "5", TOvcBaseSpinner::scRight,
     soVertical, 0, bsWin31},
    {"Caret:", Rect(8, 108, 80, 124), Rect(90, 104, 160, 128), "12345", TOvcBaseSpinner::scRight,
     soHorizontal, 30, bsAutoDetect},
    {"Above:", Rect(210, 8, 290, 24), Rect(210, 43, 290, 67), "100", TOvcBaseSpinner::scTop,
     soHorizontal, 16, bsAutoDetect},
    {"Below:", Rect(210, 76, 290, 92), Rect(210, 94, 290, 118), "0", TOvcBaseSpinner::scBottom,
     soHorizontal, 14, bsAutoDetect},
};

void AddSample(TWinControl* Parent, const TSpinnerSample& Sample) {
    AddLabel(Parent, Sample.Label, Sample.Caption);
    auto* field = Add<TNumberEdit>(Parent, Sample.Field);
    field->SetText(Sample.Text);
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
