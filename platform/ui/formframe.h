#pragma once

#include "platform/ui/formtypes.h"
#include "platform/win/messages.h"

namespace vex {

// The window styles a form's frame and band stand for.
struct TFormFrameStyles {
    DWORD Style;
    DWORD ExStyle;
};
TFormFrameStyles FormFrameStyles(TFormBorderStyle BorderStyle, TFormStyle FormStyle);

}  // namespace vex
