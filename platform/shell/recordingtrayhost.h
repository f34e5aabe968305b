#pragma once

#include <vector>

#include "platform/shell/trayicons.h"

namespace vex {

// A tray for tests: it keeps the icons as a real one does, records every call with its answer,
// and lets a test act as the person at the tray, whose clicks reach the owner as a real tray's
// do.
class TRecordingTrayHost : public TTrayHost {
public:
    struct TCall {
        DWORD Message = 0;
        NOTIFYICONDATA Data;  // as the caller gave it
        bool Result = false;
    };

    bool Notify(DWORD Message, const NOTIFYICONDATA& Data) override;

    const std::vector<TCall>& Calls() const { return FCalls; }
    void ClearCalls() { FCalls.clear(); }
    const TTrayIcons& Icons() const { return FIcons; }

    // Posts the owner the callback of each mouse message in turn, as the tray would for a
    // person's press, release or double click on the icon. False when the icon is not shown or
    // wants no messages.
    bool Click(HWND Wnd, UINT ID, const std::vector<UINT>& MouseMessages) const;

private:
    TTrayIcons FIcons;
    std::vector<TCall> FCalls;
};

}  // namespace vex
