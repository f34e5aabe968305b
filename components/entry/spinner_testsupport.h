#pragma once
// A stand-in for the entry field a spinner steps, and the form the spinner tests share: the
// field counts from RangeLo to RangeHi, notes each step as "up@tick", and can refuse to let the
// focus go, as a field with an entry error does.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcCmd.h"
#include "components/entry/OvcSC.h"
#include "components/entry/OvcSpinTarget.h"
#include "platform/core/clock.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/ui_testsupport.h"

namespace vex::test {

class TStandInField : public TCustomControl, public TOvcSpinTarget {
public:
    explicit TStandInField(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }

    void IncreaseValue(bool Wrap, double Delta) override { Step("up", Wrap, Delta); }
    void DecreaseValue(bool Wrap, double Delta) override { Step("down", Wrap, -Delta); }
    void SetSelection(uint16_t Start, uint16_t End) override { Selection = End - Start; }
    void PerformSpinCommand(uint16_t Command) override {
        Note(Command == ccLeft ? "left" : Command == ccRight ? "right" : "command");
    }

    int64_t Value = 0;
    int64_t RangeLo = 0;
    int64_t RangeHi = 99999999;
    int32_t Selection = 1;
    // Takes the focus back whenever it loses it, as a field with an entry error does.
    bool RefuseFocusLoss = false;
    std::vector<std::string> Steps;

protected:
    void WMKillFocus(TMessage& Message) override {
        TCustomControl::WMKillFocus(Message);
        if (RefuseFocusLoss) PostMessage(Handle(), kRefocus, 0, 0);
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == kRefocus) {
            SetFocus();
            return;
        }
        TCustomControl::WndProc(Message);
    }

private:
    static constexpr UINT kRefocus = WM_USER + 1;

    void Note(const std::string& What) {
        Steps.push_back(What + "@" + std::to_string(Clock().TickMilliseconds()));
    }
    // The numeric field's rule: past an end it wraps to the other or stays, else it moves by
    // Delta and stops at the end.
    void Step(const char* What, bool Wrap, double Delta) {
        Note(What);
        if (Delta > 0 && Value >= RangeHi) {
            if (Wrap) Value = RangeLo;
        } else if (Delta < 0 && Value <= RangeLo) {
            if (Wrap) Value = RangeHi;
        } else {
            Value = std::clamp<int64_t>(Value + static_cast<int64_t>(std::trunc(Delta)), RangeLo,
                                        RangeHi);
        }
    }
};

// A shown form with a controller, a stand-in field and a spinner attached to it.
struct TSpinnerScene {
    TShownForm Shown{Rect(10, 10, 250, 150)};
    TOvcController* Controller = new TOvcController(Shown.Form);
    TStandInField* Field = Shown.Add<TStandInField>(Shown.Form, Rect(20, 20, 100, 44));
    TOvcSpinner* Spinner = MakeSpinner();

    TOvcSpinner* MakeSpinner() {
        Shown.Form->Font().SetName(FixedFontName);
        Field->SetName("Field");
        auto* spinner = new TOvcSpinner(Shown.Form);
        spinner->SetName("Spinner1");
        spinner->SetParent(Shown.Form);
        spinner->SetAttachedControl(Field);
        return spinner;
    }
    // The middle of a button of the spinner, on the screen.
    TPoint At(TSpinState Button) const {
        const TRect r = Spinner->ButtonRect(Button);
        return Spinner->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
};

}  // namespace vex::test
