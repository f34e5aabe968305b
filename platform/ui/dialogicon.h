#pragma once

#include "platform/ui/graphiccontrol.h"

namespace vex {

// The kinds of message a message dialog shows; a custom one has no icon.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The 32 by 32 sign of a message dialog: a yellow triangle with "!" for a warning, a red disc
// with "X" for an error, a white disc with a blue "i" for information and with a "?" for a
// question.
class TDialogIcon : public TGraphicControl {
    VEX_CLASS(TDialogIcon, TGraphicControl)

public:
    TDialogIcon(TComponent* AOwner, TMsgDlgType Kind);

    static constexpr int32_t Size = 32;

protected:
    void Paint() override;

private:
    TMsgDlgType FKind;
};

}  // namespace vex
