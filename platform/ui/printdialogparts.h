#pragma once

#include <cstdint>
#include <functional>

#include "platform/core/geometry.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/form.h"

namespace vex {

class TCustomEdit;
class TLabel;

// The pieces the print and page-setup forms are laid out with, in dialog units.

// A new T named Name, owned by Form, on Parent at Units.
template <class T>
T* PlaceOnDialog(TForm& Form, TWinControl& Parent, const char* Name, const TDialogUnits& Du,
                 const TRect& Units) {
    auto* control = new T(&Form);
    control->SetName(Name);
    control->SetBounds(Du.Horz(Units.Left), Du.Vert(Units.Top), Du.Horz(Units.Right - Units.Left),
                       Du.Vert(Units.Bottom - Units.Top));
    control->SetParent(&Parent);
    return control;
}

// A prompt whose accelerator takes the focus to For.
TLabel* AddDialogPrompt(TForm& Form, TWinControl& Parent, const TDialogUnits& Du,
                        const TRect& Units, const char* Text, TWinControl* For);

// OK (the default) above Cancel (Escape's), their left edge at Left.
void AddOkAndCancel(TForm& Form, const TDialogUnits& Du, int32_t Left, int32_t Top);

// OK closes Form only while Refusal names no field: a field it names (after telling why) gets the
// focus with its text selected, and the form stays open.
void RefuseUntilMended(TForm& Form, std::function<TCustomEdit*()> Refusal);

}  // namespace vex
