#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/geometry.h"
#include "platform/core/set.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"

namespace vex {

// What the standard dialogs (message dialogs, input boxes) are built of.

enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn, 16>;

inline const TMsgDlgButtons mbYesNoCancel = {mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesNo = {mbYes, mbNo};
inline const TMsgDlgButtons mbOKCancel = {mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore = {mbAbort, mbRetry, mbIgnore};

// The measures dialogs are laid out in: a horizontal unit is a quarter of the font's average
// character width, a vertical one an eighth of its height.
struct TDialogUnits {
    int32_t X;  // the average character width, in pixels
    int32_t Y;  // the character height
    int32_t Horz(int32_t Units) const { return Units * X / 4; }
    int32_t Vert(int32_t Units) const { return Units * Y / 8; }
};
TDialogUnits DialogUnitsOf(const TFont& Font);

// A dialog form: fixed dialog frame, centred on the screen, in the screen's dialog font.
std::unique_ptr<TForm> NewDialogForm(const std::string& Caption);

// Adds the button for Button to Dialog at Bounds, with its caption, its name and the result it
// gives.
TButton* AddDialogButton(TForm& Dialog, TMsgDlgBtn Button, const TRect& Bounds);

}  // namespace vex
