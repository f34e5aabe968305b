#pragma once

#include "platform/shell/trayicons.h"

namespace vex {

// The tray without a display: it keeps the icons, refusing and accepting calls as a real tray
// does, and shows none of them. Nobody clicks an icon nobody sees, so no callback comes.
class THeadlessTrayHost : public TTrayHost {
public:
    bool Notify(DWORD Message, const NOTIFYICONDATA& Data) override {
        return FIcons.Apply(Message, Data);
    }
    const TTrayIcons& Icons() const { return FIcons; }

private:
    TTrayIcons FIcons;
};

}  // namespace vex
