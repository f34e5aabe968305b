#include "platform/shell/recordingtrayhost.h"

namespace vex {

bool TRecordingTrayHost::Notify(DWORD Message, const NOTIFYICONDATA& Data) {
    FCalls.push_back(TCall{Message, Data, false});
    FCalls.back().Result = FIcons.Apply(Message, Data);
    return FCalls.back().Result;
}

bool TRecordingTrayHost::Click(HWND Wnd, UINT ID, const std::vector<UINT>& MouseMessages) const {
    for (const UINT message : MouseMessages)
        if (!FIcons.Report(Wnd, ID, message)) return false;
    return true;
}

}  // namespace vex
