#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/dialogform.h"
#include "platform/ui/dialogicon.h"
#include "platform/ui/form.h"

namespace vex {

// A dialog form, not yet shown, with the icon of DlgType, Msg word-wrapped beside it, and a row
// of Buttons in the order of TMsgDlgBtn, centred below. The caption names the kind of message
// (the application's title for mtCustom). OK, else Yes, is the default button; Cancel, else
// No, else OK, the one Escape presses. The controls are named "Image", "Message", and after
// their buttons ("OK", "Yes", "NoToAll"...). The caller frees the form.
TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// Runs a message dialog modally and answers the mr* value of the button that ended it, mrCancel
// when nothing did. MessageDlg centres it on the screen; MessageDlgPos puts its corner at X, Y
// (a negative value keeps the centred one).
int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   int32_t HelpCtx);
int32_t MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      int32_t HelpCtx, int32_t X, int32_t Y);

}  // namespace vex
