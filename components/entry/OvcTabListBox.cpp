#include "components/entry/OvcTabListBox.h"

#include "platform/ui/listboxmessages.h"

namespace vex {

void TTabListBox::CreateParams(TCreateParams& Params) {
    TListBox::CreateParams(Params);
    Params.Style |= LBS_USETABSTOPS;
}

}  // namespace vex
